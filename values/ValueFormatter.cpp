#include "values/ValueFormatter.h"

#include <charconv>
#include <cstring>

#include "values/BinaryXml.h"
#include "values/CharacterText.h"
#include "values/CodePageText.h"
#include "values/DateTimeText.h"
#include "values/DecimalText.h"
#include "values/FloatText.h"
#include "values/GuidText.h"
#include "values/HexText.h"
#include "values/MoneyText.h"

namespace pw {
namespace {

// The bytes and lengths one formatting call works with.
struct Work {
    Bytes value;          // every readable byte
    Bytes data;           // the value-length bytes (clamped to what is readable)
    size_t available = 0; // bytes the "needs" tests compare against
    int32_t valueLength = 0;
    uint32_t declared = 0;  // n

    // A case that needs k bytes: enough available and a positive value length.
    bool needs(size_t k) const { return valueLength > 0 && k <= available; }
    Bytes first(size_t count) const { return value.first(count < value.size() ? count : value.size()); }
    // Fixed-width types that need the value length: it must hold `width` bytes.
    bool fixed(size_t width, Bytes& bytes) const {
        if (!needs(size_t(valueLength)) || data.size() < width) return false;
        bytes = data.first(width);
        return true;
    }
};

template <typename T>
void appendInteger(std::string& out, T value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    out.append(buffer, size_t(result.ptr - buffer));
}

double doubleFromBits(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

float floatFromBits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

// Bit columns share bytes through the record's cursor.
std::string formatBit(const Work& work, ColumnReadInfo& info) {
    info.consumedLength = 0;
    if (work.valueLength <= 0) return "False";
    BitCursor* cursor = info.bitCursor;
    if (work.valueLength != 1 || cursor == nullptr) return {};
    if (cursor->bitPosition == 8) cursor->byteLoaded = false;
    if (!cursor->byteLoaded) {
        cursor->currentByte = readU8(work.value, 0);
        cursor->bitPosition = 0;
        cursor->byteLoaded = true;
        cursor->byteTaken = true;
        info.fixedLength = 1;
        info.valueLength = 1;
        info.consumedLength = 1;
    } else {
        info.fixedLength = 0;
        info.consumedLength = 0;
        cursor->byteTaken = false;
    }
    bool set = ((cursor->currentByte >> (cursor->bitPosition & 7)) & 1) != 0;
    cursor->bitPosition++;
    return set ? "True" : "False";
}

bool reportsDeclaredLength(TypeCode code) {
    switch (code) {
        case TypeCode::DateTime: case TypeCode::Date: case TypeCode::Time: case TypeCode::DateTime2:
        case TypeCode::DateTimeOffset: case TypeCode::UniqueIdentifier: case TypeCode::Money:
        case TypeCode::Numeric: case TypeCode::Decimal: case TypeCode::SmallDateTime:
        case TypeCode::SmallMoney: case TypeCode::Timestamp:
            return true;
        default:
            return false;
    }
}

std::string formatByType(const Work& work, ColumnReadInfo& info, const ColumnDescriptor& column,
                         const RunContext& context) {
    std::string out;
    Bytes bytes;
    const uint32_t n = work.declared;
    switch (column.typeCode) {
        case TypeCode::BigInt:
            if (work.fixed(8, bytes)) appendInteger(out, readI64(bytes, 0));
            break;
        case TypeCode::Int:
            if (work.fixed(4, bytes)) appendInteger(out, readI32(bytes, 0));
            break;
        case TypeCode::SmallInt:
            if (work.fixed(2, bytes)) appendInteger(out, int(readI16(bytes, 0)));
            break;
        case TypeCode::TinyInt:
            if (work.fixed(1, bytes)) appendInteger(out, unsigned(bytes[0]));
            break;
        case TypeCode::Bit:
            return formatBit(work, info);
        case TypeCode::Float:
            if (work.fixed(8, bytes)) appendDoubleText(out, doubleFromBits(readU64(bytes, 0)));
            break;
        case TypeCode::Real:
            if (work.fixed(4, bytes)) appendFloatText(out, floatFromBits(readU32(bytes, 0)));
            break;
        case TypeCode::Money:
            if (n >= 8 && work.needs(n)) appendMoneyText(out, readI64(work.first(n), 0));
            break;
        case TypeCode::SmallMoney:
            if (n >= 4 && work.needs(n)) appendMoneyText(out, readI32(work.first(n), 0));
            break;
        case TypeCode::Numeric:
        case TypeCode::Decimal:
            if (n >= 1 && work.needs(n))
                appendDecimalText(out, work.first(n), column.precision, column.scale);
            break;
        case TypeCode::DateTime:
            if (work.needs(8)) appendDateTimeText(out, work.first(8));
            break;
        case TypeCode::SmallDateTime:
            if (work.needs(4)) appendSmallDateTimeText(out, work.first(4));
            break;
        case TypeCode::Date:
            if (work.needs(3)) appendDateText(out, work.first(3));
            break;
        case TypeCode::Time:
            if (n >= 1 && work.needs(n)) appendTimeText(out, work.first(n), column.scale);
            break;
        case TypeCode::DateTime2:
            if (n >= 1 && work.needs(n)) appendDateTime2Text(out, work.first(n), column.scale);
            break;
        case TypeCode::DateTimeOffset:
            if (n >= 1 && work.needs(n)) appendDateTimeOffsetText(out, work.first(n), column.scale);
            break;
        case TypeCode::UniqueIdentifier:
            if (work.needs(size_t(work.valueLength))) appendGuidText(out, work.data);
            break;
        case TypeCode::Binary:
        case TypeCode::Timestamp:
            if (work.needs(size_t(work.valueLength))) {
                out = "0x";
                appendHexUpper(out, work.data);
            }
            break;
        case TypeCode::HierarchyId:
            out = "0x";
            appendHexUpper(out, work.data);
            break;
        case TypeCode::VarBinary:
        case TypeCode::Geometry:
            appendHexUpper(out, work.data);
            break;
        case TypeCode::ClrType:
            if (work.needs(size_t(work.valueLength))) appendHexUpper(out, work.data);
            break;
        case TypeCode::Char:
            if (!work.needs(size_t(work.valueLength))) break;
            [[fallthrough]];
        case TypeCode::VarChar:
        case TypeCode::Text:
            appendNarrowText(out, work.data, codePageForColumn(column.collationId, context.options));
            break;
        case TypeCode::NChar:
            if (work.needs(size_t(work.valueLength))) appendUtf16Text(out, work.data);
            break;
        case TypeCode::NVarChar:
        case TypeCode::NText:
            appendUtf16Text(out, work.data);
            break;
        case TypeCode::SqlVariant:
            return formatVariant(work.data, info, column, context);
        case TypeCode::Xml:
            out = convertValueBytes(work.data);
            if (out.empty()) out = " ";
            break;
        case TypeCode::Image:
        default:
            break;
    }
    return out;
}

}  // namespace

uint32_t declaredLength(const std::string& typeText) {
    size_t open = typeText.find('(');
    if (open == std::string::npos) return 0;
    uint32_t value = 0;
    for (size_t i = open + 1; i < typeText.size(); ++i) {
        char c = typeText[i];
        if (c < '0' || c > '9') break;
        value = value * 10 + uint32_t(c - '0');
        if (value > 0xFFFFFF) break;  // no declared length is this long
    }
    return value;
}

std::string formatValue(Bytes value, ColumnReadInfo& info, const ColumnDescriptor& column,
                        const RunContext& context) {
    if (value.data() == nullptr) return {};
    Work work;
    work.declared = declaredLength(column.typeText);
    if (info.variable) info.availableBytes = info.valueLength > 0 ? uint64_t(info.valueLength) : 0;
    if (info.consumedLength == 0) info.consumedLength = work.declared;
    work.value = value;
    work.valueLength = info.valueLength;
    work.available = value.size();
    if (info.variable && info.availableBytes < work.available) work.available = size_t(info.availableBytes);
    work.data = work.first(work.valueLength > 0 ? size_t(work.valueLength) : 0);

    std::string text = formatByType(work, info, column, context);
    if (reportsDeclaredLength(column.typeCode)) info.valueLength = int32_t(info.consumedLength);
    return text;
}

}  // namespace pw
