#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pw {

// Upper-case hexadecimal digits of every byte, no prefix, no separators.
std::string hexDump(const std::vector<uint8_t>& bytes);

}  // namespace pw
