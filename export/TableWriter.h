#pragma once
// A target of the export: receives each table's schema, its rows, and at
// the end the foreign keys and module definitions.

#include <string>
#include <vector>

#include "export/ExportModel.h"

namespace pw {

class TableWriter {
public:
    virtual ~TableWriter() = default;
    // False with error() set when the target cannot be written.
    virtual bool beginTable(const TableSchema& table) = 0;
    virtual bool writeRow(const ExportRow& row) = 0;
    virtual bool endTable() = 0;
    // After the last table: foreign keys (all tables exist by then) and the
    // definitions of views, procedures, functions and triggers.
    virtual bool finish(const std::vector<TableSchema>& tables, const std::vector<ModuleDefinition>& modules) = 0;
    // Values written as NULL because their text could not be read as the type.
    virtual uint64_t undecodableValues() const { return 0; }
    virtual std::string error() const { return error_; }
    // Where the current table went (file path).
    virtual std::string currentPath() const = 0;

protected:
    std::string error_;
};

}  // namespace pw
