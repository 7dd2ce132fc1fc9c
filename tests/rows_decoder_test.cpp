// Records decoded into rows: every type code in the row, NULL against the
// text "NULL", bit columns, fixed and variable placement, sparse columns,
// computed columns, ghost and scanned records, legacy placement.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/RunContext.h"
#include "storage/RecordPage.h"
#include "tests/RowsFixtureFile.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"
#include "tools/fixtures/TableFixtures.h"
#include "values/BinaryXml.h"
#include "values/RowDecoder.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;
using fixtures::OrdinaryRecord;
using fixtures::PageBuilder;
using fixtures::storedColumn;

// Decodes `records` placed on one in-memory data page.
std::vector<DecodedRow> decodeRecordsOnPage(const std::vector<ByteVector>& records,
                                            const std::vector<ColumnDescriptor>& layout, const RunContext& context,
                                            LayoutForm form = LayoutForm::Rowset) {
    PageBuilder builder(200, 1977058079, 1);
    for (const ByteVector& record : records) builder.addRecord(record);
    CDataPage page(builder.build(), nullptr, RecordPageOptions::from(context, &layout));
    LargeValueReader reader(nullptr, context);
    std::vector<DecodedRow> rows;
    decodeRecords(page, layout, {form, false}, context, reader, rows);
    return rows;
}

ByteVector bytesOf(const std::string& text) { return ByteVector(text.begin(), text.end()); }

ByteVector le(uint64_t value, size_t width) {
    ByteVector out(width);
    for (size_t i = 0; i < width; ++i) out[i] = uint8_t(value >> (8 * i));
    return out;
}

ByteVector concat(std::initializer_list<ByteVector> parts) {
    ByteVector out;
    for (const ByteVector& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// <a/> in binary xml.
ByteVector smallXml() { return {0xDF, 0xFF, 0x01, 0xB0, 0x04, 0xF0, 0x01, 'a', 0x00, 0xEF, 0x00, 0x00, 0x01,
                                0xF8, 0x01, 0xF5, 0xF7}; }

struct TypeCase {
    const char* label;
    const char* typeText;
    TypeCode code;
    bool variable;  // stored as a variable column
    ByteVector bytes;
    const char* expected;
    uint8_t precision = 0;
    uint8_t scale = 0;
};

std::vector<TypeCase> typeCases() {
    float real = 0.15f;
    uint32_t realBits;
    std::memcpy(&realBits, &real, 4);
    double half = 0.5;
    uint64_t halfBits;
    std::memcpy(&halfBits, &half, 8);
    return {
        {"bigint", "bigint(8)", TypeCode::BigInt, false, le(~0ull, 8), "-1"},
        {"binary", "binary(4)", TypeCode::Binary, false, {1, 2, 3, 4}, "0x01020304"},
        {"bit", "bit(1)", TypeCode::Bit, false, {1}, "True"},
        {"char", "char(5)", TypeCode::Char, false, bytesOf("ab   "), "ab   "},
        {"datetime", "datetime(8)", TypeCode::DateTime, false, concat({le(300, 4), le(0, 4)}),
         "1900-01-01 00:00:01.000"},
        {"date", "date(3)", TypeCode::Date, false, le(0, 3), "0001-01-01"},
        {"time", "time(5)", TypeCode::Time, false, le(123456789, 5), "00:00:12.3456789", 16, 7},
        {"datetime2", "datetime2(8)", TypeCode::DateTime2, false, concat({le(0, 5), le(1, 3)}),
         "0001-01-02 00:00:00.0000000", 27, 7},
        {"int", "int(4)", TypeCode::Int, false, le(42, 4), "42"},
        {"nchar", "nchar(8)", TypeCode::NChar, false, fixtures::utf16le("AB  "), "AB  "},
        {"nvarchar", "nvarchar(40)", TypeCode::NVarChar, true, fixtures::utf16le("Привет 你好"), "Привет 你好"},
        {"smallint", "smallint(2)", TypeCode::SmallInt, false, le(0xFFFE, 2), "-2"},
        {"tinyint", "tinyint(1)", TypeCode::TinyInt, false, {255}, "255"},
        {"uniqueidentifier", "uniqueidentifier(16)", TypeCode::UniqueIdentifier, false,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, "03020100-0504-0706-0809-0A0B0C0D0E0F"},
        {"varbinary", "varbinary(10)", TypeCode::VarBinary, true, {0x00, 0xFF}, "0x00FF"},
        {"varbinary empty", "varbinary(10)", TypeCode::VarBinary, true, {}, "0x"},
        {"varchar", "varchar(20)", TypeCode::VarChar, true, bytesOf("hello"), "hello"},
        {"varchar empty", "varchar(20)", TypeCode::VarChar, true, {}, ""},
        {"sql_variant int", "sql_variant(8016)", TypeCode::SqlVariant, true, concat({{56, 1}, le(42, 4)}), "42"},
        {"money", "money(8)", TypeCode::Money, false, le(12345678, 8), "1234.5678"},
        {"float", "float(8)", TypeCode::Float, false, le(halfBits, 8), "0.5"},
        {"numeric", "numeric(5)", TypeCode::Numeric, false, concat({{1}, le(55, 4)}), "0.55", 5, 2},
        {"decimal", "decimal(5)", TypeCode::Decimal, false, concat({{0}, le(555, 4)}), "-5.55", 5, 2},
        {"smalldatetime", "smalldatetime(4)", TypeCode::SmallDateTime, false, concat({le(61, 2), le(1, 2)}),
         "1900-01-02 01:01:00"},
        {"real", "real(4)", TypeCode::Real, false, le(realBits, 4), "0.15"},
        {"smallmoney", "smallmoney(4)", TypeCode::SmallMoney, false, le(uint32_t(-123), 4), "-0.0123"},
        {"timestamp", "timestamp(8)", TypeCode::Timestamp, false, le(1ull << 56, 8), "0x0000000000000001"},
        {"hierarchyid", "hierarchyid(892)", TypeCode::HierarchyId, true, {0x58}, "0x58"},
        {"geometry", "geometry(-1)", TypeCode::Geometry, true, {0xE6, 0x10}, "E610"},
        {"geography", "geography(-1)", TypeCode::ClrType, true, {0xE6, 0x10}, "0xE610"},
    };
}

TEST(RowsDecoder, EveryTypeCodeInTheRow) {
    RunContext context;
    for (const TypeCase& c : typeCases()) {
        SCOPED_TRACE(c.label);
        ColumnDescriptor column = storedColumn(c.typeText, c.label, c.code, 2, c.variable ? -1 : 8, 2);
        column.typeCode = c.code;
        column.precision = c.precision;
        column.scale = c.scale;
        std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1), column};
        OrdinaryRecord record;
        record.columnCount = 2;
        record.fixed = le(7, 4);
        if (c.variable) record.variable.push_back({c.bytes, false});
        else record.fixed.insert(record.fixed.end(), c.bytes.begin(), c.bytes.end());
        auto rows = decodeRecordsOnPage({record.build()}, layout, context);
        ASSERT_EQ(rows.size(), 1u);
        ASSERT_EQ(rows[0].size(), 2u);
        EXPECT_EQ(rows[0].text(0), "7");
        EXPECT_FALSE(rows[0].isNull(1));
        EXPECT_EQ(rows[0].text(1), c.expected);
    }
}

TEST(RowsDecoder, XmlInTheRowGoesThroughTheConverter) {
    RunContext context;
    std::vector<ColumnDescriptor> layout = {storedColumn("xml(-1)", "doc", TypeCode::Xml, 1, -1, 1)};
    OrdinaryRecord record;
    record.columnCount = 1;
    record.variable.push_back({smallXml(), false});
    auto rows = decodeRecordsOnPage({record.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    ByteVector xml = smallXml();
    std::string expected = convertValueBytes(Bytes(xml.data(), xml.size()));
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(rows[0].text(0), expected);
}

TEST(RowsDecoder, NullIsToldFromTheTextNull) {
    RunContext context;
    std::vector<ColumnDescriptor> layout = {
        storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1),
        storedColumn("int(4)", "count", TypeCode::Int, 2, 8, 2),
        storedColumn("varchar(10)", "word", TypeCode::VarChar, 3, -1, 3),
        storedColumn("varchar(10)", "other", TypeCode::VarChar, 4, -2, 4),
    };
    OrdinaryRecord nulls;
    nulls.columnCount = 4;
    nulls.fixed = concat({le(1, 4), le(0, 4)});
    nulls.nulls = {false, true, false, true};
    nulls.variable.push_back({bytesOf("NULL"), false});  // the trailing NULL column is not stored
    auto rows = decodeRecordsOnPage({nulls.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].isNull(1));
    EXPECT_EQ(rows[0].displayText(1), "NULL");
    EXPECT_FALSE(rows[0].isNull(2));
    EXPECT_EQ(rows[0].text(2), "NULL");
    EXPECT_TRUE(rows[0].isNull(3));
}

TEST(RowsDecoder, BitColumnsShareBytesLeastSignificantFirst) {
    RunContext context;
    std::vector<ColumnDescriptor> layout;
    for (int i = 0; i < 9; ++i)
        layout.push_back(storedColumn("bit(1)", "b" + std::to_string(i), TypeCode::Bit, i + 1, i < 8 ? 4 : 5, i + 1));
    OrdinaryRecord record;
    record.columnCount = 9;
    record.fixed = {0xA5, 0x01};  // 1010 0101, then the ninth bit set
    record.nulls = {false, false, true};  // the third bit column is NULL
    auto rows = decodeRecordsOnPage({record.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    const char* expected[] = {"True", "False", "", "False", "False", "True", "False", "True", "True"};
    for (size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[0].text(i), expected[i]);
        EXPECT_EQ(rows[0].isNull(i), i == 2);
    }
}

TEST(RowsDecoder, ColumnsAreFoundByLeafOffsetWhateverTheirOrder) {
    RunContext context;
    // The physical order differs from the column order: the char column
    // lies first, the variable columns are numbered backwards.
    std::vector<ColumnDescriptor> layout = {
        storedColumn("int(4)", "id", TypeCode::Int, 1, 7, 2),
        storedColumn("char(3)", "code", TypeCode::Char, 2, 4, 1),
        storedColumn("varchar(9)", "first", TypeCode::VarChar, 3, -2, 3),
        storedColumn("varchar(9)", "second", TypeCode::VarChar, 4, -1, 4),
    };
    OrdinaryRecord record;
    record.columnCount = 4;
    record.fixed = concat({bytesOf("abc"), le(99, 4)});
    record.variable = {{bytesOf("two"), false}, {bytesOf("one"), false}};
    auto rows = decodeRecordsOnPage({record.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].texts(), (std::vector<std::string>{"99", "abc", "one", "two"}));
}

TEST(RowsDecoder, AColumnAddedAfterTheRecordWasWrittenIsNull) {
    RunContext context;
    std::vector<ColumnDescriptor> layout = {
        storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1),
        storedColumn("int(4)", "added", TypeCode::Int, 2, 8, 2),
        storedColumn("varchar(9)", "note", TypeCode::VarChar, 3, -1, 3),
    };
    OrdinaryRecord old;
    old.columnCount = 1;
    old.fixed = le(5, 4);
    auto rows = decodeRecordsOnPage({old.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(0), "5");
    EXPECT_TRUE(rows[0].isNull(1));
    EXPECT_TRUE(rows[0].isNull(2));
}

TEST(RowsDecoder, AComputedColumnKeepsItsLayoutText) {
    RunContext context;
    ColumnDescriptor computed("int(4)", "total", int32_t(TypeCode::Int));
    computed.physicalColumnId = kNotStored;
    computed.infoText = "([a]+[b])";
    std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "a", TypeCode::Int, 1, 4, 1), computed,
                                            storedColumn("int(4)", "b", TypeCode::Int, 3, 8, 2)};
    OrdinaryRecord record;
    record.columnCount = 2;
    record.fixed = concat({le(1, 4), le(2, 4)});
    auto rows = decodeRecordsOnPage({record.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].texts(), (std::vector<std::string>{"1", "([a]+[b])", "2"}));
}

// A sparse vector: complex column of type 5 holding (column id, value) pairs.
ByteVector sparseVector(const std::vector<std::pair<uint16_t, ByteVector>>& entries) {
    ByteVector out = {5, 0};
    fixtures::appendU16(out, uint16_t(entries.size()));
    for (const auto& entry : entries) fixtures::appendU16(out, entry.first);
    size_t end = 4 + 4 * entries.size();
    for (const auto& entry : entries) {
        end += entry.second.size();
        fixtures::appendU16(out, uint16_t(end));
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.second.begin(), entry.second.end());
    return out;
}

TEST(RowsDecoder, SparseColumnsFindTheirOwnValuesInAnyOrder) {
    RunContext context;
    ColumnDescriptor first = storedColumn("int(4)", "s1", TypeCode::Int, 2, 0, 0);
    ColumnDescriptor second = storedColumn("varchar(10)", "s2", TypeCode::VarChar, 3, 0, 0);
    ColumnDescriptor third = storedColumn("int(4)", "s3", TypeCode::Int, 4, 0, 0);
    first.sparse = second.sparse = third.sparse = true;
    std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1), first, second,
                                            third};
    OrdinaryRecord record;
    record.columnCount = 2;
    record.fixed = le(1, 4);
    record.variable.push_back({sparseVector({{3, bytesOf("xyz")}, {2, le(77, 4)}}), true});
    auto rows = decodeRecordsOnPage({record.build()}, layout, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(1), "77");
    EXPECT_EQ(rows[0].text(2), "xyz");
    EXPECT_TRUE(rows[0].isNull(3));  // no entry: the sparse column is NULL
}

TEST(RowsDecoder, GhostRecordsOnlyWithShowDeleted) {
    std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1)};
    OrdinaryRecord live;
    live.columnCount = 1;
    live.fixed = le(1, 4);
    OrdinaryRecord ghost = live;
    ghost.recordType = 6;
    ghost.fixed = le(2, 4);
    RunContext context;
    EXPECT_EQ(decodeRecordsOnPage({live.build(), ghost.build()}, layout, context).size(), 1u);
    context.options.showDeleted = true;
    auto rows = decodeRecordsOnPage({live.build(), ghost.build()}, layout, context);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].text(0), "2");
    EXPECT_TRUE(rows[1].ghost);
    EXPECT_FALSE(rows[0].ghost);
}

TEST(RowsDecoder, RemovedRecordsFoundByThePageBodyScan) {
    // The scan knows a record start by its first four bytes, 30 00 84 00:
    // a record with a null bitmap, variable columns and 128 fixed bytes.
    std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1),
                                            storedColumn("char(124)", "pad", TypeCode::Char, 2, 8, 2),
                                            storedColumn("varchar(9)", "name", TypeCode::VarChar, 3, -1, 3)};
    auto record = [](uint32_t id, const std::string& name) {
        OrdinaryRecord r;
        r.columnCount = 3;
        r.fixed = concat({le(id, 4), ByteVector(124, ' ')});
        r.variable.push_back({bytesOf(name), false});
        return r.build();
    };
    PageBuilder builder(200, 1977058079, 1);
    builder.addRecord(record(1, "kept"));
    builder.addUnslotted(record(2, "removed"));
    for (bool scan : {false, true}) {
        RunContext context;
        context.options.showDeleted = true;
        context.options.showAdvancedDeleted = scan;
        CDataPage page(builder.build(), nullptr, RecordPageOptions::from(context, &layout));
        LargeValueReader reader(nullptr, context);
        std::vector<DecodedRow> rows;
        decodeRecords(page, layout, {}, context, reader, rows);
        ASSERT_EQ(rows.size(), scan ? 2u : 1u);
        EXPECT_EQ(rows[0].text(2), "kept");
        if (scan) {
            EXPECT_EQ(rows[1].text(0), "2");
            EXPECT_EQ(rows[1].text(2), "removed");
        }
    }
}

TEST(RowsDecoder, ForwardedRecordsAreReadThroughTheirStubsOnly) {
    RunContext context;
    std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1)};
    OrdinaryRecord forwarded;
    forwarded.recordType = 1;
    forwarded.columnCount = 1;
    forwarded.fixed = le(3, 4);
    EXPECT_TRUE(decodeRecordsOnPage({forwarded.build()}, layout, context).empty());
    // A stub whose target cannot be read has no parts and gives no row.
    EXPECT_TRUE(decodeRecordsOnPage({fixtures::forwardingStub(1, 9999, 0)}, layout, context).empty());
}

TEST(RowsDecoder, LegacyPlacementUsesTheRowOffsets) {
    RunContext context;
    context.legacyCatalog = true;
    std::vector<ColumnDescriptor> layout = {
        storedColumn("int(4)", "id", TypeCode::Int, 1, 0, 0),
        storedColumn("varchar(9)", "a", TypeCode::VarChar, 2, 0, 0),
        storedColumn("smallint(2)", "n", TypeCode::SmallInt, 3, 0, 0),
        storedColumn("varchar(9)", "b", TypeCode::VarChar, 4, 0, 0),
    };
    layout[0].legacyRowOffset = 6;
    layout[1].legacyRowOffset = -2;  // the second variable column
    layout[2].legacyRowOffset = 4;
    layout[3].legacyRowOffset = -1;
    OrdinaryRecord record;
    record.columnCount = 4;
    record.fixed = concat({le(12, 2), le(34, 4)});
    record.variable = {{bytesOf("bee"), false}, {bytesOf("ay"), false}};
    record.nulls = {false, false, false, false};
    auto rows = decodeRecordsOnPage({record.build()}, layout, context, LayoutForm::Legacy);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].texts(), (std::vector<std::string>{"34", "ay", "12", "bee"}));
}

TEST(RowsDecoder, DefinitionRowsTakeColumnsInOrderWithoutNullTests) {
    RunContext context;
    std::vector<ColumnDescriptor> layout = {
        ColumnDescriptor("tinyint(1)", "valclass", int32_t(TypeCode::TinyInt)),
        ColumnDescriptor("int(4)", "objid", int32_t(TypeCode::Int)),
        ColumnDescriptor("int(4)", "subobjid", int32_t(TypeCode::Int)),
        ColumnDescriptor("int(4)", "valnum", int32_t(TypeCode::Int)),
        ColumnDescriptor("sql_variant(8016)", "value", int32_t(TypeCode::SqlVariant)),
        ColumnDescriptor("varbinary(-1)", "imageval", int32_t(TypeCode::VarBinary)),
    };
    OrdinaryRecord record;
    record.columnCount = 6;
    record.fixed = concat({{1}, le(123, 4), le(0, 4), le(0, 4)});
    record.nulls = {true, true, true, true, true, false};  // a definition read ignores the bitmap
    record.variable = {{{}, false}, {fixtures::utf16le("AS"), false}};
    PageBuilder builder(200, 60, 1);
    builder.addRecord(record.build());
    CDataPage page(builder.build(), nullptr, RecordPageOptions::from(context));
    auto rows = decodeDefinitionPageRows(page, layout, LayoutForm::Legacy, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(1), "123");
    EXPECT_EQ(rows[0].text(5), "0x41005300");
}

TEST(RowsDecoder, APageThatIsNoDataPageGivesNoRows) {
    test::RowsFixtureFile fixture;
    std::vector<ColumnDescriptor> layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1)};
    OrdinaryRecord record;
    record.columnCount = 1;
    record.fixed = le(1, 4);
    PageBuilder data(20, 1977058079, 1);
    data.addRecord(record.build());
    PageBuilder index(21, 1977058079, 2);
    index.addRecord(record.build());
    fixture.image.setPage(20, data.build());
    fixture.image.setPage(21, index.build());
    DatabaseFile& file = fixture.open();
    EXPECT_EQ(decodePageRows(file, {1, 20}, layout, LayoutForm::Rowset).size(), 1u);
    EXPECT_TRUE(decodePageRows(file, {1, 21}, layout, LayoutForm::Rowset).empty());
    EXPECT_TRUE(decodePageRows(file, {1, 999}, layout, LayoutForm::Rowset).empty());
}

TEST(RowsDecoder, CharacterDataTakesTheCodePageOfItsCollation) {
    RunContext context;
    context.options.collationKnown = true;
    context.options.databaseCollationId = 53250;
    context.options.databaseCodePage = 1251;
    ColumnDescriptor column = storedColumn("varchar(9)", "word", TypeCode::VarChar, 1, -1, 1);
    column.collationId = 53250;
    OrdinaryRecord record;
    record.columnCount = 1;
    record.variable.push_back({{0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2}, false});
    auto rows = decodeRecordsOnPage({record.build()}, {column}, context);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(0), "Привет");
}

}  // namespace
}  // namespace pw
