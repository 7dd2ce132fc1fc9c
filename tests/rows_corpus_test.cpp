// Rows and definitions of the real data files against their truth: the
// Northwind and pubs rows value by value (large values included) in
// Standard and Advanced mode, the row counts of every other file's user
// tables, and the definition texts of views, procedures and triggers.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/Utf16.h"
#include "catalog/Database.h"
#include "catalog/DefinitionReader.h"
#include "storage/DatabaseFile.h"
#include "tests/TestSupport.h"
#include "values/CodePageText.h"
#include "values/RowTextFormat.h"
#include "values/TableScan.h"

namespace pw {
namespace {

using Lines = std::vector<std::string>;

Lines readLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    Lines lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::vector<std::string> split(const std::string& line, char separator = '\t') {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!line.empty() && line.back() == separator) parts.push_back("");
    return parts;
}

struct Opened {
    explicit Opened(const std::filesystem::path& path, bool advanced) {
        context.options.recoveryMode = advanced ? 2 : 1;
        context.sink = &sink;
        file = std::make_unique<DatabaseFile>(path.string(), advanced, context);
        if (file->isOpen()) database = std::make_unique<Database>(*file);
    }
    test::RecordingSink sink;
    RunContext context;
    std::unique_ptr<DatabaseFile> file;
    std::unique_ptr<Database> database;
};

// The table as TSV lines, header first.
Lines tableLines(Opened& opened, const std::string& table) {
    TableScan scan(*opened.database, *opened.file, opened.context);
    if (!scan.select(table)) return {};
    std::vector<std::string> names;
    for (const ColumnDescriptor& column : scan.layout()) names.push_back(column.name);
    Lines lines(1);
    appendHeaderLine(lines[0], names, RowTextFormat::Tsv);
    scan.scan([&](const DecodedRow& row) {
        std::string line;
        appendRowLine(line, row, RowTextFormat::Tsv);
        lines.push_back(std::move(line));
        return true;
    });
    for (std::string& line : lines) line.pop_back();  // the newline
    return lines;
}

struct Mask {
    std::string table, keyColumn, key, column;
};

// Whether `got` equals the truth line `want`, where a masked cell of `want`
// ("?GETDATE?") matches anything.
bool sameRow(const std::string& want, const std::string& got) {
    if (want == got) return true;
    if (want.find("?GETDATE?") == std::string::npos) return false;
    auto a = split(want), b = split(got);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i] != "?GETDATE?") return false;
    return true;
}

// Truth lines not matched by a decoded line (each decoded line used once),
// and the decoded lines left over.
std::pair<Lines, Lines> compare(Lines truth, Lines got) {
    std::sort(truth.begin(), truth.end());
    std::sort(got.begin(), got.end());
    Lines missing, extra;
    std::vector<bool> used(got.size(), false);
    for (const std::string& want : truth) {
        auto exact = std::lower_bound(got.begin(), got.end(), want);
        size_t found = got.size();
        for (auto it = exact; it != got.end() && *it == want; ++it)
            if (!used[size_t(it - got.begin())]) {
                found = size_t(it - got.begin());
                break;
            }
        if (found == got.size() && want.find("?GETDATE?") != std::string::npos)
            for (size_t i = 0; i < got.size(); ++i)
                if (!used[i] && sameRow(want, got[i])) {
                    found = i;
                    break;
                }
        if (found == got.size()) missing.push_back(want);
        else used[found] = true;
    }
    for (size_t i = 0; i < got.size(); ++i)
        if (!used[i]) extra.push_back(got[i]);
    return {missing, extra};
}

struct Variant {
    std::string file, variant;
};

std::vector<Variant> truthVariants() {
    std::vector<Variant> variants;
    Lines index = readLines(test::corpusDir() / "truth" / "rows" / "INDEX.tsv");
    for (size_t i = 1; i < index.size(); ++i) {
        auto parts = split(index[i]);
        if (parts.size() >= 2) variants.push_back({parts[0], parts[1]});
    }
    return variants;
}

std::vector<std::string> truthTables(const std::string& variant) {
    std::vector<std::string> tables;
    for (const auto& entry : std::filesystem::directory_iterator(test::corpusDir() / "truth" / "rows" / variant)) {
        std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.substr(name.size() - 4) == ".tsv" && name != "COUNTS.tsv" &&
            name != "SCHEMA.tsv" && name != "MASK.tsv")
            tables.push_back(name.substr(0, name.size() - 4));
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

void checkTruthRows(bool advanced) {
    auto variants = truthVariants();
    ASSERT_FALSE(variants.empty());
    for (const Variant& v : variants) {
        Opened opened(test::corpusFile(v.file), advanced);
        ASSERT_TRUE(opened.database) << v.file;
        for (const std::string& table : truthTables(v.variant)) {
            SCOPED_TRACE(v.file + " " + table);
            Lines truth = readLines(test::corpusDir() / "truth" / "rows" / v.variant / (table + ".tsv"));
            Lines got = tableLines(opened, table);
            ASSERT_FALSE(got.empty());
            ASSERT_FALSE(truth.empty());
            EXPECT_EQ(got[0], truth[0]);  // the column names
            auto [missing, extra] = compare(Lines(truth.begin() + 1, truth.end()), Lines(got.begin() + 1, got.end()));
            EXPECT_TRUE(missing.empty()) << missing.size() << " truth rows missing, first: " << missing.front();
            if (!advanced) {
                EXPECT_TRUE(extra.empty()) << extra.size() << " rows too many, first: " << extra.front();
            }
        }
    }
}

TEST(RowsCorpus, NorthwindAndPubsRowsEqualTheirTruthInStandardMode) {
    PW_REQUIRE_CORPUS();
    checkTruthRows(false);
}

TEST(RowsCorpus, AdvancedModeHoldsEveryTruthRow) {
    PW_REQUIRE_CORPUS();
    checkTruthRows(true);
}

bool isCharacterType(TypeCode code) {
    switch (code) {
        case TypeCode::Char: case TypeCode::VarChar: case TypeCode::Text: case TypeCode::NChar:
        case TypeCode::NVarChar: case TypeCode::NText: case TypeCode::SysName:
            return true;
        default:
            return false;
    }
}

TEST(RowsCorpus, EveryUserTableGivesTheCatalogsRowCount) {
    PW_REQUIRE_CORPUS();
    std::map<std::string, std::vector<std::pair<std::string, int64_t>>> tablesByFile;
    Lines objects = readLines(test::corpusDir() / "truth" / "objects.tsv");
    for (size_t i = 1; i < objects.size(); ++i) {
        auto parts = split(objects[i]);
        if (parts.size() < 7 || parts[3] != "U " || parts[6].empty()) continue;
        tablesByFile[parts[0]].push_back({parts[2], std::stoll(parts[6])});
    }
    ASSERT_GT(tablesByFile.size(), 20u);
    for (const auto& [fileName, tables] : tablesByFile) {
        Opened opened(test::corpusFile(fileName), false);
        ASSERT_TRUE(opened.database) << fileName;
        for (const auto& [table, count] : tables) {
            SCOPED_TRACE(fileName + " " + table);
            TableScan scan(*opened.database, *opened.file, opened.context);
            ASSERT_TRUE(scan.select(table));
            int64_t rows = 0;
            scan.scan([&](const DecodedRow& row) {
                ++rows;
                for (size_t c = 0; c < row.size(); ++c) {
                    // Character data may be an empty string; any other value
                    // has a text whenever it is not NULL.
                    if (!row.isNull(c) && row.text(c).empty()) {
                        EXPECT_TRUE(isCharacterType(scan.layout()[c].typeCode)) << scan.layout()[c].name;
                    }
                }
                return true;
            });
            EXPECT_EQ(rows, count);
        }
    }
}

// The script batches (separated by GO lines) of a truth script.
Lines scriptBatches(const std::string& scriptName) {
    std::vector<uint8_t> bytes = test::readFileBytes(test::corpusDir() / "truth" / "scripts" / scriptName);
    std::string text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        text = utf16leToUtf8(Bytes(bytes.data() + 2, bytes.size() - 2));
    else
        text = decodeCodePage(Bytes(bytes.data(), bytes.size()), 1252);
    Lines batches(1);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::string trimmed = line;
        trimmed.erase(std::remove_if(trimmed.begin(), trimmed.end(), [](unsigned char c) { return std::isspace(c); }),
                      trimmed.end());
        if (trimmed == "GO" || trimmed == "go") batches.emplace_back();
        else batches.back() += line + "\n";
    }
    return batches;
}

std::string normalised(const std::string& text) {
    std::string out;
    bool blank = false;
    for (unsigned char c : text) {
        if (std::isspace(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += char(c);
    }
    return out;
}

std::string lowered(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The batch that creates `name` ("create view [name]", "create procedure
// "name"" …), normalised; empty when the script has none.
std::string scriptFor(const Lines& batches, const std::string& name) {
    for (const std::string& batch : batches) {
        std::string text = normalised(batch);
        std::string lower = lowered(text);
        for (const char* kind : {"create view ", "create procedure ", "create proc ", "create trigger "}) {
            if (lower.rfind(kind, 0) != 0) continue;
            std::string rest = text.substr(std::string(kind).size());
            for (const std::string& quoted : {name, "\"" + name + "\"", "[" + name + "]", "dbo." + name,
                                              "[dbo].[" + name + "]"}) {
                if (rest.rfind(quoted, 0) != 0) continue;
                char after = rest.size() > quoted.size() ? rest[quoted.size()] : ' ';
                if (after == ' ' || after == '(' || after == '\n') return text;
            }
        }
    }
    return {};
}

TEST(RowsCorpus, DefinitionsEqualTheirScripts) {
    PW_REQUIRE_CORPUS();
    const std::map<std::string, std::string> scripts = {{"nw2000", "sql2000msi_instnwnd.sql"},
                                                        {"pubs2000", "sql2000msi_instpubs.sql"}};
    for (const Variant& v : truthVariants()) {
        SCOPED_TRACE(v.file);
        Lines batches = scriptBatches(scripts.at(v.variant));
        Opened opened(test::corpusFile(v.file), false);
        ASSERT_TRUE(opened.database);
        DefinitionReader definitions(*opened.database, *opened.file, opened.context);
        int checked = 0;
        for (const CatalogObject& object : opened.database->objects) {
            if (object.type != "V " && object.type != "P " && object.type != "TR") continue;
            std::string want = scriptFor(batches, object.name);
            if (want.empty()) continue;  // an object the script did not make (diagram procedures …)
            SCOPED_TRACE(object.name);
            std::string got = normalised(definitions.definitionText(std::to_string(object.objectId)));
            // A debugger may have prefixed the stored text with a comment line.
            if (got != want && got.size() > want.size() && got.rfind("--", 0) == 0)
                got = got.substr(got.size() - want.size());
            EXPECT_EQ(got, want);
            ++checked;
        }
        EXPECT_GE(checked, 5);
        const auto& log = opened.sink.logLines;
        EXPECT_NE(std::find(log.begin(), log.end(), definitionText::kRetrieving), log.end());
        EXPECT_NE(std::find(log.begin(), log.end(), definitionText::kRetrievingDone), log.end());
    }
}

TEST(RowsCorpus, LargeValuesOfNorthwindAreWhole) {
    PW_REQUIRE_CORPUS();
    Opened opened(test::corpusFile("v539_northwind_sql2000_msi.mdf"), false);
    ASSERT_TRUE(opened.database);
    TableScan scan(*opened.database, *opened.file, opened.context);
    ASSERT_TRUE(scan.select("Categories"));
    size_t pictures = 0;
    scan.scan([&](const DecodedRow& row) {
        std::string_view picture = row.text(3);
        EXPECT_EQ(picture.substr(0, 2), "0x");
        EXPECT_GT(picture.size(), 20000u);  // whole OLE pictures, not a first page
        ++pictures;
        return true;
    });
    EXPECT_EQ(pictures, 8u);
}

}  // namespace
}  // namespace pw
