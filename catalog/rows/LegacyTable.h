#pragma once
// A SQL Server 2000 user table with a clustered index, with the column
// entries attached to it while the column table was read.

#include <cstdint>
#include <string>
#include <vector>

namespace pw {

struct LegacyTableColumn {
    std::string name;
    uint8_t typeStatus = 255;
    int16_t columnOrder = -1;  // the 16-bit value at row offset 30
};

struct LegacyTable {
    int32_t objectId = -1;
    std::string name;
    std::vector<LegacyTableColumn> columns;
};

}  // namespace pw
