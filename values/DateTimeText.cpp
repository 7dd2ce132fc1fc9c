#include "values/DateTimeText.h"

namespace pw {
namespace {

constexpr int64_t kDaysTo1900 = 693595;  // 0001-01-01 to 1900-01-01
constexpr int64_t kSecondsPerDay = 86400;
constexpr int kMaxScale = 7;

constexpr uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

int clampScale(int scale) { return scale < 0 ? 0 : (scale > kMaxScale ? kMaxScale : scale); }

bool isLeap(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

void appendDigits(std::string& out, uint64_t value, int width) {
    char buffer[24];
    int length = 0;
    do {
        buffer[length++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0 && length < 20);
    for (int i = length; i < width; ++i) out.push_back('0');
    while (length > 0) out.push_back(buffer[--length]);
}

// The time part of datetime2 and datetimeoffset by total length.
size_t timeWidthForDateTime2(size_t length) { return length >= 6 && length <= 8 ? length - 3 : 0; }

// Date and time as seconds since 0001-01-01 plus a fraction; shows the
// date-time text when valid, then the fraction.
void appendTimestamp(std::string& out, int64_t totalSeconds, uint64_t fraction, int scale) {
    if (totalSeconds >= 0) {
        std::string::size_type mark = out.size();
        if (appendCivilDate(out, totalSeconds / kSecondsPerDay)) {
            out.push_back(' ');
            appendClock(out, uint64_t(totalSeconds % kSecondsPerDay));
        } else {
            out.resize(mark);
        }
    }
    appendFraction(out, fraction, scale);
}

}  // namespace

CivilDate civilFromDays(int64_t days) {
    CivilDate date;
    int64_t n400 = days / 146097;
    int64_t rest = days % 146097;
    int64_t n100 = rest / 36524;
    if (n100 > 3) n100 = 3;
    rest -= n100 * 36524;
    int64_t n4 = rest / 1461;
    rest -= n4 * 1461;
    int64_t n1 = rest / 365;
    if (n1 > 3) n1 = 3;
    rest -= n1 * 365;
    date.year = n400 * 400 + n100 * 100 + n4 * 4 + n1 + 1;
    static constexpr int kCommon[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
    static constexpr int kLeap[13] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};
    const int* table = isLeap(date.year) ? kLeap : kCommon;
    int month = 1;
    while (month < 12 && rest >= table[month]) ++month;
    date.month = month;
    date.day = int(rest - table[month - 1]) + 1;
    return date;
}

bool appendCivilDate(std::string& out, int64_t daysSince0001) {
    if (daysSince0001 < 0) return false;
    CivilDate date = civilFromDays(daysSince0001);
    if (date.year < 1 || date.year > 9999) return false;
    appendDigits(out, uint64_t(date.year), 4);
    out.push_back('-');
    appendDigits(out, uint64_t(date.month), 2);
    out.push_back('-');
    appendDigits(out, uint64_t(date.day), 2);
    return true;
}

bool appendClock(std::string& out, uint64_t secondsOfDay) {
    uint64_t hours = secondsOfDay / 3600;
    if (hours > 23) return false;
    appendDigits(out, hours, 2);
    out.push_back(':');
    appendDigits(out, secondsOfDay / 60 % 60, 2);
    out.push_back(':');
    appendDigits(out, secondsOfDay % 60, 2);
    return true;
}

void appendFraction(std::string& out, uint64_t fraction, int scale) {
    if (scale <= 0) return;
    out.push_back('.');
    appendDigits(out, fraction, scale);
}

void appendDateTimeText(std::string& out, Bytes bytes) {
    if (bytes.size() < 8) return;
    int64_t ticks = readI32(bytes, 0);
    int64_t days = int64_t(readI32(bytes, 4)) + kDaysTo1900;
    if (ticks < 0 || days < 0) return;
    // One tick is 1/300 s; SQL Server shows it rounded to whole milliseconds.
    int64_t milliseconds = (ticks * 10 + 1) / 3;
    std::string::size_type mark = out.size();
    if (!appendCivilDate(out, days)) return;
    out.push_back(' ');
    if (!appendClock(out, uint64_t(milliseconds / 1000))) {
        out.resize(mark);
        return;
    }
    out.push_back('.');
    appendDigits(out, uint64_t(milliseconds % 1000), 3);
}

void appendSmallDateTimeText(std::string& out, Bytes bytes) {
    if (bytes.size() < 4) return;
    uint64_t minutes = readU16(bytes, 0);
    int64_t days = int64_t(readU16(bytes, 2)) + kDaysTo1900;
    std::string::size_type mark = out.size();
    if (!appendCivilDate(out, days)) return;
    out.push_back(' ');
    if (!appendClock(out, minutes * 60)) out.resize(mark);
}

void appendDateText(std::string& out, Bytes bytes) {
    if (bytes.size() < 3) return;
    appendCivilDate(out, int64_t(readUnsigned(bytes, 0, 3)));
}

void appendTimeText(std::string& out, Bytes bytes, int scale) {
    scale = clampScale(scale);
    size_t width = bytes.size() < 8 ? bytes.size() : 8;
    uint64_t count = readUnsigned(bytes, 0, width);
    uint64_t unit = kPowersOfTen[scale];
    std::string::size_type mark = out.size();
    if (!appendClock(out, count / unit)) out.resize(mark);
    appendFraction(out, count % unit, scale);
}

void appendDateTime2Text(std::string& out, Bytes bytes, int scale) {
    scale = clampScale(scale);
    size_t timeWidth = timeWidthForDateTime2(bytes.size());
    uint64_t count = timeWidth ? readUnsigned(bytes, 0, timeWidth) : 0;
    int64_t days = timeWidth ? int64_t(readUnsigned(bytes, timeWidth, 3)) : 0;
    uint64_t unit = kPowersOfTen[scale];
    // A time part of 24 hours or more is invalid even if the date could carry it.
    if (count / unit >= uint64_t(kSecondsPerDay)) {
        appendFraction(out, count % unit, scale);
        return;
    }
    appendTimestamp(out, days * kSecondsPerDay + int64_t(count / unit), count % unit, scale);
}

void appendDateTimeOffsetText(std::string& out, Bytes bytes, int scale) {
    scale = clampScale(scale);
    int16_t offsetMinutes = bytes.size() >= 2 ? readI16(bytes, bytes.size() - 2) : 0;
    Bytes local = bytes.first(bytes.size() >= 2 ? bytes.size() - 2 : 0);
    size_t timeWidth = timeWidthForDateTime2(local.size());
    uint64_t count = timeWidth ? readUnsigned(local, 0, timeWidth) : 0;
    int64_t days = timeWidth ? int64_t(readUnsigned(local, timeWidth, 3)) : 0;
    uint64_t unit = kPowersOfTen[scale];
    if (count / unit >= uint64_t(kSecondsPerDay)) {
        appendFraction(out, count % unit, scale);
    } else {
        // The value is stored in UTC; the local time carries into the date.
        int64_t seconds = days * kSecondsPerDay + int64_t(count / unit) + int64_t(offsetMinutes) * 60;
        appendTimestamp(out, seconds, count % unit, scale);
    }
    int minutes = offsetMinutes < 0 ? -int(offsetMinutes) : int(offsetMinutes);
    out.push_back(' ');
    out.push_back(offsetMinutes < 0 ? '-' : '+');
    appendDigits(out, uint64_t(minutes / 60), 2);
    out.push_back(':');
    appendDigits(out, uint64_t(minutes % 60), 2);
}

}  // namespace pw
