#pragma once
// Conversions between UTF-16LE bytes and UTF-8 text. Unpaired surrogates
// become U+FFFD; nothing here throws or reads past the given bytes.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Decodes little-endian UTF-16 code units (an odd trailing byte is ignored).
std::string utf16leToUtf8(std::span<const uint8_t> bytes);
// Decodes up to the first zero code unit.
std::string utf16leToUtf8UntilNul(std::span<const uint8_t> bytes);
// Appends one code point as UTF-8.
void appendUtf8(std::string& out, uint32_t codePoint);
// Encodes UTF-8 text as UTF-16LE bytes (invalid sequences become U+FFFD).
std::vector<uint8_t> utf8ToUtf16le(std::string_view text);

}  // namespace pw
