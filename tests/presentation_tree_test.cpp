// The object tree: folders, placement of objects, bold tables, and the
// first selection of a table (key folders, column nodes, constraints).

#include <gtest/gtest.h>

#include "presentation/ObjectTreeBuilder.h"
#include "tests/PresentationFakes.h"

namespace pw {
namespace {

using Texts = std::vector<std::string>;

CatalogObject object(int32_t id, const std::string& name, const std::string& type, int32_t parent = 0) {
    CatalogObject row;
    row.objectId = id;
    row.name = name;
    row.type = type;
    row.parentObjectId = parent;
    row.schemaId = 1;
    return row;
}

ColumnRow column(int32_t table, int32_t id, const std::string& name) {
    ColumnRow row;
    row.objectId = table;
    row.number = 0;
    row.columnId = id;
    row.name = name;
    row.systemTypeId = 56;
    row.userTypeId = 56;
    row.maxLength = 4;
    row.status = 1;
    return row;
}

class ObjectTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalog = std::make_unique<test::HandMadeCatalog>(context);
        Database& db = *catalog->database;
        ScalarTypeRow intType;
        intType.typeId = 56;
        intType.systemTypeId = 56;
        intType.name = "int";
        db.scalarTypes.push_back(intType);
    }

    // Table "Orders" (id 500) with a page of rows, a key, a foreign key and
    // constraints; table "Empty" (id 600) without pages.
    void addTables() {
        Database& db = *catalog->database;
        db.objects.push_back(object(500, "Orders", "U "));
        db.objects.push_back(object(501, "PK_Orders", "PK", 500));
        db.objects.push_back(object(502, "FK_Orders_Customers", "F ", 500));
        db.objects.push_back(object(503, "CK_Orders_Freight", "C ", 500));
        db.objects.push_back(object(504, "DF_Orders_Freight", "D ", 500));
        db.objects.push_back(object(505, "UQ_Orders", "UQ", 500));
        db.objects.push_back(object(600, "Empty", "U "));
        db.columns.push_back(column(500, 2, "CustomerId"));
        db.columns.push_back(column(500, 1, "OrderId"));
        db.columns.push_back(column(500, 3, "Freight"));
        db.columns.push_back(column(600, 1, "Id"));

        RowsetRow rowset;
        rowset.rowsetId = 7000;
        rowset.ownerObjectId = 500;
        rowset.indexId = 1;
        db.rowsets.push_back(rowset);
        AllocationUnitRow unit;
        unit.allocationUnitId = uint64_t(500) << 16;
        unit.type = kInRowData;
        unit.ownerId = 7000;
        db.allocationUnits.push_back(unit);
        catalog->file->dataPageMap[500].push_back(PageEntry{1, 20, 1, 0});

        IndexRow key;
        key.objectId = 500;
        key.indexId = 1;
        key.name = "PK_Orders";
        key.status = 0x21;
        key.indexType = 1;
        db.indexes.push_back(key);
        IndexRow unique = key;
        unique.indexId = 2;
        unique.name = "UQ_Orders";
        unique.status = 0x49;
        unique.indexType = 2;
        db.indexes.push_back(unique);
        IndexColumnRow keyColumn;
        keyColumn.objectId = 500;
        keyColumn.indexId = 1;
        keyColumn.columnId = 1;
        keyColumn.keyOrdinal = 1;
        db.indexColumns.push_back(keyColumn);
        keyColumn.indexId = 2;
        db.indexColumns.push_back(keyColumn);
        keyColumn.columnId = 3;
        keyColumn.keyOrdinal = 2;
        db.indexColumns.push_back(keyColumn);

        ForeignKeyColumnPair pair;
        pair.parentTableId = 500;
        pair.parentColumnId = 2;
        pair.referencedTableName = "Customers";
        pair.referencedColumnName = "CustomerID";
        db.foreignKeyColumns.push_back(pair);
        db.reindex();
    }

    bool build(const std::string& name = "Northwind") {
        builder.CreateTreeFolders(name);
        return builder.FillObjectTree(*catalog->database, {});
    }

    RunContext context;
    test::RecordingSink progress;
    std::unique_ptr<test::HandMadeCatalog> catalog;
    test::FakeTreeSink tree;
    test::FakeContentSink content;
    ObjectTreeBuilder builder{context, tree, content};
};

TEST_F(ObjectTreeTest, FoldersStandInTheirFixedOrder) {
    builder.CreateTreeFolders("");
    EXPECT_EQ(tree.childTexts(kNoTreeItem), Texts{"RepairDataBase"});
    EXPECT_EQ(tree.childTexts(builder.folders().root), (Texts{"Views", "Programmability", "Tables"}));
    EXPECT_EQ(tree.childTexts(builder.folders().programmability),
              (Texts{"Triggers", "Default", "Store Procedure", "Function"}));
    EXPECT_EQ(tree.childTexts(builder.folders().tables), (Texts{"System Tables", "User Tables"}));
    for (const auto& [item, node] : tree.nodes) EXPECT_EQ(node.data, 0) << node.text;
}

TEST_F(ObjectTreeTest, ObjectsGoToTheFolderOfTheirKind) {
    Database& db = *catalog->database;
    context.sink = &progress;
    db.objects = {object(1, "vA", "V "),        object(2, "vB", "V "),       object(3, "pZ", "P "),
                  object(4, "pY", "P "),        object(5, "fInline", "IF"),  object(6, "fScalar", "FN"),
                  object(7, "fTable", "TF"),    object(8, "trA", "TR"),      object(9, "trB", "TR"),
                  object(10, "dA", "D "),       object(11, "sysA", "S "),    object(12, "sysB", "S "),
                  object(13, "", "U "),         object(14, "PK_x", "PK"),    object(15, "Zeta", "U "),
                  object(16, "Alpha", "U ")};
    db.reindex();
    ASSERT_TRUE(build());
    const TreeFolders& f = builder.folders();
    EXPECT_EQ(tree.childTexts(f.views), (Texts{"vB", "vA"}));
    EXPECT_EQ(tree.childTexts(f.storedProcedures), (Texts{"pY", "pZ"}));
    EXPECT_EQ(tree.childTexts(f.functions), (Texts{"fInline", "fScalar", "fTable"}));
    EXPECT_EQ(tree.childTexts(f.triggers), (Texts{"trB", "trA"}));
    EXPECT_EQ(tree.childTexts(f.defaults), Texts{"dA"});
    EXPECT_EQ(tree.childTexts(f.systemTables), (Texts{"sysB", "sysA"}));
    EXPECT_EQ(tree.childTexts(f.userTables), (Texts{"Alpha", "Zeta"}));
    builder.sortUserTables();
    EXPECT_EQ(tree.childTexts(f.userTables), (Texts{"Alpha", "Zeta"}));
    EXPECT_EQ(tree.childTexts(tree.childNamed(f.userTables, "Zeta")), Texts{"Columns"});
    EXPECT_EQ(tree.itemData(tree.childNamed(f.views, "vA")), kObjectItemData);
    EXPECT_EQ(tree.itemData(tree.childNamed(tree.childNamed(f.userTables, "Zeta"), "Columns")), 0);
    EXPECT_EQ(content.logPane, (Texts{"Creating Tree.........", "Process done........."}));
    EXPECT_EQ(content.caption, "Process done.........");
    ASSERT_FALSE(progress.ranges.empty());
    EXPECT_EQ(progress.ranges.front(), std::make_pair(0u, 16u));
    EXPECT_EQ(progress.positions.back(), 16u);
}

TEST_F(ObjectTreeTest, OnlyUnnamedObjectsGiveNoTree) {
    Database& db = *catalog->database;
    EXPECT_FALSE(build());  // no objects at all
    db.objects = {object(1, "", "U "), object(2, "", "V ")};
    db.reindex();
    tree.deleteAll();
    EXPECT_FALSE(build());
    db.objects.push_back(object(3, "FK_only", "F "));  // no node, but counts as processed
    db.reindex();
    tree.deleteAll();
    EXPECT_TRUE(build());
}

TEST_F(ObjectTreeTest, TablesWithRowsAreBold) {
    addTables();
    ASSERT_TRUE(build());
    const TreeFolders& f = builder.folders();
    EXPECT_TRUE(tree.nodes[tree.childNamed(f.userTables, "Orders")].bold);
    EXPECT_FALSE(tree.nodes[tree.childNamed(f.userTables, "Empty")].bold);
}

TEST_F(ObjectTreeTest, TheFirstSelectionOfATableFillsItOnce) {
    addTables();
    ASSERT_TRUE(build());
    TreeItem orders = tree.childNamed(builder.folders().userTables, "Orders");
    ASSERT_TRUE(builder.PopulateTableNode(*catalog->database, orders, {}, 0));
    EXPECT_EQ(tree.childTexts(orders), (Texts{"ForeignKey", "Unique", "Constraint", "PrimaryKey", "Columns"}));
    EXPECT_EQ(builder.primaryKeyFolder(), tree.childNamed(orders, "PrimaryKey"));
    EXPECT_EQ(tree.childTexts(tree.childNamed(orders, "Columns")),
              (Texts{"OrderId  int(4)[Primary Key]",
                     "CustomerId  int(4)  (foreign key) references Customers( CustomerID)",
                     "Freight  int(4)[Unique]"}));
    EXPECT_EQ(tree.childTexts(tree.childNamed(orders, "PrimaryKey")), Texts{"PK_Orders"});
    EXPECT_EQ(tree.childTexts(tree.childNamed(orders, "ForeignKey")), Texts{"FK_Orders_Customers"});
    EXPECT_EQ(tree.childTexts(tree.childNamed(orders, "Constraint")),
              (Texts{"DF_Orders_Freight", "CK_Orders_Freight"}));
    EXPECT_EQ(tree.childTexts(tree.childNamed(orders, "Unique")), Texts{"UQ_Orders"});
    EXPECT_EQ(tree.itemData(tree.childNamed(tree.childNamed(orders, "Constraint"), "CK_Orders_Freight")), 1);
    EXPECT_EQ(tree.itemData(tree.childNamed(tree.childNamed(orders, "PrimaryKey"), "PK_Orders")), 0);

    const size_t nodes = tree.nodes.size();
    EXPECT_FALSE(builder.PopulateTableNode(*catalog->database, orders, {}, 0));
    EXPECT_EQ(tree.nodes.size(), nodes);
    // A folder or a column node is no table node.
    EXPECT_FALSE(builder.PopulateTableNode(*catalog->database, tree.childNamed(orders, "Columns"), {}, 0));
    EXPECT_FALSE(builder.PopulateTableNode(*catalog->database, builder.folders().userTables, {}, 0));
}

TEST_F(ObjectTreeTest, KeyNodesCarryTheTableIdWithTheLegacyCatalog) {
    addTables();
    ASSERT_TRUE(build());
    // The SQL Server 2000 catalog stores the parent's id in the child entries.
    context.legacyCatalog = true;
    Database& db = *catalog->database;
    TreeItem orders = tree.childNamed(builder.folders().userTables, "Orders");
    db.legacyColumns.clear();
    ASSERT_TRUE(builder.PopulateTableNode(db, orders, {}, 0));
    EXPECT_EQ(tree.itemData(tree.childNamed(tree.childNamed(orders, "PrimaryKey"), "PK_Orders")), 500);
    EXPECT_EQ(tree.itemData(tree.childNamed(tree.childNamed(orders, "Unique"), "UQ_Orders")), 500);
    EXPECT_EQ(tree.itemData(tree.childNamed(tree.childNamed(orders, "ForeignKey"), "FK_Orders_Customers")), 0);
}

TEST_F(ObjectTreeTest, ColumnNodeTexts) {
    struct Case {
        bool primary, unique, third, foreign;
        std::string referencedColumn, expected;
    } cases[] = {
        {false, false, false, false, "", "c  int(4)"},
        {true, true, false, false, "", "c  int(4)[Primary Key]"},
        {false, false, true, false, "", "c  int(4)[Unique]"},
        {false, false, false, true, "", "c  int(4)  (foreign key) references R( )"},
        {true, false, false, true, "k", "c  int(4)[Primary Key]  (foreign key) references R( k)"},
    };
    for (const Case& c : cases) {
        ColumnDescriptor d("int(4)", "c", int32_t(TypeCode::Int));
        d.primaryKeyColumn = c.primary;
        d.uniqueIndexColumn = c.unique;
        d.thirdKeyFlag = c.third;
        d.foreignKeyColumn = c.foreign;
        d.referencedTable = "R";
        d.referencedColumn = c.referencedColumn;
        EXPECT_EQ(columnNodeText(d), c.expected);
    }
}

TEST_F(ObjectTreeTest, ATableTheCatalogNoLongerFindsStaysUnpopulated) {
    Database& db = *catalog->database;
    db.objects = {object(700, "Gone", "U ")};
    db.reindex();
    ASSERT_TRUE(build());
    TreeItem table = tree.childNamed(builder.folders().userTables, "Gone");
    db.objects.front().name = "Renamed";
    db.reindex();
    EXPECT_TRUE(builder.PopulateTableNode(db, table, {}, 0));
    EXPECT_EQ(tree.childTexts(table), Texts{"Columns"});
    EXPECT_TRUE(builder.PopulateTableNode(db, table, {}, 0));  // tried again
}

}  // namespace
}  // namespace pw
