#pragma once
// A table's keys and constraints as the catalog records them: primary and
// unique keys from the indexes and index columns, check and default
// constraints with their definition texts, foreign keys from the reference
// pairs. Used by the key scripts of the display and by the export.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/DefinitionRow.h"

namespace pw {

class Database;

struct KeyColumn {
    std::string name;
    bool descending = false;
};

struct KeyConstraint {
    std::string name;
    bool primary = false;
    bool clustered = false;
    std::vector<KeyColumn> columns;
};

struct CheckConstraint {
    std::string name;
    std::string definition;  // "([Discount]>=(0))"
};

struct DefaultConstraint {
    std::string name;
    std::string column;
    std::string definition;  // "((0))"
};

struct ForeignKey {
    std::string name;
    std::vector<std::string> columns;
    std::string referencedSchema = "dbo";
    std::string referencedTable;
    std::vector<std::string> referencedColumns;
};

// Index status bits (sysidxstats) and index column status bits (sysiscols).
constexpr int32_t kIndexStatusPrimaryKey = 0x20;
constexpr int32_t kIndexStatusUniqueConstraint = 0x40;
constexpr int32_t kIndexColumnDescending = 0x04;

// Primary key first, then unique constraints, in index id order (2005 and
// later catalogs; SQL Server 2000 catalogs give none).
std::vector<KeyConstraint> keyConstraintsOf(const Database& database, int32_t tableId);
// The key whose constraint (or index) is named `name` on `tableId`.
const KeyConstraint* findKey(const std::vector<KeyConstraint>& keys, const std::string& name);
std::vector<CheckConstraint> checkConstraintsOf(const Database& database, int32_t tableId,
                                                const std::vector<DefinitionRow>& definitions);
std::vector<DefaultConstraint> defaultConstraintsOf(const Database& database, int32_t tableId,
                                                    const std::vector<DefinitionRow>& definitions);
std::vector<ForeignKey> foreignKeysOf(const Database& database, int32_t tableId);

// "ALTER TABLE [dbo].[T] ADD CONSTRAINT [PK_T] PRIMARY KEY CLUSTERED ([a] ASC, [b] DESC)".
std::string keyConstraintScript(const std::string& schemaName, const std::string& tableName,
                                const KeyConstraint& key);

// The schema name of schema id `schemaId` ("dbo" for 1).
std::string schemaNameOf(int32_t schemaId);

}  // namespace pw
