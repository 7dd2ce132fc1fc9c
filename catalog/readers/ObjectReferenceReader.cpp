// syssingleobjrefs (object id 74): 0 class · 1 depid · 5 depsubid ·
// 9 indepid · 13 indepsubid · 17 status.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kClass = 0;
constexpr size_t kDependentId = 1;
constexpr size_t kDependentSubId = 5;
constexpr size_t kIndependentId = 9;
constexpr size_t kIndependentSubId = 13;
constexpr size_t kStatus = 17;

}  // namespace

void readObjectReferenceRows(CDataPage& page, std::vector<ObjectReferenceRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        if (record.fixedPart.empty()) return;
        Bytes fixed = record.fixedView();
        ObjectReferenceRow row;
        row.referenceClass = fieldU8(fixed, kClass, 255);
        row.dependentId = fieldI32(fixed, kDependentId, -1);
        row.dependentSubId = fieldI32(fixed, kDependentSubId, -1);
        row.independentId = fieldI32(fixed, kIndependentId, -1);
        row.independentSubId = fieldI32(fixed, kIndependentSubId, -1);
        row.status = fieldI32(fixed, kStatus, -1);
        out.push_back(row);
    });
}

}  // namespace pw::catalog
