// Loading fixture catalogs and selecting objects: the catalog lists, the
// choice of rowset, unit and data pages, the row layout with its physical
// positions, key and foreign-key marks, and the catalog edge cases.

#include <gtest/gtest.h>

#include "catalog/DefinitionRow.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/CatalogWriter.h"
#include "tools/fixtures/LoadedCatalog.h"
#include "tools/fixtures/PageBuilder.h"

namespace pw {
namespace {

using fixtures::CatalogWriter;
using fixtures::ColumnSpec;
using fixtures::TableSpec;

ColumnSpec intColumn(const std::string& name, bool nullable = true) {
    ColumnSpec c;
    c.name = name;
    c.systemTypeId = 56;
    c.maxLength = 4;
    c.nullable = nullable;
    c.precision = 10;
    return c;
}

ColumnSpec nvarcharColumn(const std::string& name, int16_t bytes) {
    ColumnSpec c;
    c.name = name;
    c.systemTypeId = 231;
    c.maxLength = bytes;
    return c;
}

std::vector<uint8_t> intBytes(int32_t value) {
    std::vector<uint8_t> bytes(4);
    fixtures::putU32(bytes, 0, uint32_t(value));
    return bytes;
}

class CatalogSelection : public ::testing::Test {
protected:
    std::unique_ptr<fixtures::LoadedCatalog> load(CatalogWriter& writer, uint16_t version = 661) {
        fixtures::DatabaseImage image = fixtures::catalogImage(writer, "Selection", version);
        image.writeTo(dir.file("selection.mdf"));
        auto loaded = fixtures::loadCatalog(dir.file("selection.mdf"));
        EXPECT_TRUE(loaded->database);
        return loaded;
    }

    // Orders(1..3) with a primary key on OrderID and rows; Customers; a
    // foreign key from Orders.CustomerID to Customers.CustomerID.
    static void addShop(CatalogWriter& writer) {
        writer.addStandardScalarTypes();
        TableSpec customers;
        customers.objectId = 1000;
        customers.name = "Customers";
        customers.columns = {intColumn("CustomerID", false), nvarcharColumn("Name", 80)};
        customers.primaryKey = {1};
        customers.primaryKeyName = "PK_Customers";
        customers.rows = {CatalogWriter::rowRecord(customers, {intBytes(1), fixtures::utf16le("Ann")})};
        writer.addTable(customers);

        TableSpec orders;
        orders.objectId = 2000;
        orders.name = "Orders";
        orders.columns = {intColumn("OrderID", false), intColumn("CustomerID", false), nvarcharColumn("Note", 100)};
        orders.columns[0].identityBlob = fixtures::intIdentityBlob(10, 2);
        orders.primaryKey = {1, 2};
        orders.primaryKeyName = "PK_Orders";
        for (int i = 0; i < 3; ++i)
            orders.rows.push_back(CatalogWriter::rowRecord(orders, {intBytes(10 + 2 * i), intBytes(1), std::nullopt}));
        writer.addTable(orders);
        writer.addForeignKey(3000, "FK_Orders_Customers", 2000, {2}, 1000, {1});
    }

    test::TempDir dir;
};

TEST_F(CatalogSelection, LoadsTheCatalogTablesOfThe2005Format) {
    CatalogWriter writer;
    addShop(writer);
    DataFileRow primary;
    primary.status = 2;
    primary.fileId = 1;
    primary.logicalName = "Selection";
    primary.physicalName = "C:\\Data\\selection.mdf";
    writer.addDataFile(primary);
    auto loaded = load(writer);
    const Database& db = *loaded->database;
    EXPECT_FALSE(db.legacyCatalog());
    EXPECT_EQ(loaded->file->databaseName, "Selection");
    ASSERT_EQ(db.objects.size(), 5u);  // two tables, two keys, one foreign key
    EXPECT_EQ(db.objects[0].name, "Customers");
    EXPECT_EQ(db.columns.size(), 5u);
    EXPECT_EQ(db.rowsets.size(), 2u);
    EXPECT_EQ(db.allocationUnits.size(), 2u);
    EXPECT_EQ(db.rowsetColumns.size(), 5u);
    EXPECT_EQ(db.indexes.size(), 2u);
    EXPECT_EQ(db.indexColumns.size(), 3u);
    EXPECT_EQ(db.objectReferences.size(), 2u);
    EXPECT_EQ(db.scalarTypes.size(), 34u);
    ASSERT_EQ(db.dataFiles.size(), 1u);
    EXPECT_EQ(db.dataFiles[0].logicalName, "Selection");
    ASSERT_EQ(db.foreignKeyColumns.size(), 1u);
    const ForeignKeyColumnPair& pair = db.foreignKeyColumns[0];
    EXPECT_EQ(pair.constraintName, "FK_Orders_Customers");
    EXPECT_EQ(pair.parentTableName, "Orders");
    EXPECT_EQ(pair.parentColumnName, "CustomerID");
    EXPECT_EQ(pair.referencedTableName, "Customers");
    EXPECT_EQ(pair.referencedColumnName, "CustomerID");
    EXPECT_EQ(db.catalogRowCount(2000), 3);
    EXPECT_EQ(db.dataPagesOf(2000).size(), 1u);
}

TEST_F(CatalogSelection, TableLayoutCarriesTypesPositionsAndMarks) {
    CatalogWriter writer;
    addShop(writer);
    auto loaded = load(writer);
    Database& db = *loaded->database;
    std::vector<ColumnDescriptor> layout = db.selectObject("Orders", "U ", {});
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_TRUE(db.layoutReady);
    EXPECT_EQ(db.selectedObject.objectId, 2000);
    EXPECT_EQ(db.selectedDataPages.size(), 1u);
    EXPECT_EQ(db.currentRowset.indexId, 1);
    EXPECT_EQ(db.currentAllocationUnit.firstPage, db.selectedDataPages.back());

    EXPECT_EQ(layout[0].name, "OrderID");
    EXPECT_EQ(layout[0].typeText, "int(4)");
    EXPECT_EQ(layout[0].typeCode, TypeCode::Int);
    EXPECT_EQ(layout[0].identityText, "identity(10,2)");
    EXPECT_FALSE(layout[0].nullable);
    EXPECT_TRUE(layout[0].stored);
    EXPECT_EQ(layout[0].leafOffset, 4);
    EXPECT_EQ(layout[0].nullBit, 1);
    EXPECT_TRUE(layout[0].primaryKeyColumn);
    EXPECT_FALSE(layout[0].foreignKeyColumn);

    EXPECT_EQ(layout[1].leafOffset, 8);
    EXPECT_TRUE(layout[1].primaryKeyColumn);  // a column in both keys has both marks
    EXPECT_TRUE(layout[1].foreignKeyColumn);
    EXPECT_EQ(layout[1].referencedTable, "Customers");
    EXPECT_EQ(layout[1].referencedColumn, "CustomerID");

    EXPECT_EQ(layout[2].typeText, "nvarchar(100)");
    EXPECT_EQ(layout[2].typeCode, TypeCode::NVarChar);
    EXPECT_EQ(layout[2].length, 100);
    EXPECT_EQ(layout[2].leafOffset, -1);
    EXPECT_TRUE(layout[2].nullable);
    EXPECT_EQ(layout[2].systemTypeId, 231);
    EXPECT_EQ(layout[2].userTypeId, 231);
    EXPECT_EQ(db.firstStoredColumn, 0);

    ASSERT_EQ(db.childObjects.size(), 2u);
    EXPECT_TRUE(db.childObjects[0].primaryKey);
    EXPECT_EQ(db.childObjects[0].name, "PK_Orders");
    EXPECT_TRUE(db.childObjects[1].foreignKey);
}

TEST_F(CatalogSelection, ObjectsWithoutRowsGiveThreeInfoDescriptors) {
    CatalogWriter writer;
    addShop(writer);
    auto loaded = load(writer);
    Database& db = *loaded->database;
    db.selectObject("Orders", "U ", {});
    std::vector<ColumnDescriptor> info = db.selectObject("PK_Orders", "PK", {});
    ASSERT_EQ(info.size(), 3u);
    EXPECT_EQ(info[0].infoText, "2001");
    EXPECT_EQ(info[1].infoText, "PK");
    EXPECT_EQ(info[2].infoText, "PK_Orders");
    EXPECT_FALSE(db.layoutReady);
    EXPECT_TRUE(db.rowLayout.empty());

    EXPECT_TRUE(db.selectObject("NoSuchTable", "U ", {}).empty());
    EXPECT_EQ(db.selectedObject.objectId, -1);
}

TEST_F(CatalogSelection, ColumnsAreOrderedByColumnIdAndTheFirstDuplicateWins) {
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec table;
    table.objectId = 500;
    table.name = "Shuffled";
    table.columns = {intColumn("c3"), intColumn("c1"), intColumn("c2")};
    table.columnIds = {3, 1, 2};
    writer.addTable(table);
    ColumnRow duplicate;
    duplicate.objectId = 500;
    duplicate.number = 0;
    duplicate.columnId = 1;
    duplicate.name = "late duplicate";
    duplicate.systemTypeId = 56;
    duplicate.userTypeId = 56;
    duplicate.maxLength = 4;
    writer.addColumn(duplicate);
    auto loaded = load(writer);
    std::vector<ColumnDescriptor> layout = loaded->database->selectObject("Shuffled", "U ", {});
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_EQ(layout[0].name, "c1");
    EXPECT_EQ(layout[1].name, "c2");
    EXPECT_EQ(layout[2].name, "c3");
    EXPECT_EQ(layout[0].columnId, 1);
    EXPECT_EQ(layout[2].columnId, 3);
}

TEST_F(CatalogSelection, ComputedColumnGetsItsDefinitionText) {
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec table;
    table.objectId = 600;
    table.name = "Lines";
    table.columns = {intColumn("Quantity"), intColumn("Price"), intColumn("Total")};
    table.columns[2].computed = true;
    writer.addTable(table);
    auto loaded = load(writer);
    // "([Quantity]*[Price])" as UTF-16, the way sysobjvalues keeps it.
    std::string hex = "0x";
    for (char c : std::string("([Quantity]*[Price])")) {
        char pair[8];
        std::snprintf(pair, sizeof pair, "%02X00", unsigned(uint8_t(c)));
        hex += pair;
    }
    std::vector<DefinitionRow> definitions = {{"600", "2", "0x4100"}, {"600", "3", hex}, {"601", "3", "0x4200"}};
    Database& db = *loaded->database;
    std::vector<ColumnDescriptor> layout = db.selectObject("Lines", "U ", definitions);
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_TRUE(layout[1].stored);
    EXPECT_EQ(layout[2].physicalColumnId, kNotStored);
    EXPECT_FALSE(layout[2].stored);
    EXPECT_EQ(layout[2].infoText, "([Quantity]*[Price])");
    EXPECT_EQ(db.firstStoredColumn, 0);
}

TEST_F(CatalogSelection, AViewNamedLikeATableWinsWhenItComesFirst) {
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    CatalogObject view;
    view.objectId = 700;
    view.name = "Sales";
    view.type = "V ";
    writer.addObject(view);
    TableSpec table;
    table.objectId = 701;
    table.name = "Sales";
    table.columns = {intColumn("Amount")};
    writer.addTable(table);
    CatalogObject laterView;
    laterView.objectId = 702;
    laterView.name = "Stock";
    laterView.type = "V ";
    TableSpec stock;
    stock.objectId = 703;
    stock.name = "Stock";
    stock.columns = {intColumn("Count")};
    writer.addTable(stock);
    writer.addObject(laterView);
    auto loaded = load(writer);
    Database& db = *loaded->database;
    EXPECT_EQ(db.findObject("Sales", "U ").objectId, 700);
    EXPECT_EQ(db.selectObject("Sales", "U ", {}).size(), 3u);  // the view's info descriptors
    EXPECT_EQ(db.findObject("Stock", "U ").objectId, 703);
    EXPECT_EQ(db.findObject("Stock", "V ").objectId, 702);
    EXPECT_EQ(db.findObject("sales", "U ").objectId, -1);  // names compare exactly
}

TEST_F(CatalogSelection, RowsetChoicePrefersHeapOrClusteredAndTheLaterPartition) {
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec heap;
    heap.objectId = 800;
    heap.name = "Heap";
    heap.columns = {intColumn("a")};
    fixtures::TableUnit unit = writer.addTable(heap);
    RowsetRow nonclustered{0x0100000000990000ull, 1, 800, 2, 1, 0, 1, 50};
    RowsetRow secondPartition{0x0100000000980000ull, 1, 800, 0, 2, 0, 1, 70};
    writer.addRowset(nonclustered);
    writer.addRowset(secondPartition);
    auto loaded = load(writer);
    Database& db = *loaded->database;
    db.selectObject("Heap", "U ", {});
    EXPECT_EQ(db.currentRowset.rowsetId, secondPartition.rowsetId);
    EXPECT_EQ(db.catalogRowCount(800), 70);
    ASSERT_EQ(db.selectedRowsets.size(), 3u);
    EXPECT_EQ(db.selectedRowsets[0].rowsetId, unit.rowsetId);
    EXPECT_EQ(db.selectedAllocationUnits.size(), 1u);
}

TEST_F(CatalogSelection, UnitsSharingASystemObjectIdKeepTheirPagesApart) {
    // A user unit whose pages carry object id 34 (as sysschobjs' do) at index
    // id 256: its rows are no object rows, and its pages are its own.
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec table;
    table.objectId = 900;
    table.name = "Collides";
    table.columns = {intColumn("a", false), intColumn("b", false), intColumn("c", false), intColumn("d", false),
                     intColumn("e", false)};
    table.pageObjectId = 34;
    for (int i = 0; i < 4; ++i)
        table.rows.push_back(CatalogWriter::rowRecord(
            table, {intBytes(900 + i), intBytes(0x4C4C4C4C), intBytes(0), intBytes(0), intBytes(0)}));
    fixtures::TableUnit unit = writer.addTable(table);
    EXPECT_EQ(unit.pageObjectId, 34);
    // sysschobjs' own rowset and unit, as the server keeps them.
    writer.addRowset(RowsetRow{0x0001000000220000ull, 1, 34, 1, 1, 0, 1, 2});
    AllocationUnitRow objectsUnit;
    objectsUnit.allocationUnitId = 0x0001000000220000ull;
    objectsUnit.type = 1;
    objectsUnit.ownerId = 0x0001000000220000ull;
    objectsUnit.status = 0;
    writer.addAllocationUnit(objectsUnit);
    CatalogObject sysschobjs;
    sysschobjs.objectId = 34;
    sysschobjs.name = "sysschobjs";
    sysschobjs.type = "S ";
    writer.addObject(sysschobjs);
    auto loaded = load(writer);
    Database& db = *loaded->database;
    ASSERT_EQ(db.objects.size(), 2u);
    EXPECT_EQ(db.objects[0].name, "Collides");
    db.selectObject("Collides", "U ", {});
    ASSERT_EQ(db.selectedDataPages.size(), 1u);
    auto page = loaded->file->readDataPage(db.selectedDataPages[0]);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->header().indexId, 256);
    db.selectObject("sysschobjs", "S ", {});
    ASSERT_EQ(db.selectedDataPages.size(), 1u);
    EXPECT_EQ(loaded->file->readDataPage(db.selectedDataPages[0])->header().indexId, 1);
}

TEST_F(CatalogSelection, ClusteredPagesWrittenBeforeAnUpgradeBelongToTheirUnit) {
    // SQL Server 2000 wrote a clustered table's data pages with index id 0;
    // after an upgrade its unit says index id 1.
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec table;
    table.objectId = 21575115;
    table.name = "Orders";
    table.columns = {intColumn("OrderID", false)};
    table.primaryKey = {1};
    writer.addTable(table);
    RowsetRow rowset{0x0001014935cb0000ull, 1, 21575115, 1, 1, 0, 1, 2};
    AllocationUnitRow upgraded;
    upgraded.allocationUnitId = 0x0001014935cb0000ull;  // object 21575115, index 1
    upgraded.type = 1;
    upgraded.ownerId = rowset.rowsetId;
    upgraded.status = 0;
    upgraded.firstPage = {1, 5};
    TableSpec legacyTable;
    legacyTable.objectId = 2137058649;
    legacyTable.name = "Old";
    legacyTable.columns = {intColumn("x")};
    legacyTable.primaryKey = {1};
    writer.addRowset(RowsetRow{0x00010000f0000000ull, 1, 2137058649, 1, 1, 0, 1, 2});
    AllocationUnitRow oldUnit;
    oldUnit.allocationUnitId = (uint64_t(1) << 48) | (uint64_t(2137058649u) << 16);
    oldUnit.type = 1;
    oldUnit.ownerId = 0x00010000f0000000ull;
    oldUnit.status = 0;
    oldUnit.firstPage = {1, 5};
    writer.addAllocationUnit(oldUnit);
    CatalogObject oldObject;
    oldObject.objectId = 2137058649;
    oldObject.name = "Old";
    oldObject.type = "U ";
    writer.addObject(oldObject);
    writer.addDataRecord(2137058649, 0, CatalogWriter::rowRecord(legacyTable, {intBytes(1)}));
    writer.addDataRecord(2137058649, 1, CatalogWriter::rowRecord(legacyTable, {intBytes(2)}));
    writer.addDataRecord(2137058649, 2, CatalogWriter::rowRecord(legacyTable, {intBytes(3)}));
    auto loaded = load(writer);
    Database& db = *loaded->database;
    db.selectObject("Old", "U ", {});
    EXPECT_EQ(db.selectedDataPages.size(), 2u);  // index ids 0 and 1, not the nonclustered 2
}

TEST_F(CatalogSelection, LayoutTablesOfThe2005ReleaseMapColumnsToTheirPlaces) {
    // Without sysrscols rows the layout comes from tables 13 and 4: the
    // physical column of each catalog column, its offset and null bit.
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec table;
    table.objectId = 1100;
    table.name = "Apps";
    table.columns = {nvarcharColumn("Name", 512), nvarcharColumn("Lowered", 512), intColumn("Id")};
    table.primaryKey = {2};
    CatalogWriter scratch;
    fixtures::TableUnit unit = scratch.addTable(table);
    // The same table with the layout rows of the 2005 release only.
    for (size_t i = 0; i < table.columns.size(); ++i) {
        ColumnRow row;
        row.objectId = 1100;
        row.number = 0;
        row.columnId = int32_t(i + 1);
        row.name = table.columns[i].name;
        row.systemTypeId = table.columns[i].systemTypeId;
        row.userTypeId = table.columns[i].systemTypeId;
        row.maxLength = table.columns[i].maxLength;
        row.status = 0;
        writer.addColumn(row);
    }
    CatalogObject object;
    object.objectId = 1100;
    object.name = "Apps";
    object.type = "U ";
    writer.addObject(object);
    writer.addRowset(RowsetRow{unit.rowsetId, 1, 1100, 1, 1, 0, 1, 0});
    // Physical order: uniquifier (var 1), Lowered (var 2), Name (var 3), Id (fixed at 4).
    writer.addRowsetColumnInfo({unit.rowsetId, 1, -1, 1, -1});
    writer.addRowsetColumnInfo({unit.rowsetId, 2, -2, 2, -1});
    writer.addRowsetColumnInfo({unit.rowsetId, 3, -3, 3, -1});
    writer.addRowsetColumnInfo({unit.rowsetId, 4, 4, 4, -1});
    writer.addRowsetColumnLink({unit.rowsetId, 1, 3});
    writer.addRowsetColumnLink({unit.rowsetId, 2, 2});
    writer.addRowsetColumnLink({unit.rowsetId, 3, 4});
    auto loaded = load(writer, 611);
    Database& db = *loaded->database;
    std::vector<ColumnDescriptor> layout = db.selectObject("Apps", "U ", {{"1100", "4", "0x5800"}});
    ASSERT_TRUE(db.selectedRowsetColumns.empty());
    ASSERT_EQ(db.selectedLayoutInfos.size(), 4u);
    ASSERT_EQ(db.selectedLayoutLinks.size(), 3u);
    ASSERT_EQ(layout.size(), 4u);
    EXPECT_EQ(layout[0].name, "Name");
    EXPECT_EQ(layout[0].physicalColumnId, 3);
    EXPECT_EQ(layout[0].leafOffset, -3);
    EXPECT_EQ(layout[1].physicalColumnId, 2);
    EXPECT_EQ(layout[1].leafOffset, -2);
    EXPECT_EQ(layout[2].physicalColumnId, 4);
    EXPECT_EQ(layout[2].leafOffset, 4);
    // The physical column no catalog column names: kept, not stored.
    EXPECT_EQ(layout[3].columnId, 4);
    EXPECT_EQ(layout[3].physicalColumnId, kNotStored);
    EXPECT_EQ(layout[3].systemTypeId, 0);
    EXPECT_EQ(layout[3].infoText, "X");
}

}  // namespace
}  // namespace pw
