// syscolpars (object id 41): 0 id · 4 number (i16) · 6 colid · 10 xtype ·
// 11 utype · 15 length (i16, -1 for max types) · 17 prec · 18 scale ·
// 19 collationid · 23 status · 27 maxinrow (i16) · 29 xmlns · 33 dflt ·
// 37 chk. Variable column 0 is the name, variable column 1 the identity
// value blob.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 37;
constexpr size_t kObjectId = 0;
constexpr size_t kNumber = 4;
constexpr size_t kColumnId = 6;
constexpr size_t kSystemTypeId = 10;
constexpr size_t kUserTypeId = 11;
constexpr size_t kMaxLength = 15;
constexpr size_t kPrecision = 17;
constexpr size_t kScale = 18;
constexpr size_t kCollationId = 19;
constexpr size_t kStatus = 23;
constexpr size_t kMaxInRowLength = 27;
constexpr size_t kXmlNamespaceId = 29;
constexpr size_t kDefaultObjectId = 33;
constexpr size_t kCheckObjectId = 37;
// An identity column: not nullable (1) and identity (4), no other bit.
constexpr int32_t kIdentityStatus = 5;
constexpr size_t kIdentityBlobColumn = 1;

}  // namespace

void readColumnRows(CDataPage& page, uint64_t& repairCounter, std::vector<ColumnRow>& out) {
    forEachCatalogRecord(page, true, [&](const CPrimaryRecord& record) {
        ColumnRow row;
        if (fixedPartHolds(record, kMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.objectId = readI32(fixed, kObjectId);
            row.number = readI16(fixed, kNumber);
            row.columnId = readI32(fixed, kColumnId);
            row.name = nameOrRepairName(record, kRepairColumnName, repairCounter);
            row.systemTypeId = readU8(fixed, kSystemTypeId);
            row.userTypeId = readI32(fixed, kUserTypeId);
            row.maxLength = readI16(fixed, kMaxLength);
            row.precision = readU8(fixed, kPrecision);
            row.scale = readU8(fixed, kScale);
            row.collationId = readI32(fixed, kCollationId);
            row.status = readI32(fixed, kStatus);
            row.maxInRowLength = readI16(fixed, kMaxInRowLength);
            row.xmlNamespaceId = readI32(fixed, kXmlNamespaceId);
            row.defaultObjectId = readI32(fixed, kDefaultObjectId);
            row.checkObjectId = fieldI32(fixed, kCheckObjectId, -1);
            if (row.status == kIdentityStatus && record.variableSlices.size() > kIdentityBlobColumn)
                row.identityText = identityTextFor(record.variableSlices[kIdentityBlobColumn].view());
        }
        out.push_back(std::move(row));
    });
}

}  // namespace pw::catalog
