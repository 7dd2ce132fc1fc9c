// Loading the catalog: the order of the steps matters. The data file table
// comes first so that the secondary files join the page maps before any
// other system table is read; the object table decides the catalog format.

#include "catalog/Database.h"

#include <unordered_map>
#include <unordered_set>

#include "app/RunContext.h"
#include "catalog/ForeignKeys.h"
#include "catalog/SecondaryFiles.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw {
namespace {

// The first file version with the 2005 catalog (SQL Server 2005 is 611).
constexpr uint16_t kFirst2005FormatVersion = 611;

}  // namespace

Database::Database(DatabaseFile& databaseFile)
    : reader(std::make_unique<CatalogReader>(databaseFile)), file(&databaseFile) {
    load();
}

bool Database::legacyCatalog() const { return file->context().legacy(); }

void Database::load() {
    RunContext& context = file->context();
    CatalogReader& pages = *reader;
    auto resetCounter = [&] { pages.repairCounter = 0; };

    file->loadDatabaseName();

    if (!context.stop())
        pages.feed(systemTable::kDataFiles,
                   [&](CDataPage& page) { catalog::readDataFileRows(page, dataFiles); });

    resolveSecondaryFiles(*file, dataFiles);

    // The object table: the 2005 format first; nothing there means SQL
    // Server 2000. The counter runs on across both passes.
    context.legacyCatalog.store(false);
    resetCounter();
    pages.feed(systemTable::kObjects, [&](CDataPage& page) {
        catalog::readObjectRows(page, false, pages.repairCounter, objects);
    });
    if (objects.empty()) {
        context.legacyCatalog.store(true);
        // Pages read from here on are parsed as SQL Server 2000 pages.
        pages.feed(systemTable::kLegacyObjects, [&](CDataPage& page) {
            catalog::readObjectRows(page, true, pages.repairCounter, objects);
        });
        // Neither object table gave a row: a damaged 2005-or-later catalog
        // (its column rows can still name the tables) rather than a SQL
        // Server 2000 one, unless the boot page says the file is that old.
        if (objects.empty() && !(file->bootPage && file->bootPage->version > 0 &&
                                 file->bootPage->version < kFirst2005FormatVersion))
            context.legacyCatalog.store(false);
    }
    resetCounter();
    const bool legacy = context.legacy();

    if (!context.stop()) {
        int32_t unitsId = legacy ? systemTable::kLegacyAllocationUnits : systemTable::kAllocationUnits;
        pages.feed(unitsId,
                   [&](CDataPage& page) { catalog::readAllocationUnitRows(page, allocationUnits); });
    }
    pages.feed(systemTable::kRowsets, [&](CDataPage& page) { catalog::readRowsetRows(page, rowsets); });

    if (legacy) {
        loadLegacyTables();
    } else {
        resetCounter();
        pages.feed(systemTable::kColumns, [&](CDataPage& page) {
            catalog::readColumnRows(page, pages.repairCounter, columns);
        });
        resetCounter();
    }

    if (objects.empty()) synthesizeTablesFromColumns();

    pages.feed(systemTable::kScalarTypes,
               [&](CDataPage& page) { catalog::readScalarTypeRows(page, scalarTypes); });

    if (!legacy) {
        pages.feed(systemTable::kRowsetColumns,
                   [&](CDataPage& page) { catalog::readRowsetColumnRows(page, rowsetColumns); });
        pages.feed(systemTable::kObjectReferences,
                   [&](CDataPage& page) { catalog::readObjectReferenceRows(page, objectReferences); });
        pages.feed(systemTable::kIndexes, [&](CDataPage& page) { catalog::readIndexRows(page, indexes); });
        pages.feed(systemTable::kIndexColumns,
                   [&](CDataPage& page) { catalog::readIndexColumnRows(page, indexColumns); });
        if (!context.stop())
            pages.feed(systemTable::kRowsetColumnInfos,
                       [&](CDataPage& page) { catalog::readRowsetColumnInfoRows(page, rowsetColumnInfos); });
        pages.feed(systemTable::kRowsetColumnLinks,
                   [&](CDataPage& page) { catalog::readRowsetColumnLinkRows(page, rowsetColumnLinks); });
        foreignKeyColumns.clear();
        if (!context.stop()) foreignKeyColumns = buildForeignKeyColumns(objectReferences, objects, columns);
    }
    reindex();
}

void Database::loadLegacyTables() {
    CatalogReader& pages = *reader;
    pages.feed(systemTable::kLegacyIndexes, [&](CDataPage& page) {
        catalog::readLegacyIndexRows(page, legacyClusteredIndexes, legacyRowCounts);
    });

    // User tables with a clustered index, named after their first object row.
    std::unordered_map<int32_t, size_t> firstObjectById;
    for (size_t i = 0; i < objects.size(); ++i) firstObjectById.emplace(objects[i].objectId, i);
    std::unordered_map<int32_t, size_t> tableById;
    for (const auto& [objectId, row] : legacyClusteredIndexes) {
        if (objectId <= kHighestSystemObjectId || row.indexId != 1) continue;
        LegacyTable table;
        table.objectId = objectId;
        auto found = firstObjectById.find(objectId);
        if (found != firstObjectById.end()) table.name = objects[found->second].name;
        tableById.emplace(objectId, legacyTables.size());
        legacyTables.push_back(std::move(table));
    }

    pages.repairCounter = 0;
    pages.feed(systemTable::kRowsetColumns, [&](CDataPage& page) {
        size_t first = legacyColumns.size();
        catalog::readLegacyColumnRows(page, pages.repairCounter, legacyColumns);
        for (size_t i = first; i < legacyColumns.size(); ++i) {
            const LegacyColumnRow& row = legacyColumns[i];
            auto table = tableById.find(row.objectId);
            if (table == tableById.end()) continue;
            legacyTables[table->second].columns.push_back({row.name, row.typeStatus, row.columnOrder});
        }
    });
    pages.repairCounter = 0;
}

void Database::synthesizeTablesFromColumns() {
    // Without object rows, every column owner becomes a table named by its id.
    RunContext& context = file->context();
    std::unordered_set<int32_t> known;
    for (const CatalogObject& object : objects) known.insert(object.objectId);
    for (const ColumnRow& column : columns) {
        if (context.stop()) break;
        if (!known.insert(column.objectId).second) continue;
        CatalogObject object;
        object.objectId = column.objectId;
        object.name = std::to_string(column.objectId);
        object.type = "U ";
        objects.push_back(std::move(object));
    }
}

void Database::reindex() { index_.build(*this); }

const CatalogIndex& Database::lookup() const {
    if (index_.builtFrom != CatalogIndex::sizesOf(*this)) index_.build(*this);
    return index_;
}

}  // namespace pw
