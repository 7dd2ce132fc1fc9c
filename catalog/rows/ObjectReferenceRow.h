#pragma once
// One row of the object reference table (syssingleobjrefs, object id 74).
// Class 28 pairs a foreign-key constraint column with its parent table
// column, class 29 with the referenced column.

#include <cstdint>

namespace pw {

constexpr uint8_t kForeignKeyParentReference = 28;
constexpr uint8_t kForeignKeyReferencedReference = 29;

struct ObjectReferenceRow {
    uint8_t referenceClass = 255;
    int32_t dependentId = -1;
    int32_t dependentSubId = -1;
    int32_t independentId = -1;
    int32_t independentSubId = -1;
    int32_t status = -1;
};

}  // namespace pw
