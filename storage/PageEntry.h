#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace pw {

// One page met by a mapping pass. Lists keep the order in which pages were
// met, which is ascending file position.
struct PageEntry {
    int16_t fileNumber = 0;  // the file number in the page's own header
    int32_t pageNumber = 0;  // the page's position in its file, not its header number
    int32_t pageType = 0;
    uint16_t indexId = 0;    // header index id: bits 48-63 of the allocation unit id
};

// Object id (header bytes 24-27) -> pages, in file order.
using PageMap = std::map<int32_t, std::vector<PageEntry>>;

// System tables live in allocation units whose index id is below 256; user
// and internal units of 2005-and-later files carry 256 and reuse small ids.
constexpr uint16_t kFirstUserIndexId = 256;

}  // namespace pw
