// sysscalartypes (object id 50): 0 id · 4 schid · 8 xtype · 9 length (i16) ·
// 11 prec · 12 scale · 13 collationid · 17 status · 30 and 34 (kept as
// read). The name is variable column 0.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 34;
constexpr size_t kTypeId = 0;
constexpr size_t kSchemaId = 4;
constexpr size_t kSystemTypeId = 8;
constexpr size_t kLength = 9;
constexpr size_t kPrecision = 11;
constexpr size_t kScale = 12;
constexpr size_t kCollationId = 13;
constexpr size_t kStatus = 17;
constexpr size_t kValueAt30 = 30;
constexpr size_t kValueAt34 = 34;

}  // namespace

void readScalarTypeRows(CDataPage& page, std::vector<ScalarTypeRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        if (record.fixedPart.empty()) return;
        ScalarTypeRow row;
        if (fixedPartHolds(record, kMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.typeId = readI32(fixed, kTypeId);
            row.schemaId = readI32(fixed, kSchemaId);
            row.name = variableColumnText(record, 0);
            row.systemTypeId = readU8(fixed, kSystemTypeId);
            row.length = readI16(fixed, kLength);
            row.precision = readU8(fixed, kPrecision);
            row.scale = readU8(fixed, kScale);
            row.collationId = readI32(fixed, kCollationId);
            row.status = readI32(fixed, kStatus);
            row.valueAt30 = readI32(fixed, kValueAt30);
            row.valueAt34 = fieldI32(fixed, kValueAt34, -1);
        }
        out.push_back(std::move(row));
    });
}

}  // namespace pw::catalog
