// syscolumns of SQL Server 2000 (object id 3): 0 id · 4 xtype · 5 typestat ·
// 6 xusertype · 8 length · 10 xprec · 11 xscale · 12 colid · 14 xoffset ·
// 16 bitpos · 17 reserved · 18 colstat · 20 cdefault (low half) · 24 domain ·
// 28 number · 30 colorder · 32 offset · 34 collationid · 42 status.
// The last two exist only in records of 21 columns or more.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kObjectId = 0;
constexpr size_t kSystemTypeId = 4;
constexpr size_t kTypeStatus = 5;
constexpr size_t kUserTypeId = 6;
constexpr size_t kLength = 8;
constexpr size_t kPrecision = 10;
constexpr size_t kScale = 11;
constexpr size_t kColumnId = 12;
constexpr size_t kRowOffset = 14;
constexpr size_t kBitPosition = 16;
constexpr size_t kReserved = 17;
constexpr size_t kColumnStatus = 18;
constexpr size_t kDefaultLowHalf = 20;
constexpr size_t kDomain = 24;
constexpr size_t kNumber = 28;
constexpr size_t kColumnOrder = 30;
constexpr size_t kOffset = 32;
constexpr size_t kCollationId = 34;
constexpr size_t kStatus = 42;
constexpr int16_t kColumnsWithCollation = 21;

}  // namespace

void readLegacyColumnRows(CDataPage& page, uint64_t& repairCounter, std::vector<LegacyColumnRow>& out) {
    forEachCatalogRecord(page, true, [&](const CPrimaryRecord& record) {
        LegacyColumnRow row;
        if (!record.fixedPart.empty()) {
            Bytes fixed = record.fixedView();
            row.name = nameOrRepairName(record, kRepairColumnName, repairCounter);
            row.objectId = fieldI32(fixed, kObjectId, row.objectId);
            row.systemTypeId = fieldU8(fixed, kSystemTypeId, row.systemTypeId);
            row.typeStatus = fieldU8(fixed, kTypeStatus, row.typeStatus);
            row.userTypeId = fieldI16(fixed, kUserTypeId, row.userTypeId);
            row.length = fieldI16(fixed, kLength, row.length);
            row.precision = fieldU8(fixed, kPrecision, row.precision);
            row.scale = fieldU8(fixed, kScale, row.scale);
            row.columnId = fieldI16(fixed, kColumnId, row.columnId);
            row.rowOffset = fieldI16(fixed, kRowOffset, row.rowOffset);
            row.bitPosition = fieldU8(fixed, kBitPosition, row.bitPosition);
            row.reserved = fieldU8(fixed, kReserved, row.reserved);
            row.columnStatus = fieldI16(fixed, kColumnStatus, row.columnStatus);
            row.defaultLowHalf = fieldI16(fixed, kDefaultLowHalf, row.defaultLowHalf);
            row.domain = fieldI32(fixed, kDomain, row.domain);
            row.number = fieldI16(fixed, kNumber, row.number);
            row.columnOrder = fieldI16(fixed, kColumnOrder, row.columnOrder);
            row.offset = fieldI16(fixed, kOffset, row.offset);
            if (record.columnCount >= kColumnsWithCollation) {
                row.collationId = fieldI32(fixed, kCollationId, row.collationId);
                row.status = fieldU8(fixed, kStatus, row.status);
            }
        }
        out.push_back(std::move(row));
    });
}

}  // namespace pw::catalog
