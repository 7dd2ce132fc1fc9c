// Table page lists: heaps through their IAM chain, clustered tables along
// their page chain, the fallbacks, the Advanced list, a chain that loops
// and an index page inside a chain.

#include <gtest/gtest.h>

#include <vector>

#include "storage/TablePageList.h"
#include "tests/RowsFixtureFile.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"

namespace pw {
namespace {

using fixtures::PageBuilder;
using Pages = std::vector<PagePointer>;

PagePointer at(int32_t page) { return PagePointer{1, page}; }

PageBytes linkedPage(int32_t page, uint8_t type, int32_t next, int32_t previous = 0) {
    PageBuilder builder(page, 1977058079, type);
    builder.setNextPage(next ? at(next) : PagePointer{0, 0});
    builder.setPreviousPage(previous ? at(previous) : PagePointer{0, 0});
    return builder.build();
}

// An IAM page listing single pages in its header record.
PageBytes iamPage(int32_t page, const Pages& singles) {
    PageBuilder builder(page, 1977058079, 10);
    fixtures::OrdinaryRecord head;
    head.fixed.assign(90, 0);
    for (size_t k = 0; k < singles.size() && k < 8; ++k) {
        fixtures::putU32(head.fixed, 42 + 6 * k, uint32_t(singles[k].pageNumber));
        fixtures::putU16(head.fixed, 46 + 6 * k, uint16_t(singles[k].fileNumber));
    }
    head.columnCount = 1;
    builder.addRecord(head.build());
    fixtures::OrdinaryRecord map;
    map.fixed = {0};
    map.columnCount = 1;
    builder.addRecord(map.build());
    return builder.build();
}

class RowsPageLists : public ::testing::Test {
protected:
    DatabaseFile& open() { return fixture.open(); }
    test::RowsFixtureFile fixture;
};

TEST_F(RowsPageLists, AChainThatLoopsIsReadOnce) {
    fixture.image.setPage(20, linkedPage(20, 1, 21));
    fixture.image.setPage(21, linkedPage(21, 1, 22, 20));
    fixture.image.setPage(22, linkedPage(22, 1, 20, 21));  // back to the start
    DatabaseFile& file = open();
    for (bool legacy : {false, true}) {
        Pages pages;
        chainPages(file, at(20), legacy, pages);
        EXPECT_EQ(pages, (Pages{at(20), at(21), at(22)}));
    }
    Pages self;
    fixture.image.setPage(23, linkedPage(23, 1, 23));
    chainPages(open(), at(23), false, self);
    EXPECT_EQ(self, (Pages{at(23)}));
}

TEST_F(RowsPageLists, AnIndexPageInsideAChain) {
    fixture.image.setPage(20, linkedPage(20, 1, 21));
    fixture.image.setPage(21, linkedPage(21, 2, 22, 20));
    fixture.image.setPage(22, linkedPage(22, 1, 0, 21));
    DatabaseFile& file = open();
    Pages modern, legacy;
    chainPages(file, at(20), false, modern);
    chainPages(file, at(20), true, legacy);
    // 2005 and later: the walk goes on past the index page but does not
    // list the page it leads to; SQL Server 2000: every page is listed.
    EXPECT_EQ(modern, (Pages{at(20), at(21)}));
    EXPECT_EQ(legacy, (Pages{at(20), at(21), at(22)}));
}

TEST_F(RowsPageLists, AHeapIsReadThroughItsIamChainOnly) {
    fixture.image.setPage(20, linkedPage(20, 1, 21));
    fixture.image.setPage(21, linkedPage(21, 1, 0, 20));
    fixture.image.setPage(30, iamPage(30, {at(21), at(20)}));
    DatabaseFile& file = open();
    TablePageInputs inputs;
    inputs.firstPage = at(20);
    inputs.firstIamPage = at(30);
    inputs.rowsetIndexId = 0;
    auto plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].source, TablePageSource::IamChain);
    EXPECT_EQ(plan[0].pages, (Pages{at(21), at(20)}));
    EXPECT_FALSE(plan[0].nextWhenNoRows);
}

TEST_F(RowsPageLists, AClusteredTableFollowsItsChainWithTheIamChainBehind) {
    fixture.image.setPage(20, linkedPage(20, 1, 21));
    fixture.image.setPage(21, linkedPage(21, 1, 0, 20));
    fixture.image.setPage(30, iamPage(30, {at(21), at(20)}));
    DatabaseFile& file = open();
    TablePageInputs inputs;
    inputs.firstPage = at(20);
    inputs.firstIamPage = at(30);
    inputs.rowsetIndexId = 1;
    auto plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].source, TablePageSource::PageChain);
    EXPECT_EQ(plan[0].pages, (Pages{at(20), at(21)}));
    EXPECT_TRUE(plan[0].nextWhenNoRows);
    EXPECT_EQ(plan[1].source, TablePageSource::IamChain);

    // A first page that does not head a chain: the IAM chain alone.
    inputs.firstPage = at(21);
    plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].source, TablePageSource::IamChain);
}

TEST_F(RowsPageLists, NoUsableAllocationFallsBackOnTheAdvancedList) {
    DatabaseFile& file = open();
    TablePageInputs inputs;
    inputs.selectedDataPages = {at(20), PagePointer{0, 21}, at(0), at(22), at(20)};
    inputs.firstIamPage = PagePointer{0, 0};
    auto plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].source, TablePageSource::AdvancedList);
    EXPECT_EQ(plan[0].pages, (Pages{at(20), at(22), at(20)}));  // a page attributed twice is read twice

    // An empty table (no pages, no rows counted) has no list at all.
    inputs.rowsetRowCount = 0;
    EXPECT_TRUE(buildTablePageList(file, inputs).empty());

    // Advanced mode trusts no allocation structure.
    inputs.advancedMode = true;
    inputs.firstIamPage = at(30);
    plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].source, TablePageSource::AdvancedList);
}

TEST_F(RowsPageLists, SqlServer2000Tables) {
    fixture.image.setPage(20, linkedPage(20, 1, 21));
    fixture.image.setPage(21, linkedPage(21, 1, 0, 20));
    fixture.image.setPage(30, iamPage(30, {at(21)}));
    DatabaseFile& file = open();
    TablePageInputs inputs;
    inputs.legacyCatalog = true;
    inputs.selectedDataPages = {at(21)};
    inputs.legacyClusteredFirstPage = at(20);
    auto plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].pages, (Pages{at(20), at(21)}));

    inputs.legacyClusteredFirstPage = at(9999);  // unreadable: the Advanced list
    plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].source, TablePageSource::AdvancedList);

    inputs.legacyClusteredFirstPage.reset();
    inputs.legacyIamPages = {PageEntry{1, 30, 10, 0}};
    plan = buildTablePageList(file, inputs);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].source, TablePageSource::IamChain);
    EXPECT_EQ(plan[0].pages, (Pages{at(21)}));
}

}  // namespace
}  // namespace pw
