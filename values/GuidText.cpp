#include "values/GuidText.h"

namespace pw {

bool appendGuidText(std::string& out, Bytes bytes) {
    if (bytes.size() < 16) return false;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    // Byte order of the text: the first three groups are stored little-endian.
    static constexpr uint8_t kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    char text[36];
    char* p = text;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) *p++ = '-';
        uint8_t b = bytes[kOrder[i]];
        *p++ = kDigits[b >> 4];
        *p++ = kDigits[b & 15];
    }
    out.append(text, sizeof(text));
    return true;
}

}  // namespace pw
