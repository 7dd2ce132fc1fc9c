#include "values/MoneyText.h"

#include <charconv>

namespace pw {

void appendMoneyText(std::string& out, int64_t tenThousandths) {
    // Negate through unsigned arithmetic so that the smallest value has a text.
    bool negative = tenThousandths < 0;
    uint64_t magnitude = negative ? 0 - uint64_t(tenThousandths) : uint64_t(tenThousandths);
    char buffer[32];
    char* p = buffer;
    if (negative) *p++ = '-';
    p = std::to_chars(p, buffer + sizeof(buffer), magnitude / 10000).ptr;
    uint32_t fraction = uint32_t(magnitude % 10000);
    *p++ = '.';
    *p++ = char('0' + fraction / 1000);
    *p++ = char('0' + fraction / 100 % 10);
    *p++ = char('0' + fraction / 10 % 10);
    *p++ = char('0' + fraction % 10);
    out.append(buffer, size_t(p - buffer));
}

}  // namespace pw
