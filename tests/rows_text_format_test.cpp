// Decoded rows as TSV, CSV and JSON lines: NULL against empty against the
// text "NULL", and the escapes of each format.

#include <gtest/gtest.h>

#include "values/RowTextFormat.h"

namespace pw {
namespace {

DecodedRow sampleRow() {
    DecodedRow row;
    row.append("plain");
    row.appendNull();
    row.append("");
    row.append("NULL");
    row.append("tab\there\nline\rback\\slash \"quoted\", comma");
    return row;
}

TEST(RowsTextFormat, TsvEscapesAndWritesNullAsBackslashN) {
    std::string out;
    appendRowLine(out, sampleRow(), RowTextFormat::Tsv);
    EXPECT_EQ(out, "plain\t\\N\t\tNULL\ttab\\there\\nline\\rback\\\\slash \"quoted\", comma\n");
}

TEST(RowsTextFormat, CsvQuotesEveryValueButNull) {
    std::string out;
    appendRowLine(out, sampleRow(), RowTextFormat::Csv);
    EXPECT_EQ(out, "\"plain\",,\"\",\"NULL\",\"tab\there\nline\rback\\slash \"\"quoted\"\", comma\"\n");
}

TEST(RowsTextFormat, JsonWritesNullAsNull) {
    std::string out;
    appendRowLine(out, sampleRow(), RowTextFormat::Json);
    EXPECT_EQ(out, "[\"plain\",null,\"\",\"NULL\",\"tab\\there\\nline\\rback\\\\slash \\\"quoted\\\", comma\"]\n");
    std::string control;
    appendJsonString(control, std::string("\x01", 1));
    EXPECT_EQ(control, "\"\\u0001\"");
}

TEST(RowsTextFormat, HeaderLines) {
    std::string tsv, csv, json;
    appendHeaderLine(tsv, {"Order ID", "Ship\tVia"}, RowTextFormat::Tsv);
    appendHeaderLine(csv, {"Order ID", "x"}, RowTextFormat::Csv);
    appendHeaderLine(json, {"Order ID", "x"}, RowTextFormat::Json);
    EXPECT_EQ(tsv, "Order ID\tShip\\tVia\n");
    EXPECT_EQ(csv, "\"Order ID\",\"x\"\n");
    EXPECT_EQ(json, "[\"Order ID\",\"x\"]\n");
}

TEST(RowsTextFormat, DecodedRowKeepsTextsAndNulls) {
    DecodedRow row = sampleRow();
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ(row.displayText(1), "NULL");
    EXPECT_TRUE(row.isNull(1));
    EXPECT_FALSE(row.isNull(3));
    EXPECT_EQ(row.text(3), "NULL");
    EXPECT_EQ(row.text(2), "");
    EXPECT_TRUE(row.isNull(99));
    EXPECT_EQ(row.texts().size(), 5u);
}

}  // namespace
}  // namespace pw
