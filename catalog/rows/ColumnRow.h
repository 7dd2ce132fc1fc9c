#pragma once
// One row of the column table of the 2005-and-later catalog (syscolpars,
// object id 41).

#include <cstdint>
#include <string>

namespace pw {

struct ColumnRow {
    int32_t objectId = -1;
    int16_t number = -1;
    int32_t columnId = -1;
    std::string name;
    uint8_t systemTypeId = 255;
    int32_t userTypeId = -1;
    int16_t maxLength = -1;  // -1 also for max types
    uint8_t precision = 255;
    uint8_t scale = 255;
    int32_t collationId = -1;
    int32_t status = -1;
    int16_t maxInRowLength = -1;
    int32_t xmlNamespaceId = -1;
    int32_t defaultObjectId = -1;
    int32_t checkObjectId = -1;
    std::string identityText;  // "identity(seed,increment)" for identity columns
};

}  // namespace pw
