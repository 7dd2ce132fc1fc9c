// The catalog answers its queries through maps keyed by id; these tests
// hold them to the plain walks over the catalog lists that they replace,
// order included, on random catalogs full of shared ids and duplicates.

#include <gtest/gtest.h>

#include <random>

#include "catalog/ForeignKeys.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/CatalogWriter.h"
#include "tools/fixtures/LoadedCatalog.h"

namespace pw {
namespace {

// The plain walks.
CatalogObject walkFindObject(const Database& db, const std::string& name, const std::string& type) {
    for (const CatalogObject& object : db.objects)
        if (object.name == name && (object.type == type || (object.type != "U " && object.type != "S ")))
            return object;
    return CatalogObject();
}

RowsetRow walkChooseRowset(const Database& db, int32_t id) {
    const RowsetRow* best = nullptr;
    const RowsetRow* last = nullptr;
    for (const RowsetRow& rowset : db.rowsets) {
        if (rowset.ownerObjectId != id) continue;
        last = &rowset;
        if ((rowset.indexId == 0 || rowset.indexId == 1) && (!best || rowset.indexId <= best->indexId)) best = &rowset;
    }
    return best ? *best : last ? *last : RowsetRow();
}

std::vector<PagePointer> walkDataPages(const Database& db, const std::vector<AllocationUnitRow>& units) {
    std::vector<PagePointer> pages;
    for (const AllocationUnitRow& unit : units) {
        auto found = db.file->dataPageMap.find(unit.pageObjectId());
        if (found == db.file->dataPageMap.end()) continue;
        for (const PageEntry& entry : found->second)
            if (entry.pageType == 1 && unit.ownsPage(found->first, entry.indexId))
                pages.push_back({entry.fileNumber, entry.pageNumber});
    }
    return pages;
}

std::vector<ForeignKeyColumnPair> walkForeignKeys(const Database& db) {
    std::vector<ForeignKeyColumnPair> pairs;
    for (const ObjectReferenceRow& a : db.objectReferences) {
        if (a.referenceClass != 28) continue;
        for (const ObjectReferenceRow& b : db.objectReferences) {
            if (b.referenceClass != 29 || b.dependentId != a.dependentId || b.dependentSubId != a.dependentSubId)
                continue;
            ForeignKeyColumnPair pair;
            pair.constraintId = a.dependentId;
            pair.keyOrdinal = a.dependentSubId;
            pair.parentTableId = a.independentId;
            pair.parentColumnId = a.independentSubId;
            pair.referencedTableId = b.independentId;
            pair.referencedColumnId = b.independentSubId;
            pairs.push_back(pair);
        }
    }
    for (ForeignKeyColumnPair& pair : pairs) {
        for (const CatalogObject& object : db.objects) {
            if (object.objectId == pair.parentTableId) pair.parentTableName = object.name;
            if (object.objectId == pair.referencedTableId) pair.referencedTableName = object.name;
            if (object.objectId == pair.constraintId) {
                pair.constraintName = object.name;
                pair.constraintStatus = object.status;
            }
        }
        for (const ColumnRow& column : db.columns) {
            if (column.objectId == pair.parentTableId && column.columnId == pair.parentColumnId)
                pair.parentColumnName = column.name;
            if (column.objectId == pair.referencedTableId && column.columnId == pair.referencedColumnId)
                pair.referencedColumnName = column.name;
        }
    }
    return pairs;
}

std::string describe(const ForeignKeyColumnPair& p) {
    return std::to_string(p.constraintId) + "/" + std::to_string(p.keyOrdinal) + " " + p.parentTableName + "." +
           p.parentColumnName + " -> " + p.referencedTableName + "." + p.referencedColumnName + " " +
           p.constraintName + " " + std::to_string(p.constraintStatus);
}

class CatalogLookup : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::CatalogWriter writer;
        fixtures::TableSpec table;
        table.objectId = 1;
        table.name = "seed";
        fixtures::ColumnSpec column;
        column.name = "a";
        table.columns = {column};
        writer.addTable(table);
        fixtures::catalogImage(writer).writeTo(dir.file("lookup.mdf"));
        loaded = fixtures::loadCatalog(dir.file("lookup.mdf"));
        ASSERT_TRUE(loaded->database);
    }

    // Random catalog lists over small id ranges, so that ids, names and
    // owners collide; rowset, unit and (object, index) ids stay unique as
    // the server keeps them.
    void randomize(uint32_t seed) {
        std::mt19937 random(seed);
        auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        Database& db = *loaded->database;
        const char* types[] = {"U ", "S ", "V ", "P ", "PK", "F ", "UQ", "IT", "TR"};
        db.objects.clear();
        for (int i = 0; i < 300; ++i) {
            CatalogObject object;
            object.objectId = pick(1, 120);
            object.name = "n" + std::to_string(pick(0, 60));
            object.type = types[pick(0, 8)];
            object.parentObjectId = pick(0, 3) ? pick(0, 120) : 0;
            object.status = pick(0, 9);
            db.objects.push_back(object);
        }
        db.columns.clear();
        for (int i = 0; i < 800; ++i) {
            ColumnRow column;
            column.objectId = pick(1, 120) | (pick(0, 5) == 0 ? 0x01000000 : 0);
            column.number = int16_t(pick(0, 6) == 0 ? 1 : 0);
            column.columnId = pick(1, 12);
            column.name = "c" + std::to_string(i);
            column.systemTypeId = uint8_t(pick(0, 10) == 0 ? 0 : 56);
            column.userTypeId = 56;
            column.maxLength = 4;
            column.status = pick(0, 1);
            db.columns.push_back(column);
        }
        db.rowsets.clear();
        db.allocationUnits.clear();
        db.rowsetColumns.clear();
        for (int i = 0; i < 200; ++i) {
            RowsetRow rowset;
            rowset.rowsetId = 1000 + uint64_t(i);
            rowset.ownerObjectId = pick(1, 120);
            rowset.indexId = pick(0, 3);
            rowset.rowCount = pick(0, 99);
            db.rowsets.push_back(rowset);
            for (int u = pick(0, 2); u > 0; --u) {
                AllocationUnitRow unit;
                unit.allocationUnitId = (uint64_t(pick(0, 2)) << 48) | (uint64_t(pick(1, 30)) << 16) |
                                        uint64_t(db.allocationUnits.size());
                unit.type = uint8_t(pick(1, 3));
                unit.ownerId = rowset.rowsetId;
                unit.firstPage = {1, pick(0, 1)};
                db.allocationUnits.push_back(unit);
            }
            for (int c = pick(0, 4); c > 0; --c) {
                RowsetColumnRow column;
                column.rowsetId = rowset.rowsetId;
                column.rowsetColumnId = pick(1, 12);
                column.heapColumnId = pick(1, 12);
                column.leafOffset = pick(-5, 40);
                column.nullBit = pick(1, 12);
                db.rowsetColumns.push_back(column);
            }
        }
        loaded->file->dataPageMap.clear();
        for (int i = 0; i < 400; ++i) {
            PageEntry entry;
            entry.fileNumber = 1;
            entry.pageNumber = i;
            entry.pageType = pick(0, 5) == 0 ? 2 : 1;
            entry.indexId = uint16_t(pick(0, 2));
            loaded->file->dataPageMap[pick(1, 30)].push_back(entry);
        }
        db.objectReferences.clear();
        for (int i = 0; i < 300; ++i) {
            ObjectReferenceRow reference;
            reference.referenceClass = uint8_t(pick(27, 30));
            reference.dependentId = pick(1, 40);
            reference.dependentSubId = pick(0, 3);
            reference.independentId = pick(1, 120);
            reference.independentSubId = pick(1, 12);
            db.objectReferences.push_back(reference);
        }
        db.indexes.clear();
        db.indexColumns.clear();
        for (int object = 1; object <= 120; ++object)
            for (int index = 1; index <= pick(0, 3); ++index) {
                IndexRow row;
                row.objectId = object;
                row.indexId = index;
                row.status = pick(0, 127);
                db.indexes.push_back(row);
                for (int c = pick(1, 3); c > 0; --c) {
                    IndexColumnRow column;
                    column.objectId = object;
                    column.indexId = index;
                    column.columnId = pick(1, 12);
                    column.keyOrdinal = uint8_t(pick(1, 3));
                    db.indexColumns.push_back(column);
                }
            }
        db.foreignKeyColumns = buildForeignKeyColumns(db.objectReferences, db.objects, db.columns);
        db.reindex();
    }

    test::TempDir dir;
    std::unique_ptr<fixtures::LoadedCatalog> loaded;
};

TEST_F(CatalogLookup, ForeignKeyPairsEqualTheNestedWalk) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        randomize(seed);
        const Database& db = *loaded->database;
        std::vector<ForeignKeyColumnPair> expected = walkForeignKeys(db);
        ASSERT_EQ(db.foreignKeyColumns.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(describe(db.foreignKeyColumns[i]), describe(expected[i]));
    }
}

TEST_F(CatalogLookup, SelectionsEqualTheWalksOverTheLists) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        randomize(seed);
        Database& db = *loaded->database;
        for (int n = 0; n <= 60; ++n) {
            for (const char* type : {"U ", "S ", "V "}) {
                std::string name = "n" + std::to_string(n);
                CatalogObject expected = walkFindObject(db, name, type);
                ASSERT_EQ(db.findObject(name, type).objectId, expected.objectId);
                std::vector<ColumnDescriptor> layout = db.selectObject(name, type, {});
                if (expected.objectId == -1) continue;
                const int32_t id = expected.objectId;
                std::vector<std::string> children;
                for (const CatalogObject& object : db.objects)
                    if (object.parentObjectId == id) children.push_back(object.name + object.type);
                ASSERT_EQ(db.childObjects.size(), children.size());
                for (size_t i = 0; i < children.size(); ++i)
                    EXPECT_EQ(db.childObjects[i].name + db.childObjects[i].type, children[i]);
                if (Database::isObjectWithoutRows(expected.type)) continue;

                EXPECT_EQ(db.currentRowset.rowsetId, walkChooseRowset(db, id).rowsetId);
                std::vector<AllocationUnitRow> units;
                std::vector<uint64_t> rowsets;
                for (const RowsetRow& rowset : db.rowsets)
                    if (rowset.ownerObjectId == id) rowsets.push_back(rowset.rowsetId);
                ASSERT_EQ(db.selectedRowsets.size(), rowsets.size());
                for (uint64_t rowsetId : rowsets)
                    for (const AllocationUnitRow& unit : db.allocationUnits)
                        if (unit.ownerId == rowsetId) units.push_back(unit);
                ASSERT_EQ(db.selectedAllocationUnits.size(), units.size());
                for (size_t i = 0; i < units.size(); ++i)
                    EXPECT_EQ(db.selectedAllocationUnits[i].allocationUnitId, units[i].allocationUnitId);
                EXPECT_EQ(db.selectedDataPages, walkDataPages(db, units));

                std::vector<int32_t> columnIds;
                for (const ColumnRow& column : db.columns) {
                    if ((uint32_t(column.objectId) & 0xFCFFFFFF) != (uint32_t(id) & 0xFCFFFFFF) || column.number != 0)
                        continue;
                    if (std::find(columnIds.begin(), columnIds.end(), column.columnId) == columnIds.end())
                        columnIds.push_back(column.columnId);
                }
                ASSERT_EQ(db.selectedColumns.size(), columnIds.size());
                for (size_t i = 0; i < columnIds.size(); ++i) EXPECT_EQ(db.selectedColumns[i].columnId, columnIds[i]);

                // Key marks as the walk over indexes and their columns gives them.
                for (const ColumnDescriptor& column : layout) {
                    bool primary = false, unique = false, third = false;
                    uint8_t ordinal = 0;
                    for (const IndexRow& index : db.indexes) {
                        if (index.objectId != id || !(index.status & 1) || index.indexId <= 0) continue;
                        for (const IndexColumnRow& key : db.indexColumns) {
                            if (key.objectId != id || key.indexId != index.indexId || key.columnId != column.columnId)
                                continue;
                            primary |= (index.status & 0x20) != 0;
                            unique |= (index.status & 0x08) != 0;
                            if (index.status & 0x40) {
                                third = true;
                                ordinal = key.keyOrdinal;
                            }
                        }
                    }
                    EXPECT_EQ(column.primaryKeyColumn, primary);
                    EXPECT_EQ(column.uniqueIndexColumn, unique);
                    EXPECT_EQ(column.thirdKeyFlag, third);
                    EXPECT_EQ(column.keyOrdinal, ordinal);
                }
            }
        }
    }
}

}  // namespace
}  // namespace pw
