#include "export/SqliteWriter.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sqlite3.h>

namespace pw {
namespace {

std::string sqliteName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out.push_back(c);
        if (c == '"') out.push_back('"');
    }
    return out + "\"";
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "0x0A1B" -> bytes; false when the text is not hexadecimal.
bool hexToBytes(const std::string& text, std::vector<uint8_t>& out) {
    out.clear();
    size_t start = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? 2 : 0;
    if (text == " ") return true;  // an empty large value
    if ((text.size() - start) % 2 != 0) return false;
    out.reserve((text.size() - start) / 2);
    for (size_t i = start; i + 1 < text.size(); i += 2) {
        int high = hexValue(text[i]), low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) return false;
        out.push_back(uint8_t(high * 16 + low));
    }
    return true;
}

}  // namespace

const char* SqliteWriter::sqliteType(const ColumnDescriptor& column) {
    switch (column.typeCode) {
        case TypeCode::BigInt:
        case TypeCode::Int:
        case TypeCode::SmallInt:
        case TypeCode::TinyInt:
        case TypeCode::Bit:
            return "INTEGER";
        case TypeCode::Float:
        case TypeCode::Real:
            return "REAL";
        case TypeCode::Decimal:
        case TypeCode::Numeric:
        case TypeCode::Money:
        case TypeCode::SmallMoney:
            return "NUMERIC";
        case TypeCode::Binary:
        case TypeCode::VarBinary:
        case TypeCode::Image:
        case TypeCode::Timestamp:
        case TypeCode::HierarchyId:
        case TypeCode::Geometry:
        case TypeCode::ClrType:
            return "BLOB";
        default:
            return "TEXT";
    }
}

SqliteWriter::SqliteWriter(ExportOptions options) : options_(std::move(options)) {}

SqliteWriter::~SqliteWriter() {
    if (insert_) sqlite3_finalize(insert_);
    if (db_) sqlite3_close(db_);
}

bool SqliteWriter::open() {
    if (db_) return true;
    std::error_code ec;
    if (std::filesystem::exists(options_.outputPath, ec)) {
        if (!options_.overwrite) {
            error_ = options_.outputPath + " exists; not overwritten";
            return false;
        }
        std::filesystem::remove(options_.outputPath, ec);
    }
    if (sqlite3_open_v2(options_.outputPath.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        error_ = "cannot create " + options_.outputPath;
        return false;
    }
    execute("PRAGMA journal_mode=OFF");
    execute("PRAGMA synchronous=OFF");
    execute("PRAGMA locking_mode=EXCLUSIVE");
    execute("PRAGMA cache_size=-65536");
    return true;
}

bool SqliteWriter::execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        error_ = message ? message : "sqlite error";
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool SqliteWriter::beginTable(const TableSchema& table) {
    if (!open()) return false;
    table_ = &table;
    std::string name = table.schemaName.empty() || table.schemaName == "dbo" ? table.name
                                                                             : table.schemaName + "." + table.name;
    std::string create = "CREATE TABLE " + sqliteName(name) + " (";
    std::string insert = "INSERT INTO " + sqliteName(name) + " VALUES (";
    columns_.clear();
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDescriptor& column = table.columns[i];
        if (column.name.empty()) continue;
        create += (columns_.empty() ? "" : ", ") + sqliteName(column.name) + " " + sqliteType(column);
        insert += columns_.empty() ? "?" : ", ?";
        columns_.push_back(i);
    }
    create += ")";
    insert += ")";
    if (!execute(create) || !execute("BEGIN")) return false;
    if (insert_) sqlite3_finalize(insert_);
    insert_ = nullptr;
    if (sqlite3_prepare_v2(db_, insert.c_str(), -1, &insert_, nullptr) != SQLITE_OK) {
        error_ = sqlite3_errmsg(db_);
        return false;
    }
    return true;
}

bool SqliteWriter::writeRow(const ExportRow& row) {
    if (!insert_ || !table_) return false;
    sqlite3_reset(insert_);
    std::vector<uint8_t> blob;
    for (size_t k = 0; k < columns_.size(); ++k) {
        size_t i = columns_[k];
        int slot = int(k) + 1;
        const ColumnDescriptor& column = table_->columns[i];
        bool isNull = i >= row.nulls.size() || row.nulls[i];
        static const std::string kEmpty;
        const std::string& text = i < row.texts.size() ? row.texts[i] : kEmpty;
        if (isNull) {
            sqlite3_bind_null(insert_, slot);
            continue;
        }
        const char* type = sqliteType(column);
        bool bound = false;
        if (type[0] == 'I') {
            if (column.typeCode == TypeCode::Bit) {
                if (text == "True" || text == "False") {
                    sqlite3_bind_int(insert_, slot, text == "True");
                    bound = true;
                }
            } else {
                char* end = nullptr;
                errno = 0;
                long long value = std::strtoll(text.c_str(), &end, 10);
                if (!text.empty() && end && *end == '\0' && errno == 0) {
                    sqlite3_bind_int64(insert_, slot, value);
                    bound = true;
                }
            }
        } else if (type[0] == 'R') {
            char* end = nullptr;
            double value = std::strtod(text.c_str(), &end);
            if (!text.empty() && end && *end == '\0') {
                sqlite3_bind_double(insert_, slot, value);
                bound = true;
            }
        } else if (type[0] == 'B') {
            if (hexToBytes(text, blob)) {
                sqlite3_bind_blob64(insert_, slot, blob.data(), blob.size(), SQLITE_TRANSIENT);
                bound = true;
            }
        } else {
            // NUMERIC keeps the exact decimal text; SQLite's affinity stores it as a number.
            if (type[0] != 'N' || !text.empty()) {
                sqlite3_bind_text64(insert_, slot, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8);
                bound = true;
            }
        }
        if (!bound) {
            ++undecodable_;
            sqlite3_bind_null(insert_, slot);
        }
    }
    if (sqlite3_step(insert_) != SQLITE_DONE) {
        error_ = sqlite3_errmsg(db_);
        return false;
    }
    return true;
}

bool SqliteWriter::endTable() {
    if (insert_) sqlite3_finalize(insert_);
    insert_ = nullptr;
    table_ = nullptr;
    return db_ && execute("COMMIT");
}

bool SqliteWriter::finish(const std::vector<TableSchema>&, const std::vector<ModuleDefinition>& modules) {
    if (!open()) return false;
    if (!execute("CREATE TABLE IF NOT EXISTS \"pagewright_definitions\" (\"name\" TEXT, \"type\" TEXT, \"definition\" TEXT)"))
        return false;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "INSERT INTO \"pagewright_definitions\" VALUES (?, ?, ?)", -1, &statement, nullptr) != SQLITE_OK)
        return false;
    execute("BEGIN");
    for (const ModuleDefinition& module : modules) {
        sqlite3_reset(statement);
        sqlite3_bind_text(statement, 1, module.name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 2, module.type.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 3, module.text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    bool committed = execute("COMMIT");
    // The file is complete: release it (and its exclusive lock) at once.
    bool closed = sqlite3_close(db_) == SQLITE_OK;
    db_ = nullptr;
    if (!closed && error_.empty()) error_ = "cannot close " + options_.outputPath;
    return committed && closed;
}

}  // namespace pw
