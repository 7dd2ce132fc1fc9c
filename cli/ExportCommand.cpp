// export FILE --to sql|csv|sqlite --out PATH: saves what was recovered.

#include <cstdio>
#include <sstream>

#include "catalog/Database.h"
#include "cli/Command.h"
#include "cli/OpenedFile.h"
#include "export/Exporter.h"

namespace pw::cli {
namespace {

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        if (!item.empty()) items.push_back(item);
    return items;
}

int runExport(const Arguments& arguments) {
    if (arguments.positionals.size() != 1 || !arguments.has("to") || !arguments.has("out")) {
        printError("usage: export FILE --to sql|csv|sqlite --out PATH [options]");
        return kExitUsage;
    }
    ExportOptions options;
    std::string target = arguments.value("to");
    if (target == "sql") options.target = ExportTarget::SqlScript;
    else if (target == "csv") options.target = ExportTarget::Csv;
    else if (target == "sqlite") options.target = ExportTarget::Sqlite;
    else {
        printError("unknown target '" + target + "' (sql, csv or sqlite)");
        return kExitUsage;
    }
    std::string mode = arguments.value("mode", "standard");
    if (mode != "standard" && mode != "advanced") {
        printError("unknown mode '" + mode + "' (standard or advanced)");
        return kExitUsage;
    }
    options.outputPath = arguments.value("out");
    options.tables = splitList(arguments.value("tables"));
    options.schemaOnly = arguments.has("schema-only");
    options.compatibleInserts = arguments.has("compatible");
    options.scriptPerTable = arguments.has("script-per-table");
    options.saveCollation = arguments.has("collation");
    options.keepMaxLength = !arguments.has("no-max");
    options.overwrite = arguments.has("force");
    options.sourcePath = arguments.positionals[0];

    bool deletedScan = arguments.has("deleted-scan");
    auto opened = openDataFile(arguments.positionals[0], mode == "advanced", arguments.has("deleted") || deletedScan,
                               deletedScan);
    if (!opened) return kExitUnreadable;
    Database database(*opened->file);
    options.databaseName = scriptBaseName(opened->file->databaseName);

    struct ProgressSink : TerminalSink {
        void addLogLine(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    } sink;
    opened->context.sink = &sink;
    ExportSummary summary = exportDatabase(database, *opened->file, opened->context, options);
    sink.finishLine();
    if (!summary.ok) {
        printError(summary.error);
        return kExitUnreadable;
    }
    uint64_t rows = 0, undecodable = 0;
    std::printf("%-40s %12s %12s  %s\n", "table", "rows", "undecodable", "written to");
    for (const TableExportSummary& table : summary.tables) {
        std::printf("%-40s %12llu %12llu  %s\n", table.table.c_str(), (unsigned long long)table.rows,
                    (unsigned long long)table.undecodableValues, table.path.c_str());
        rows += table.rows;
        undecodable += table.undecodableValues;
    }
    std::printf("%zu tables, %llu rows written, %llu values could not be decoded (written as NULL)%s\n",
                summary.tables.size(), (unsigned long long)rows, (unsigned long long)undecodable,
                summary.stopped ? "; stopped early" : "");
    return kExitOk;
}

CommandRegistration registration(
    {"export",
     "export FILE --to sql|csv|sqlite --out PATH [--tables T1,T2] [--schema-only] [--mode standard|advanced] "
     "[--deleted] [--deleted-scan] [--force] [--compatible] [--script-per-table] [--collation] [--no-max]",
     "saves the recovered tables as SQL Server scripts, CSV files or a SQLite database",
     {"to", "out", "tables", "mode"},
     {"schema-only", "deleted", "deleted-scan", "force", "compatible", "script-per-table", "collation", "no-max"},
     runExport});

}  // namespace
}  // namespace pw::cli
