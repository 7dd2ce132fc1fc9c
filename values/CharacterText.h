#pragma once
// Character data of the value formatters.

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"

namespace pw {

// 8-bit characters up to the first zero byte, in the given code page.
void appendNarrowText(std::string& out, Bytes bytes, int32_t codePage);
// UTF-16LE characters up to the first zero code unit.
void appendUtf16Text(std::string& out, Bytes bytes);

}  // namespace pw
