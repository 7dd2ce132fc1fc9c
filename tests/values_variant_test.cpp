// sql_variant values: the base type in the header decides the text.

#include <gtest/gtest.h>

#include <vector>

#include "app/RunContext.h"
#include "values/ColumnReadInfo.h"
#include "values/ValueFormatter.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;

std::string variantText(const ByteVector& bytes, RunContext& context) {
    ColumnDescriptor column("sql_variant(8016)", "v", 20);
    ColumnReadInfo info = describeColumn(column, nullptr);
    return formatVariant(Bytes(bytes), info, column, context);
}

TEST(ValuesVariant, TextsByBaseType) {
    struct Case {
        const char* label;
        ByteVector bytes;
        const char* expected;
    } cases[] = {
        {"int", {56, 1, 42, 0, 0, 0}, "42"},
        {"int wrong length", {56, 1, 42, 0, 0}, ""},
        {"tinyint", {48, 1, 200}, "200"},
        {"smallint", {52, 1, 0xFF, 0xFF}, "-1"},
        {"bigint", {127, 1, 1, 0, 0, 0, 0, 0, 0, 0}, "1"},
        {"bit", {104, 1, 1}, "True"},
        {"money", {60, 1, 0x7B, 0, 0, 0, 0, 0, 0, 0}, "0.0123"},
        {"smallmoney", {122, 1, 0x40, 0x0D, 0x03, 0}, "20.0000"},
        {"datetime", {61, 1, 0x2C, 1, 0, 0, 0, 0, 0, 0}, "1900-01-01 00:00:01.000"},
        {"date", {40, 1, 0, 0, 0}, "0001-01-01"},
        {"time scale 2", {41, 1, 2, 0x39, 0x30, 0}, "00:02:03.45"},
        {"decimal", {106, 1, 5, 2, 0, 0x2B, 2, 0, 0}, "-5.55"},
        {"guid", {36, 1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         "03020100-0504-0706-0809-0A0B0C0D0E0F"},
        {"varbinary", {165, 1, 8, 0, 0xCA, 0xFE}, "0xCAFE"},
        {"binary", {173, 1, 2, 0, 0x00, 0x01}, "0x0001"},
        {"nvarchar", {231, 1, 8, 0xD0, 0, 0, 16, 0, 0x48, 0, 0x69, 0}, "Hi"},
        {"clr", {240, 1, 0xAB}, "0xAB"},
        {"unknown base type", {99, 1, 0, 0}, ""},
        {"too short", {56}, ""},
    };
    RunContext context;
    for (const auto& c : cases) EXPECT_EQ(variantText(c.bytes, context), c.expected) << c.label;
}

TEST(ValuesVariant, CharacterDataUsesTheVariantCollation) {
    RunContext context;
    context.options.collations[53272] = {"Cyrillic_General_CI_AS", 1251};
    // varchar, version, collation id 53272 (0xD018), maximum length, data.
    ByteVector cyrillic = {167, 1, 0x18, 0xD0, 0, 0, 10, 0, 0xCF, 0xF0};
    EXPECT_EQ(variantText(cyrillic, context), "\xD0\x9F\xD1\x80");
    // An unknown collation falls back to the database code page.
    ByteVector unknown = {175, 1, 0x01, 0x00, 0, 0, 10, 0, 0xE9};
    EXPECT_EQ(variantText(unknown, context), "\xC3\xA9");
}

TEST(ValuesVariant, GeneralFormatterHandsSqlVariantOver) {
    RunContext context;
    ColumnDescriptor column("sql_variant(8016)", "v", 20);
    ColumnReadInfo info = describeColumn(column, nullptr);
    ByteVector bytes = {56, 1, 7, 0, 0, 0};
    info.valueLength = int32_t(bytes.size());
    EXPECT_EQ(formatValue(Bytes(bytes), info, column, context), "7");
}

}  // namespace
}  // namespace pw
