#include <gtest/gtest.h>

#include "storage/PageHeader.h"
#include "tools/fixtures/PageBuilder.h"

namespace pw {
namespace {

TEST(PageHeader, ParsesFieldsAndTexts) {
    fixtures::PageBuilder builder(42, 1977058079, 1, 3, 256);
    builder.setNextPage({1, 43}).setPreviousPage({1, 41}).setLevel(0).setGhostRecordCount(2);
    PageBytes page = builder.build();
    fixtures::putU32(page, 40, 16);
    fixtures::putU32(page, 44, 32);
    fixtures::putU16(page, 48, 0xFFFF);
    fixtures::putU32(page, 52, 5);
    fixtures::putU16(page, 56, 2);
    CPage_Header header(page);
    EXPECT_EQ(header.objectId, 1977058079);
    EXPECT_EQ(header.pageType, 1);
    EXPECT_EQ(header.indexId, 256);
    EXPECT_EQ(header.thisPage, (PagePointer{3, 42}));
    EXPECT_EQ(header.nextPage, (PagePointer{1, 43}));
    EXPECT_EQ(header.previousPage, (PagePointer{1, 41}));
    EXPECT_EQ(header.ghostRecordCount, 2);
    EXPECT_EQ(header.lsnText(), "( 16 : 32 : -1 )");
    EXPECT_EQ(header.transactionText(), "( 2 : 5 )");
}

TEST(PageHeader, ZeroHeaderGivesZeroFields) {
    PageBytes page(kPageSize, 0);
    CPage_Header header(page);
    EXPECT_EQ(header.objectId, 0);
    EXPECT_EQ(header.pageType, 0);
    EXPECT_EQ(header.slotCount, 0);
    EXPECT_EQ(header.thisPage, (PagePointer{0, 0}));
}

TEST(PageHeader, TornPageRepairRestoresSectorBits) {
    fixtures::PageBuilder builder(7, 5, 1);
    std::vector<uint8_t> body(8000);
    for (size_t i = 0; i < body.size(); ++i) body[i] = uint8_t(i * 7 + 3);
    builder.writeAt(100, body);
    PageBytes original = builder.build();
    PageBytes torn = builder.buildTorn(2);
    EXPECT_NE(torn, original);
    CPage_Header header(torn);
    // Sector 0 holds the header, whose flag and torn bits differ; the body matches.
    EXPECT_TRUE(std::equal(torn.begin() + 512, torn.end(), original.begin() + 512));
}

TEST(PageHeader, TornBitsAllOnesEndEverySectorInBinary11) {
    PageBytes page(kPageSize, 0);
    fixtures::putU16(page, 4, 0x0100);
    fixtures::putU32(page, 60, 0xFFFFFFFF);
    CPage_Header header(page);
    for (size_t sector = 1; sector < 16; ++sector) EXPECT_EQ(page[sector * 512 + 511] & 3, 3) << sector;
    EXPECT_EQ(page[511], 0);
}

TEST(PageHeader, WithoutProtectionBufferIsUnchanged) {
    PageBytes page(kPageSize, 0x55);
    fixtures::putU16(page, 4, 0x0000);
    PageBytes copy = page;
    CPage_Header header(page);
    EXPECT_EQ(page, copy);
}

}  // namespace
}  // namespace pw
