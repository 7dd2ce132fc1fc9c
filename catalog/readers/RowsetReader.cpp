// sysrowsets (object id 5): 0 rowsetid (u64) · 8 ownertype · 9 idmajor (the
// object id) · 13 idminor (the index id) · 17 numpart · 21 status ·
// 25 fgidfs (i16) · 27 rcrows (i64).

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 27;
constexpr size_t kRowsetId = 0;
constexpr size_t kOwnerType = 8;
constexpr size_t kOwnerObjectId = 9;
constexpr size_t kIndexId = 13;
constexpr size_t kPartitionNumber = 17;
constexpr size_t kStatus = 21;
constexpr size_t kFilegroup = 25;
constexpr size_t kRowCount = 27;

}  // namespace

void readRowsetRows(CDataPage& page, std::vector<RowsetRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        RowsetRow row;
        if (fixedPartHolds(record, kMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.rowsetId = readU64(fixed, kRowsetId);
            row.ownerType = readU8(fixed, kOwnerType);
            row.ownerObjectId = readI32(fixed, kOwnerObjectId);
            row.indexId = readI32(fixed, kIndexId);
            row.partitionNumber = readI32(fixed, kPartitionNumber);
            row.status = readI32(fixed, kStatus);
            row.filegroup = readI16(fixed, kFilegroup);
            row.rowCount = fieldI64(fixed, kRowCount, -1);
        }
        out.push_back(row);
    });
}

}  // namespace pw::catalog
