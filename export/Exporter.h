#pragma once
// Exports a recovered database, or the tables asked for, through one of the
// writers: every user table's schema and rows, then foreign keys and the
// definitions of views, procedures, functions and triggers. Progress, status
// and "Saved N rows of TABLE to PATH" lines go through the run context's
// sink; Stop ends the export after the current row.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/ExportOptions.h"
#include "export/TableWriter.h"

namespace pw {

class Database;
class DatabaseFile;
struct RunContext;

struct TableExportSummary {
    std::string table;
    std::string path;
    uint64_t rows = 0;
    uint64_t undecodableValues = 0;  // written as NULL
};

struct ExportSummary {
    std::vector<TableExportSummary> tables;
    bool stopped = false;
    bool ok = true;
    std::string error;  // why the export failed (ok false)
};

// The base name of the script file for a database: its name, or for names
// that are file paths (detached LocalDB files) their last part without the
// extension; "RepairDataBase" when nothing is left.
std::string scriptBaseName(const std::string& databaseName);

// The writer for a target.
std::unique_ptr<TableWriter> makeTableWriter(const ExportOptions& options, const RunContext& context);

ExportSummary exportDatabase(Database& database, const DatabaseFile& file, RunContext& context,
                             const ExportOptions& options);

}  // namespace pw
