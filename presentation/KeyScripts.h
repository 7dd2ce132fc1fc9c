#pragma once
// The ALTER TABLE scripts the definition window shows for a key or
// constraint node of a table.
//
// Keys of a 2005-and-later catalog come from the catalog's indexes and index
// columns (column order, ASC/DESC and CLUSTERED/NONCLUSTERED as stored).
// SQL Server 2000 catalogs keep no index columns in what is loaded, so
// their keys come from the column lists of the loaded tables (the columns
// whose status byte qualifies); names are bracket-quoted in every script
// so that it runs as written.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/Database.h"
#include "catalog/DefinitionRow.h"

namespace pw {

enum class KeyKind { Primary, Unique };

// A key found through the SQL Server 2000 table list: the table whose object
// id equals the key node's item data, and the qualifying columns (status
// bit 0 for a primary key; status 0 or bit 0 for a unique key).
struct LegacyKeyColumns {
    bool found = false;
    std::string tableName;
    std::vector<std::string> columns;
};
LegacyKeyColumns legacyKeyColumns(const std::vector<LegacyTable>& tables, int64_t itemData, KeyKind kind);

// The script for key `constraintName` of table `tableName` (type "U " or
// "S "). With the 2005-and-later catalog the key is looked up among the
// table's keys; with the SQL Server 2000 catalog (`legacy`) it is the walk
// above over `itemData`. When no table or key is found the script names no
// table: "ALTER TABLE  ADD PRIMARY KEY ( )".
std::string keyScript(const Database& database, bool legacy, KeyKind kind, const std::string& tableName,
                      const std::string& tableType, const std::string& constraintName, int64_t itemData);

// "ALTER TABLE  [schema].[table] WITH NOCHECK ADD CONSTRAINT[name] CHECK definition".
std::string checkConstraintScript(const std::string& schemaName, const std::string& tableName,
                                  const std::string& constraintName, const std::string& definition);

// "ALTER TABLE [schema].[table] ADD CONSTRAINT [name] DEFAULT definition FOR [column]".
std::string defaultConstraintScript(const std::string& schemaName, const std::string& tableName,
                                    const std::string& constraintName, const std::string& definition,
                                    const std::string& columnName);

// The schema name of the table object `tableName` of type `tableType`
// ("dbo" when the object is not found, and with the SQL Server 2000 catalog).
std::string tableSchemaName(const Database& database, const std::string& tableName, const std::string& tableType);

}  // namespace pw
