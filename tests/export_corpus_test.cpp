// Northwind and pubs exported to SQLite, CSV and T-SQL and read back: every
// table's rows equal the truth rows (text exactly, numbers and date-times by
// value), compared as multisets.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "export/Exporter.h"
#include "storage/DatabaseFile.h"
#include "tests/TestSupport.h"

namespace pw {
namespace {

using Cells = std::vector<std::string>;
const std::string kNull = "\\N";

std::vector<std::string> readLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

Cells splitTabs(const std::string& line) {
    Cells cells;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return cells;
}

// The escaping of the truth files: backslash, tab, LF, CR.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

// A numeric cell in one canonical form; other cells unchanged.
std::string canonicalNumber(const std::string& cell, bool singlePrecision) {
    if (cell == kNull || cell.empty()) return cell;
    char* end = nullptr;
    double value = std::strtod(cell.c_str(), &end);
    if (!end || *end != '\0') return cell;
    char buffer[64];
    auto result = singlePrecision ? std::to_chars(buffer, buffer + sizeof buffer, float(value))
                                  : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

struct Table {
    Cells header;
    std::vector<Cells> rows;
};

struct Variant {
    std::string file, variant;
};

std::vector<Variant> variants() {
    std::vector<Variant> out;
    auto lines = readLines(test::corpusDir() / "truth" / "rows" / "INDEX.tsv");
    for (size_t i = 1; i < lines.size(); ++i) {
        Cells cells = splitTabs(lines[i]);
        if (cells.size() >= 2) out.push_back({cells[0], cells[1]});
    }
    return out;
}

Table truthTable(const std::string& variant, const std::string& table) {
    Table out;
    auto lines = readLines(test::corpusDir() / "truth" / "rows" / variant / (table + ".tsv"));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0) out.header = splitTabs(lines[i]);
        else out.rows.push_back(splitTabs(lines[i]));
    }
    return out;
}

std::vector<std::string> truthTableNames(const std::string& variant) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(test::corpusDir() / "truth" / "rows" / variant)) {
        std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.ends_with(".tsv") && name != "COUNTS.tsv" && name != "SCHEMA.tsv" && name != "MASK.tsv")
            names.push_back(name.substr(0, name.size() - 4));
    }
    return names;
}

// Rows of `got` that match no row of `want` (masked "?GETDATE?" cells match anything).
size_t unmatchedRows(std::vector<Cells> want, std::vector<Cells> got, std::string& firstMissing) {
    std::sort(want.begin(), want.end());
    std::sort(got.begin(), got.end());
    std::vector<bool> used(got.size(), false);
    size_t missing = 0;
    for (const Cells& row : want) {
        bool found = false;
        auto it = std::lower_bound(got.begin(), got.end(), row);
        for (; it != got.end() && *it == row; ++it)
            if (!used[size_t(it - got.begin())]) {
                used[size_t(it - got.begin())] = found = true;
                break;
            }
        for (size_t i = 0; !found && i < got.size(); ++i) {
            if (used[i] || got[i].size() != row.size()) continue;
            bool same = true;
            for (size_t c = 0; c < row.size() && same; ++c) same = row[c] == got[i][c] || row[c] == "?GETDATE?";
            if (same) used[i] = found = true;
        }
        if (!found && missing++ == 0) {
            for (const std::string& cell : row) firstMissing += cell + " | ";
        }
    }
    return missing + size_t(std::count(used.begin(), used.end(), false));
}

struct Exported {
    explicit Exported(const std::string& file, ExportTarget target, const std::filesystem::path& out) {
        context.sink = &sink;
        context.options.recoveryMode = 1;
        DatabaseFile data(test::corpusFile(file).string(), false, context);
        if (!data.isOpen()) return;
        Database database(data);
        ExportOptions options;
        options.target = target;
        options.outputPath = out.string();
        options.databaseName = "export";
        summary = exportDatabase(database, data, context, options);
    }
    test::RecordingSink sink;
    RunContext context;
    ExportSummary summary;
};

// The SQLite column types of a table, by column name.
std::map<std::string, std::string> sqliteTypes(sqlite3* db, const std::string& table) {
    std::map<std::string, std::string> types;
    sqlite3_stmt* query = nullptr;
    std::string sql = "PRAGMA table_info(\"" + table + "\")";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr) != SQLITE_OK) return types;
    while (sqlite3_step(query) == SQLITE_ROW)
        types[reinterpret_cast<const char*>(sqlite3_column_text(query, 1))] =
            reinterpret_cast<const char*>(sqlite3_column_text(query, 2));
    sqlite3_finalize(query);
    return types;
}

TEST(ExportCorpus, SqliteHoldsEveryTruthValue) {
    PW_REQUIRE_CORPUS();
    for (const Variant& v : variants()) {
        test::TempDir dir;
        Exported exported(v.file, ExportTarget::Sqlite, dir.file("out.sqlite"));
        ASSERT_TRUE(exported.summary.ok) << v.file << ": " << exported.summary.error;
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(dir.file("out.sqlite").c_str(), &db), SQLITE_OK);
        for (const std::string& name : truthTableNames(v.variant)) {
            SCOPED_TRACE(v.file + " " + name);
            Table truth = truthTable(v.variant, name);
            auto types = sqliteTypes(db, name);
            ASSERT_EQ(types.size(), truth.header.size());
            std::string columns;
            for (size_t c = 0; c < truth.header.size(); ++c) columns += (c ? ", \"" : "\"") + truth.header[c] + "\"";
            sqlite3_stmt* query = nullptr;
            std::string sql = "SELECT " + columns + " FROM \"" + name + "\"";
            ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
            std::vector<Cells> got;
            while (sqlite3_step(query) == SQLITE_ROW) {
                Cells row;
                for (int c = 0; c < int(truth.header.size()); ++c) {
                    const std::string& type = types[truth.header[size_t(c)]];
                    switch (sqlite3_column_type(query, c)) {
                        case SQLITE_NULL: row.push_back(kNull); break;
                        case SQLITE_BLOB: {
                            const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(query, c));
                            int size = sqlite3_column_bytes(query, c);
                            std::string hex = "0x";
                            char pair[3];
                            for (int i = 0; i < size; ++i) {
                                std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
                                hex += pair;
                            }
                            row.push_back(hex);
                            break;
                        }
                        default: {
                            std::string text = reinterpret_cast<const char*>(sqlite3_column_text(query, c));
                            row.push_back(type == "TEXT" ? escaped(text) : canonicalNumber(text, type == "REAL"));
                        }
                    }
                }
                got.push_back(row);
            }
            sqlite3_finalize(query);
            for (Cells& row : truth.rows)
                for (size_t c = 0; c < row.size() && c < truth.header.size(); ++c) {
                    const std::string& type = types[truth.header[c]];
                    if (type == "INTEGER" && (row[c] == "True" || row[c] == "False")) row[c] = row[c] == "True" ? "1" : "0";
                    else if (type != "TEXT" && type != "BLOB") row[c] = canonicalNumber(row[c], type == "REAL");
                }
            std::string firstMissing;
            EXPECT_EQ(got.size(), truth.rows.size());
            EXPECT_EQ(unmatchedRows(truth.rows, got, firstMissing), 0u) << "first missing: " << firstMissing;
        }
        sqlite3_close(db);
    }
}

// An RFC 4180 reader: quoted fields may hold commas, quotes and line breaks.
std::vector<std::vector<std::pair<std::string, bool>>> readCsv(const std::string& text) {
    std::vector<std::vector<std::pair<std::string, bool>>> records(1);
    std::string field;
    bool quoted = false, inQuotes = false, fieldStarted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field.push_back('"'), ++i;
            else if (c == '"') inQuotes = false;
            else field.push_back(c);
        } else if (c == '"' && !fieldStarted) {
            inQuotes = quoted = fieldStarted = true;
        } else if (c == ',') {
            records.back().push_back({field, quoted});
            field.clear();
            quoted = fieldStarted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.back().push_back({field, quoted});
            field.clear();
            quoted = fieldStarted = false;
            records.emplace_back();
            ++i;
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    if (records.back().empty() && field.empty()) records.pop_back();
    return records;
}

TEST(ExportCorpus, CsvReadsBackEqualToTheTruth) {
    PW_REQUIRE_CORPUS();
    for (const Variant& v : variants()) {
        test::TempDir dir;
        Exported exported(v.file, ExportTarget::Csv, dir.path());
        ASSERT_TRUE(exported.summary.ok) << exported.summary.error;
        for (const std::string& name : truthTableNames(v.variant)) {
            SCOPED_TRACE(v.file + " " + name);
            Table truth = truthTable(v.variant, name);
            auto bytes = test::readFileBytes(dir.file(name + ".csv"));
            auto records = readCsv(std::string(bytes.begin(), bytes.end()));
            ASSERT_FALSE(records.empty());
            Cells header;
            for (const auto& [text, quoted] : records[0]) header.push_back(text);
            EXPECT_EQ(header, truth.header);
            std::vector<Cells> got;
            for (size_t r = 1; r < records.size(); ++r) {
                Cells row;
                for (const auto& [text, quoted] : records[r]) row.push_back(text.empty() && !quoted ? kNull : escaped(text));
                got.push_back(row);
            }
            std::string firstMissing;
            EXPECT_EQ(got.size(), truth.rows.size());
            EXPECT_EQ(unmatchedRows(truth.rows, got, firstMissing), 0u) << "first missing: " << firstMissing;
        }
    }
}

// Every INSERT of the Northwind script lists as many values as columns, and
// each table gets as many rows as the truth counts.
TEST(ExportCorpus, NorthwindScriptInsertsMatchTheTruth) {
    PW_REQUIRE_CORPUS();
    test::TempDir dir;
    Exported exported("v655_northwind_script2008.mdf", ExportTarget::SqlScript, dir.path());
    ASSERT_TRUE(exported.summary.ok) << exported.summary.error;
    auto bytes = test::readFileBytes(dir.file("export.sql"));
    std::string script(bytes.begin(), bytes.end());
    std::map<std::string, size_t> rowsByTable;
    size_t at = 0;
    while ((at = script.find("INSERT INTO [dbo].[", at)) != std::string::npos) {
        size_t nameEnd = script.find("] (", at);
        std::string table = script.substr(at + 19, nameEnd - at - 19);
        size_t listEnd = script.find(") VALUES", nameEnd);
        size_t columns = size_t(std::count(script.begin() + long(nameEnd), script.begin() + long(listEnd), ',')) + 1;
        size_t position = listEnd + 8;
        // Walk the value lists up to the GO that ends the statement.
        size_t statementEnd = script.find("\r\nGO\r\n", position);
        while (position < statementEnd) {
            size_t open = script.find('(', position);
            if (open == std::string::npos || open > statementEnd) break;
            size_t values = 1, i = open + 1;
            bool inString = false;
            for (; i < statementEnd; ++i) {
                char c = script[i];
                if (inString) {
                    if (c == '\'' && script[i + 1] == '\'') ++i;
                    else if (c == '\'') inString = false;
                } else if (c == '\'') {
                    inString = true;
                } else if (c == ',') {
                    ++values;
                } else if (c == ')') {
                    break;
                }
            }
            EXPECT_EQ(values, columns) << table;
            ++rowsByTable[table];
            position = i + 1;
        }
        at = statementEnd;
    }
    auto counts = readLines(test::corpusDir() / "truth" / "rows" / "nw2000" / "COUNTS.tsv");
    for (size_t i = 1; i < counts.size(); ++i) {
        Cells cells = splitTabs(counts[i]);
        EXPECT_EQ(rowsByTable[cells[0]], std::stoul(cells[1])) << cells[0];
    }
}

}  // namespace
}  // namespace pw
