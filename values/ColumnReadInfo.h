#pragma once
// How one column of one record is read: the bytes it may use, the bytes it
// takes in the fixed area and the bytes the formatter reports as consumed.
// describeColumn builds it; the value formatters read and update it.

#include <cstdint>

#include "catalog/ColumnDescriptor.h"

namespace pw {

// Carries bit columns from one column to the next within one record. Up to
// eight bit columns share one byte, taken least significant bit first.
struct BitCursor {
    int32_t bitPosition = 8;  // 8: no byte loaded yet for the current group
    uint8_t currentByte = 0;
    bool byteTaken = false;   // the current bit column consumed a byte
    bool byteLoaded = false;
};

struct ColumnReadInfo {
    BitCursor* bitCursor = nullptr;
    uint64_t availableBytes = 0;  // bytes that may be read from the value start
    bool variable = false;
    uint16_t fixedLength = 0;     // bytes the column takes in the fixed area
    uint32_t consumedLength = 0;  // bytes the formatter reports as used
    int32_t valueLength = 0;      // bytes to decode
    TypeCode typeCode = TypeCode::Char;
};

// The read description of one column of one record, by the column's type
// code. A bit column whose cursor starts a new byte marks the byte as taken.
ColumnReadInfo describeColumn(const ColumnDescriptor& column, BitCursor* cursor);

}  // namespace pw
