#include "values/DecimalText.h"

namespace pw {

size_t decimalMagnitudeWidth(uint8_t precision) {
    if (precision <= 9) return 4;
    if (precision <= 19) return 8;
    if (precision <= 28) return 12;
    return 16;
}

bool appendDecimalText(std::string& out, Bytes signAndMagnitude, uint8_t precision, uint8_t scale) {
    bool negative = readU8(signAndMagnitude, 0) == 0 && !signAndMagnitude.empty();
    size_t width = decimalMagnitudeWidth(precision);
    unsigned __int128 magnitude = 0;
    for (size_t i = width; i-- > 0;) magnitude = (magnitude << 8) | readU8(signAndMagnitude, 1 + i);

    char digits[40];  // least significant first; 2^128 has 39 digits
    int digitCount = 0;
    while (magnitude != 0 && digitCount < 39) {
        digits[digitCount++] = char('0' + int(magnitude % 10));
        magnitude /= 10;
    }
    if (scale > 0 && digitCount > int(precision) + int(scale)) return false;
    if (digitCount == 0) negative = false;  // no "-0"

    if (negative) out.push_back('-');
    if (digitCount <= int(scale)) {
        out.push_back('0');
        if (scale > 0) {
            out.push_back('.');
            out.append(size_t(scale - digitCount), '0');
            for (int i = digitCount; i-- > 0;) out.push_back(digits[i]);
        }
        return true;
    }
    for (int i = digitCount; i-- > 0;) {
        if (i + 1 == int(scale)) out.push_back('.');
        out.push_back(digits[i]);
    }
    return true;
}

}  // namespace pw
