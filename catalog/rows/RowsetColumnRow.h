#pragma once
// One row of the rowset column table (sysrscols, object id 3): where a
// column lies physically in the records of one rowset.

#include <cstdint>

namespace pw {

struct RowsetColumnRow {
    uint64_t rowsetId = 0;
    int32_t rowsetColumnId = -1;
    int32_t heapColumnId = -1;  // hbcolid: the physical column id
    uint64_t modificationCount = 0;
    int32_t typeInformation = -1;
    int32_t columnId = -1;
    int16_t keyOrdinal = -1;
    int16_t maxInRowLength = -1;
    int32_t status = -1;
    int32_t leafOffset = -1;
    int32_t nullBit = -1;
    int16_t bitPosition = -1;
};

}  // namespace pw
