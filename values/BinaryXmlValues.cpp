#include "values/BinaryXmlValues.h"

#include <charconv>

#include "app/Utf16.h"
#include "values/BinaryXmlTokens.h"
#include "values/CodePageText.h"
#include "values/DateTimeText.h"
#include "values/DecimalText.h"
#include "values/FloatText.h"
#include "values/GuidText.h"
#include "values/HexText.h"

namespace pw::binxml {
namespace {

constexpr int64_t kDaysTo1900 = 693595;  // 0001-01-01 to 1900-01-01
constexpr int64_t kSecondsPerDay = 86400;

template <typename T>
void appendNumber(std::string& out, T value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    out.append(buffer, size_t(result.ptr - buffer));
}

void appendTwo(std::string& out, int64_t value) {
    out.push_back(char('0' + value / 10 % 10));
    out.push_back(char('0' + value % 10));
}

// Years -9999..9999 as "yyyy" with a sign when negative.
void appendYear(std::string& out, int64_t year) {
    if (year < 0) {
        out.push_back('-');
        year = -year;
    }
    appendTwo(out, year / 100);
    appendTwo(out, year % 100);
}

void appendYmd(std::string& out, int64_t year, int64_t month, int64_t day) {
    appendYear(out, year);
    out.push_back('-');
    appendTwo(out, month);
    out.push_back('-');
    appendTwo(out, day);
}

void appendHms(std::string& out, int64_t seconds) {
    appendTwo(out, seconds / 3600);
    out.push_back(':');
    appendTwo(out, seconds / 60 % 60);
    out.push_back(':');
    appendTwo(out, seconds % 60);
}

void appendMilliseconds(std::string& out, int64_t milliseconds) {
    if (milliseconds == 0) return;
    out.push_back('.');
    out.push_back(char('0' + milliseconds / 100));
    out.push_back(char('0' + milliseconds / 10 % 10));
    out.push_back(char('0' + milliseconds % 10));
}

// A fraction in units of 100 ns, trailing zeros dropped.
void appendSevenDigitFraction(std::string& out, int64_t fraction) {
    if (fraction == 0) return;
    char digits[7];
    for (int i = 6; i >= 0; --i) {
        digits[i] = char('0' + fraction % 10);
        fraction /= 10;
    }
    int length = 7;
    while (length > 0 && digits[length - 1] == '0') --length;
    out.push_back('.');
    out.append(digits, size_t(length));
}

void appendZone(std::string& out, bool plus, int64_t hours, int64_t minutes) {
    if (hours == 0 && minutes == 0) {
        out.push_back('Z');
        return;
    }
    out.push_back(plus ? '+' : '-');
    appendTwo(out, hours);
    out.push_back(':');
    appendTwo(out, minutes);
}

bool appendCivil(std::string& out, int64_t daysSince0001) {
    if (daysSince0001 < 0) return false;
    CivilDate date = civilFromDays(daysSince0001);
    if (date.year > 9999) return false;
    appendYmd(out, date.year, date.month, date.day);
    return true;
}

void appendBase64(std::string& out, Bytes bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    size_t i = 0;
    for (; bytes.size() - i >= 3; i += 3) {
        uint32_t group = (uint32_t(bytes[i]) << 16) | (uint32_t(bytes[i + 1]) << 8) | bytes[i + 2];
        out.push_back(kAlphabet[group >> 18]);
        out.push_back(kAlphabet[(group >> 12) & 63]);
        out.push_back(kAlphabet[(group >> 6) & 63]);
        out.push_back(kAlphabet[group & 63]);
    }
    size_t rest = bytes.size() - i;
    if (rest == 0) return;
    uint32_t group = uint32_t(bytes[i]) << 16;
    if (rest == 2) group |= uint32_t(bytes[i + 1]) << 8;
    out.push_back(kAlphabet[group >> 18]);
    out.push_back(kAlphabet[(group >> 12) & 63]);
    out.push_back(rest == 2 ? kAlphabet[(group >> 6) & 63] : '=');
    out.push_back('=');
}

// A decimal: length byte (7, 11, 15 or 19), precision, scale, sign (0 is
// negative), then the magnitude in 32-bit words.
bool appendDecimal(std::string& out, Cursor& cursor, bool trimZeros) {
    uint8_t length = 0;
    Bytes body;
    if (!cursor.readByte(length) || length < 4 || !cursor.take(length, body)) return false;
    uint8_t scale = body[1];  // body[0] is the precision, not needed for the text
    // Precision 38 reads a 16-byte magnitude; the bytes present bound it.
    std::string text;
    if (!appendDecimalText(text, body.subspan(2), 38, scale)) return false;
    if (trimZeros && text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }
    out += text;
    return true;
}

// SQL money: ten-thousandths shown with two to four decimals.
void appendMoney(std::string& out, int64_t value) {
    bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - uint64_t(value) : uint64_t(value);
    if (negative) out.push_back('-');
    appendNumber(out, magnitude / 10000);
    uint32_t fraction = uint32_t(magnitude % 10000);
    out.push_back('.');
    out.push_back(char('0' + fraction / 1000));
    out.push_back(char('0' + fraction / 100 % 10));
    if (fraction % 100 != 0) {
        out.push_back(char('0' + fraction / 10 % 10));
        if (fraction % 10 != 0) out.push_back(char('0' + fraction % 10));
    }
}

// Time of a scale-prefixed time/datetime2 layout, in units of 100 ns.
bool readScaledTime(Cursor& cursor, int64_t& ticks100ns, int64_t& days, bool withZone, int64_t& zoneMinutes) {
    static constexpr int64_t kMultiplier[8] = {10000000, 1000000, 100000, 10000, 1000, 100, 10, 1};
    uint8_t scale = 0;
    if (!cursor.readByte(scale) || scale > 7) return false;
    size_t timeWidth = scale <= 2 ? 3 : scale <= 4 ? 4 : 5;
    Bytes body;
    if (!cursor.take(timeWidth + 3 + (withZone ? 2 : 0), body)) return false;
    // A time beyond one day or a date beyond 9999-12-31 is damage; refusing
    // it also keeps the tick arithmetic below from overflowing.
    constexpr uint64_t kTicksPerDay = 864000000000ull;
    constexpr uint64_t kLastDay = 3652058;  // 9999-12-31 counted from 0001-01-01
    uint64_t rawTime = readUnsigned(body, 0, timeWidth);
    uint64_t rawDays = readUnsigned(body, timeWidth, 3);
    if (rawTime > kTicksPerDay / uint64_t(kMultiplier[scale]) || rawDays > kLastDay) return false;
    ticks100ns = int64_t(rawTime) * kMultiplier[scale];
    days = int64_t(rawDays);
    zoneMinutes = withZone ? readI16(body, timeWidth + 3) : 0;
    return true;
}

bool appendKatmai(uint8_t token, Cursor& cursor, std::string& out) {
    constexpr int64_t kTicksPerSecond = 10000000;
    if (token == kXsdDate2) {
        Bytes body;
        if (!cursor.take(3, body)) return false;
        appendCivil(out, int64_t(readUnsigned(body, 0, 3)));
        return true;
    }
    bool withZone = token == kXsdTimeOffset || token == kXsdDateTimeOffset || token == kXsdDateOffset;
    int64_t ticks = 0, days = 0, zone = 0;
    if (!readScaledTime(cursor, ticks, days, withZone, zone)) return false;
    // Values with a zone are stored in UTC; the text shows the local time.
    int64_t total = days * kSecondsPerDay * kTicksPerSecond + ticks + zone * 60 * kTicksPerSecond;
    if (total < 0) return true;
    int64_t dayPart = total / (kSecondsPerDay * kTicksPerSecond);
    int64_t within = total % (kSecondsPerDay * kTicksPerSecond);
    bool showDate = token != kXsdTime2 && token != kXsdTimeOffset;
    bool showTime = token != kXsdDateOffset;
    if (showDate && !appendCivil(out, dayPart)) return true;
    if (showDate && showTime) out.push_back('T');
    if (showTime) {
        appendHms(out, within / kTicksPerSecond);
        appendSevenDigitFraction(out, within % kTicksPerSecond);
    }
    if (withZone) {
        int64_t magnitude = zone < 0 ? -zone : zone;
        appendZone(out, zone >= 0, magnitude / 60, magnitude % 60);
    }
    return true;
}

// xsd:dateTime, xsd:date and xsd:time as 64-bit packed fields; the two
// lowest bits are indicator bits.
bool appendXsdPacked(uint8_t token, Cursor& cursor, std::string& out) {
    Bytes body;
    if (!cursor.take(8, body)) return false;
    int64_t value = readI64(body, 0);
    if (value < 0) return true;
    value /= 4;
    if (token == kXsdDateTime) {
        int64_t ms = value % 1000; value /= 1000;
        int64_t sec = value % 60; value /= 60;
        int64_t min = value % 60; value /= 60;
        int64_t hour = value % 24; value /= 24;
        int64_t day = value % 31 + 1; value /= 31;
        int64_t month = value % 12 + 1; value /= 12;
        int64_t year = value - 9999;
        if (year < -9999 || year > 9999) return true;
        appendYmd(out, year, month, day);
        out.push_back('T');
        appendHms(out, hour * 3600 + min * 60 + sec);
        appendMilliseconds(out, ms);
        out.push_back('Z');
    } else if (token == kXsdDate) {
        int64_t totalMinutes = value % (29 * 60) - 60 * 14;
        int64_t days = value / (29 * 60);
        bool negativeZone = totalMinutes < 0;
        if (negativeZone) totalMinutes = -totalMinutes;
        int64_t day = days % 31 + 1; days /= 31;
        int64_t month = days % 12 + 1;
        int64_t year = days / 12 - 9999;
        if (year < -9999 || year > 9999) return true;
        appendYmd(out, year, month, day);
        // The stored zone is the correction back to UTC, hence the flipped sign.
        appendZone(out, negativeZone, totalMinutes / 60, totalMinutes % 60);
    } else {
        int64_t ms = value % 1000; value /= 1000;
        int64_t sec = value % 60; value /= 60;
        int64_t min = value % 60;
        int64_t hour = value / 60;
        if (hour > 23) return true;
        appendHms(out, hour * 3600 + min * 60 + sec);
        appendMilliseconds(out, ms);
        out.push_back('Z');
    }
    return true;
}

bool takeFixed(Cursor& cursor, size_t width, Bytes& body) { return cursor.take(width, body); }

bool takeCounted(Cursor& cursor, Bytes& body) {
    uint64_t length = 0;
    if (!cursor.readMb64(length) || length > cursor.remaining()) return false;
    return cursor.take(size_t(length), body);
}

}  // namespace

bool readAtomicValue(uint8_t token, Cursor& cursor, std::string& out, const QNameLookup& names) {
    Bytes body;
    switch (token) {
        case kSqlBit:
        case kSqlTinyInt:
            if (!takeFixed(cursor, 1, body)) return false;
            appendNumber(out, unsigned(body[0]));
            return true;
        case kXsdBoolean:
            if (!takeFixed(cursor, 1, body)) return false;
            out += body[0] ? "true" : "false";
            return true;
        case kXsdByte:
            if (!takeFixed(cursor, 1, body)) return false;
            appendNumber(out, int(int8_t(body[0])));
            return true;
        case kSqlSmallInt:
            if (!takeFixed(cursor, 2, body)) return false;
            appendNumber(out, int(readI16(body, 0)));
            return true;
        case kXsdUnsignedShort:
            if (!takeFixed(cursor, 2, body)) return false;
            appendNumber(out, unsigned(readU16(body, 0)));
            return true;
        case kSqlInt:
            if (!takeFixed(cursor, 4, body)) return false;
            appendNumber(out, readI32(body, 0));
            return true;
        case kXsdUnsignedInt:
            if (!takeFixed(cursor, 4, body)) return false;
            appendNumber(out, readU32(body, 0));
            return true;
        case kSqlBigInt:
            if (!takeFixed(cursor, 8, body)) return false;
            appendNumber(out, readI64(body, 0));
            return true;
        case kXsdUnsignedLong:
            if (!takeFixed(cursor, 8, body)) return false;
            appendNumber(out, readU64(body, 0));
            return true;
        case kSqlReal: {
            if (!takeFixed(cursor, 4, body)) return false;
            uint32_t bits = readU32(body, 0);
            float value;
            static_assert(sizeof(value) == sizeof(bits));
            __builtin_memcpy(&value, &bits, sizeof(value));
            appendFloatText(out, value);
            return true;
        }
        case kSqlFloat: {
            if (!takeFixed(cursor, 8, body)) return false;
            uint64_t bits = readU64(body, 0);
            double value;
            __builtin_memcpy(&value, &bits, sizeof(value));
            appendDoubleText(out, value);
            return true;
        }
        case kSqlMoney:
            if (!takeFixed(cursor, 8, body)) return false;
            appendMoney(out, readI64(body, 0));
            return true;
        case kSqlSmallMoney:
            if (!takeFixed(cursor, 4, body)) return false;
            appendMoney(out, readI32(body, 0));
            return true;
        case kSqlUuid:
            if (!takeFixed(cursor, 16, body)) return false;
            appendGuidText(out, body);
            return true;
        case kSqlDecimal:
        case kSqlNumeric:
        case kXsdDecimal:
            return appendDecimal(out, cursor, token == kXsdDecimal);
        case kSqlBinary:
        case kSqlVarBinary:
        case kSqlImage:
        case kSqlUdt:
        case kXsdBase64:
            if (!takeCounted(cursor, body)) return false;
            appendBase64(out, body);
            return true;
        case kXsdBinHex:
            if (!takeCounted(cursor, body)) return false;
            appendHexUpper(out, body);
            return true;
        case kSqlChar:
        case kSqlVarChar:
        case kSqlText:
            // A 32-bit code page, then the 8-bit characters.
            if (!takeCounted(cursor, body) || body.size() < 4) return false;
            appendCodePageText(out, body.subspan(4), readI32(body, 0));
            return true;
        case kSqlNChar:
        case kSqlNVarChar:
        case kSqlNText:
            return cursor.readText(out);
        case kSqlDateTime: {
            // Days since 1900-01-01, then ticks of 1/300 s.
            if (!takeFixed(cursor, 8, body)) return false;
            int64_t days = int64_t(readI32(body, 0)) + kDaysTo1900;
            int64_t milliseconds = (int64_t(readU32(body, 4)) * 10 + 1) / 3;
            days += milliseconds / (kSecondsPerDay * 1000);
            milliseconds %= kSecondsPerDay * 1000;
            if (!appendCivil(out, days)) return true;
            out.push_back('T');
            appendHms(out, milliseconds / 1000);
            appendMilliseconds(out, milliseconds % 1000);
            return true;
        }
        case kSqlSmallDateTime: {
            if (!takeFixed(cursor, 4, body)) return false;
            int64_t days = int64_t(readI16(body, 0)) + kDaysTo1900;
            int64_t minutes = readU16(body, 2);
            days += minutes / 1440;
            if (!appendCivil(out, days)) return true;
            out.push_back('T');
            appendHms(out, minutes % 1440 * 60);
            return true;
        }
        case kXsdTime:
        case kXsdDateTime:
        case kXsdDate:
            return appendXsdPacked(token, cursor, out);
        case kXsdTimeOffset:
        case kXsdDateTimeOffset:
        case kXsdDateOffset:
        case kXsdTime2:
        case kXsdDateTime2:
        case kXsdDate2:
            return appendKatmai(token, cursor, out);
        case kXsdQName: {
            uint32_t reference = 0;
            if (!cursor.readMb32(reference)) return false;
            return names.appendQName(reference, out);
        }
        default:
            return false;
    }
}

}  // namespace pw::binxml
