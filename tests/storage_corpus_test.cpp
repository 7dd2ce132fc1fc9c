// Every corpus file opens; its boot page facts equal the manifest and its
// page counts by type equal the reference counts; damaged copies behave.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "tests/TestSupport.h"

namespace pw {
namespace {

using Row = std::map<std::string, std::string>;

using test::readTsv;

TEST(StorageCorpus, BootFactsAndPageCountsMatchReference) {
    PW_REQUIRE_CORPUS();
    auto manifest = readTsv(test::corpusDir() / "MANIFEST.tsv");
    auto pageCounts = readTsv(test::corpusDir() / "truth" / "pages.tsv");
    ASSERT_FALSE(manifest.empty());
    for (const Row& entry : manifest) {
        SCOPED_TRACE(entry.at("file"));
        RunContext context;
        DatabaseFile file(test::corpusFile(entry.at("file")).string(), false, context);
        ASSERT_TRUE(file.isOpen());
        EXPECT_EQ(file.pageOrigin, 0u);
        file.loadDatabaseName();
        ASSERT_TRUE(file.bootPage.has_value());
        EXPECT_EQ(std::to_string(file.bootPage->version), entry.at("version"));
        EXPECT_EQ(std::to_string(file.bootPage->createVersion), entry.at("create_version"));
        EXPECT_EQ(file.databaseName, entry.at("db_name"));
        EXPECT_EQ(std::to_string(file.bootPage->collationId), entry.at("collation_id"));
        EXPECT_NE(context.versionText, "Unknown SQL Version");
        std::map<int32_t, uint64_t> expected;
        for (const Row& count : pageCounts)
            if (count.at("file") == entry.at("file"))
                expected[std::stoi(count.at("page_type"))] = std::stoull(count.at("count"));
        EXPECT_EQ(file.pageTypeCounts, expected);
    }
}

class DamagedCopies : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::corpusDir().empty()) return;
        original = test::readFileBytes(test::corpusFile("v655_northwind_script2008.mdf"));
    }
    std::unique_ptr<DatabaseFile> open(const std::vector<uint8_t>& bytes, test::RecordingSink& sink) {
        test::writeFileBytes(dir.file("copy.mdf"), bytes);
        context.sink = &sink;
        return std::make_unique<DatabaseFile>(dir.file("copy.mdf").string(), false, context);
    }
    size_t mappedPages(const DatabaseFile& file) {
        size_t count = 0;
        for (const auto& [id, pages] : file.systemPageMap) count += pages.size();
        return count;
    }
    test::TempDir dir;
    RunContext context;
    std::vector<uint8_t> original;
};

TEST_F(DamagedCopies, ShiftedAppendedAndCutFilesStillMap) {
    PW_REQUIRE_CORPUS();
    test::RecordingSink sink;
    auto healthy = open(original, sink);
    ASSERT_TRUE(healthy->isOpen());
    auto healthyMaps = healthy->systemPageMap;

    std::vector<uint8_t> prefixed(100, 0x5A);
    prefixed.insert(prefixed.end(), original.begin(), original.end());
    auto shifted = open(prefixed, sink);
    ASSERT_TRUE(shifted->isOpen());
    EXPECT_EQ(shifted->pageOrigin, 100u);
    EXPECT_EQ(mappedPages(*shifted), mappedPages(*healthy));
    shifted->loadDatabaseName();
    EXPECT_EQ(shifted->databaseName, "C:\\DBS\\NORTHWND.MDF");

    std::vector<uint8_t> appended = original;
    appended.insert(appended.end(), 100, 0x5A);
    auto withTail = open(appended, sink);
    ASSERT_TRUE(withTail->isOpen());
    EXPECT_EQ(withTail->pageOrigin, 0u);
    EXPECT_EQ(mappedPages(*withTail), mappedPages(*healthy));

    size_t cutPages = original.size() / 8192 / 2;
    std::vector<uint8_t> cut(original.begin(), original.begin() + long(cutPages * 8192 + 3000));
    auto truncated = open(cut, sink);
    ASSERT_TRUE(truncated->isOpen());
    EXPECT_EQ(truncated->pageOrigin, 0u);
    EXPECT_EQ(truncated->pageCount, cutPages);
    for (const auto& [id, pages] : truncated->systemPageMap)
        for (const PageEntry& entry : pages) EXPECT_LT(uint64_t(entry.pageNumber), cutPages);
}

TEST_F(DamagedCopies, ZeroedBootPageGivesEmptyNameAndRunGoesOn) {
    PW_REQUIRE_CORPUS();
    test::RecordingSink sink;
    std::vector<uint8_t> bytes = original;
    std::fill(bytes.begin() + 9 * 8192, bytes.begin() + 10 * 8192, 0);
    auto file = open(bytes, sink);
    ASSERT_TRUE(file->isOpen());
    file->loadDatabaseName();
    EXPECT_EQ(file->databaseName, "");
}

TEST_F(DamagedCopies, RefusedFilesReportTheirMessage) {
    test::RecordingSink sink;
    auto tiny = open(std::vector<uint8_t>(8191, 1), sink);
    EXPECT_FALSE(tiny->isOpen());
    ASSERT_EQ(sink.errors.size(), 1u);
    EXPECT_EQ(sink.errors[0], "Wheteher File is not valid mdf file or file is highly corrupted...........");

    auto noSystemPages = open(std::vector<uint8_t>(8192 * 4, 0xFF), sink);
    EXPECT_FALSE(noSystemPages->isOpen());
    EXPECT_EQ(sink.errors.back(), "Wheteher File is not valid mdf file or file is highly corrupted...........");

    RunContext missingContext;
    test::RecordingSink missingSink;
    missingContext.sink = &missingSink;
    DatabaseFile missing(dir.file("absent.mdf").string(), false, missingContext);
    EXPECT_FALSE(missing.isOpen());
    ASSERT_EQ(missingSink.errors.size(), 1u);
    EXPECT_EQ(missingSink.errors[0], "File cannot be open...........");
}

TEST_F(DamagedCopies, OnePageFileOpensAndReadsRespectBounds) {
    test::RecordingSink sink;
    auto file = open(std::vector<uint8_t>(8192, 0), sink);
    ASSERT_TRUE(file->isOpen());
    EXPECT_EQ(file->pageCount, 1u);
    EXPECT_FALSE(file->readPage({1, 0}).has_value());
    EXPECT_TRUE(file->readPage({1, 0}, true).has_value());
    EXPECT_FALSE(file->readPage({3, 1}).has_value());
    EXPECT_FALSE(file->readPage({0, 1}).has_value());
    EXPECT_FALSE(file->readPage({1, -4}).has_value());
}

TEST_F(DamagedCopies, StopDuringMappingKeepsWhatWasFound) {
    PW_REQUIRE_CORPUS();
    struct StoppingSink : test::RecordingSink {
        RunContext* context = nullptr;
        bool mapping = false;
        void setStatusText(const std::string& text) override { mapping = text == "Mapping Database Objects..........."; }
        void setProgressPos(uint32_t position) override {
            if (mapping && position > 100) context->stopRequested = true;
        }
    } sink;
    sink.context = &context;
    auto file = open(original, sink);
    EXPECT_TRUE(file->isOpen());  // system pages were met before the stop
    EXPECT_FALSE(context.stopRequested.load());  // the open clears the request
    EXPECT_LT(mappedPages(*file), original.size() / 8192);
}

}  // namespace
}  // namespace pw
