// Rebuilding definition texts from the pieces of the object definition table.

#include <gtest/gtest.h>

#include "catalog/DefinitionText.h"

namespace pw {
namespace {

// "0x" and the bytes of `text` as UTF-16LE, upper-case digits.
std::string wideHex(const std::string& text) {
    std::string hex = "0x";
    char pair[8];
    for (char c : text) {
        std::snprintf(pair, sizeof pair, "%02X00", unsigned(uint8_t(c)));
        hex += pair;
    }
    return hex;
}

std::string narrowHex(const std::string& text) {
    std::string hex = "0x";
    char pair[4];
    for (char c : text) {
        std::snprintf(pair, sizeof pair, "%02X", unsigned(uint8_t(c)));
        hex += pair;
    }
    return hex;
}

TEST(CatalogDefinitionText, HexTextBecomesBytes) {
    EXPECT_EQ(bytesFromHexText("0x4142FF"), (std::vector<uint8_t>{0x41, 0x42, 0xFF}));
    EXPECT_TRUE(bytesFromHexText("0x").empty());
    EXPECT_TRUE(bytesFromHexText("").empty());
    EXPECT_EQ(bytesFromHexText("0x414"), (std::vector<uint8_t>{0x41}));  // a lone digit is dropped
    // Only upper-case digits are hexadecimal; others count as 0.
    EXPECT_EQ(bytesFromHexText("0x4a"), (std::vector<uint8_t>{0x40}));
}

TEST(CatalogDefinitionText, PiecesOfOneObjectAreJoinedInOrder) {
    std::vector<DefinitionRow> rows = {
        {"10", "0", wideHex("CREATE PROCEDURE p ")},
        {"11", "0", wideHex("other object")},
        {"10", "0", wideHex("AS SELECT 1 ")},
        {"10", "0", wideHex("-- end")},
    };
    EXPECT_EQ(definitionTextFor(rows, "10"), "CREATE PROCEDURE p AS SELECT 1 -- end");
    EXPECT_EQ(definitionTextFor(rows, "1"), "");  // object ids compare exactly
    EXPECT_EQ(definitionTextFor(rows, "99"), "");
}

TEST(CatalogDefinitionText, WideAndSingleBytePieces) {
    // A zero byte only at the start keeps a piece single-byte.
    std::vector<DefinitionRow> leadingZero = {{"5", "0", "0x00414243"}};
    EXPECT_EQ(definitionTextFor(leadingZero, "5"), std::string("\0ABC", 4));
    // Single-byte text of code page 1252.
    std::vector<DefinitionRow> ansi = {{"6", "0", "0x43616680"}};
    EXPECT_EQ(definitionTextFor(ansi, "6"), "Caf\xE2\x82\xAC");
    // A single-byte piece equal to the text so far is dropped.
    std::vector<DefinitionRow> repeated = {{"7", "0", narrowHex("same")}, {"7", "0", narrowHex("same")},
                                           {"7", "0", narrowHex("!")}};
    EXPECT_EQ(definitionTextFor(repeated, "7"), "same!");
    // Non-Latin UTF-16 text (recognised by the zero bytes of its ASCII part).
    std::vector<DefinitionRow> wide = {{"8", "0", "0x28006367E1542900"}};
    EXPECT_EQ(definitionTextFor(wide, "8"), "(\xE6\x9D\xA3\xE5\x93\xA1)");
    // Empty values contribute nothing.
    std::vector<DefinitionRow> empty = {{"9", "0", ""}, {"9", "0", "0x"}, {"9", "0", wideHex("x")}};
    EXPECT_EQ(definitionTextFor(empty, "9"), "x");
}

TEST(CatalogDefinitionText, ComputedColumnTextsAreFilteredBySubId) {
    std::vector<DefinitionRow> rows = {
        {"20", "1", wideHex("([a]+(1))")},
        {"20", "2", wideHex("([b]*(2))")},
        {"20", "2", ""},
        {"21", "2", wideHex("other")},
    };
    EXPECT_EQ(definitionTextFor(rows, "20", "2"), "([b]*(2))");
    EXPECT_EQ(definitionTextFor(rows, "20", "3"), "");
}

}  // namespace
}  // namespace pw
