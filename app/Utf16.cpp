#include "app/Utf16.h"

namespace pw {

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

namespace {

std::string decode(std::span<const uint8_t> bytes, bool stopAtNul) {
    std::string out;
    out.reserve(bytes.size() / 2);
    size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        uint32_t unit = uint32_t(bytes[2 * i]) | (uint32_t(bytes[2 * i + 1]) << 8);
        if (unit == 0 && stopAtNul) break;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            uint32_t low = uint32_t(bytes[2 * i + 2]) | (uint32_t(bytes[2 * i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, unit);
    }
    return out;
}

}  // namespace

std::string utf16leToUtf8(std::span<const uint8_t> bytes) { return decode(bytes, false); }
std::string utf16leToUtf8UntilNul(std::span<const uint8_t> bytes) { return decode(bytes, true); }

std::vector<uint8_t> utf8ToUtf16le(std::string_view text) {
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    auto put = [&](uint32_t unit) {
        out.push_back(uint8_t(unit & 0xFF));
        out.push_back(uint8_t(unit >> 8));
    };
    size_t i = 0;
    while (i < text.size()) {
        uint8_t c = uint8_t(text[i]);
        uint32_t cp = 0xFFFD;
        size_t need = 0;
        if (c < 0x80) { cp = c; need = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; need = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; need = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; need = 3; }
        else { ++i; put(0xFFFD); continue; }
        if (text.size() - i - 1 < need) { put(0xFFFD); break; }
        bool ok = true;
        for (size_t k = 1; k <= need; ++k) {
            uint8_t cc = uint8_t(text[i + k]);
            if ((cc & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) { put(0xFFFD); ++i; continue; }
        i += need + 1;
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp > 0x10FFFF ? 0xFFFD : cp);
        }
    }
    return out;
}

}  // namespace pw
