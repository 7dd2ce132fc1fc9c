#pragma once
// One row of the SQL Server 2000 column table (syscolumns, object id 3).

#include <cstdint>
#include <string>

namespace pw {

struct LegacyColumnRow {
    std::string name;
    int32_t objectId = -1;
    uint8_t systemTypeId = 255;
    uint8_t typeStatus = 255;
    int16_t userTypeId = 0;
    int16_t length = -1;
    uint8_t precision = 255;
    uint8_t scale = 255;
    int16_t columnId = -1;
    int16_t rowOffset = -1;  // xoffset
    uint8_t bitPosition = 255;
    uint8_t reserved = 255;
    int16_t columnStatus = -1;
    int16_t defaultLowHalf = -1;
    int32_t domain = -1;
    int16_t number = -1;
    int16_t columnOrder = -1;
    int16_t offset = -1;
    int32_t collationId = -1;
    uint8_t status = 255;  // bit 0 set: the column does not accept NULL
};

}  // namespace pw
