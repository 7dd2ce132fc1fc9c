#include "values/HexText.h"

namespace pw {

void appendHexUpper(std::string& out, Bytes bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    size_t start = out.size();
    out.resize(start + bytes.size() * 2);
    char* p = out.data() + start;
    for (uint8_t b : bytes) {
        *p++ = kDigits[b >> 4];
        *p++ = kDigits[b & 15];
    }
}

std::string hexUpper(Bytes bytes) {
    std::string out;
    appendHexUpper(out, bytes);
    return out;
}

}  // namespace pw
