#pragma once
// Rows of the two column layout tables of the 2005 release: object id 13
// (leaf offset and null bit per column) and object id 4 (column ordinal).

#include <cstdint>

namespace pw {

struct RowsetColumnInfoRow {
    uint64_t rowsetId = 0;
    int32_t columnId = 0;
    int16_t leafOffset = 0;
    int16_t nullBit = 0;
    int32_t columnOrdinal = -1;  // filled from the link rows when an object is selected
};

struct RowsetColumnLinkRow {
    uint64_t rowsetId = 0;
    int32_t columnId = 0;
    int32_t columnOrdinal = 0;
};

}  // namespace pw
