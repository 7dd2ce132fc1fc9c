// rows FILE TABLE: every row of a table, streamed as TSV, CSV or JSON.

#include <cstdio>
#include <string>

#include "catalog/Database.h"
#include "catalog/DefinitionReader.h"
#include "cli/Command.h"
#include "cli/OpenedFile.h"
#include "values/RowTextFormat.h"
#include "values/TableScan.h"

namespace pw::cli {
namespace {

constexpr const char* kSynopsis =
    "rows FILE TABLE [--mode standard|advanced] [--deleted] [--deleted-scan] [--limit N] [--format tsv|csv|json]";

bool parseFormat(const std::string& text, RowTextFormat& format) {
    if (text == "tsv") format = RowTextFormat::Tsv;
    else if (text == "csv") format = RowTextFormat::Csv;
    else if (text == "json") format = RowTextFormat::Json;
    else return false;
    return true;
}

bool parseLimit(const std::string& text, uint64_t& limit) {
    if (text.empty()) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + uint64_t(c - '0');
        if (value > (uint64_t(1) << 62)) return false;
    }
    limit = value;
    return true;
}

void writeOut(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int runRows(const Arguments& arguments) {
    if (arguments.positionals.size() != 2) {
        printError(std::string("usage: ") + kSynopsis);
        return kExitUsage;
    }
    RowTextFormat format = RowTextFormat::Tsv;
    if (!parseFormat(arguments.value("format", "tsv"), format)) {
        printError("unknown format '" + arguments.value("format") + "' (tsv, csv or json)");
        return kExitUsage;
    }
    std::string mode = arguments.value("mode", "standard");
    if (mode != "standard" && mode != "advanced") {
        printError("unknown mode '" + mode + "' (standard or advanced)");
        return kExitUsage;
    }
    uint64_t limit = UINT64_MAX;
    if (arguments.has("limit") && !parseLimit(arguments.value("limit"), limit)) {
        printError("--limit needs a whole number");
        return kExitUsage;
    }
    const bool deletedScan = arguments.has("deleted-scan");
    // The page-body scan only runs together with ghost records.
    const bool deleted = arguments.has("deleted") || deletedScan;
    auto opened = openDataFile(arguments.positionals[0], mode == "advanced", deleted, deletedScan);
    if (!opened) return kExitUnreadable;
    Database database(*opened->file);
    opened->sink.finishLine();

    DefinitionReader definitions(database, *opened->file, opened->context);
    definitions.readLoadTimeDefinitions();
    TableScan scan(database, *opened->file, opened->context);
    const std::string& table = arguments.positionals[1];
    bool found = false;
    for (const char* type : {"U ", "S ", "IT"}) {
        if ((found = scan.select(table, type, definitions.loadTimeRows()))) break;
    }
    if (!found) {
        printError("no table named '" + table + "' in " + arguments.positionals[0]);
        return kExitUsage;
    }

    std::vector<std::string> names;
    for (const ColumnDescriptor& column : scan.layout()) names.push_back(column.name);
    std::string out;
    if (format == RowTextFormat::Json) {
        out = "{\"table\":";
        appendJsonString(out, table);
        out += ",\"columns\":";
        appendHeaderLine(out, names, format);
        out.pop_back();
        out += ",\"rows\":[";
    } else {
        appendHeaderLine(out, names, format);
    }
    writeOut(out);

    uint64_t written = 0;
    std::string line;
    if (limit > 0) {
        scan.scan([&](const DecodedRow& row) {
            line.clear();
            if (format == RowTextFormat::Json) line += written == 0 ? "\n" : ",\n";
            appendRowLine(line, row, format);
            if (format == RowTextFormat::Json) line.pop_back();
            writeOut(line);
            return ++written < limit;
        });
    }
    if (format == RowTextFormat::Json) writeOut(written == 0 ? "]}\n" : "\n]}\n");
    std::fflush(stdout);
    return kExitOk;
}

CommandRegistration registration({"rows", kSynopsis,
                                  "every row of a table, large values included (NULL: \\N in tsv, empty in csv, "
                                  "null in json)",
                                  {"mode", "limit", "format"}, {"deleted", "deleted-scan"}, runRows});

}  // namespace
}  // namespace pw::cli
