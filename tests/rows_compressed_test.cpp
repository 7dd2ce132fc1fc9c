// Row- and page-compressed records rebuilt into the ordinary layout: every
// fixed-length type re-expanded as its uncompressed form, empty values,
// bits, Unicode compression, anchor prefixes and the page dictionary.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/RunContext.h"
#include "storage/CompressedValueExpansion.h"
#include "storage/RecordPage.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"
#include "tools/fixtures/TableFixtures.h"
#include "values/RowDecoder.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;
using fixtures::CompressedRecord;
using fixtures::PageBuilder;
using fixtures::storedColumn;

ByteVector bytesOf(const std::string& text) { return ByteVector(text.begin(), text.end()); }

ByteVector le(uint64_t value, size_t width) {
    ByteVector out(width);
    for (size_t i = 0; i < width; ++i) out[i] = uint8_t(value >> (8 * i));
    return out;
}

ColumnDescriptor column(const char* typeText, TypeCode code, uint8_t precision = 0, uint8_t scale = 0) {
    ColumnDescriptor c(typeText, "c", int32_t(code));
    c.typeCode = code;
    c.precision = precision;
    c.scale = scale;
    return c;
}

struct ExpansionCase {
    const char* label;
    ColumnDescriptor column;
    ByteVector stored;
    ByteVector expected;
};

TEST(RowsCompressed, EveryFixedLengthTypeIsReExpandedToItsOrdinaryBytes) {
    double half = 0.5;
    uint64_t halfBits;
    std::memcpy(&halfBits, &half, 8);
    float quarter = -0.25f;
    uint32_t quarterBits;
    std::memcpy(&quarterBits, &quarter, 4);
    const std::vector<ExpansionCase> cases = {
        {"int 5 in one byte", column("int(4)", TypeCode::Int), {0x85}, le(5, 4)},
        {"int -1 in one byte", column("int(4)", TypeCode::Int), {0x7F}, le(0xFFFFFFFF, 4)},
        {"int 300", column("int(4)", TypeCode::Int), {0x81, 0x2C}, le(300, 4)},
        {"int zero is empty", column("int(4)", TypeCode::Int), {}, le(0, 4)},
        {"bigint -2", column("bigint(8)", TypeCode::BigInt), {0x7E}, le(~1ull, 8)},
        {"smallint", column("smallint(2)", TypeCode::SmallInt), {0x80, 0xFF}, le(255, 2)},
        {"tinyint keeps its byte", column("tinyint(1)", TypeCode::TinyInt), {0xC8}, {0xC8}},
        {"money", column("money(8)", TypeCode::Money), {0x81, 0xE2, 0x40}, le(123456, 8)},
        {"smallmoney", column("smallmoney(4)", TypeCode::SmallMoney), {0x7F, 0x85}, le(uint32_t(-123), 4)},
        {"datetime days and ticks", column("datetime(8)", TypeCode::DateTime),
         {0x80, 0x8C, 0xA0, 0x00, 0x00, 0x01, 0x2C}, {0x2C, 0x01, 0x00, 0x00, 0xA0, 0x8C, 0x00, 0x00}},
        {"smalldatetime", column("smalldatetime(4)", TypeCode::SmallDateTime), {0x80, 0x01, 0x00, 0x3D},
         {0x3D, 0x00, 0x01, 0x00}},
        {"date", column("date(3)", TypeCode::Date), {0x80, 0x01}, le(1, 3)},
        {"time", column("time(5)", TypeCode::Time), {0x80, 0x10}, le(16, 5)},
        {"datetime2", column("datetime2(8)", TypeCode::DateTime2), {0x81}, le(1, 8)},
        {"float 0.5", column("float(8)", TypeCode::Float), {0x3F, 0xE0}, le(halfBits, 8)},
        {"real -0.25", column("real(4)", TypeCode::Real), {0xBE, 0x80}, le(quarterBits, 4)},
        {"decimal 12.50", column("decimal(5)", TypeCode::Decimal, 5, 2), {0xC1, 0x03, 0x1F, 0x40},
         {1, 0xE2, 0x04, 0, 0}},
        {"decimal zero", column("decimal(9)", TypeCode::Decimal, 10, 2), {}, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"char padded with blanks", column("char(5)", TypeCode::Char), bytesOf("ab"), bytesOf("ab   ")},
        {"char all blanks is empty", column("char(3)", TypeCode::Char), {}, bytesOf("   ")},
        {"binary padded with zeros", column("binary(4)", TypeCode::Binary), {1}, {1, 0, 0, 0}},
        {"nchar from SCSU, padded", column("nchar(8)", TypeCode::NChar), bytesOf("ABC"),
         {'A', 0, 'B', 0, 'C', 0, ' ', 0}},
        {"nvarchar of even length is UTF-16", column("nvarchar(20)", TypeCode::NVarChar), {0x41, 0x04},
         {0x41, 0x04}},
        {"nvarchar from SCSU", column("nvarchar(20)", TypeCode::NVarChar), bytesOf("Hi!"),
         {'H', 0, 'i', 0, '!', 0}},
        {"uniqueidentifier", column("uniqueidentifier(16)", TypeCode::UniqueIdentifier), ByteVector(16, 7),
         ByteVector(16, 7)},
        {"varchar keeps its bytes", column("varchar(9)", TypeCode::VarChar), bytesOf("x y"), bytesOf("x y")},
    };
    for (const ExpansionCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(expandCompressedValue(Bytes(c.stored.data(), c.stored.size()), c.column), c.expected);
    }
}

std::vector<ColumnDescriptor> mixedLayout() {
    std::vector<ColumnDescriptor> layout = {
        storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1),
        storedColumn("varchar(20)", "name", TypeCode::VarChar, 2, -1, 2),
        storedColumn("int(4)", "missing", TypeCode::Int, 3, 8, 3),
        storedColumn("bit(1)", "yes", TypeCode::Bit, 4, 12, 4),
        storedColumn("bit(1)", "no", TypeCode::Bit, 5, 12, 5),
        storedColumn("char(4)", "code", TypeCode::Char, 6, 13, 6),
        storedColumn("nvarchar(40)", "city", TypeCode::NVarChar, 7, -2, 7),
        storedColumn("decimal(5)", "rate", TypeCode::Decimal, 8, 17, 8),
        storedColumn("datetime(8)", "stamp", TypeCode::DateTime, 9, 22, 9),
    };
    layout[7].precision = 5;
    layout[7].scale = 2;
    return layout;
}

std::vector<DecodedRow> decodePage(const PageBytes& bytes, const std::vector<ColumnDescriptor>& layout) {
    RunContext context;
    CDataPage page(bytes, nullptr, RecordPageOptions::from(context, &layout));
    LargeValueReader reader(nullptr, context);
    std::vector<DecodedRow> rows;
    decodeRecords(page, layout, {}, context, reader, rows);
    return rows;
}

TEST(RowsCompressed, ARowCompressedRecordDecodesAsItsUncompressedForm) {
    auto layout = mixedLayout();
    CompressedRecord record;
    // id 5 · name "abc" · NULL · bit 1 · bit 0 · "ab" · long SCSU city · 12.50 · 1900-01-02 00:00:01
    record.codes = {2, 4, 0, 11, 1, 3, 10, 5, 6};
    record.shortData = {0x85, 'a', 'b', 'c', 'a', 'b', 0xC1, 0x03, 0x1F, 0x40, 0x81, 0x00, 0x00, 0x01, 0x2C};
    record.longValues.push_back({bytesOf("Cologne, Germany"), false});  // 16 bytes: even, plain UTF-16 would
    record.longValues.back().bytes.push_back('!');                      // be 34; odd length: SCSU
    PageBuilder builder(200, 1977058079, 1);
    builder.addRecord(record.build());
    auto rows = decodePage(builder.build(), layout);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(0), "5");
    EXPECT_EQ(rows[0].text(1), "abc");
    EXPECT_TRUE(rows[0].isNull(2));
    EXPECT_EQ(rows[0].text(3), "True");
    EXPECT_EQ(rows[0].text(4), "False");
    EXPECT_EQ(rows[0].text(5), "ab  ");
    EXPECT_EQ(rows[0].text(6), "Cologne, Germany!");
    EXPECT_EQ(rows[0].text(7), "12.50");
    // 81 00 00 01 2C: the sign bit restored, 0x01_0000_012C: day 1, 300 ticks
    EXPECT_EQ(rows[0].text(8), "1900-01-02 00:00:01.000");
}

TEST(RowsCompressed, ARecordWhoseColumnCountDiffersIsLeftAsParsed) {
    auto layout = mixedLayout();
    CompressedRecord record;
    record.codes = {2, 4};
    record.shortData = {0x85, 'a', 'b', 'c'};
    RunContext context;
    PageBuilder builder(200, 1977058079, 1);
    builder.addRecord(record.build());
    CDataPage page(builder.build(), nullptr, RecordPageOptions::from(context, &layout));
    const CPrimaryRecord* parsed = page.primaryRecord(0);
    ASSERT_NE(parsed, nullptr);
    EXPECT_TRUE(parsed->columnResults.empty());
    EXPECT_EQ(parsed->fixedPart, (ByteVector{0x85, 'a', 'b', 'c'}));
}

// A page-compressed page: the compression information after the header
// (flags, modification count, dictionary offset, size), the anchor record
// in CD form, then the dictionary.
PageBytes pageCompressedPage(const ByteVector& anchor, const std::vector<ByteVector>& dictionary,
                             const std::vector<ByteVector>& records) {
    ByteVector dict;
    fixtures::appendU16(dict, uint16_t(dictionary.size()));
    size_t end = 2 + 2 * dictionary.size();
    for (const ByteVector& entry : dictionary) {
        end += entry.size();
        fixtures::appendU16(dict, uint16_t(end));
    }
    for (const ByteVector& entry : dictionary) dict.insert(dict.end(), entry.begin(), entry.end());
    ByteVector info = {0x06};  // anchor and dictionary
    fixtures::appendU16(info, 0);
    fixtures::appendU16(info, uint16_t(7 + anchor.size()));        // the dictionary, from byte 96
    fixtures::appendU16(info, uint16_t(7 + anchor.size() + dict.size()));
    info.insert(info.end(), anchor.begin(), anchor.end());
    info.insert(info.end(), dict.begin(), dict.end());
    PageBuilder builder(200, 1977058079, 1);
    builder.setTypeFlagBits(0x80);
    builder.addUnslotted(info);
    for (const ByteVector& record : records) builder.addRecord(record);
    return builder.build();
}

TEST(RowsCompressed, AnchorPrefixesAndDictionarySymbols) {
    std::vector<ColumnDescriptor> layout = {
        storedColumn("varchar(20)", "prefixed", TypeCode::VarChar, 1, -1, 1),
        storedColumn("int(4)", "plain", TypeCode::Int, 2, 4, 2),
        storedColumn("varchar(20)", "symbol", TypeCode::VarChar, 3, -2, 3),
        storedColumn("varchar(20)", "asAnchor", TypeCode::VarChar, 4, -3, 4),
        storedColumn("int(4)", "symbolInt", TypeCode::Int, 5, 8, 5),
    };
    CompressedRecord anchor;
    anchor.codes = {7, 0, 1, 4, 0};
    anchor.shortData = {'A', 'B', 'C', 'D', 'E', 'F', 'Q', 'R', 'S'};
    CompressedRecord row;
    row.codes = {4, 2, 12, 1, 12};
    row.shortData = {3, 'X', 'Y', 0x85, 0, 1};
    CompressedRecord unknownSymbol = row;
    unknownSymbol.codes = {3, 2, 12, 1, 12};
    unknownSymbol.shortData = {0, 'Z', 0x86, 7, 1};
    PageBytes page = pageCompressedPage(anchor.build(), {bytesOf("Hello"), {0x82}},
                                        {row.build(), unknownSymbol.build()});
    auto rows = decodePage(page, layout);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].texts(), (std::vector<std::string>{"ABCXY", "5", "Hello", "QRS", "2"}));
    EXPECT_EQ(rows[1].text(0), "Z");
    EXPECT_EQ(rows[1].text(1), "6");
    EXPECT_TRUE(rows[1].isNull(2));  // symbol 7: the page has two
}

}  // namespace
}  // namespace pw
