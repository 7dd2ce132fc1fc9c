#pragma once
// INTERNAL (structure type 2): an inner node of a large value's tree.
//   10 maximum links (u16) · 12 link count (u16) · 14 level (u16)
//   16 links, 16 bytes each: offset (u32) · 4 bytes not read · page (u32)
//      · file (u16) · slot (u16)
// Links are read while fewer than the link count have been read and the
// link lies wholly inside the record data.

#include <vector>

#include "storage/PagePointer.h"
#include "values/LobStructureBase.h"

namespace pw {

struct InternalLink {
    RowId rowId;
    uint32_t offset = 0;      // the value offset this link's part ends at
    uint32_t secondWord = 0;
};

class Internal : public LobStructureBase {
public:
    Internal(const DatabaseFile* file, Bytes data);

    uint16_t maximumLinks = 0;
    uint16_t linkCount = 0;
    uint16_t level = 0;
    std::vector<InternalLink> links;
};

}  // namespace pw
