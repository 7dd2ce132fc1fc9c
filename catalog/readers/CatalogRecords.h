#pragma once
// What every system table reader shares: the walk over a page's records in
// slot order, bounded field reads with the table's sentinel as fallback,
// the texts of variable-length columns and the generated names.
//
// Offsets are counted from the start of a record's fixed-length part (record
// byte 4). A field that does not lie wholly inside the fixed part keeps the
// sentinel given by the caller.

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"
#include "storage/Record.h"
#include "storage/RecordPage.h"

namespace pw::catalog {

// Prefixes of generated names.
constexpr const char* kRepairObjectName = "Repairname";
constexpr const char* kRepairColumnName = "RepairColumn";

// Visits the records of `page` in slot order, slot 0 up to the header's slot
// count and never beyond the records the page holds. Empty slots and large
// value fragments are skipped, index records too when `skipIndexRecords`.
// The walk ends early when a stop is requested. Each record is released
// right after `visit` returns, so the page holds one decoded record at most.
template <typename Visit>
void forEachCatalogRecord(CDataPage& page, bool skipIndexRecords, Visit visit) {
    int32_t slotCount = page.header().slotCount;
    for (int32_t slot = 0; slot < slotCount; ++slot) {
        if (size_t(slot) >= page.records.size()) break;
        if (page.options().stop()) break;
        CPrimaryRecord* record = page.primaryRecord(size_t(slot));
        if (!record) continue;
        bool skipped = record->recordType == kBlobFragment ||
                       (skipIndexRecords && record->recordType == kIndexRecord);
        if (!skipped) visit(*record);
        page.records[size_t(slot)].reset();
    }
}

inline int32_t fieldI32(Bytes fixed, size_t offset, int32_t fallback) {
    return fits(fixed, offset, 4) ? readI32(fixed, offset) : fallback;
}
inline int16_t fieldI16(Bytes fixed, size_t offset, int16_t fallback) {
    return fits(fixed, offset, 2) ? readI16(fixed, offset) : fallback;
}
inline uint8_t fieldU8(Bytes fixed, size_t offset, uint8_t fallback) {
    return fits(fixed, offset, 1) ? readU8(fixed, offset) : fallback;
}
inline uint64_t fieldU64(Bytes fixed, size_t offset, uint64_t fallback) {
    return fits(fixed, offset, 8) ? readU64(fixed, offset) : fallback;
}
inline int64_t fieldI64(Bytes fixed, size_t offset, int64_t fallback) {
    return fits(fixed, offset, 8) ? readI64(fixed, offset) : fallback;
}
// A page address stored as page number (4 bytes) then file number (2 bytes).
inline PagePointer fieldPagePointer(Bytes fixed, size_t offset) {
    return fits(fixed, offset, 6) ? PagePointer::parse(fixed, offset) : PagePointer{0, 0};
}

// Whether the record's fixed-length part holds at least `minimum` bytes.
inline bool fixedPartHolds(const CPrimaryRecord& record, size_t minimum) {
    return !record.fixedPart.empty() && record.fixedPart.size() >= minimum;
}

// The UTF-16 text of variable-length column `index`; empty when the column
// is absent or holds no bytes.
std::string variableColumnText(const CPrimaryRecord& record, size_t index);

// The name in variable column 0, or a generated one: `prefix` followed by
// the decimal counter, which then grows by one.
std::string nameOrRepairName(const CPrimaryRecord& record, const char* prefix, uint64_t& repairCounter);

}  // namespace pw::catalog
