#pragma once
// One row of the index table (sysidxstats, object id 54) and of the index
// column table (sysiscols, object id 55).

#include <cstdint>
#include <string>

namespace pw {

// Index status bits that mark key columns.
constexpr int32_t kIndexIsPrimaryKey = 0x20;
constexpr int32_t kIndexIsUnique = 0x08;
constexpr int32_t kIndexThirdKeyFlag = 0x40;

struct IndexRow {
    int32_t objectId = -1;
    int32_t indexId = -1;
    std::string name;
    int32_t status = -1;
    int32_t internalProperty = -1;
    uint8_t fillFactor = 255;
    uint8_t indexType = 255;  // 0 heap, 1 clustered, 2 nonclustered
    uint8_t tinyProperty = 255;
    int32_t dataSpace = -1;
    int32_t largeObjectDataSpace = -1;
    uint64_t rowsetId = 0;
};

struct IndexColumnRow {
    int32_t objectId = -1;
    int32_t indexId = -1;
    int32_t ordinal = -1;
    int32_t status = -1;  // the row's own status; in a selection's index column list, the index's status
    int32_t columnId = -1;
    uint8_t keyOrdinal = 255;
    uint8_t partitionOrdinal = 255;
};

}  // namespace pw
