#pragma once
// One row of the scalar type table (sysscalartypes, object id 50).

#include <cstdint>
#include <string>

namespace pw {

struct ScalarTypeRow {
    int32_t typeId = -1;
    int32_t schemaId = -1;
    std::string name;
    uint8_t systemTypeId = 255;
    int16_t length = -1;
    uint8_t precision = 255;
    uint8_t scale = 255;
    int32_t collationId = -1;
    int32_t status = -1;
    int32_t valueAt30 = -1;
    int32_t valueAt34 = -1;
};

}  // namespace pw
