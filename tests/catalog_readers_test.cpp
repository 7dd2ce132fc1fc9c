// The system table readers on tiny pages: fixed offsets, sentinels for short
// records, generated names, identity texts, data file names, the SQL Server
// 2000 index rows.

#include <gtest/gtest.h>

#include "catalog/readers/SystemTableReaders.h"
#include "storage/RecordPage.h"
#include "tools/fixtures/CatalogRecords.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"

namespace pw {
namespace {

using fixtures::NameForm;

// A data page of system table `objectId` holding `records`, parsed as the
// catalog loader parses it.
std::unique_ptr<CDataPage> pageWith(const std::vector<std::vector<uint8_t>>& records, int32_t objectId = 34,
                                    uint8_t pageType = 1) {
    fixtures::PageBuilder builder(20, objectId, pageType, 1, 1);
    for (const auto& record : records) builder.addRecord(record);
    return std::make_unique<CDataPage>(builder.build(), nullptr, RecordPageOptions{});
}

CatalogObject object(int32_t id, const std::string& name, const std::string& type = "U ") {
    CatalogObject o;
    o.objectId = id;
    o.name = name;
    o.schemaId = 1;
    o.namespaceClass = 0;
    o.status = 0;
    o.type = type;
    o.parentObjectId = 7;
    o.parentClass = 1;
    o.internalProperty = 0;
    return o;
}

ColumnRow column(int32_t objectId, int32_t columnId, const std::string& name, int32_t status = 0) {
    ColumnRow c;
    c.objectId = objectId;
    c.number = 0;
    c.columnId = columnId;
    c.name = name;
    c.systemTypeId = 56;
    c.userTypeId = 56;
    c.maxLength = 4;
    c.precision = 10;
    c.scale = 0;
    c.collationId = 0;
    c.status = status;
    return c;
}

// A record whose fixed part is `length` bytes of `fill`.
std::vector<uint8_t> shortRecord(size_t length, uint8_t fill = 0x11) {
    fixtures::OrdinaryRecord record;
    record.fixed.assign(length, fill);
    record.columnCount = 3;
    return record.build();
}

TEST(CatalogReaders, ObjectRowsReadEveryFieldAtItsOffset) {
    CatalogObject expected = object(245575913, "Products");
    expected.schemaId = 5;
    expected.namespaceClass = 3;
    expected.status = 0x20;
    expected.parentObjectId = 117575457;
    expected.parentClass = 2;
    expected.internalProperty = 9;
    auto page = pageWith({fixtures::objectRecord(expected)});
    std::vector<CatalogObject> rows;
    uint64_t counter = 0;
    catalog::readObjectRows(*page, false, counter, rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].objectId, 245575913);
    EXPECT_EQ(rows[0].name, "Products");
    EXPECT_EQ(rows[0].schemaId, 5);
    EXPECT_EQ(rows[0].namespaceClass, 3);
    EXPECT_EQ(rows[0].status, 0x20);
    EXPECT_EQ(rows[0].type, "U ");
    EXPECT_EQ(rows[0].parentObjectId, 117575457);
    EXPECT_EQ(rows[0].parentClass, 2);
    EXPECT_EQ(rows[0].internalProperty, 9);
}

TEST(CatalogReaders, LegacyObjectRowsTakeTypeAndParentFromTheirOwnOffsets) {
    CatalogObject key = object(1993058136, "UPKCL_auidind", "PK");
    key.parentObjectId = 1977058079;
    auto page = pageWith({fixtures::legacyObjectRecord(key)}, 1);
    std::vector<CatalogObject> rows;
    uint64_t counter = 0;
    catalog::readObjectRows(*page, true, counter, rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].type, "PK");
    EXPECT_EQ(rows[0].parentObjectId, 1977058079);
}

TEST(CatalogReaders, ObjectRowsWithoutIdOrTooShortAreDropped) {
    auto page = pageWith({fixtures::objectRecord(object(0, "zero")), fixtures::objectRecord(object(-5, "negative")),
                          shortRecord(19), fixtures::objectRecord(object(100, "kept"))});
    std::vector<CatalogObject> rows;
    uint64_t counter = 0;
    catalog::readObjectRows(*page, false, counter, rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "kept");
}

TEST(CatalogReaders, EmptyAndMissingNamesAreNumberedPerTable) {
    auto page = pageWith({fixtures::objectRecord(object(101, ""), NameForm::Empty),
                          fixtures::objectRecord(object(102, "named")),
                          fixtures::objectRecord(object(103, ""), NameForm::Missing)});
    std::vector<CatalogObject> objects;
    uint64_t counter = 0;
    catalog::readObjectRows(*page, false, counter, objects);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].name, "Repairname0");
    EXPECT_EQ(objects[1].name, "named");
    EXPECT_EQ(objects[2].name, "Repairname1");

    auto columns = pageWith({fixtures::columnRecord(column(101, 1, ""), std::nullopt, NameForm::Missing),
                             fixtures::columnRecord(column(101, 2, ""), std::nullopt, NameForm::Empty)},
                            41);
    std::vector<ColumnRow> rows;
    counter = 0;  // the loader starts every table at 0
    catalog::readColumnRows(*columns, counter, rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "RepairColumn0");
    EXPECT_EQ(rows[1].name, "RepairColumn1");
}

TEST(CatalogReaders, ShortRecordsKeepSentinelsWhereTheTableSaysSo) {
    std::vector<AllocationUnitRow> units;
    catalog::readAllocationUnitRows(*pageWith({shortRecord(38)}, 7), units);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].allocationUnitId, 0u);
    EXPECT_EQ(units[0].type, 255);
    EXPECT_EQ(units[0].firstPage, (PagePointer{0, 0}));
    EXPECT_EQ(units[0].firstIamPage, (PagePointer{0, 0}));

    std::vector<RowsetRow> rowsets;
    catalog::readRowsetRows(*pageWith({shortRecord(26)}, 5), rowsets);
    ASSERT_EQ(rowsets.size(), 1u);
    EXPECT_EQ(rowsets[0].ownerObjectId, -1);
    EXPECT_EQ(rowsets[0].rowCount, -1);

    std::vector<ColumnRow> columns;
    uint64_t counter = 0;
    catalog::readColumnRows(*pageWith({shortRecord(36)}, 41), counter, columns);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].objectId, -1);
    EXPECT_TRUE(columns[0].name.empty());
    EXPECT_EQ(counter, 0u);

    std::vector<ScalarTypeRow> types;
    catalog::readScalarTypeRows(*pageWith({shortRecord(33)}, 50), types);
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0].typeId, -1);

    std::vector<IndexColumnRow> indexColumns;
    catalog::readIndexColumnRows(*pageWith({shortRecord(20)}, 55), indexColumns);
    ASSERT_EQ(indexColumns.size(), 1u);
    EXPECT_EQ(indexColumns[0].columnId, -1);
}

TEST(CatalogReaders, AllocationUnitAndRowsetFieldsRoundTrip) {
    AllocationUnitRow unit;
    unit.allocationUnitId = 0x0100000000220000ull;
    unit.type = 1;
    unit.ownerId = 0x01000000000d0000ull;
    unit.status = 0;
    unit.filegroupId = 1;
    unit.firstPage = {1, 220};
    unit.rootPage = {1, 221};
    unit.firstIamPage = {3, 222};
    std::vector<AllocationUnitRow> units;
    catalog::readAllocationUnitRows(*pageWith({fixtures::allocationUnitRecord(unit)}, 7), units);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].allocationUnitId, unit.allocationUnitId);
    EXPECT_EQ(units[0].ownerId, unit.ownerId);
    EXPECT_EQ(units[0].firstIamPage, (PagePointer{3, 222}));
    EXPECT_EQ(units[0].pageObjectId(), 34);
    EXPECT_EQ(units[0].pageIndexId(), 256);

    RowsetRow rowset{0x01000000000d0000ull, 1, 2105058535, 1, 1, 0, 1, 2155};
    std::vector<RowsetRow> rowsets;
    catalog::readRowsetRows(*pageWith({fixtures::rowsetRecord(rowset)}, 5), rowsets);
    ASSERT_EQ(rowsets.size(), 1u);
    EXPECT_EQ(rowsets[0].ownerObjectId, 2105058535);
    EXPECT_EQ(rowsets[0].rowCount, 2155);
}

TEST(CatalogReaders, IdentityTexts) {
    struct Case {
        std::vector<uint8_t> blob;
        const char* text;
    };
    std::vector<uint8_t> smallint(6, 0);
    fixtures::putU16(smallint, 2, 3);
    fixtures::putU16(smallint, 4, 10);
    std::vector<uint8_t> zeroIncrement(24, 0);
    fixtures::putU32(zeroIncrement, 8, 7);
    const Case cases[] = {
        {fixtures::intIdentityBlob(100, 5), "identity(100,5)"},
        {fixtures::intIdentityBlob(1, -1), "identity(1,-1)"},
        {fixtures::intIdentityBlob(0, 1), "identity(1,1)"},  // a seed of 0 reads as 1
        {fixtures::bigintIdentityBlob(5000000000LL, 2), "identity(5000000000,2)"},
        {smallint, "identity(10,3)"},
        {zeroIncrement, "identity(7,0)"},
        {std::vector<uint8_t>(5, 0xFF), "identity(1,1)"},
        {{}, "identity(1,1)"},
    };
    for (const Case& c : cases) EXPECT_EQ(catalog::identityTextFor(Bytes(c.blob.data(), c.blob.size())), c.text);
}

TEST(CatalogReaders, IdentityTextNeedsStatusFiveAndTheBlobColumn) {
    auto page = pageWith({fixtures::columnRecord(column(1, 1, "id"), fixtures::intIdentityBlob(100, 5)),
                          fixtures::columnRecord(column(1, 2, "identityNoBlob", 5), std::nullopt),
                          fixtures::columnRecord(column(1, 3, "status7", 7), fixtures::intIdentityBlob(1, 1)),
                          fixtures::columnRecord(column(1, 4, "ok", 5), fixtures::intIdentityBlob(100, 5))},
                         41);
    std::vector<ColumnRow> rows;
    uint64_t counter = 0;
    catalog::readColumnRows(*page, counter, rows);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].identityText, "");  // status 0
    EXPECT_EQ(rows[1].identityText, "");  // no second variable column
    EXPECT_EQ(rows[2].identityText, "");  // other bits besides 1 and 4
    EXPECT_EQ(rows[3].identityText, "identity(100,5)");
}

TEST(CatalogReaders, DataFileNamesLoseTheirPadding) {
    DataFileRow file;
    file.status = 2;
    file.fileId = 3;
    file.logicalName = "sales_2";
    file.physicalName = "D:\\Data\\sales_2.ndf";
    std::vector<DataFileRow> rows;
    catalog::readDataFileRows(*pageWith({fixtures::dataFileRecord(file), shortRecord(100)}, 8), rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fileId, 3);
    EXPECT_EQ(rows[0].status, 2);
    EXPECT_EQ(rows[0].logicalName, "sales_2");
    EXPECT_EQ(rows[0].physicalName, "D:\\Data\\sales_2.ndf");
    EXPECT_EQ(rows[1].fileId, 0);  // too short: kept with its initial values
    EXPECT_TRUE(rows[1].logicalName.empty());
}

TEST(CatalogReaders, LegacyIndexRowsKeepTheLastClusteredRowOfEachTable) {
    auto page = pageWith({fixtures::legacyIndexRecord(500, 1, 80, 10, "first"),
                          fixtures::legacyIndexRecord(500, 2, 81, 10, "nonclustered"),
                          fixtures::legacyIndexRecord(600, 0, 82, 4, "heap"),
                          fixtures::legacyIndexRecord(500, 1, 90, 12, "second")},
                         2);
    std::map<int32_t, LegacyIndexRow> clustered;
    std::map<int32_t, int64_t> rowCounts;
    catalog::readLegacyIndexRows(*page, clustered, rowCounts);
    ASSERT_EQ(clustered.size(), 1u);
    EXPECT_EQ(clustered[500].firstPage, 90);
    EXPECT_EQ(clustered[500].rowCount, 12);
    EXPECT_EQ(clustered[500].fileNumber, 1);
    EXPECT_EQ(rowCounts[500], 12);
    EXPECT_EQ(rowCounts[600], 4);

    std::map<int32_t, LegacyIndexRow> none;
    catalog::readLegacyIndexRows(*pageWith({fixtures::legacyIndexRecord(700, 1, 1, 1, "x")}, 2, 2), none,
                                 rowCounts);
    EXPECT_TRUE(none.empty());  // an index page is no data page
}

TEST(CatalogReaders, LegacyColumnsReadTheirOffsets) {
    LegacyColumnRow row;
    row.name = "minit";
    row.objectId = 405576483;
    row.systemTypeId = 175;
    row.typeStatus = 2;
    row.userTypeId = 175;
    row.length = 1;
    row.columnId = 3;
    row.rowOffset = 13;
    row.columnOrder = 3;
    row.offset = -2;
    row.collationId = 872468488;
    std::vector<LegacyColumnRow> rows;
    uint64_t counter = 0;
    catalog::readLegacyColumnRows(*pageWith({fixtures::legacyColumnRecord(row)}, 3), counter, rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "minit");
    EXPECT_EQ(rows[0].objectId, 405576483);
    EXPECT_EQ(rows[0].typeStatus, 2);
    EXPECT_EQ(rows[0].length, 1);
    EXPECT_EQ(rows[0].columnId, 3);
    EXPECT_EQ(rows[0].rowOffset, 13);
    EXPECT_EQ(rows[0].columnOrder, 3);
    EXPECT_EQ(rows[0].offset, -2);
    EXPECT_EQ(rows[0].collationId, 872468488);
    EXPECT_EQ(rows[0].status, 255);  // the 42-byte rows of SQL Server 2000 end before it
}

TEST(CatalogReaders, EveryTruncatedRecordIsReadWithoutHarm) {
    // Each prefix of a valid record: the readers keep sentinels or drop the
    // row, and never read past what the record holds.
    std::vector<uint8_t> full = fixtures::columnRecord(column(9, 1, "name", 5), fixtures::intIdentityBlob(3, 4));
    for (size_t length = 0; length <= full.size(); ++length) {
        std::vector<uint8_t> prefix(full.begin(), full.begin() + long(length));
        auto page = pageWith({prefix}, 41);
        std::vector<ColumnRow> columns;
        uint64_t counter = 0;
        catalog::readColumnRows(*page, counter, columns);
        std::vector<CatalogObject> objects;
        catalog::readObjectRows(*pageWith({prefix}, 34), false, counter, objects);
        std::vector<RowsetColumnRow> rowsetColumns;
        catalog::readRowsetColumnRows(*pageWith({prefix}, 3), rowsetColumns);
        std::vector<ObjectReferenceRow> references;
        catalog::readObjectReferenceRows(*pageWith({prefix}, 74), references);
        EXPECT_LE(columns.size(), 1u);
    }
}

}  // namespace
}  // namespace pw
