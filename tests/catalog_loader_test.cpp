// Loading whole catalogs from fixture files: the choice of catalog format,
// generated names per table, damaged object tables, stray pages in a
// system table's page list, and a stop request during loading.

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tools/fixtures/CatalogWriter.h"
#include "tools/fixtures/LoadedCatalog.h"
#include "tools/fixtures/PageBuilder.h"

namespace pw {
namespace {

using fixtures::CatalogWriter;
using fixtures::ColumnSpec;
using fixtures::NameForm;
using fixtures::TableSpec;

ColumnSpec intColumn(const std::string& name, bool nullable = true) {
    ColumnSpec c;
    c.name = name;
    c.nullable = nullable;
    c.precision = 10;
    return c;
}

std::vector<uint8_t> intBytes(int32_t value) {
    std::vector<uint8_t> bytes(4);
    fixtures::putU32(bytes, 0, uint32_t(value));
    return bytes;
}

class CatalogLoader : public ::testing::Test {
protected:
    std::unique_ptr<fixtures::LoadedCatalog> load(fixtures::DatabaseImage& image) {
        image.writeTo(dir.file("loader.mdf"));
        auto loaded = fixtures::loadCatalog(dir.file("loader.mdf"));
        EXPECT_TRUE(loaded->database);
        return loaded;
    }
    std::unique_ptr<fixtures::LoadedCatalog> load(CatalogWriter& writer, uint16_t version = 661) {
        fixtures::DatabaseImage image = fixtures::catalogImage(writer, "Loader", version);
        return load(image);
    }
    static void addTwoTables(CatalogWriter& writer) {
        writer.addStandardScalarTypes();
        TableSpec first;
        first.objectId = 1000;
        first.name = "First";
        first.columns = {intColumn("a", false), intColumn("b")};
        first.primaryKey = {1};
        first.rows = {CatalogWriter::rowRecord(first, {intBytes(1), intBytes(2)})};
        writer.addTable(first);
        TableSpec second;
        second.objectId = 2000;
        second.name = "Second";
        second.columns = {intColumn("x"), intColumn("y"), intColumn("z")};
        second.rows = {CatalogWriter::rowRecord(second, {intBytes(1), intBytes(2), intBytes(3)})};
        writer.addTable(second);
    }

    test::TempDir dir;
};

TEST_F(CatalogLoader, GeneratedNamesAreNumberedFromZeroInEachTable) {
    CatalogWriter writer;
    writer.addStandardScalarTypes();
    TableSpec table;
    table.objectId = 500;
    table.name = "ignored";
    table.columns = {intColumn("kept"), intColumn(""), intColumn("")};
    table.columns[1].nameForm = NameForm::Missing;
    table.columns[2].nameForm = NameForm::Empty;
    writer.addTable(table);
    CatalogObject nameless;
    nameless.objectId = 501;
    nameless.type = "V ";
    writer.addObject(nameless, NameForm::Missing);
    writer.addObject(nameless, NameForm::Empty);
    auto loaded = load(writer);
    const Database& db = *loaded->database;
    ASSERT_EQ(db.objects.size(), 3u);
    EXPECT_EQ(db.objects[1].name, "Repairname0");
    EXPECT_EQ(db.objects[2].name, "Repairname1");
    ASSERT_EQ(db.columns.size(), 3u);
    EXPECT_EQ(db.columns[0].name, "kept");
    EXPECT_EQ(db.columns[1].name, "RepairColumn0");  // the object table's count does not carry over
    EXPECT_EQ(db.columns[2].name, "RepairColumn1");
}

TEST_F(CatalogLoader, OnlyDataPagesOfASystemTableGiveRows) {
    // The page list of object id 34 also holds the table's IAM and index
    // pages; records there are no object rows.
    CatalogWriter writer;
    addTwoTables(writer);
    fixtures::DatabaseImage image = fixtures::catalogImage(writer, "Stray");
    CatalogObject ghost;
    ghost.objectId = 4242;
    ghost.name = "NotAnObject";
    ghost.type = "U ";
    uint32_t next = image.pageCount();
    for (uint8_t type : {uint8_t(10), uint8_t(2)}) {
        fixtures::PageBuilder stray(int32_t(next), 34, type, 1, 1);
        stray.addRecord(fixtures::objectRecord(ghost));
        image.setPage(next++, stray.build());
    }
    auto loaded = load(image);
    const Database& db = *loaded->database;
    ASSERT_EQ(loaded->file->systemPageMap.at(34).size(), 3u);
    EXPECT_EQ(db.findObject("NotAnObject", "U ").objectId, -1);
    EXPECT_EQ(db.objects.size(), 2u);
}

TEST_F(CatalogLoader, ZeroedObjectTableNamesTablesByTheirIds) {
    CatalogWriter writer;
    addTwoTables(writer);
    fixtures::DatabaseImage image = fixtures::catalogImage(writer, "Zeroed");
    for (uint32_t p = 0; p < image.pageCount(); ++p) {
        PageBytes& page = image.page(p);
        if (readI32(Bytes(page.data(), page.size()), 24) == 34) std::fill(page.begin() + 96, page.end(), 0);
    }
    auto loaded = load(image);
    Database& db = *loaded->database;
    EXPECT_FALSE(db.legacyCatalog());  // neither object table gave a row: still the 2005 catalog
    ASSERT_EQ(db.objects.size(), 2u);
    EXPECT_EQ(db.objects[0].name, "1000");
    EXPECT_EQ(db.objects[0].type, "U ");
    EXPECT_EQ(db.objects[0].parentObjectId, -1);
    EXPECT_EQ(db.objects[1].name, "2000");
    std::vector<ColumnDescriptor> layout = db.selectObject("2000", "U ", {});
    EXPECT_EQ(layout.size(), 3u);
    EXPECT_EQ(db.selectedDataPages.size(), 1u);
}

TEST_F(CatalogLoader, LegacyCatalogKeepsUserTablesWithAClusteredIndex) {
    CatalogWriter writer(true);
    TableSpec clustered;
    clustered.objectId = 1977058079;
    clustered.name = "authors";
    clustered.columns = {intColumn("au_id", false), intColumn("contract", true)};
    clustered.primaryKey = {1};
    clustered.primaryKeyName = "UPKCL_auidind";
    clustered.rows = {CatalogWriter::rowRecord(clustered, {intBytes(1), intBytes(0)})};
    writer.addTable(clustered);
    TableSpec heap;
    heap.objectId = 245575913;
    heap.name = "discounts";
    heap.columns = {intColumn("lowqty")};
    heap.rowCount = 3;
    writer.addTable(heap);
    TableSpec system;
    system.objectId = 3;
    system.name = "syscolumns";
    system.type = "S ";
    system.columns = {intColumn("id")};
    system.primaryKey = {1};
    writer.addTable(system);
    auto loaded = load(writer, 539);
    Database& db = *loaded->database;
    EXPECT_TRUE(db.legacyCatalog());
    EXPECT_TRUE(loaded->context.legacyCatalog.load());
    ASSERT_EQ(db.legacyTables.size(), 1u);  // no heap, no system table
    EXPECT_EQ(db.legacyTables[0].name, "authors");
    ASSERT_EQ(db.legacyTables[0].columns.size(), 2u);
    EXPECT_EQ(db.legacyTables[0].columns[0].name, "au_id");
    EXPECT_EQ(db.legacyTables[0].columns[1].columnOrder, 2);
    EXPECT_EQ(db.catalogRowCount(245575913), 3);
    EXPECT_EQ(db.catalogRowCount(1977058079), 1);
    EXPECT_TRUE(db.columns.empty());
    EXPECT_TRUE(db.rowsetColumns.empty());

    std::vector<ColumnDescriptor> layout = db.selectObject("authors", "U ", {});
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_TRUE(layout[0].stored);
    EXPECT_FALSE(layout[0].nullable);
    EXPECT_TRUE(layout[1].nullable);
    EXPECT_EQ(layout[0].typeText, "(4)");  // these files keep no scalar type table
    EXPECT_EQ(db.selectedDataPages.size(), 1u);
    ASSERT_EQ(db.childObjects.size(), 1u);
    EXPECT_EQ(db.childObjects[0].objectId, 1977058079);  // the parent id, in these catalogs
}

TEST_F(CatalogLoader, AStopDuringLoadingLeavesAUsableCatalog) {
    CatalogWriter writer;
    addTwoTables(writer);
    writer.addForeignKey(3000, "FK", 2000, {1}, 1000, {1});
    fixtures::catalogImage(writer, "Stopped").writeTo(dir.file("stopped.mdf"));
    RunContext context;
    DatabaseFile file(dir.file("stopped.mdf").string(), false, context);
    ASSERT_TRUE(file.isOpen());
    context.stopRequested.store(true);
    Database db(file);
    EXPECT_TRUE(db.foreignKeyColumns.empty());
    EXPECT_TRUE(db.allocationUnits.empty());
    db.selectObject("Second", "U ", {});  // whatever was read, selection stays safe
}

}  // namespace
}  // namespace pw
