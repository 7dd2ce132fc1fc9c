#pragma once
// One row of the data file table (sysfiles1, object id 8), completed with
// the geometry of the file once it has been found on disk.

#include <cstdint>
#include <string>

namespace pw {

struct DataFileRow {
    int32_t status = 0;
    int32_t fileId = 0;
    std::string logicalName;
    std::string physicalName;
    uint64_t size = 0;
    uint64_t pageCount = 0;
    int32_t pageOrigin = 0;
};

}  // namespace pw
