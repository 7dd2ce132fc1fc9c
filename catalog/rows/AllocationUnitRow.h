#pragma once
// One row of the allocation unit table (sysallocunits, object id 7).

#include <cstdint>

#include "storage/PagePointer.h"

namespace pw {

enum AllocationUnitType : uint8_t {
    kInRowData = 1,
    kLargeObjectData = 2,
    kRowOverflowData = 3,
};

struct AllocationUnitRow {
    uint64_t allocationUnitId = 0;
    uint8_t type = 255;
    uint64_t ownerId = 0;  // the rowset id
    int32_t status = -1;
    int16_t filegroupId = 0;
    PagePointer firstPage{0, 0};
    PagePointer rootPage{0, 0};
    PagePointer firstIamPage{0, 0};

    // The object id the unit's pages carry in their headers (bits 16-47).
    int32_t pageObjectId() const { return int32_t(uint32_t((allocationUnitId >> 16) & 0xFFFFFFFFu)); }
    // The index id the unit's pages carry in their headers (bits 48-63).
    uint16_t pageIndexId() const { return uint16_t(allocationUnitId >> 48); }
    // Whether a page whose header says (objectId, indexId) belongs to this
    // unit. Data pages of a clustered index written by SQL Server 2000 carry
    // index id 0 while the unit of an upgraded database says 1; they keep
    // that header until they are rewritten.
    bool ownsPage(int32_t objectId, uint16_t indexId) const {
        if (objectId != pageObjectId()) return false;
        return indexId == pageIndexId() || (indexId == 0 && pageIndexId() == 1);
    }
};

}  // namespace pw
