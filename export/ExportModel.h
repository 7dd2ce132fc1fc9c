#pragma once
// What the export writers receive: a table's schema as recovered from the
// catalog, its rows as decoded texts with NULL flags, and the definitions of
// views, procedures, functions and triggers.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/ColumnDescriptor.h"
#include "catalog/TableConstraints.h"

namespace pw {

struct TableSchema {
    std::string schemaName = "dbo";
    std::string name;
    // Every column of the table in column order; a column whose physical
    // column id is kNotStored is computed (its infoText is the definition).
    std::vector<ColumnDescriptor> columns;
    std::vector<KeyConstraint> keys;
    std::vector<CheckConstraint> checks;
    std::vector<DefaultConstraint> defaults;
    std::vector<ForeignKey> foreignKeys;
};

// One decoded row: a text and a NULL flag per column of the schema.
struct ExportRow {
    std::vector<std::string> texts;
    std::vector<uint8_t> nulls;
};

struct ModuleDefinition {
    std::string schemaName = "dbo";
    std::string name;
    std::string type;  // "V ", "P ", "FN", "IF", "TF", "TR"
    std::string text;
};

// Columns a table's INSERT statements name: stored, and not timestamp
// (the server fills rowversion columns itself).
bool isInsertableColumn(const ColumnDescriptor& column);
bool isComputedColumn(const ColumnDescriptor& column);

}  // namespace pw
