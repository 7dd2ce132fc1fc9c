// sysschobjs (object id 34) and, in SQL Server 2000 files, sysobjects
// (object id 1). The name is variable column 0.
//   2005 and later: 0 id · 4 nsid · 8 nsclass · 9 status · 13 type (2 bytes)
//                   · 15 pid · 19 pclass · 20 intprop
//   SQL Server 2000: 0 id · 4 xtype (2 bytes) · 24 parent_obj; the other
//                   fields are read at the 2005 offsets and mean nothing.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 20;
constexpr size_t kId = 0;
constexpr size_t kSchemaId = 4;
constexpr size_t kNamespaceClass = 8;
constexpr size_t kStatus = 9;
constexpr size_t kType = 13;
constexpr size_t kParentId = 15;
constexpr size_t kParentClass = 19;
constexpr size_t kInternalProperty = 20;
constexpr size_t kLegacyType = 4;
constexpr size_t kLegacyParentId = 24;

std::string typeAt(Bytes fixed, size_t offset) {
    std::string type;
    type.push_back(char(readU8(fixed, offset)));
    type.push_back(char(readU8(fixed, offset + 1)));
    return type;
}

}  // namespace

void readObjectRows(CDataPage& page, bool legacyCatalog, uint64_t& repairCounter,
                    std::vector<CatalogObject>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        if (!fixedPartHolds(record, kMinimumLength)) return;
        Bytes fixed = record.fixedView();
        int32_t id = readI32(fixed, kId);
        if (id <= 0) return;
        CatalogObject object;
        object.objectId = id;
        object.name = nameOrRepairName(record, kRepairObjectName, repairCounter);
        object.schemaId = readI32(fixed, kSchemaId);
        object.namespaceClass = readU8(fixed, kNamespaceClass);
        object.status = readI32(fixed, kStatus);
        object.parentClass = readU8(fixed, kParentClass);
        object.internalProperty = fieldI32(fixed, kInternalProperty, -1);
        if (legacyCatalog) {
            object.type = typeAt(fixed, kLegacyType);
            // Short SQL Server 2000 rows keep the parent where 2005 keeps it.
            object.parentObjectId = fixed.size() >= kLegacyParentId ? fieldI32(fixed, kLegacyParentId, -1)
                                                                    : readI32(fixed, kParentId);
        } else {
            object.type = typeAt(fixed, kType);
            object.parentObjectId = readI32(fixed, kParentId);
        }
        out.push_back(std::move(object));
    });
}

}  // namespace pw::catalog
