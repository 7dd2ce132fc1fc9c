#pragma once
// The large roots (structure types 4, 5 and 6): the root of a value too
// long for a SMALL_ROOT.
//   10 maximum links (u16) · 12 link count (u16) · 14 level (u16)
//   16-19 not read · 20 links, 12 bytes each: size (u32) · page (u32)
//   · file (u16) · slot (u16)
// Links are read while fewer than the link count have been read and the
// link lies wholly inside the record data.

#include <vector>

#include "storage/PagePointer.h"
#include "values/LobStructureBase.h"

namespace pw {

struct LargeRootLink {
    RowId rowId;
    uint32_t size = 0;
};

class LargeRootYukon : public LobStructureBase {
public:
    LargeRootYukon(const DatabaseFile* file, Bytes data);

    uint16_t maximumLinks = 0;
    uint16_t linkCount = 0;
    uint16_t level = 0;
    std::vector<LargeRootLink> links;
};

}  // namespace pw
