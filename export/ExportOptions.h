#pragma once

#include <string>
#include <vector>

namespace pw {

enum class ExportTarget { SqlScript, Csv, Sqlite };

struct ExportOptions {
    ExportTarget target = ExportTarget::SqlScript;
    // A folder for scripts and CSV files; a file for SQLite.
    std::string outputPath;
    // Tables to export by name; empty means every user table.
    std::vector<std::string> tables;
    bool schemaOnly = false;          // "Export with only schema"
    bool compatibleInserts = false;   // "Create Compatible queries(Support older version)": one row per INSERT
    bool keepMaxLength = true;        // "Save maximum length of column": max types stay (max)
    bool saveCollation = false;       // "Save Collation of columns which are set manually"
    bool scriptPerTable = false;      // one .sql file per table instead of one per database
    bool overwrite = false;           // replace existing output files (--force / confirmed)
    std::string databaseName;         // names the script file and the script's header
    std::string sourcePath;           // the data file the rows came from
};

}  // namespace pw
