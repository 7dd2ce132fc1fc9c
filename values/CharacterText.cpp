#include "values/CharacterText.h"

#include <cstring>

#include "app/Utf16.h"
#include "values/CodePageText.h"

namespace pw {

void appendNarrowText(std::string& out, Bytes bytes, int32_t codePage) {
    const void* zero = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
    size_t length = zero ? size_t(static_cast<const uint8_t*>(zero) - bytes.data()) : bytes.size();
    appendCodePageText(out, bytes.first(length), codePage);
}

void appendUtf16Text(std::string& out, Bytes bytes) {
    size_t units = bytes.size() / 2;
    size_t length = 0;
    while (length < units && (bytes[2 * length] | bytes[2 * length + 1]) != 0) ++length;
    out.reserve(out.size() + length);
    for (size_t i = 0; i < length; ++i) {
        uint32_t unit = uint32_t(bytes[2 * i]) | (uint32_t(bytes[2 * i + 1]) << 8);
        if (unit < 0x80) {
            out.push_back(char(unit));
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length) {
            uint32_t low = uint32_t(bytes[2 * i + 2]) | (uint32_t(bytes[2 * i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
            } else {
                appendUtf8(out, 0xFFFD);
            }
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);  // unpaired surrogate
        } else {
            appendUtf8(out, unit);
        }
    }
}

}  // namespace pw
