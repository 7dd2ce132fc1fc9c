// sysrscols (object id 3): 0 rsid (u64) · 8 rscolid · 12 hbcolid ·
// 16 rcmodified (u64) · 24 ti · 28 cid · 32 ordkey (i16) · 34 maxinrowlen
// (i16) · 36 status · 40 offset (the leaf offset) · 44 nullbit · 48 bitpos (i16).

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 48;
constexpr size_t kRowsetId = 0;
constexpr size_t kRowsetColumnId = 8;
constexpr size_t kHeapColumnId = 12;
constexpr size_t kModificationCount = 16;
constexpr size_t kTypeInformation = 24;
constexpr size_t kColumnId = 28;
constexpr size_t kKeyOrdinal = 32;
constexpr size_t kMaxInRowLength = 34;
constexpr size_t kStatus = 36;
constexpr size_t kLeafOffset = 40;
constexpr size_t kNullBit = 44;
constexpr size_t kBitPosition = 48;

}  // namespace

void readRowsetColumnRows(CDataPage& page, std::vector<RowsetColumnRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        RowsetColumnRow row;
        if (fixedPartHolds(record, kMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.rowsetId = readU64(fixed, kRowsetId);
            row.rowsetColumnId = readI32(fixed, kRowsetColumnId);
            row.heapColumnId = readI32(fixed, kHeapColumnId);
            row.modificationCount = readU64(fixed, kModificationCount);
            row.typeInformation = readI32(fixed, kTypeInformation);
            row.columnId = readI32(fixed, kColumnId);
            row.keyOrdinal = readI16(fixed, kKeyOrdinal);
            row.maxInRowLength = readI16(fixed, kMaxInRowLength);
            row.status = readI32(fixed, kStatus);
            row.leafOffset = readI32(fixed, kLeafOffset);
            row.nullBit = readI32(fixed, kNullBit);
            row.bitPosition = fieldI16(fixed, kBitPosition, -1);
        }
        out.push_back(row);
    });
}

}  // namespace pw::catalog
