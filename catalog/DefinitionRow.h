#pragma once
// One row of the object definition table (sysobjvalues; syscomments in SQL
// Server 2000 files) as three texts: the owning object's id, the sub-id
// (column id for computed columns, number for procedures) and the value,
// "0x" followed by two hexadecimal digits per byte.

#include <string>

namespace pw {

struct DefinitionRow {
    std::string objectIdText;
    std::string subIdText;
    std::string valueText;
};

}  // namespace pw
