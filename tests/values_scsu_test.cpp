// SCSU (Unicode Technical Standard #6): the standard's examples and edges.

#include <gtest/gtest.h>

#include <vector>

#include "values/Scsu.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;

TEST(ScsuDecode, StandardExamplesAndTags) {
    struct Case {
        const char* label;
        ByteVector bytes;
        const char* expected;
    } cases[] = {
        {"German", {0xD6, 0x6C, 0x20, 0x66, 0x6C, 0x69, 0x65, 0xDF, 0x74},
         "\xC3\x96l flie\xC3\x9Ft"},
        {"Russian", {0x12, 0x9C, 0xBE, 0xC1, 0xBA, 0xB2, 0xB0},
         "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
        {"quote from static window", {0x41, 0x06, 0x2C, 0x42}, "A\xE2\x82\xAC" "B"},  // SQ5: U+2080 + 0x2C
        {"quote from dynamic window", {0x03, 0x81}, "\xD0\x81"},  // SQ2: window 2 is U+0400
        {"define window", {0x18, 0x08, 0xB0}, "\xD0\xB0"},  // SD0: window 0 at 8 * 0x80
        {"unicode mode", {0x0F, 0x4E, 0x2D, 0x65, 0x87}, "\xE4\xB8\xAD\xE6\x96\x87"},
        {"unicode mode back to single byte", {0x0F, 0x4E, 0x2D, 0xE0, 0x41}, "\xE4\xB8\xAD" "A"},
        {"quoted code unit", {0x0E, 0x00, 0x0F}, "\x0F"},
        {"surrogate pair", {0x0E, 0xD8, 0x3D, 0x0E, 0xDE, 0x00}, "\xF0\x9F\x98\x80"},
        {"extended window", {0x0B, 0x01, 0xEC, 0x80}, "\xF0\x9F\x98\x80"},
        {"unpaired high surrogate", {0x0E, 0xD8, 0x3D, 0x41}, "\xEF\xBF\xBD" "A"},
        {"tag cut off", {0x41, 0x01}, "A"},
        {"controls stand for themselves", {0x09, 0x0A, 0x0D}, "\t\n\r"},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeScsu(Bytes(c.bytes)), c.expected) << c.label;
}

TEST(ScsuDecode, ValuesDecodeFromTheInitialState) {
    // A window change inside the first value does not carry into the second.
    ByteVector first = {0x12, 0x9C};
    ByteVector second = {0x9C};
    EXPECT_EQ(decodeScsu(Bytes(first)), "\xD0\x9C");
    EXPECT_EQ(decodeScsu(Bytes(second)), "\xC2\x9C");
}

TEST(ScsuDecode, EveryPrefixAndEveryByteIsSafe) {
    ByteVector bytes = {0x0F, 0x4E, 0x2D, 0xE8, 0x20, 0x81, 0x0B, 0x01, 0xEC, 0x80, 0x0E, 0xD8};
    for (size_t length = 0; length <= bytes.size(); ++length)
        decodeScsu(Bytes(bytes.data(), length));
    for (int b = 0; b < 256; ++b) {
        for (int c = 0; c < 256; c += 17) {
            ByteVector pair = {uint8_t(b), uint8_t(c), uint8_t(b)};
            decodeScsu(Bytes(pair));
        }
    }
    SUCCEED();
}

}  // namespace
}  // namespace pw
