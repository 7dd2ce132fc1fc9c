#pragma once
// One row of the data file table (sysfiles1, object id 8), completed with
// the geometry of the file once it has been found on disk.

#include <cstdint>
#include <string>

namespace pw {

// Status bit of a log file's row.
constexpr int32_t kDataFileIsLog = 0x40;

struct DataFileRow {
    int32_t status = 0;
    int32_t fileId = 0;
    std::string logicalName;
    std::string physicalName;  // rewritten for secondary files: where the file is looked for
    std::string recordedName;  // the physical name as the catalog records it
    uint64_t size = 0;
    uint64_t pageCount = 0;
    int32_t pageOrigin = 0;
};

}  // namespace pw
