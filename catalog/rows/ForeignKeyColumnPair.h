#pragma once
// One column of a foreign key: the referencing column of the parent table
// and the column it references, with the names found in the catalog.

#include <cstdint>
#include <string>

namespace pw {

struct ForeignKeyColumnPair {
    int32_t constraintId = -1;
    int32_t keyOrdinal = -1;
    int32_t parentTableId = -1;
    int32_t parentColumnId = -1;
    int32_t referencedTableId = -1;
    int32_t referencedColumnId = -1;
    std::string constraintName;
    std::string parentTableName;
    std::string parentColumnName;
    std::string referencedTableName;
    std::string referencedColumnName;
    int32_t constraintStatus = -1;
};

}  // namespace pw
