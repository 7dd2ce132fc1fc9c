#pragma once
// One row of the rowset table (sysrowsets, object id 5): one partition of
// one index (or heap) of an object.

#include <cstdint>

namespace pw {

struct RowsetRow {
    uint64_t rowsetId = 0;
    uint8_t ownerType = 255;
    int32_t ownerObjectId = -1;
    int32_t indexId = -1;
    int32_t partitionNumber = -1;
    int32_t status = -1;
    int16_t filegroup = -1;
    int64_t rowCount = -1;
};

}  // namespace pw
