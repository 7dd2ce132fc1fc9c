#pragma once
// The catalog of one database, read from the system base tables of its data
// files. Constructing a Database from an opened DatabaseFile performs the
// whole load: the boot page name, the data file table, the secondary files,
// the object, allocation unit, rowset and column tables (or the SQL Server
// 2000 tables when the 2005-format object table yields nothing), the scalar
// types, the rowset column, reference and index tables, and the foreign-key
// column pairs. What cannot be read is simply absent; loading never fails.
//
// The catalog lists are written only by the load. The "selected" members
// describe the object chosen last by selectObject and are replaced by each
// selection. One thread at a time may use a Database.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalog/CatalogIndex.h"
#include "catalog/CatalogReader.h"
#include "catalog/ColumnDescriptor.h"
#include "catalog/DefinitionRow.h"
#include "catalog/rows/AllocationUnitRow.h"
#include "catalog/rows/CatalogObject.h"
#include "catalog/rows/ChildObjectEntry.h"
#include "catalog/rows/ColumnRow.h"
#include "catalog/rows/DataFileRow.h"
#include "catalog/rows/ForeignKeyColumnPair.h"
#include "catalog/rows/IndexRow.h"
#include "catalog/rows/LegacyColumnRow.h"
#include "catalog/rows/LegacyIndexRow.h"
#include "catalog/rows/LegacyTable.h"
#include "catalog/rows/ObjectReferenceRow.h"
#include "catalog/rows/RowsetColumnInfoRow.h"
#include "catalog/rows/RowsetColumnRow.h"
#include "catalog/rows/RowsetRow.h"
#include "catalog/rows/ScalarTypeRow.h"
#include "storage/DatabaseFile.h"
#include "storage/PagePointer.h"

namespace pw {

// Object ids of the system base tables, as their pages carry them.
namespace systemTable {
constexpr int32_t kLegacyObjects = 1;        // sysobjects (SQL Server 2000)
constexpr int32_t kLegacyIndexes = 2;        // sysindexes (SQL Server 2000)
constexpr int32_t kRowsetColumns = 3;        // sysrscols; syscolumns in SQL Server 2000
constexpr int32_t kRowsetColumnLinks = 4;    // rowset columns of the 2005 release
constexpr int32_t kRowsets = 5;              // sysrowsets
constexpr int32_t kAllocationUnits = 7;      // sysallocunits
constexpr int32_t kDataFiles = 8;            // sysfiles1
constexpr int32_t kRowsetColumnInfos = 13;   // column layout of the 2005 release
constexpr int32_t kObjects = 34;             // sysschobjs
constexpr int32_t kColumns = 41;             // syscolpars
constexpr int32_t kScalarTypes = 50;         // sysscalartypes
constexpr int32_t kIndexes = 54;             // sysidxstats
constexpr int32_t kIndexColumns = 55;        // sysiscols
constexpr int32_t kObjectValues = 60;        // sysobjvalues
constexpr int32_t kObjectReferences = 74;    // syssingleobjrefs
constexpr int32_t kLegacyAllocationUnits = 99;
}  // namespace systemTable

// Object user ids start above this; smaller ids are system objects.
constexpr int32_t kHighestSystemObjectId = 100;

class Database {
public:
    // Loads the catalog from `databaseFile`, which must stay alive as long
    // as this object. Sets the run context's legacyCatalog flag.
    explicit Database(DatabaseFile& databaseFile);
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    std::unique_ptr<CatalogReader> reader;
    DatabaseFile* file;

    AllocationUnitRow currentAllocationUnit;
    RowsetRow currentRowset;
    std::vector<RowsetColumnInfoRow> rowsetColumnInfos;
    std::vector<RowsetColumnLinkRow> rowsetColumnLinks;
    std::vector<LegacyColumnRow> legacyColumns;
    std::vector<LegacyTable> legacyTables;
    std::map<int32_t, LegacyIndexRow> legacyClusteredIndexes;
    std::vector<ColumnRow> columns;
    std::vector<ColumnRow> selectedColumns;
    std::vector<LegacyColumnRow> legacySelectedColumns;
    std::vector<CatalogObject> objects;
    std::vector<RowsetColumnInfoRow> selectedLayoutInfos;
    std::vector<RowsetColumnLinkRow> selectedLayoutLinks;
    std::vector<ScalarTypeRow> scalarTypes;
    std::vector<RowsetColumnRow> rowsetColumns;
    std::vector<ObjectReferenceRow> objectReferences;
    std::vector<IndexRow> indexes;
    std::vector<IndexColumnRow> indexColumns;
    std::vector<ChildObjectEntry> childObjects;
    std::vector<IndexRow> selectedIndexes;
    std::vector<AllocationUnitRow> allocationUnits;
    std::vector<ForeignKeyColumnPair> foreignKeyColumns;
    std::vector<RowsetRow> rowsets;
    std::vector<RowsetRow> selectedRowsets;
    std::vector<AllocationUnitRow> selectedAllocationUnits;
    std::vector<RowsetColumnRow> selectedRowsetColumns;
    std::vector<PagePointer> selectedDataPages;
    std::vector<DataFileRow> dataFiles;
    bool layoutReady = false;
    int32_t firstStoredColumn = 0;
    std::vector<ColumnDescriptor> rowLayout;
    CatalogObject selectedObject;

    // SQL Server 2000 only: the row count sysindexes records for each table
    // (its heap or clustered-index row).
    std::map<int32_t, int64_t> legacyRowCounts;

    // Whether the catalog was read from the SQL Server 2000 tables.
    bool legacyCatalog() const;

    // The scalar type row naming system type `systemTypeId`; a row of
    // sentinels (empty name) when there is none.
    ScalarTypeRow findScalarType(int32_t systemTypeId, int32_t userTypeId) const;

    // The first object named `name` (exactly) of type `type`; an object
    // named `name` whose type is neither "U " nor "S " is taken at once when
    // it comes first. Id -1 when nothing matches.
    CatalogObject findObject(const std::string& name, const std::string& type) const;

    // Selects an object: fills the selected members and returns a copy of
    // `rowLayout` (a table), the three info descriptors id, type and name
    // (an object without rows), or nothing (no such object).
    // `definitionRows` supply the texts of computed columns.
    std::vector<ColumnDescriptor> selectObject(const std::string& name, const std::string& type,
                                               const std::vector<DefinitionRow>& definitionRows);

    // Types of objects that have no rows of their own ("V ", "P ", "PK" …).
    static bool isObjectWithoutRows(const std::string& type);

    // Read-only summaries used by listings; they do not touch the selected
    // members and agree with what selectObject would choose.
    RowsetRow chooseRowset(int32_t objectId) const;
    AllocationUnitRow chooseAllocationUnit(const RowsetRow& rowset) const;
    std::vector<PagePointer> dataPagesOf(int32_t objectId) const;
    // The allocation units of every rowset of the object, in rowset order.
    std::vector<AllocationUnitRow> allocationUnitsOf(int32_t objectId) const;
    // The row count the catalog records: the chosen rowset's (2005 and
    // later) or sysindexes' (SQL Server 2000); -1 when unknown.
    int64_t catalogRowCount(int32_t objectId) const;

    // Rebuilds the lookup maps; needed only after the catalog lists have
    // been changed by hand (tests). The queries rebuild them on their own
    // when a list's size changed.
    void reindex();

private:
    void load();
    void loadLegacyTables();
    void synthesizeTablesFromColumns();
    const CatalogIndex& lookup() const;
    std::vector<PagePointer> dataPagesOfUnits(const std::vector<AllocationUnitRow>& units) const;
    void fillLayoutRows(uint64_t rowsetId);
    void buildRowLayout(const std::string& idText, const std::vector<DefinitionRow>& definitionRows);

    mutable CatalogIndex index_;
};

}  // namespace pw
