// sysindexes of SQL Server 2000 (object id 2): 0 id · 8 first (page number
// u32, file number u16) · 14 indid (i16) · 40 rowcnt (i64). Index id 0 is
// the heap, 1 the clustered index; both carry the table's row count.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"
#include "storage/PageHeader.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 64;
constexpr size_t kObjectId = 0;
constexpr size_t kFirstPage = 8;
constexpr size_t kIndexId = 14;
constexpr size_t kRowCount = 40;
constexpr int16_t kHeap = 0;
constexpr int16_t kClusteredIndex = 1;

}  // namespace

void readLegacyIndexRows(CDataPage& page, std::map<int32_t, LegacyIndexRow>& clustered,
                         std::map<int32_t, int64_t>& rowCounts) {
    if (page.header().pageType != kDataPage) return;
    int16_t fileNumber = page.header().thisPage.fileNumber;
    forEachCatalogRecord(page, true, [&](const CPrimaryRecord& record) {
        if (!fixedPartHolds(record, kMinimumLength)) return;
        Bytes fixed = record.fixedView();
        LegacyIndexRow row;
        row.objectId = readI32(fixed, kObjectId);
        row.fileNumber = fileNumber;
        row.indexId = readI16(fixed, kIndexId);
        row.firstPage = readI32(fixed, kFirstPage);
        row.rowCount = readI64(fixed, kRowCount);
        if (row.indexId == kHeap || row.indexId == kClusteredIndex) rowCounts[row.objectId] = row.rowCount;
        if (row.indexId == kClusteredIndex) clustered[row.objectId] = row;
    });
}

}  // namespace pw::catalog
