#include "storage/CompressedValueExpansion.h"

#include <algorithm>

#include "app/Utf16.h"
#include "catalog/ColumnDescriptor.h"
#include "values/Scsu.h"
#include "values/ValueFormatter.h"

namespace pw {
namespace {

constexpr uint8_t kBlank = 0x20;
constexpr size_t kMaximumWidth = 8000;  // no fixed-length column is wider

size_t decimalWidth(uint8_t precision) {
    if (precision <= 9) return 5;
    if (precision <= 19) return 9;
    if (precision <= 28) return 13;
    return 17;
}

// Big-endian bytes with the sign bit inverted back into a little-endian
// two's-complement integer of `width` bytes.
std::vector<uint8_t> integerForm(Bytes stored, size_t width) {
    std::vector<uint8_t> out(width, 0);
    if (stored.empty() || width == 0) return out;
    Bytes bytes = stored.size() > width ? stored.last(width) : stored;
    const size_t count = bytes.size();
    for (size_t i = 0; i < count; ++i) out[i] = bytes[count - 1 - i];
    out[count - 1] ^= 0x80;
    if (out[count - 1] & 0x80)
        for (size_t i = count; i < width; ++i) out[i] = 0xFF;  // sign extension
    return out;
}

// Big-endian leading bytes of a floating-point number, zero-filled.
std::vector<uint8_t> floatForm(Bytes stored, size_t width) {
    std::vector<uint8_t> out(width, 0);
    for (size_t i = 0; i < stored.size() && i < width; ++i) out[width - 1 - i] = stored[i];
    return out;
}

std::vector<uint8_t> padded(Bytes stored, size_t width, uint8_t pad) {
    std::vector<uint8_t> out(stored.begin(), stored.begin() + long(std::min(stored.size(), width)));
    out.resize(width, pad);
    return out;
}

std::vector<uint8_t> unicodeForm(Bytes stored) {
    if (stored.size() % 2 == 0) return std::vector<uint8_t>(stored.begin(), stored.end());
    return utf8ToUtf16le(decodeScsu(stored));
}

// 128-bit unsigned arithmetic for decimals, as two 64-bit halves.
struct Wide {
    uint64_t low = 0;
    uint64_t high = 0;
    bool multiplyAdd(uint64_t factor, uint64_t addend) {
        unsigned __int128 value = (static_cast<unsigned __int128>(high) << 64) | low;
        unsigned __int128 limit = ~static_cast<unsigned __int128>(0);
        if (factor != 0 && value > (limit - addend) / factor) return false;
        value = value * factor + addend;
        low = uint64_t(value);
        high = uint64_t(value >> 64);
        return true;
    }
};

}  // namespace

uint32_t uncompressedWidth(const ColumnDescriptor& column) {
    const uint32_t declared = declaredLength(column.typeText);
    switch (column.typeCode) {
        case TypeCode::BigInt: case TypeCode::DateTime: case TypeCode::Money: case TypeCode::Float:
            return 8;
        case TypeCode::Int: case TypeCode::SmallDateTime: case TypeCode::SmallMoney: case TypeCode::Real:
            return 4;
        case TypeCode::SmallInt: return 2;
        case TypeCode::TinyInt: case TypeCode::Bit: return 1;
        case TypeCode::Date: return 3;
        case TypeCode::Time: return declared ? declared : 5;
        case TypeCode::DateTime2: return declared ? declared : 8;
        case TypeCode::DateTimeOffset: return declared ? declared : 10;
        case TypeCode::UniqueIdentifier: return 16;
        case TypeCode::Timestamp: return 8;
        case TypeCode::Decimal: case TypeCode::Numeric: return uint32_t(decimalWidth(column.precision));
        case TypeCode::Char: case TypeCode::Binary: case TypeCode::NChar:
            return uint32_t(std::min<size_t>(declared ? declared : uint32_t(std::max<int16_t>(column.length, 0)),
                                             kMaximumWidth));
        default:
            return 0;
    }
}

bool expandVarDecimal(Bytes stored, uint8_t precision, uint8_t scale, std::vector<uint8_t>& out) {
    const size_t width = decimalWidth(precision);
    out.assign(width, 0);
    out[0] = 1;
    if (stored.empty()) return true;  // zero
    // Byte 0: bit 7 the sign (1 positive), bits 0-6 the exponent biased by
    // 64, counting groups of three digits before the decimal point. Then
    // 10-bit groups, each three decimal digits (0-999), most significant
    // first; a negative number has every bit inverted.
    const bool positive = (stored[0] & 0x80) != 0;
    auto bitAt = [&](size_t index) -> int {
        size_t byte = index / 8;
        int bit = (stored[byte] >> (7 - index % 8)) & 1;
        return positive ? bit : 1 - bit;
    };
    const int exponent = int(positive ? (stored[0] & 0x7F) : (~stored[0] & 0x7F)) - 64;
    const size_t groupCount = (stored.size() - 1) * 8 / 10;
    std::vector<int> digits;  // decimal digits of the mantissa, most significant first
    for (size_t g = 0; g < groupCount; ++g) {
        int group = 0;
        for (size_t b = 0; b < 10; ++b) group = (group << 1) | bitAt(8 + g * 10 + b);
        if (group > 999) return false;
        digits.push_back(group / 100);
        digits.push_back(group / 10 % 10);
        digits.push_back(group % 10);
    }
    // value = 0.d1d2d3... x 10^(3 x exponent); scaled by 10^scale.
    const int pointAt = 3 * exponent;  // digits before the decimal point
    Wide magnitude;
    const int lastDigit = pointAt + int(scale);
    for (int i = 0; i < lastDigit; ++i) {
        int digit = (i >= 0 && size_t(i) < digits.size()) ? digits[size_t(i)] : 0;
        if (!magnitude.multiplyAdd(10, uint64_t(digit))) return false;
    }
    out[0] = positive ? 1 : 0;
    for (size_t i = 0; i + 1 < width && i < 16; ++i)
        out[1 + i] = uint8_t((i < 8 ? magnitude.low >> (8 * i) : magnitude.high >> (8 * (i - 8))) & 0xFF);
    return true;
}

std::vector<uint8_t> expandCompressedValue(Bytes stored, const ColumnDescriptor& column) {
    const size_t width = uncompressedWidth(column);
    switch (column.typeCode) {
        case TypeCode::BigInt: case TypeCode::Int: case TypeCode::SmallInt: case TypeCode::Money:
        case TypeCode::SmallMoney: case TypeCode::DateTime: case TypeCode::SmallDateTime: case TypeCode::Date:
        case TypeCode::Time: case TypeCode::DateTime2: case TypeCode::DateTimeOffset:
            return integerForm(stored, width);
        case TypeCode::Float: case TypeCode::Real:
            return floatForm(stored, width);
        case TypeCode::TinyInt: case TypeCode::Bit: case TypeCode::UniqueIdentifier: case TypeCode::Timestamp:
            return padded(stored, width, 0);
        case TypeCode::Decimal: case TypeCode::Numeric: {
            std::vector<uint8_t> out;
            if (!expandVarDecimal(stored, column.precision, column.scale, out)) out.assign(width, 0);
            return out;
        }
        case TypeCode::Char:
            return padded(stored, width, kBlank);
        case TypeCode::Binary:
            return padded(stored, width, 0);
        case TypeCode::NChar: {
            std::vector<uint8_t> text = unicodeForm(stored);
            if (text.size() > width) text.resize(width);
            while (text.size() + 2 <= width) {
                text.push_back(kBlank);
                text.push_back(0);
            }
            text.resize(width, 0);
            return text;
        }
        case TypeCode::NVarChar:
            return unicodeForm(stored);
        default:
            return std::vector<uint8_t>(stored.begin(), stored.end());
    }
}

}  // namespace pw
