#pragma once
// An object whose parent is the selected object (constraints, triggers …).

#include <cstdint>
#include <string>

namespace pw {

struct ChildObjectEntry {
    bool primaryKey = false;
    bool foreignKey = false;
    bool unique = false;
    std::string name;
    int32_t objectId = -1;  // SQL Server 2000 catalogs: the child's parent id
    std::string type;
};

}  // namespace pw
