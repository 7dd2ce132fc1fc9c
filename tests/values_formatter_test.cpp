// Texts of column values by SQL type: rows of bytes -> expected text.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/RunContext.h"
#include "values/ColumnReadInfo.h"
#include "values/ValueFormatter.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;

struct Case {
    const char* label;
    int32_t typeCode;
    const char* typeText;
    uint8_t precision;
    uint8_t scale;
    ByteVector bytes;
    const char* expected;
};

ColumnDescriptor makeColumn(const Case& c) {
    ColumnDescriptor column(c.typeText, "c", c.typeCode);
    column.typeCode = TypeCode(c.typeCode);  // hierarchyid keeps its own code here
    column.precision = c.precision;
    column.scale = c.scale;
    return column;
}

std::string format(const Case& c, const RunContext& context) {
    ColumnDescriptor column = makeColumn(c);
    BitCursor cursor;
    ColumnReadInfo info = describeColumn(column, &cursor);
    if (column.variable || info.valueLength <= 0) info.valueLength = int32_t(c.bytes.size());
    return formatValue(Bytes(c.bytes.data() ? c.bytes.data() : reinterpret_cast<const uint8_t*>(""),
                             c.bytes.size()),
                       info, column, context);
}

ByteVector le(uint64_t value, size_t width) {
    ByteVector bytes;
    for (size_t i = 0; i < width; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
    return bytes;
}

ByteVector concat(ByteVector a, const ByteVector& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

ByteVector doubleBytes(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return le(bits, 8);
}

ByteVector floatBytes(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return le(bits, 4);
}

constexpr uint32_t kDays2000 = 730119;  // 2000-01-01 counted from 0001-01-01

TEST(ValuesFormatter, TextsByType) {
    const Case cases[] = {
        {"bigint -1", 0, "bigint(8)", 0, 0, le(~0ull, 8), "-1"},
        {"bigint one byte short", 0, "bigint(8)", 0, 0, le(1, 7), ""},
        {"int", 9, "int(4)", 0, 0, le(42, 4), "42"},
        {"int min", 9, "int(4)", 0, 0, le(0x80000000u, 4), "-2147483648"},
        {"smallint", 13, "smallint(2)", 0, 0, le(0xFFFE, 2), "-2"},
        {"tinyint 255", 14, "tinyint(1)", 0, 0, {0xFF}, "255"},
        {"guid", 15, "uniqueidentifier(16)", 0, 0,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, "03020100-0504-0706-0809-0A0B0C0D0E0F"},
        {"binary", 1, "binary(3)", 0, 0, {0x00, 0xAB, 0x10}, "0x00AB10"},
        {"varbinary", 16, "varbinary(3)", 0, 0, {0xDE, 0xAD}, "DEAD"},
        {"timestamp", 30, "timestamp(8)", 0, 0, le(0x0102, 8), "0x0201000000000000"},
        {"datetime zero", 4, "datetime(8)", 0, 0, le(0, 8), "1900-01-01 00:00:00.000"},
        {"datetime 300 ticks", 4, "datetime(8)", 0, 0, le(300, 8), "1900-01-01 00:00:01.000"},
        {"datetime 299 ticks", 4, "datetime(8)", 0, 0, le(299, 8), "1900-01-01 00:00:00.997"},
        {"datetime 1 tick", 4, "datetime(8)", 0, 0, le(1, 8), "1900-01-01 00:00:00.003"},
        {"datetime 2 ticks", 4, "datetime(8)", 0, 0, le(2, 8), "1900-01-01 00:00:00.007"},
        {"datetime day -1", 4, "datetime(8)", 0, 0, concat(le(0, 4), le(0xFFFFFFFFu, 4)),
         "1899-12-31 00:00:00.000"},
        {"datetime hour 24", 4, "datetime(8)", 0, 0, le(25920000, 8), ""},
        {"smalldatetime", 27, "smalldatetime(4)", 0, 0, concat(le(61, 2), le(1, 2)), "1900-01-02 01:01:00"},
        {"date first day", 5, "date(3)", 0, 0, le(0, 3), "0001-01-01"},
        {"date 2000", 5, "date(3)", 0, 0, le(kDays2000, 3), "2000-01-01"},
        {"date 2000-03-01", 5, "date(3)", 0, 0, le(kDays2000 + 60, 3), "2000-03-01"},
        {"time scale 7", 6, "time(5)", 0, 7, le(123456789, 5), "00:00:12.3456789"},
        {"time fraction 500", 6, "time(5)", 0, 7, le(500, 5), "00:00:00.0000500"},
        {"time scale 0", 6, "time(3)", 0, 0, le(3661, 3), "01:01:01"},
        {"datetime2 scale 7", 7, "datetime2(8)", 0, 7,
         concat(le(10000000ull * 3600 + 5, 5), le(kDays2000, 3)), "2000-01-01 01:00:00.0000005"},
        {"datetime2 invalid keeps fraction", 7, "datetime2(7)", 0, 3,
         concat(le(86400ull * 1000 + 5, 4), le(kDays2000, 3)), ".005"},
        {"datetimeoffset +5:30", 8, "datetimeoffset(8)", 0, 0,
         concat(concat(le(0, 3), le(kDays2000, 3)), le(330, 2)), "2000-01-01 05:30:00 +05:30"},
        {"datetimeoffset -5:30 carries the date", 8, "datetimeoffset(8)", 0, 0,
         concat(concat(le(0, 3), le(kDays2000, 3)), le(uint16_t(-330), 2)), "1999-12-31 18:30:00 -05:30"},
        {"datetimeoffset scale 3", 8, "datetimeoffset(9)", 0, 3,
         concat(concat(le(1500, 4), le(kDays2000, 3)), le(60, 2)), "2000-01-01 01:00:01.500 +01:00"},
        {"decimal 5", 24, "decimal(5)", 5, 2, {1, 5, 0, 0, 0}, "0.05"},
        {"decimal 55", 24, "decimal(5)", 5, 2, {1, 55, 0, 0, 0}, "0.55"},
        {"decimal 555", 24, "decimal(5)", 5, 2, {1, 0x2B, 2, 0, 0}, "5.55"},
        {"decimal -555", 24, "decimal(5)", 5, 2, {0, 0x2B, 2, 0, 0}, "-5.55"},
        {"decimal zero", 23, "numeric(5)", 5, 2, {1, 0, 0, 0, 0}, "0.00"},
        {"decimal scale 0", 23, "numeric(5)", 5, 0, {1, 7, 0, 0, 0}, "7"},
        {"decimal 38 digits", 24, "decimal(17)", 38, 0,
         {1, 0xFF, 0xFF, 0xFF, 0xFF, 0x3F, 0x22, 0x8A, 0x09, 0x7A, 0xC4, 0x86, 0x5A, 0xA8, 0x4C, 0x3B, 0x4B},
         "99999999999999999999999999999999999999"},
        {"money 0", 21, "money(8)", 0, 0, le(0, 8), "0.0000"},
        {"money 123", 21, "money(8)", 0, 0, le(123, 8), "0.0123"},
        {"money -5000", 21, "money(8)", 0, 0, le(uint64_t(-5000), 8), "-0.5000"},
        {"money 12345678", 21, "money(8)", 0, 0, le(12345678, 8), "1234.5678"},
        {"smallmoney -123", 29, "smallmoney(4)", 0, 0, le(uint32_t(-123), 4), "-0.0123"},
        {"smallmoney 20", 29, "smallmoney(4)", 0, 0, le(200000, 4), "20.0000"},
        {"float 0.5", 22, "float(8)", 0, 0, doubleBytes(0.5), "0.5"},
        {"float 0", 22, "float(8)", 0, 0, doubleBytes(0.0), "0"},
        {"float small", 22, "float(8)", 0, 0, doubleBytes(1e-5), "1e-05"},
        {"float third", 22, "float(8)", 0, 0, doubleBytes(1.0 / 3), "0.3333333333333333"},
        {"real small", 28, "real(4)", 0, 0, floatBytes(0.00001f), "1e-05"},
        {"real 0.1", 28, "real(4)", 0, 0, floatBytes(0.1f), "0.1"},
        {"real large", 28, "real(4)", 0, 0, floatBytes(123456789.0f), "123456792"},
        {"real huge", 28, "real(4)", 0, 0, floatBytes(3.0e38f), "3e+38"},
        {"nvarchar stops at zero", 11, "nvarchar(6)", 0, 0, {0x41, 0, 0, 0, 0x42, 0}, "A"},
        {"nchar", 10, "nchar(4)", 0, 0, {0x41, 0, 0x42, 0}, "AB"},
        {"ntext without zero bytes", 19, "ntext(16)", 0, 0, {0x2D, 0x4E, 0x87, 0x65}, "\xE4\xB8\xAD\xE6\x96\x87"},
        {"nvarchar surrogate pair", 11, "nvarchar(4)", 0, 0, {0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
        {"varchar 1252", 17, "varchar(3)", 0, 0, {0x41, 0x80, 0xE9}, "A\xE2\x82\xAC\xC3\xA9"},
        {"varchar undefined byte", 17, "varchar(1)", 0, 0, {0x81}, "\xC2\x81"},
        {"char", 3, "char(2)", 0, 0, {0x61, 0x20}, "a "},
        {"image", 25, "image(16)", 0, 0, {1, 2}, ""},
        {"hierarchyid", 31, "hierarchyid(2)", 0, 0, {0x58}, "0x58"},
    };
    RunContext context;
    for (const Case& c : cases) EXPECT_EQ(format(c, context), c.expected) << c.label;
}

TEST(ValuesFormatter, AbsentBytesGiveEmptyText) {
    RunContext context;
    ColumnDescriptor column("int(4)", "c", 9);
    ColumnReadInfo info = describeColumn(column, nullptr);
    EXPECT_EQ(formatValue(Bytes(), info, column, context), "");
}

TEST(ValuesFormatter, ReportsDeclaredLength) {
    RunContext context;
    ByteVector bytes = le(0, 8);
    struct Report {
        int32_t code;
        const char* typeText;
        uint32_t consumed;
        int32_t valueLength;
    } reports[] = {
        {9, "int(4)", 4, 4},            // value length unchanged
        {4, "datetime(8)", 8, 8},
        {7, "datetime2(6)", 6, 6},      // reports n
        {6, "time(3)", 3, 3},
        {21, "money(8)", 8, 8},
    };
    for (const Report& r : reports) {
        ColumnDescriptor column(r.typeText, "c", r.code);
        ColumnReadInfo info = describeColumn(column, nullptr);
        formatValue(Bytes(bytes), info, column, context);
        EXPECT_EQ(info.consumedLength, r.consumed) << r.typeText;
        EXPECT_EQ(info.valueLength, r.valueLength) << r.typeText;
    }
}

TEST(ValuesFormatter, EightBitColumnsShareOneByte) {
    RunContext context;
    ColumnDescriptor column("bit(1)", "b", 2);
    BitCursor cursor;
    const uint8_t stored[] = {0xA5, 0x00};
    const char* expected[] = {"True", "False", "True", "False", "False", "True", "False", "True"};
    size_t offset = 0;
    for (int i = 0; i < 8; ++i) {
        ColumnReadInfo info = describeColumn(column, &cursor);
        EXPECT_EQ(info.fixedLength, i == 0 ? 1 : 0) << i;
        std::string text = formatValue(Bytes(stored + offset, 2 - offset), info, column, context);
        EXPECT_EQ(text, expected[i]) << i;
        offset += info.consumedLength;
    }
    EXPECT_EQ(offset, 1u);
    // The ninth bit column starts a new byte.
    ColumnReadInfo ninth = describeColumn(column, &cursor);
    EXPECT_EQ(ninth.fixedLength, 1);
}

TEST(ValuesFormatter, CharacterDataUsesTheColumnCollation) {
    RunContext context;
    context.options.collations[53255] = {"Greek_CI_AS", 1253};
    context.options.collations[53272] = {"Cyrillic_General_CI_AS", 1251};
    const ByteVector bytes = {0xC1};
    struct Collated {
        int32_t collationId;
        bool databaseKnown;
        const char* expected;
    } cases[] = {
        {53272, false, "\xD0\x91"},   // Cyrillic capital be
        {53255, false, "\xCE\x91"},   // Greek capital alpha
        {99999, false, "\xC3\x81"},   // unknown id: the database code page, 1252
        {-1, false, "\xC3\x81"},
        {777, true, "\xCE\x91"},      // the database collation: its code page
    };
    for (const Collated& c : cases) {
        context.options.collationKnown = c.databaseKnown;
        context.options.databaseCollationId = c.databaseKnown ? 777 : -1;
        context.options.databaseCodePage = c.databaseKnown ? 1253 : 1252;
        // Listing or not, the code page comes from the collation.
        for (bool listing : {false, true}) {
            context.listingInProgress = listing;
            for (int32_t code : {3, 17, 26}) {
                ColumnDescriptor column(code == 3 ? "char(1)" : "varchar(1)", "c", code);
                column.collationId = c.collationId;
                ColumnReadInfo info = describeColumn(column, nullptr);
                info.valueLength = 1;
                EXPECT_EQ(formatValue(Bytes(bytes), info, column, context), c.expected)
                    << c.collationId << " code " << code;
            }
        }
    }
}

TEST(ValuesFormatter, DeclaredLengthFromTypeText) {
    EXPECT_EQ(declaredLength("varchar(50)"), 50u);
    EXPECT_EQ(declaredLength("varchar(-1)"), 0u);
    EXPECT_EQ(declaredLength("int"), 0u);
    EXPECT_EQ(declaredLength("(12)"), 12u);
    EXPECT_EQ(declaredLength("decimal(9x)"), 9u);
}

TEST(ValuesDescribe, LengthsByTypeCode) {
    struct Row {
        int32_t code;
        const char* typeText;
        uint16_t fixed;
        int32_t value;
        bool variable;
    } rows[] = {
        {0, "bigint(8)", 8, 8, false},   {7, "datetime2(8)", 8, 8, false},
        {1, "binary(5)", 5, 5, false},   {5, "date(3)", 3, 3, false},
        {6, "time(5)", 5, 5, false},     {8, "datetimeoffset(10)", 10, 10, false},
        {9, "int(4)", 4, 4, false},      {10, "nchar(20)", 20, 20, false},
        {11, "nvarchar(20)", 20, 20, true}, {13, "smallint(2)", 2, 2, false},
        {14, "tinyint(1)", 1, 1, false}, {15, "uniqueidentifier(16)", 16, 16, false},
        {16, "varbinary(30)", 0, 0, true}, {17, "varchar(30)", 0, 0, true},
        {23, "numeric(9)", 19, 19, false}, {34, "xml(-1)", 0, -1, true},
    };
    for (const Row& r : rows) {
        ColumnDescriptor column(r.typeText, "c", r.code);
        ColumnReadInfo info = describeColumn(column, nullptr);
        EXPECT_EQ(info.fixedLength, r.fixed) << r.typeText;
        EXPECT_EQ(info.valueLength, r.value) << r.typeText;
        EXPECT_EQ(info.variable, r.variable) << r.typeText;
        EXPECT_EQ(info.typeCode, column.typeCode) << r.typeText;
    }
}

}  // namespace
}  // namespace pw
