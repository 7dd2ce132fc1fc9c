#pragma once
// One row of the object table (sysschobjs, object id 34; sysobjects, object
// id 1, in SQL Server 2000 files). Fields that could not be read keep their
// sentinels (-1 for ids, 255 for bytes), which never match a lookup.

#include <cstdint>
#include <string>

namespace pw {

struct CatalogObject {
    int32_t objectId = -1;
    std::string name;
    int32_t schemaId = -1;
    uint8_t namespaceClass = 255;
    int32_t status = -1;
    std::string type;  // two characters, blank-padded ("U ", "PK", …); empty when unread
    int32_t parentObjectId = -1;
    uint8_t parentClass = 255;
    int32_t internalProperty = -1;
};

}  // namespace pw
