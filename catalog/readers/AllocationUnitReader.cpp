// sysallocunits (object id 7): 0 auid (u64) · 8 type · 9 ownerid (u64, the
// rowset id) · 17 status · 21 fgid (i16) · 23 pgfirst · 29 pgroot ·
// 35 pgfirstiam (page addresses: page number u32, then file number u16).

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 39;
constexpr size_t kId = 0;
constexpr size_t kType = 8;
constexpr size_t kOwnerId = 9;
constexpr size_t kStatus = 17;
constexpr size_t kFilegroupId = 21;
constexpr size_t kFirstPage = 23;
constexpr size_t kRootPage = 29;
constexpr size_t kFirstIamPage = 35;

}  // namespace

void readAllocationUnitRows(CDataPage& page, std::vector<AllocationUnitRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        AllocationUnitRow row;
        if (fixedPartHolds(record, kMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.allocationUnitId = readU64(fixed, kId);
            row.type = readU8(fixed, kType);
            row.ownerId = readU64(fixed, kOwnerId);
            row.status = readI32(fixed, kStatus);
            row.filegroupId = readI16(fixed, kFilegroupId);
            row.firstPage = fieldPagePointer(fixed, kFirstPage);
            row.rootPage = fieldPagePointer(fixed, kRootPage);
            row.firstIamPage = fieldPagePointer(fixed, kFirstIamPage);
        }
        out.push_back(row);
    });
}

}  // namespace pw::catalog
