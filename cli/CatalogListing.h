#pragma once
// Shared by the catalog verbs (tables, schema, files): opening a file with
// its catalog, the output format option, object kinds and type names.

#include <memory>
#include <string>

#include "catalog/Database.h"
#include "cli/Command.h"
#include "cli/OpenedFile.h"

namespace pw::cli {

enum class OutputFormat { Text, Tsv, Json };

// Reads --format (text, tsv or json); prints a usage error and returns false
// for anything else.
bool outputFormatOf(const Arguments& arguments, OutputFormat& format);

struct OpenedCatalog {
    std::unique_ptr<OpenedFile> opened;
    std::unique_ptr<Database> database;
};

// Opens `path` and loads its catalog; null (after a message) when the file
// cannot be read.
std::unique_ptr<OpenedCatalog> openCatalog(const std::string& path);

// The kind an object type belongs to in listings ("user table", "view" …),
// with the order of the kinds.
struct ObjectKind {
    int order;
    const char* name;
};
ObjectKind objectKindOf(const std::string& type);

// The name of a SQL Server system type id ("int", "nvarchar" …); empty when unknown.
std::string systemTypeName(int systemTypeId);

// A column's type as a person reads it: "nvarchar(40)", "nvarchar(max)",
// "decimal(10,2)", "int".
std::string displayTypeText(const ColumnDescriptor& column);

// Tab characters and line breaks replaced by blanks, for TSV cells.
std::string tsvCell(const std::string& text);

}  // namespace pw::cli
