#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pw {

constexpr size_t kPageSize = 8192;        // every page of a data file
constexpr size_t kPageHeaderSize = 96;    // the header at the start of each page
constexpr size_t kPagesPerExtent = 8;
constexpr size_t kSectorSize = 512;       // torn-page protection works per sector

// One page's bytes; always exactly kPageSize long.
using PageBytes = std::vector<uint8_t>;

}  // namespace pw
