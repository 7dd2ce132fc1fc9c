#pragma once
// Text of the date and time types, on the proleptic Gregorian calendar.
// A value whose year falls outside 1..9999 or whose time of day reaches 24
// hours is invalid: its date-time text is empty. Fractions of a second are
// shown with exactly `scale` digits; a time zone offset as " +hh:mm".

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"

namespace pw {

// datetime: ticks of 1/300 s (signed 32-bit) then days since 1900-01-01
// (signed 32-bit): "yyyy-mm-dd hh:mm:ss.mmm", milliseconds rounded as SQL
// Server rounds them (.000, .003, .007).
void appendDateTimeText(std::string& out, Bytes eightBytes);
// smalldatetime: minutes since midnight, then days since 1900-01-01 (both
// unsigned 16-bit): "yyyy-mm-dd hh:mm:ss".
void appendSmallDateTimeText(std::string& out, Bytes fourBytes);
// date: unsigned 24-bit days since 0001-01-01: "yyyy-mm-dd".
void appendDateText(std::string& out, Bytes threeBytes);
// time(scale): the whole bytes are an unsigned count of 10^-scale seconds.
void appendTimeText(std::string& out, Bytes timeBytes, int scale);
// datetime2: time (all but the last 3 bytes: 3, 4 or 5 bytes), then the date.
void appendDateTime2Text(std::string& out, Bytes bytes, int scale);
// datetimeoffset: a datetime2 in UTC, then the signed 16-bit offset in
// minutes; shown as the local time (date carried) and the offset.
void appendDateTimeOffsetText(std::string& out, Bytes bytes, int scale);

// Days since 0001-01-01 of a civil date; exposed for the tests and for the
// binary xml decoder.
struct CivilDate {
    int64_t year = 1;
    int month = 1;
    int day = 1;
};
CivilDate civilFromDays(int64_t daysSince0001);
// Appends "yyyy-mm-dd" (with `separator` between date and time callers add
// themselves); false when the year is outside 1..9999.
bool appendCivilDate(std::string& out, int64_t daysSince0001);
// Appends "hh:mm:ss"; false when the hour is above 23.
bool appendClock(std::string& out, uint64_t secondsOfDay);
// Appends "." and exactly `scale` digits of `fraction` (nothing at scale 0).
void appendFraction(std::string& out, uint64_t fraction, int scale);

}  // namespace pw
