// 8-bit character data by code page, and the code page of a column.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "values/CodePageText.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;

TEST(ValuesCodePage, DecodesWindowsCodePages) {
    struct Case {
        int32_t codePage;
        ByteVector bytes;
        const char* expected;
    } cases[] = {
        {1252, {0x48, 0x80, 0xFC}, "H\xE2\x82\xAC\xC3\xBC"},
        {1252, {0x81, 0x8D, 0x8F, 0x90, 0x9D}, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {1250, {0x8A}, "\xC5\xA0"},                      // S caron
        {1251, {0xC0, 0xFF}, "\xD0\x90\xD1\x8F"},
        {1253, {0xC1}, "\xCE\x91"},
        {1254, {0xF0}, "\xC4\x9F"},
        {1255, {0xE0}, "\xD7\x90"},
        {1256, {0xC7}, "\xD8\xA7"},
        {1257, {0xC0}, "\xC4\x84"},
        {874, {0xA1}, "\xE0\xB8\x81"},
        {437, {0x82}, "\xC3\xA9"},
        {850, {0x82}, "\xC3\xA9"},
        {932, {0x93, 0xFA, 0x96, 0x7B}, "\xE6\x97\xA5\xE6\x9C\xAC"},   // 日本
        {936, {0xD6, 0xD0}, "\xE4\xB8\xAD"},                         // 中
        {949, {0xC7, 0xD1}, "\xED\x95\x9C"},                         // 한
        {950, {0xA4, 0xA4}, "\xE4\xB8\xAD"},                         // 中
        {65001, {0xE4, 0xB8, 0xAD}, "\xE4\xB8\xAD"},
        {65001, {0x41, 0xFF, 0x42}, "A\xEF\xBF\xBD" "B"},
        {932, {0x41, 0x82}, "A\xEF\xBF\xBD"},                        // cut-off lead byte
        {932, {0x82, 0x20, 0x41}, "\xEF\xBF\xBD A"},                 // bad trail byte, rest kept
        {4242, {0xE9}, "\xC3\xA9"},                                  // unknown page: 1252
        {1252, {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeCodePage(Bytes(c.bytes), c.codePage), c.expected) << c.codePage;
}

TEST(ValuesCodePage, ThreadsDecodeIndependently) {
    const ByteVector bytes = {0x93, 0xFA, 0x96, 0x7B, 0x41};
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i)
                if (decodeCodePage(Bytes(bytes), t % 2 ? 932 : 1251).empty()) ++failures[size_t(t)];
        });
    }
    for (auto& thread : threads) thread.join();
    for (int failure : failures) EXPECT_EQ(failure, 0);
}

TEST(ValuesCodePage, CodePageForColumn) {
    RecoveryOptions options;
    options.collations[53256] = {"Latin1_General_CI_AS", 1252};
    options.collations[53272] = {"Cyrillic_General_CI_AS", 1251};
    options.collations[-5] = {"Negative", 1253};
    EXPECT_EQ(codePageForColumn(53272, options), 1251);
    EXPECT_EQ(codePageForColumn(-5, options), 1253);        // sign-extended lookup
    EXPECT_EQ(codePageForColumn(12345, options), 1252);     // unknown: database code page
    options.databaseCodePage = 950;
    EXPECT_EQ(codePageForColumn(12345, options), 950);
    EXPECT_EQ(codePageForColumn(0, options), 950);
    EXPECT_EQ(codePageForColumn(-1, options), 950);
    options.collationKnown = true;
    options.databaseCollationId = 53272;
    EXPECT_EQ(codePageForColumn(53272, options), 950);      // the database collation wins
    options.databaseCodePage = 0;
    EXPECT_EQ(codePageForColumn(99, options), 1252);        // no usable database code page
}

}  // namespace
}  // namespace pw
