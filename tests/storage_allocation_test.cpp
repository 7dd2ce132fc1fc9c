// IAM pages, the IAM chain walk, large-value pages and the collation list.

#include <gtest/gtest.h>

#include "app/CollationList.h"
#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "storage/IamChain.h"
#include "storage/IamPage.h"
#include "storage/TextMixPage.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/DatabaseImage.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"

namespace pw {
namespace {

using fixtures::PageBuilder;

// An IAM page: record 0 the header (single-page slots at 42 + 6k of the
// fixed part), record 1 the extent bitmap.
PageBytes iamPage(int32_t pageNumber, std::vector<PagePointer> singles, std::vector<uint8_t> bitmap,
                  PagePointer next = {0, 0}) {
    PageBuilder builder(pageNumber, 800, 10);
    builder.setNextPage(next);
    fixtures::OrdinaryRecord head;
    head.fixed.assign(90, 0);
    for (size_t k = 0; k < singles.size() && k < 8; ++k) {
        fixtures::putU32(head.fixed, 42 + 6 * k, uint32_t(singles[k].pageNumber));
        fixtures::putU16(head.fixed, 46 + 6 * k, uint16_t(singles[k].fileNumber));
    }
    head.columnCount = 1;
    builder.addRecord(head.build());
    fixtures::OrdinaryRecord map;
    map.fixed = std::move(bitmap);
    map.columnCount = 1;
    builder.addRecord(map.build());
    return builder.build();
}

TEST(StorageAllocation, BitmapGivesExtentsFromTheIamBase) {
    RunContext context;
    IamPage iam(iamPage(600000, {}, {0x05}), nullptr, RecordPageOptions::from(context));
    auto extents = iam.extentList(1u << 20);
    ASSERT_EQ(extents.size(), 2u);
    EXPECT_EQ(extents[0].firstPage.pageNumber, 511232);
    EXPECT_EQ(extents[1].firstPage.pageNumber, 511232 + 16);
    EXPECT_EQ(extents[1].lastPage, 511232 + 23);
    EXPECT_EQ(extentPages(extents[0]).size(), 8u);
}

class IamChainFile : public ::testing::Test {
protected:
    std::unique_ptr<DatabaseFile> open(fixtures::DatabaseImage& image) {
        image.addStandardPages("iam", 661, 0);
        image.writeTo(dir.file("iam.mdf"));
        return std::make_unique<DatabaseFile>(dir.file("iam.mdf").string(), false, context);
    }
    test::TempDir dir;
    RunContext context;
};

TEST_F(IamChainFile, WalkListsSinglePagesThenExtentsAndSkipsBadSlots) {
    fixtures::DatabaseImage image(48);
    image.setPage(20, iamPage(20, {{1, 30}, {0, 31}, {1, 0}, {1, 33}}, {0x00, 0x00, 0x00, 0x00, 0x01},
                              {1, 21}));
    image.setPage(21, iamPage(21, {{1, 34}}, {}, {1, 20}));  // points back: the walk must end
    auto file = open(image);
    ASSERT_TRUE(file->isOpen());
    auto pages = iamChainPages(*file, PagePointer{1, 20});
    // Slot {0,31} (file 0) and {1,0} (page 0) are skipped; bit 32 is extent 32 = pages 256..263,
    // beyond this small file's extents, so it is not listed.
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], (PagePointer{1, 30}));
    EXPECT_EQ(pages[1], (PagePointer{1, 33}));
    EXPECT_EQ(pages[2], (PagePointer{1, 34}));
}

TEST_F(IamChainFile, ExtentsOfASmallFile) {
    fixtures::DatabaseImage image(48);
    image.setPage(20, iamPage(20, {}, {0x06}));
    auto file = open(image);
    auto pages = iamChainPages(*file, PagePointer{1, 20});
    ASSERT_EQ(pages.size(), 16u);
    EXPECT_EQ(pages.front(), (PagePointer{1, 8}));
    EXPECT_EQ(pages.back(), (PagePointer{1, 23}));
}

TEST(StorageAllocation, TextRecordLengthsAndSlots) {
    PageBuilder builder(50, 900, 3);
    std::vector<uint8_t> record = {0x08, 0x00};
    fixtures::appendU16(record, 4 + 30);
    std::vector<uint8_t> data(30, 0x41);
    fixtures::putU16(data, 8, 3);  // DATA
    record.insert(record.end(), data.begin(), data.end());
    builder.addRecord(record);
    std::vector<uint8_t> empty = {0x08, 0x00, 0x04, 0x00};
    builder.addRecord(empty);
    std::vector<uint8_t> short9 = {0x08, 0x00, 13, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    builder.addRecord(short9);
    builder.addSlot(8193);
    builder.addSlot(8192);
    std::atomic<bool> stop{false};
    TextMixPage page(builder.build(), nullptr, stop);
    ASSERT_EQ(page.records.size(), 5u);
    EXPECT_EQ(page.textRecord(0)->structureType, 3u);
    EXPECT_EQ(page.textRecord(0)->valueLength, 20);
    EXPECT_TRUE(page.textRecord(1)->data().empty());
    EXPECT_EQ(page.textRecord(2)->structureType, 8u);
    EXPECT_EQ(page.textRecord(3), nullptr);
    ASSERT_NE(page.textRecord(4), nullptr);
    EXPECT_TRUE(page.textRecord(4)->data().empty());
}

TEST_F(IamChainFile, TextMixReadCorrectsAShiftedPage) {
    fixtures::DatabaseImage image(120);
    image.setPage(100, PageBuilder(102, 900, 3).build());  // page 100 claims to be 102
    image.setPage(98, PageBuilder(98, 900, 3).build());
    auto file = open(image);
    auto page = file->readTextMixPage({1, 100});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->header().thisPage.pageNumber, 98);
}

TEST(CollationList, ParsesLinesAsSpecifiedAndLooksUpTwice) {
    CollationList list = parseCollationList(
        "A\t1\t1252\r\nB\t1\t936\n\tno\nsingle\ttab\nletters\tabc\t1250\n\n"
        "neg\t-1\t1251\nlow\t65535\t874\tignored\n");
    ASSERT_EQ(list.count(1), 1u);
    EXPECT_EQ(list.at(1).name, "B");
    EXPECT_EQ(list.at(1).codePage, 936);
    EXPECT_EQ(list.at(0).name, "letters");
    EXPECT_EQ(list.at(65535).codePage, 874);
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(findCollationKey(list, -1), std::optional<int64_t>(-1));
    list.erase(-1);
    EXPECT_EQ(findCollationKey(list, -1), std::optional<int64_t>(65535));
    EXPECT_EQ(findCollationKey(list, 77), std::nullopt);
    EXPECT_TRUE(loadCollationList("/nonexistent/collation.txt").empty());
}

}  // namespace
}  // namespace pw
