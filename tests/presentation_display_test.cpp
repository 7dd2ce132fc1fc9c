// The display of a selection: table rows in display pages of 1000 with the
// paging history, labels and per-row reports; definitions; key and
// constraint scripts; the quiet ends.

#include <gtest/gtest.h>

#include <algorithm>

#include "export/SqlTypeText.h"
#include "presentation/KeyScripts.h"
#include "presentation/ObjectDisplay.h"
#include "tests/PresentationFakes.h"
#include "tools/fixtures/PagingFixture.h"

namespace pw {
namespace {

using Texts = std::vector<std::string>;

// A content panel whose Stop button is pressed after `stopAfterRows` rows.
class StoppingContent : public test::FakeContentSink {
public:
    explicit StoppingContent(RunContext& context) : context_(context) {}
    int appendRow(const std::vector<std::string>& values) override {
        int index = FakeContentSink::appendRow(values);
        if (stopAfterRows > 0 && int(rows.size()) == stopAfterRows) {
            context_.isRunning = false;
            context_.stopRequested = true;
        }
        return index;
    }
    int stopAfterRows = 0;

private:
    RunContext& context_;
};

class DisplayTest : public ::testing::Test {
protected:
    // Opens `path` and builds the tree as a recovery run does.
    void open(const std::filesystem::path& path) {
        engine.file = std::make_unique<DatabaseFile>(path.string(), false, context);
        ASSERT_TRUE(engine.file->isOpen());
        engine.database = std::make_unique<Database>(*engine.file);
        ASSERT_TRUE(display.buildObjectTree(engine.file->databaseName));
        display.finishObjectTree();
    }
    void openPaging(const std::vector<fixtures::NumberedTable>& tables) {
        ASSERT_TRUE(fixtures::writePagingDatabase(folder.file("paging.mdf"), tables));
        open(folder.file("paging.mdf"));
    }

    // What the window does for a click on `item`.
    int select(TreeItem item) {
        context.isRunning = true;
        display.resetPaging();
        int result = display.DisplaySelectedObject(item);
        EXPECT_FALSE(context.isRunning);
        EXPECT_FALSE(content.progressShown);
        return result;
    }
    void next() {
        context.isRunning = true;
        display.showNextRecords();
        EXPECT_FALSE(context.isRunning);
        EXPECT_FALSE(content.progressShown);
    }
    void previous() {
        context.isRunning = true;
        display.showPreviousRecords();
        EXPECT_FALSE(context.isRunning);
        EXPECT_FALSE(content.progressShown);
    }

    TreeItem userTable(const std::string& name) {
        return tree.childNamed(display.treeBuilder().folders().userTables, name);
    }
    // The first column of every listed row.
    Texts firstValues() const {
        Texts values;
        for (const auto& row : content.rows) values.push_back(row.empty() ? std::string() : row[0]);
        return values;
    }
    static Texts numbers(int from, int to) {
        Texts values;
        for (int i = from; i <= to; ++i) values.push_back(std::to_string(i));
        return values;
    }
    size_t rowReportsInLogFile() const {
        return size_t(std::count_if(content.logFile.begin(), content.logFile.end(), [](const std::string& line) {
            return line.rfind(" row ", 0) == 0 && line.find(" inserted") != std::string::npos;
        }));
    }

    test::TempDir folder;
    RunContext context;
    EngineHolder engine;
    test::FakeTreeSink tree;
    StoppingContent content{context};
    ObjectDisplay display{context, engine, tree, content};
};

TEST_F(DisplayTest, A2500RowTablePagesBy1000AndBack) {
    openPaging({{"Numbers", 2500}});
    ASSERT_EQ(select(userTable("Numbers")), 1);
    EXPECT_TRUE(content.listShown);
    EXPECT_EQ(content.columns, (Texts{"Id", "Label", ""}));
    EXPECT_EQ(content.widths.front(), 200);
    EXPECT_EQ(firstValues(), numbers(1, 1000));
    EXPECT_EQ(content.rows.front(), (Texts{"1", "row 1"}));
    EXPECT_EQ(content.pageLabel, "Page1 - [1000](1-1000) Records");
    EXPECT_EQ(content.caption, "Numbers[1000]");
    EXPECT_FALSE(content.previousEnabled);
    EXPECT_TRUE(content.nextEnabled);
    ASSERT_GE(content.logPane.size(), 3u);
    EXPECT_EQ(content.logPane[content.logPane.size() - 3], " row 1000 inserted");
    EXPECT_EQ(content.logPane[content.logPane.size() - 2], "Numbers[1000]");
    EXPECT_EQ(content.logPane.back(), "Scanning process completed.");
    EXPECT_EQ(rowReportsInLogFile(), 1000u);
    EXPECT_EQ(display.pager().history().size(), 2u);

    next();
    EXPECT_EQ(firstValues(), numbers(1001, 2000));
    EXPECT_EQ(content.pageLabel, "Page2 - [1000](1001-2000) Records");
    EXPECT_EQ(content.caption, "1000 rows to 2000");
    EXPECT_TRUE(content.previousEnabled);
    EXPECT_TRUE(content.nextEnabled);

    next();
    EXPECT_EQ(firstValues(), numbers(2001, 2500));
    EXPECT_EQ(content.pageLabel, "Page3 - [500](2001-2500) Records");
    EXPECT_EQ(content.caption, "2000 rows to 2500");
    EXPECT_TRUE(content.previousEnabled);
    EXPECT_FALSE(content.nextEnabled);
    EXPECT_EQ(rowReportsInLogFile(), 2500u);

    next();  // nothing follows: the page stays, Next stays off
    EXPECT_FALSE(content.nextEnabled);
    EXPECT_EQ(content.rows.size(), 500u);

    previous();
    EXPECT_EQ(firstValues(), numbers(1001, 2000));
    EXPECT_EQ(content.pageLabel, "Page2 - [1000](1001-2000) Records");
    EXPECT_TRUE(content.previousEnabled);
    EXPECT_TRUE(content.nextEnabled);

    previous();
    EXPECT_EQ(firstValues(), numbers(1, 1000));
    EXPECT_EQ(content.pageLabel, "Page1 - [1000](1-1000) Records");
    EXPECT_FALSE(content.previousEnabled);
    EXPECT_TRUE(content.nextEnabled);

    next();
    EXPECT_EQ(firstValues(), numbers(1001, 2000));
}

TEST_F(DisplayTest, TablesAtThePageBoundary) {
    openPaging({{"Short", 999}, {"Exact", 1000}, {"OneMore", 1001}});
    const struct {
        const char* table;
        size_t rows;
        bool next;
        size_t history;
        const char* label;
    } cases[] = {
        {"Short", 999, false, 1, "Page1 - [999](1-999) Records"},
        {"Exact", 1000, false, 1, "Page1 - [1000](1-1000) Records"},
        {"OneMore", 1000, true, 2, "Page1 - [1000](1-1000) Records"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_EQ(select(userTable(c.table)), 1);
        EXPECT_EQ(content.rows.size(), c.rows);
        EXPECT_EQ(content.nextEnabled, c.next);
        EXPECT_EQ(display.pager().history().size(), c.history);
        EXPECT_EQ(content.pageLabel, c.label);
    }
    next();
    EXPECT_EQ(firstValues(), Texts{"1001"});
    EXPECT_EQ(content.pageLabel, "Page2 - [1](1001-1001) Records");
}

TEST_F(DisplayTest, NullShowsAsNullAndEmptyRowsAreLeftOut) {
    openPaging({});
    ASSERT_EQ(select(userTable("Gaps")), 1);
    EXPECT_EQ(content.rows, (std::vector<Texts>{{"1", "one"}, {"NULL", "NULL"}, {"2", "NULL"}, {"NULL", "four"}}));
    EXPECT_EQ(int(content.rows.size()), fixtures::kGapsListedRows);
    EXPECT_EQ(content.pageLabel, "Page1 - [4](1-4) Records");
    EXPECT_EQ(content.caption, "Gaps[4]");
}

TEST_F(DisplayTest, EmptyRowRule) {
    const struct {
        Texts values;
        bool empty;
    } cases[] = {
        {{"NULL", "", ""}, true},  {{"", "", ""}, true},      {{"NULL", "NULL"}, false},
        {{"", "NULL"}, false},     {{"0", ""}, false},        {{}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(isEmptyRow(c.values), c.empty) << ::testing::PrintToString(c.values);
}

TEST_F(DisplayTest, StopEndsTheFillAtTheCurrentRow) {
    openPaging({{"Numbers", 2500}});
    content.stopAfterRows = 10;
    ASSERT_EQ(select(userTable("Numbers")), 1);
    EXPECT_EQ(content.rows.size(), 10u);
    EXPECT_EQ(content.pageLabel, "Page1 - [10](1-10) Records");
    EXPECT_FALSE(content.nextEnabled);
    EXPECT_FALSE(context.stopRequested);
    // The application is idle and the next display runs in full.
    content.stopAfterRows = 0;
    ASSERT_EQ(select(userTable("Numbers")), 1);
    EXPECT_EQ(content.rows.size(), 1000u);
}

TEST_F(DisplayTest, APrimaryKeyScriptComesFromTheCatalogIndex) {
    openPaging({{"Numbers", 3}});
    ASSERT_EQ(select(userTable("Numbers")), 1);  // populates the table node
    TreeItem key = tree.childNamed(tree.childNamed(userTable("Numbers"), "PrimaryKey"), "PK_Numbers");
    ASSERT_NE(key, kNoTreeItem);
    ASSERT_EQ(select(key), 1);
    EXPECT_FALSE(content.listShown);
    EXPECT_EQ(content.definition,
              "ALTER TABLE [dbo].[Numbers] ADD CONSTRAINT [PK_Numbers] PRIMARY KEY CLUSTERED ([Id] ASC)");
    EXPECT_EQ(content.caption, "PK_Numbers[0]");
    EXPECT_EQ(content.pageLabel, "Page1 - [0](0-0) Records");
    EXPECT_TRUE(content.columns == Texts{""});  // the table's list columns are gone
}

TEST_F(DisplayTest, FoldersAndColumnNodesShowNothing) {
    openPaging({{"Numbers", 3}});
    ASSERT_EQ(select(userTable("Numbers")), 1);
    for (const std::string& name : {"Columns", "PrimaryKey"}) {
        ASSERT_EQ(select(tree.childNamed(userTable("Numbers"), name)), 1);
        EXPECT_EQ(content.definition, "");
        EXPECT_EQ(content.caption, name + "[0]");
    }
    ASSERT_EQ(select(tree.firstChild(tree.childNamed(userTable("Numbers"), "Columns"))), 1);
    EXPECT_EQ(content.caption, "Id  int(4)[Primary Key][0]");
}

TEST_F(DisplayTest, QuietEnds) {
    // No database loaded.
    EXPECT_EQ(select(kNoTreeItem), 0);
    openPaging({});
    const size_t lines = content.logPane.size();
    EXPECT_EQ(select(display.treeBuilder().folders().root), 0);
    TreeItem unnamed = tree.insertItem(display.treeBuilder().folders().views, "", true);
    EXPECT_EQ(select(unnamed), 0);
    EXPECT_EQ(content.logPane.size(), lines);
}

TEST_F(DisplayTest, PagingAfterANewRunDoesNothing) {
    openPaging({{"Numbers", 2500}});
    ASSERT_EQ(select(userTable("Numbers")), 1);
    display.resetForRun();
    engine.release();
    next();
    previous();
    EXPECT_FALSE(content.nextEnabled);
}

TEST_F(DisplayTest, KeyWalkOfTheLegacyCatalog) {
    std::vector<LegacyTable> tables(2);
    tables[0].objectId = 10;
    tables[0].name = "Orders";
    tables[0].columns = {{"OrderID", 1, 1}, {"Note", 0, 2}, {"Ship]Via", 9, 3}, {"Other", 2, 4}};
    tables[1].objectId = 20;
    tables[1].name = "Other";
    LegacyKeyColumns primary = legacyKeyColumns(tables, 10, KeyKind::Primary);
    EXPECT_TRUE(primary.found);
    EXPECT_EQ(primary.tableName, "Orders");
    EXPECT_EQ(primary.columns, (Texts{"OrderID", "Ship]Via"}));
    EXPECT_EQ(legacyKeyColumns(tables, 10, KeyKind::Unique).columns, (Texts{"OrderID", "Note", "Ship]Via"}));
    EXPECT_FALSE(legacyKeyColumns(tables, 30, KeyKind::Primary).found);
    EXPECT_EQ(bracketName("Ship]Via"), "[Ship]]Via]");
    EXPECT_EQ(checkConstraintScript("sales", "T", "CK_T", "([a]>(0))"),
              "ALTER TABLE  [sales].[T] WITH NOCHECK ADD CONSTRAINT[CK_T] CHECK ([a]>(0))");
}

// --- Real files ------------------------------------------------------------------

class CorpusDisplayTest : public DisplayTest {
protected:
    void openCorpus(const std::string& name) {
        PW_REQUIRE_CORPUS();
        open(test::corpusFile(name));
    }
    TreeItem node(const Texts& path) {
        TreeItem item = display.treeBuilder().folders().root;
        for (const std::string& text : path) item = tree.childNamed(item, text);
        return item;
    }
};

TEST_F(CorpusDisplayTest, NorthwindViewsKeysAndConstraints) {
    openCorpus("v655_northwind_script2008.mdf");
    if (HasFatalFailure() || IsSkipped()) return;
    const TreeFolders& f = display.treeBuilder().folders();
    EXPECT_EQ(tree.childrenOf(f.views).size(), 16u);
    EXPECT_EQ(tree.childrenOf(f.storedProcedures).size(), 7u);
    EXPECT_EQ(tree.childrenOf(f.userTables).size(), 13u);
    EXPECT_EQ(tree.childrenOf(f.systemTables).size(), 45u);
    EXPECT_TRUE(tree.nodes[userTable("Orders")].bold);
    EXPECT_FALSE(tree.nodes[userTable("CustomerDemographics")].bold);

    ASSERT_EQ(select(node({"Views", "Current Product List"})), 1);
    EXPECT_FALSE(content.listShown);
    EXPECT_NE(content.definition.find("create view \"Current Product List\""), std::string::npos) << content.definition;
    EXPECT_EQ(content.caption, "Current Product List[0]");

    ASSERT_EQ(select(userTable("Order Details")), 1);
    EXPECT_EQ(content.rows.size(), 1000u);
    EXPECT_EQ(content.pageLabel, "Page1 - [1000](1-1000) Records");
    EXPECT_TRUE(content.nextEnabled);
    next();
    EXPECT_EQ(content.pageLabel, "Page2 - [1000](1001-2000) Records");
    next();
    EXPECT_EQ(content.pageLabel, "Page3 - [155](2001-2155) Records");

    ASSERT_EQ(select(node({"Tables", "User Tables", "Order Details", "PrimaryKey", "PK_Order_Details"})), 1);
    EXPECT_EQ(content.definition,
              "ALTER TABLE [dbo].[Order Details] ADD CONSTRAINT [PK_Order_Details] PRIMARY KEY CLUSTERED "
              "([OrderID] ASC, [ProductID] ASC)");

    ASSERT_EQ(select(node({"Tables", "User Tables", "Order Details", "Constraint", "CK_Discount"})), 1);
    EXPECT_EQ(content.definition,
              "ALTER TABLE  [dbo].[Order Details] WITH NOCHECK ADD CONSTRAINT[CK_Discount] CHECK "
              "([Discount]>=(0) AND [Discount]<=(1))");
    ASSERT_EQ(select(node({"Tables", "User Tables", "Order Details", "Constraint", "DF_Order_Details_Discount"})), 1);
    EXPECT_EQ(content.definition,
              "ALTER TABLE [dbo].[Order Details] ADD CONSTRAINT [DF_Order_Details_Discount] DEFAULT ((0)) FOR "
              "[Discount]");

    ASSERT_EQ(select(node({"Programmability", "Store Procedure", "CustOrderHist"})), 1);
    EXPECT_NE(content.definition.find("CustOrderHist"), std::string::npos);
    EXPECT_EQ(content.pageLabel, "Page1 - [0](0-0) Records");
    EXPECT_EQ(content.caption, "CustOrderHist[0]");
}

TEST_F(CorpusDisplayTest, TheFirstPageDecodesTextAsEveryOtherRead) {
    openCorpus("v655_pubs_script2008.mdf");
    if (HasFatalFailure() || IsSkipped()) return;
    ASSERT_EQ(select(userTable("publishers")), 1);
    // The rows as the catalog truth has them (script order is page order here).
    const std::vector<Texts> expected = {
        {"0736", "New Moon Books", "Boston", "MA", "USA"},
        {"0877", "Binnet & Hardley", "Washington", "DC", "USA"},
        {"1389", "Algodata Infosystems", "Berkeley", "CA", "USA"},
        {"1622", "Five Lakes Publishing", "Chicago", "IL", "USA"},
        {"1756", "Ramona Publishers", "Dallas", "TX", "USA"},
        {"9901", "GGG&G", "M\xC2\x81nchen", "NULL", "Germany"},
        {"9952", "Scootney Books", "New York", "NY", "USA"},
        {"9999", "Lucerne Publishing", "Paris", "NULL", "France"},
    };
    std::vector<Texts> shown = content.rows;
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);

    // Every table: the first display page (large values as placeholders)
    // shows what a later read of the same rows shows.
    for (TreeItem table : tree.childrenOf(display.treeBuilder().folders().userTables)) {
        const std::string name = tree.itemText(table);
        SCOPED_TRACE(name);
        ASSERT_EQ(select(table), 1);
        const std::vector<Texts> firstPage = content.rows;
        TableScan scan(*engine.database, *engine.file, context);
        ASSERT_TRUE(scan.select(name, "U ", engine.definitions->loadTimeRows()));
        std::vector<Texts> later;
        scan.scan([&](const DecodedRow& row) {
            Texts values = listedValues(row, scan.layout(), context.legacy());
            if (!isEmptyRow(values)) later.push_back(values);
            return true;
        });
        ASSERT_EQ(firstPage.size(), later.size());
        for (size_t r = 0; r < later.size(); ++r)
            for (size_t c = 0; c < later[r].size(); ++c)
                if (firstPage[r][c] != "<BINARY DATA>" && firstPage[r][c] != "<BIG BINARY DATA>")
                    EXPECT_EQ(firstPage[r][c], later[r][c]) << "row " << r << " column " << c;
    }
}

TEST_F(CorpusDisplayTest, Sql2000NorthwindKeysAndRows) {
    openCorpus("v539_northwind_sql2000_msi.mdf");
    if (HasFatalFailure() || IsSkipped()) return;
    ASSERT_TRUE(context.legacy());
    ASSERT_EQ(select(userTable("Shippers")), 1);
    EXPECT_EQ(content.rows.size(), 3u);
    TreeItem key = tree.childNamed(tree.childNamed(userTable("Shippers"), "PrimaryKey"), "PK_Shippers");
    ASSERT_NE(key, kNoTreeItem);
    ASSERT_EQ(select(key), 1);
    EXPECT_EQ(content.definition.rfind("ALTER TABLE [dbo].[Shippers] ADD PRIMARY KEY (", 0), 0u) << content.definition;
    ASSERT_EQ(select(node({"Views", "Current Product List"})), 1);
    EXPECT_NE(content.definition.find("Current Product List"), std::string::npos) << content.definition;
}

}  // namespace
}  // namespace pw
