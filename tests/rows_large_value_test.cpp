// Large values: text pointers and in-row roots followed through SMALL_ROOT,
// INTERNAL, DATA and large-root records at two levels; row overflow; xml
// off the row; listing placeholders; character data never narrowed; a
// link cycle and absurd nesting end.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/RowsFixtureFile.h"
#include "tools/fixtures/LobFixtures.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"
#include "tools/fixtures/TableFixtures.h"
#include "values/BinaryXml.h"
#include "values/Internal.h"
#include "values/LargeRootYukon.h"
#include "values/LobSData.h"
#include "values/RowDecoder.h"
#include "values/SmallRoot.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;
using fixtures::LobLink;
using fixtures::OrdinaryRecord;
using fixtures::PageBuilder;
using fixtures::rowId;
using fixtures::storedColumn;

constexpr int32_t kObject = 1977058079;
constexpr int32_t kDataPage = 20;

ByteVector bytesOf(const std::string& text) { return ByteVector(text.begin(), text.end()); }

// A fixture file with text-mix pages and one data page at page 20 whose
// single record holds an int and one complex column.
class RowsLargeValues : public ::testing::Test {
protected:
    // Places records on text-mix page `page`, slot by slot.
    void textPage(int32_t page, const std::vector<ByteVector>& records) {
        PageBuilder builder(page, kObject, 3, 1, 256);
        for (const ByteVector& record : records) builder.addRecord(record);
        fixture.image.setPage(uint32_t(page), builder.build());
    }

    // Decodes the data row whose second column holds `complexBytes`.
    DecodedRow row(const ColumnDescriptor& column, const ByteVector& complexBytes) {
        OrdinaryRecord record;
        record.columnCount = 2;
        record.fixed = {7, 0, 0, 0};
        record.variable.push_back({complexBytes, true});
        PageBuilder page(kDataPage, kObject, 1);
        page.addRecord(record.build());
        fixture.image.setPage(kDataPage, page.build());
        DatabaseFile& file = fixture.open();
        layout = {storedColumn("int(4)", "id", TypeCode::Int, 1, 4, 1), column};
        auto rows = decodePageRows(file, {1, kDataPage}, layout, LayoutForm::Rowset);
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? DecodedRow() : rows[0];
    }

    static ColumnDescriptor column(const char* typeText, TypeCode code) {
        ColumnDescriptor c = storedColumn(typeText, "value", code, 2, -1, 2);
        c.typeCode = code;
        return c;
    }

    test::RowsFixtureFile fixture;
    std::vector<ColumnDescriptor> layout;
};

TEST_F(RowsLargeValues, TextPointerToASmallRootOfNtext) {
    textPage(30, {fixtures::smallRootRecord(fixtures::utf16le("AB"))});
    DecodedRow r = row(column("ntext(16)", TypeCode::NText), fixtures::textPointer(rowId(30, 0)));
    EXPECT_FALSE(r.isNull(1));
    EXPECT_EQ(r.text(1), "AB");
}

TEST_F(RowsLargeValues, UnicodeIsNeverNarrowedAndSurvivesAnOddSplit) {
    ByteVector text = fixtures::utf16le("Ωμέγα 中文 AZ");
    ByteVector first(text.begin(), text.begin() + 3);  // the split falls inside a character
    ByteVector second(text.begin() + 3, text.end());
    textPage(30, {fixtures::largeRootRecord({{rowId(31, 0), 3}, {rowId(32, 0), uint32_t(second.size())}})});
    textPage(31, {fixtures::dataRecord(first)});
    textPage(32, {fixtures::dataRecord(second)});
    DecodedRow r = row(column("ntext(16)", TypeCode::NText), fixtures::textPointer(rowId(30, 0)));
    EXPECT_EQ(r.text(1), "Ωμέγα 中文 AZ");
}

TEST_F(RowsLargeValues, TextGoesThroughItsCollationCodePage) {
    fixture.context.options.collationKnown = true;
    fixture.context.options.databaseCollationId = 53250;
    fixture.context.options.databaseCodePage = 1251;
    textPage(30, {fixtures::smallRootRecord({0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2})});
    ColumnDescriptor text = column("text(16)", TypeCode::Text);
    text.collationId = 53250;
    EXPECT_EQ(row(text, fixtures::textPointer(rowId(30, 0))).text(1), "Привет");
}

TEST_F(RowsLargeValues, ImageThroughALargeRootWithTwoDataPieces) {
    textPage(30, {fixtures::largeRootRecord({{rowId(31, 0), 2}, {rowId(31, 1), 3}})});
    textPage(31, {fixtures::dataRecord({0x00, 0x01}), fixtures::dataRecord({0x02, 0x03, 0xFF})});
    EXPECT_EQ(row(column("image(16)", TypeCode::Image), fixtures::textPointer(rowId(30, 0))).text(1),
              "0x00010203FF");
}

TEST_F(RowsLargeValues, TreesOfTwoLevelsThroughInternalNodes) {
    // root -> INTERNAL (two DATA) and INTERNAL (one DATA)
    textPage(30, {fixtures::largeRootRecord({{rowId(31, 0), 4}, {rowId(31, 1), 2}}, 1)});
    textPage(31, {fixtures::internalRecord({{rowId(32, 0), 2}, {rowId(32, 1), 4}}),
                  fixtures::internalRecord({{rowId(33, 0), 2}})});
    textPage(32, {fixtures::dataRecord(bytesOf("ab")), fixtures::dataRecord(bytesOf("cd"))});
    textPage(33, {fixtures::dataRecord(bytesOf("ef"))});
    EXPECT_EQ(row(column("text(16)", TypeCode::Text), fixtures::textPointer(rowId(30, 0))).text(1), "abcdef");
}

TEST_F(RowsLargeValues, MissingPartsGiveAnEmptyValueNotNull) {
    textPage(30, {fixtures::smallRootRecord({})});
    DecodedRow beyond = row(column("text(16)", TypeCode::Text), fixtures::textPointer(rowId(30, 5)));
    EXPECT_FALSE(beyond.isNull(1));
    EXPECT_EQ(beyond.text(1), "");
    DecodedRow empty = row(column("image(16)", TypeCode::Image), fixtures::textPointer(rowId(30, 0)));
    EXPECT_EQ(empty.text(1), "0x");
}

TEST_F(RowsLargeValues, RowOverflowRootWithAStrayFileNumber) {
    textPage(30, {fixtures::dataRecord(bytesOf("overflowing text"))});
    ByteVector root = fixtures::inRowRoot(2, {{rowId(30, 0, 1500), 16}});
    EXPECT_EQ(row(column("varchar(8000)", TypeCode::VarChar), root).text(1), "overflowing text");
}

TEST_F(RowsLargeValues, MaxValueOutOfTheRowSkipsEmptyLinks) {
    textPage(30, {fixtures::dataRecord({0xDE, 0xAD}), fixtures::dataRecord({0xBE, 0xEF})});
    ByteVector root = fixtures::inRowRoot(4, {{rowId(30, 0), 2}, {rowId(30, 9), 0}, {rowId(30, 1), 2}});
    EXPECT_EQ(row(column("varbinary(-1)", TypeCode::VarBinary), root).text(1), "0xDEADBEEF");
}

TEST_F(RowsLargeValues, XmlOffTheRowIsConverted) {
    ByteVector xml = {0xDF, 0xFF, 0x01, 0xB0, 0x04, 0xF0, 0x01, 'a', 0x00, 0xEF, 0x00, 0x00, 0x01,
                      0xF8, 0x01, 0xF5, 0xF7};
    ByteVector head(xml.begin(), xml.begin() + 7), tail(xml.begin() + 7, xml.end());
    textPage(30, {fixtures::dataRecord(head), fixtures::dataRecord(tail)});
    ByteVector root = fixtures::inRowRoot(4, {{rowId(30, 0), 7}, {rowId(30, 1), uint32_t(tail.size())}});
    std::string expected = convertValueBytes(Bytes(xml.data(), xml.size()));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(row(column("xml(-1)", TypeCode::Xml), root).text(1), expected);
}

TEST_F(RowsLargeValues, ListingShowsPlaceholdersButReadsRowOverflow) {
    fixture.context.listingInProgress = true;
    textPage(30, {fixtures::dataRecord(bytesOf("read anyway"))});
    EXPECT_EQ(row(column("image(16)", TypeCode::Image), fixtures::textPointer(rowId(30, 0))).text(1),
              "<BINARY DATA>");
    EXPECT_EQ(row(column("varbinary(-1)", TypeCode::VarBinary), fixtures::inRowRoot(4, {{rowId(30, 0), 11}})).text(1),
              "<BIG BINARY DATA>");
    EXPECT_EQ(row(column("varchar(8000)", TypeCode::VarChar), fixtures::inRowRoot(2, {{rowId(30, 0), 11}})).text(1),
              "read anyway");
}

TEST_F(RowsLargeValues, ALinkCycleEnds) {
    // root -> INTERNAL A -> (DATA, INTERNAL B) ; B -> (A, root, itself)
    textPage(30, {fixtures::largeRootRecord({{rowId(31, 0), 1}}, 2)});
    textPage(31, {fixtures::internalRecord({{rowId(32, 0), 1}, {rowId(31, 1), 2}}),
                  fixtures::internalRecord({{rowId(31, 0), 1}, {rowId(30, 0), 1}, {rowId(31, 1), 1}})});
    textPage(32, {fixtures::dataRecord(bytesOf("x"))});
    EXPECT_EQ(row(column("text(16)", TypeCode::Text), fixtures::textPointer(rowId(30, 0))).text(1), "x");
}

TEST_F(RowsLargeValues, AbsurdNestingEnds) {
    // Forty INTERNAL nodes, each linking to the next, the last to a DATA piece.
    const int depth = 40;
    fixture.image = fixtures::DatabaseImage(96);
    fixture.image.addStandardPages("rows", 661, 872468488);
    for (int k = 0; k < depth; ++k)
        textPage(30 + k, {fixtures::internalRecord({{rowId(31 + k, 0), 1}})});
    textPage(30 + depth, {fixtures::dataRecord(bytesOf("deep"))});
    DecodedRow r = row(column("text(16)", TypeCode::Text), fixtures::textPointer(rowId(30, 0)));
    EXPECT_FALSE(r.isNull(1));
    EXPECT_EQ(r.text(1), "");  // deeper than any real tree: not followed
}

TEST_F(RowsLargeValues, OverlappingRecordsCannotInflateAValue) {
    // A damaged page whose fifty slots all point at one 7000-byte piece.
    std::vector<LobLink> links;
    for (int16_t slot = 0; slot < 50; ++slot) links.push_back({rowId(31, slot), 7000});
    textPage(30, {fixtures::largeRootRecord(links)});
    PageBuilder damaged(31, kObject, 3, 1, 256);
    damaged.addRecord(fixtures::dataRecord(ByteVector(7000, 0xAB)));
    for (int slot = 1; slot < 50; ++slot) damaged.addSlot(96);
    fixture.image.setPage(31, damaged.build());
    DecodedRow r = row(column("image(16)", TypeCode::Image), fixtures::textPointer(rowId(30, 0)));
    // No more bytes than the two pages the value was read from hold.
    EXPECT_LE(r.text(1).size(), 2 + 2 * 2 * 8192u);
    EXPECT_GE(r.text(1).size(), 2 + 2 * 7000u);
}

TEST(RowsLargeValueStructures, PartsAreReadOnlyWithinTheRecordData) {
    ByteVector smallRoot = fixtures::lobRecord(0, fixtures::smallRootBody(bytesOf("hello")));
    Bytes smallData = Bytes(smallRoot).subspan(4);
    EXPECT_EQ(SmallRoot(nullptr, smallData).value().size(), 5u);
    // A length beyond the record: only what the record holds.
    EXPECT_EQ(SmallRoot(nullptr, smallData.first(smallData.size() - 2)).value().size(), 3u);
    ByteVector tooLong = smallRoot;
    tooLong[14] = 0x01;
    tooLong[15] = 0x30;  // 0x3001 > 8192
    EXPECT_TRUE(SmallRoot(nullptr, Bytes(tooLong).subspan(4)).value().empty());

    ByteVector internal = fixtures::internalRecord({{rowId(5, 1), 9}, {rowId(6, 2), 18}});
    Internal node(nullptr, Bytes(internal).subspan(4));
    ASSERT_EQ(node.links.size(), 2u);
    EXPECT_EQ(node.links[1].rowId, rowId(6, 2));
    EXPECT_EQ(node.links[1].offset, 18u);
    Internal cut(nullptr, Bytes(internal).subspan(4, internal.size() - 4 - 1));
    EXPECT_EQ(cut.links.size(), 1u);

    ByteVector root = fixtures::largeRootRecord({{rowId(7, 3), 100}});
    LargeRootYukon large(nullptr, Bytes(root).subspan(4));
    ASSERT_EQ(large.links.size(), 1u);
    EXPECT_EQ(large.links[0].size, 100u);
    EXPECT_EQ(large.links[0].rowId, rowId(7, 3));

    ByteVector data = fixtures::dataRecord({0, 1, 2, 3, 4, 5, 6, 7, 8, 0xFF});
    LobSData piece(nullptr, Bytes(data).subspan(4));
    EXPECT_EQ(piece.hexText(10), "000102030405060708FF");
    EXPECT_EQ(piece.hexText(2), "0001");
}

}  // namespace
}  // namespace pw
