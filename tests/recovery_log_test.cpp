#include "app/RecoveryLog.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace pw {
namespace {

std::vector<uint8_t> utf16(const std::string& ascii) {
    std::vector<uint8_t> out;
    for (char c : ascii) {
        out.push_back(uint8_t(c));
        out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> separatorBytes() { return utf16("\r\n" + std::string(80, '*') + "\r\n"); }

std::vector<uint8_t> concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

std::string folderOf(const test::TempDir& dir) { return dir.path().string() + "/"; }

TEST(RecoveryLogName, FormatsDayMonthYearHourMinuteSecondWithoutLeadingZeros) {
    struct Case {
        LogTimestamp time;
        const char* expected;
    } cases[] = {
        {{5, 3, 2014, 9, 7, 3}, "5-3-2014-9-7-3"},
        {{31, 12, 2013, 23, 59, 59}, "31-12-2013-23-59-59"},
        {{1, 1, 2000, 0, 0, 0}, "1-1-2000-0-0-0"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatLogTimestamp(c.time), c.expected);
    EXPECT_EQ(logFilePath("/logs/", {5, 3, 2014, 9, 7, 3}), "/logs/OrvexPagewright_log_5-3-2014-9-7-3.txt");
}

TEST(RecoveryLog, NewFileStartsWithByteOrderMarkAndSeparatorThenLines) {
    test::TempDir dir;
    RecoveryLog log;
    LogTimestamp time{5, 3, 2014, 9, 7, 3};
    log.open(folderOf(dir), time);
    ASSERT_TRUE(log.isOpen());
    EXPECT_EQ(log.path(), folderOf(dir) + "OrvexPagewright_log_5-3-2014-9-7-3.txt");
    log.writeLine("/data/x.mdf File is selected for recovery....");
    log.writeLine("Browse File Path:\tC:\\\\Data\\\\x.mdf\r\n");
    log.writeLine("");

    std::vector<uint8_t> expected = concat({
        {0xFF, 0xFE},
        separatorBytes(),
        utf16("/data/x.mdf File is selected for recovery....\r\n"),
        utf16("Browse File Path:\tC:\\\\Data\\\\x.mdf\r\n\r\n"),
        utf16("\r\n"),
    });
    EXPECT_EQ(test::readFileBytes(log.path()), expected);
    // The separator on its own: FF FE, 0D 00 0A 00, eighty 2A 00, 0D 00 0A 00.
    EXPECT_EQ(separatorBytes().size(), size_t(2 * (2 + 80 + 2)));
}

TEST(RecoveryLog, ReopeningTheSameNameAppendsWithoutSecondByteOrderMark) {
    test::TempDir dir;
    LogTimestamp time{31, 12, 2013, 23, 59, 59};
    {
        RecoveryLog log;
        log.open(folderOf(dir), time);
        log.writeLine("first");
        // A second run within the same second, while the first file is open.
        log.open(folderOf(dir), time);
        log.writeLine("second");
    }
    RecoveryLog later;
    later.open(folderOf(dir), time);
    later.writeLine("third");
    std::vector<uint8_t> expected = concat({
        {0xFF, 0xFE},
        separatorBytes(), utf16("first\r\n"),
        separatorBytes(), utf16("second\r\n"),
        separatorBytes(), utf16("third\r\n"),
    });
    EXPECT_EQ(test::readFileBytes(later.path()), expected);
}

TEST(RecoveryLog, WritesNonAsciiTextAsUtf16) {
    test::TempDir dir;
    RecoveryLog log;
    log.open(folderOf(dir), {1, 2, 2020, 3, 4, 5});
    log.writeLine("\xC3\xA9\xF0\x9F\x98\x80");  // U+00E9 and U+1F600 (a surrogate pair)
    std::vector<uint8_t> bytes = test::readFileBytes(log.path());
    std::vector<uint8_t> tail(bytes.end() - 10, bytes.end());
    EXPECT_EQ(tail, (std::vector<uint8_t>{0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x0D, 0x00, 0x0A, 0x00}));
}

TEST(RecoveryLog, MissingFolderIsBestEffort) {
    test::TempDir dir;
    RecoveryLog log;
    EXPECT_FALSE(log.fileExists());
    log.open(folderOf(dir) + "no/such/folder/", {1, 1, 2000, 0, 0, 0});
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(log.fileExists());
    log.writeLine("dropped");  // nothing to write to, nothing reported
    EXPECT_FALSE(log.path().empty());
}

}  // namespace
}  // namespace pw
