// Secondary data files: found through the data file table or by searching
// the primary file's directory, registered under their file numbers, and
// scanned into the page maps.

#include <gtest/gtest.h>

#include <set>

#include "catalog/SecondaryFiles.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/CatalogWriter.h"
#include "tools/fixtures/LoadedCatalog.h"
#include "tools/fixtures/PageBuilder.h"

namespace pw {
namespace {

using fixtures::CatalogWriter;
using fixtures::TableSpec;

constexpr int32_t kSpreadTable = 5000;   // rows in all three files
constexpr int32_t kUnitObjectId = 300;   // header object id of its pages

TableSpec spreadTable() {
    TableSpec table;
    table.objectId = kSpreadTable;
    table.name = "Spread";
    fixtures::ColumnSpec value;
    value.name = "Value";
    table.columns = {value};
    table.pageObjectId = kUnitObjectId;
    return table;
}

std::vector<uint8_t> rowOf(int32_t value) {
    std::vector<uint8_t> bytes(4);
    fixtures::putU32(bytes, 0, uint32_t(value));
    return CatalogWriter::rowRecord(spreadTable(), {bytes});
}

// A secondary file: 16 pages of its own (each carrying its number), then
// a data page of the spread table and a page of the object table holding
// one more object.
fixtures::DatabaseImage secondaryImage(int16_t fileNumber, const std::string& extraObject) {
    fixtures::DatabaseImage image(16);
    for (uint32_t p = 0; p < 16; ++p)
        image.setPage(p, fixtures::PageBuilder(int32_t(p), 99, p == 0 ? 15 : 11, fileNumber).build());
    CatalogWriter writer;
    writer.addDataRecord(kUnitObjectId, 256, rowOf(fileNumber * 100));
    CatalogObject object;
    object.objectId = 7000 + fileNumber;
    object.name = extraObject;
    object.type = "V ";
    writer.addObject(object);
    writer.writeTo(image, 16, fileNumber);
    return image;
}

class CatalogSecondaryFiles : public ::testing::Test {
protected:
    // The primary file, listing `files` in its data file table.
    void writePrimary(const std::vector<DataFileRow>& files) {
        CatalogWriter writer;
        writer.addStandardScalarTypes();
        TableSpec table = spreadTable();
        table.rows = {rowOf(1)};
        writer.addTable(table);
        for (const DataFileRow& file : files) writer.addDataFile(file);
        fixtures::catalogImage(writer, "Spread").writeTo(dir.file("spread.mdf"));
    }
    static DataFileRow listed(int32_t fileId, const std::string& logicalName, const std::string& physicalName,
                              int32_t status = 2) {
        DataFileRow row;
        row.status = status;
        row.fileId = fileId;
        row.logicalName = logicalName;
        row.physicalName = physicalName;
        return row;
    }
    // Every page of file `fileNumber` is in some page map.
    static void expectEveryPageMapped(const DatabaseFile& file, int16_t fileNumber, uint64_t pageCount) {
        std::set<int32_t> seen;
        for (const PageMap* map : {&file.systemPageMap, &file.dataPageMap, &file.iamPageMap})
            for (const auto& [id, pages] : *map)
                for (const PageEntry& entry : pages)
                    if (entry.fileNumber == fileNumber) seen.insert(entry.pageNumber);
        EXPECT_EQ(seen.size(), pageCount) << "file " << fileNumber;
    }
    // Distinct (file number, page) entries over all maps.
    static size_t mappedPages(const DatabaseFile& file) {
        std::set<std::pair<int16_t, int32_t>> seen;
        for (const PageMap* map : {&file.systemPageMap, &file.dataPageMap, &file.iamPageMap})
            for (const auto& [id, pages] : *map)
                for (const PageEntry& entry : pages) seen.insert({entry.fileNumber, entry.pageNumber});
        return seen.size();
    }
    void expectSpreadOverThreeFiles(fixtures::LoadedCatalog& loaded) {
        Database& db = *loaded.database;
        db.selectObject("Spread", "U ", {});
        ASSERT_EQ(db.selectedDataPages.size(), 3u);
        std::vector<int32_t> values;
        for (const PagePointer& page : db.selectedDataPages) {
            auto dataPage = loaded.file->readDataPage(page);
            ASSERT_TRUE(dataPage) << page.fileNumber << ":" << page.pageNumber;
            CPrimaryRecord* record = dataPage->primaryRecord(0);
            ASSERT_TRUE(record);
            values.push_back(readI32(record->fixedView(), 0));
        }
        EXPECT_EQ(values, (std::vector<int32_t>{1, 300, 400}));
        EXPECT_NE(db.findObject("in file 3", "V ").objectId, -1);
        EXPECT_NE(db.findObject("in file 4", "V ").objectId, -1);
    }

    test::TempDir dir;
};

TEST_F(CatalogSecondaryFiles, ListedFilesAreFoundBesideThePrimaryFile) {
    writePrimary({listed(1, "Spread", "C:\\Data\\spread.mdf"), listed(2, "Spread_log", "C:\\Logs\\spread_log.ldf", 0x42),
                  listed(3, "Spread_2", "D:\\Elsewhere\\sales_2.ndf"), listed(4, "Spread_3", "sales_3.NDF"),
                  listed(5, "Again", "E:\\sales_2.ndf")});  // a damaged row naming file 3's file again
    secondaryImage(3, "in file 3").writeTo(dir.file("sales_2.ndf"));
    secondaryImage(4, "in file 4").writeTo(dir.file("sales_3.ndf"), 100);  // 100 stray bytes first
    auto loaded = fixtures::loadCatalog(dir.file("spread.mdf"));
    ASSERT_TRUE(loaded->database);
    const DatabaseFile& file = *loaded->file;
    Database& db = *loaded->database;

    ASSERT_EQ(db.dataFiles.size(), 5u);
    EXPECT_EQ(db.dataFiles[0].physicalName, "C:\\Data\\spread.mdf");  // the primary row is left alone
    EXPECT_EQ(db.dataFiles[1].physicalName, dir.path().string() + "/spread_log.ndf");
    EXPECT_EQ(db.dataFiles[1].recordedName, "C:\\Logs\\spread_log.ldf");
    EXPECT_EQ(db.dataFiles[2].physicalName, dir.path().string() + "/sales_2.ndf");
    EXPECT_EQ(db.dataFiles[3].physicalName, dir.path().string() + "/sales_3.ndf");
    EXPECT_EQ(db.dataFiles[2].pageCount, 18u);
    EXPECT_EQ(db.dataFiles[3].pageOrigin, 100);

    // The log file names a file that does not exist; the repeated name is scanned once.
    ASSERT_EQ(file.secondaryFiles.size(), 2u);
    EXPECT_EQ(file.secondaryFiles.at(3).pageOrigin, 0);
    EXPECT_EQ(file.secondaryFiles.at(4).pageOrigin, 100);
    EXPECT_EQ(file.secondaryFiles.at(4).pageCount, 18u);
    expectEveryPageMapped(file, 3, 18);
    expectEveryPageMapped(file, 4, 18);
    EXPECT_EQ(mappedPages(file), file.pageCount + 18 + 18);
    expectSpreadOverThreeFiles(*loaded);
}

TEST_F(CatalogSecondaryFiles, WithoutDataFileRowsTheDirectoryIsSearched) {
    writePrimary({});
    secondaryImage(4, "in file 4").writeTo(dir.file("b_part.ndf"), 100);
    secondaryImage(3, "in file 3").writeTo(dir.file("a_part.ndf"), 0, 300);  // stray bytes at the end
    // A file with no data page of a file number above 1 is scanned but not registered.
    fixtures::DatabaseImage anonymous(12);
    for (uint32_t p = 0; p < 12; ++p) anonymous.setPage(p, fixtures::PageBuilder(int32_t(p), 99, 11, 9).build());
    anonymous.writeTo(dir.file("c_anonymous.ndf"));
    test::writeFileBytes(dir.file("d_tiny.ndf"), std::vector<uint8_t>(8000, 0));
    test::writeFileBytes(dir.file("e_other.txt"), std::vector<uint8_t>(8192 * 2, 0));

    auto loaded = fixtures::loadCatalog(dir.file("spread.mdf"));
    ASSERT_TRUE(loaded->database);
    const DatabaseFile& file = *loaded->file;
    Database& db = *loaded->database;
    ASSERT_EQ(db.dataFiles.size(), 2u);
    EXPECT_EQ(db.dataFiles[0].fileId, 3);
    EXPECT_EQ(db.dataFiles[0].physicalName, dir.path().string() + "/a_part.ndf");
    EXPECT_EQ(db.dataFiles[0].pageOrigin, 0);  // found at byte 0 by the second pass
    EXPECT_EQ(db.dataFiles[1].fileId, 4);
    EXPECT_EQ(db.dataFiles[1].pageOrigin, 100);  // found at its own origin: kept
    ASSERT_EQ(file.secondaryFiles.size(), 2u);
    expectEveryPageMapped(file, 3, 18);
    expectEveryPageMapped(file, 4, 18);
    expectEveryPageMapped(file, 9, 12);  // the anonymous file's pages are mapped all the same
    EXPECT_EQ(file.secondaryFiles.count(9), 0u);
    EXPECT_EQ(mappedPages(file), file.pageCount + 18 + 18 + 12);
    expectSpreadOverThreeFiles(*loaded);
}

TEST(CatalogSecondaryFileNames, DirectoryAndBaseNames) {
    EXPECT_EQ(directoryOfPath("C:\\\\Data\\\\db.mdf"), "C:\\Data\\");
    EXPECT_EQ(directoryOfPath("/srv/data/db.mdf"), "/srv/data/");
    EXPECT_EQ(directoryOfPath("db.mdf"), "");
    EXPECT_EQ(baseNameOfPhysicalName("D:\\Other\\sales_2.ndf"), "sales_2");
    EXPECT_EQ(baseNameOfPhysicalName("C:\\Logs\\db_log.ldf"), "db_log");
    EXPECT_EQ(baseNameOfPhysicalName("archive.2020.ndf"), "archive.2020");
    EXPECT_EQ(baseNameOfPhysicalName("noextension"), "noextension");
}

}  // namespace
}  // namespace pw
