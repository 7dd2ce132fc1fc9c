#include <charconv>
#include <cstring>

#include "values/CharacterText.h"
#include "values/CodePageText.h"
#include "values/DateTimeText.h"
#include "values/DecimalText.h"
#include "values/FloatText.h"
#include "values/GuidText.h"
#include "values/HexText.h"
#include "values/MoneyText.h"
#include "values/ValueFormatter.h"

// sql_variant values: byte 0 is the base type's system type id, byte 1 a
// version, then type properties and the data.

namespace pw {
namespace {

template <typename T>
void appendInteger(std::string& out, T value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    out.append(buffer, size_t(result.ptr - buffer));
}

// Offsets inside the variant header.
constexpr size_t kDataOffset = 2;            // fixed types: the data follows the two header bytes
constexpr size_t kScaleOffset = 2;           // time, datetime2, datetimeoffset
constexpr size_t kBinaryDataOffset = 4;      // binary types: 2-byte maximum length first
constexpr size_t kCollationOffset = 2;       // character types: 4-byte collation id
constexpr size_t kCharacterDataOffset = 8;   // then the 2-byte maximum length, then the data

}  // namespace

std::string formatVariant(Bytes value, ColumnReadInfo& info, const ColumnDescriptor& column,
                          const RunContext& context) {
    (void)info;
    (void)column;
    std::string out;
    const size_t length = value.size();
    if (length < 2) return out;
    Bytes data = value.subspan(kDataOffset);
    switch (value[0]) {
        case 36:  // uniqueidentifier
            if (length == 18) appendGuidText(out, data);
            break;
        case 40:  // date
            if (length == 5) appendDateText(out, data);
            break;
        case 41:  // time
            if (length >= 3) appendTimeText(out, value.subspan(3), readU8(value, kScaleOffset));
            break;
        case 42:  // datetime2
            if (length >= 3) appendDateTime2Text(out, value.subspan(3), readU8(value, kScaleOffset));
            break;
        case 43:  // datetimeoffset
            if (length >= 3) appendDateTimeOffsetText(out, value.subspan(3), readU8(value, kScaleOffset));
            break;
        case 48:  // tinyint
            if (length == 3) appendInteger(out, unsigned(data[0]));
            break;
        case 52:  // smallint
            if (length == 4) appendInteger(out, int(readI16(data, 0)));
            break;
        case 56:  // int
            if (length == 6) appendInteger(out, readI32(data, 0));
            break;
        case 58:  // smalldatetime
            if (length == 6) appendSmallDateTimeText(out, data);
            break;
        case 59:  // real
            if (length == 6) {
                uint32_t bits = readU32(data, 0);
                float number;
                std::memcpy(&number, &bits, sizeof(number));
                appendFloatText(out, number);
            }
            break;
        case 60:  // money
            if (length == 10) appendMoneyText(out, readI64(data, 0));
            break;
        case 61:  // datetime
            if (length == 10) appendDateTimeText(out, data);
            break;
        case 62:  // float
            if (length == 10) {
                uint64_t bits = readU64(data, 0);
                double number;
                std::memcpy(&number, &bits, sizeof(number));
                appendDoubleText(out, number);
            }
            break;
        case 104:  // bit
            if (length == 3) out = data[0] != 0 ? "True" : "False";
            break;
        case 106:  // decimal: precision, scale, then sign and magnitude
        case 108:  // numeric
            if (length >= (value[0] == 106 ? 4u : 5u))
                appendDecimalText(out, value.subspan(4), readU8(value, 2), readU8(value, 3));
            break;
        case 122:  // smallmoney
            if (length == 6) appendMoneyText(out, readI32(data, 0));
            break;
        case 127:  // bigint
            if (length == 10) appendInteger(out, readI64(data, 0));
            break;
        case 165:  // varbinary
        case 173:  // binary
            if (length >= 4) {
                out = "0x";
                appendHexUpper(out, value.subspan(kBinaryDataOffset));
            }
            break;
        case 167:  // varchar
        case 175:  // char
            if (length >= 8) {
                int32_t collationId = readI32(value, kCollationOffset);
                appendNarrowText(out, value.subspan(kCharacterDataOffset),
                                 codePageForColumn(collationId, context.options));
            }
            break;
        case 231:  // nvarchar
        case 239:  // nchar
            if (length >= 8) appendUtf16Text(out, value.subspan(kCharacterDataOffset));
            break;
        case 240:  // CLR type
            out = "0x";
            appendHexUpper(out, data);
            break;
        default:
            break;
    }
    return out;
}

}  // namespace pw
