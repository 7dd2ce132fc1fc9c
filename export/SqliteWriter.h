#pragma once
// One SQLite database file with a table per recovered table, all rows in a
// transaction per table. Column types: integers and bit INTEGER, float and
// real REAL, decimal/numeric/money NUMERIC, binary types BLOB, the rest TEXT
// (date-times as ISO 8601 text).

#include <string>

#include "export/ExportOptions.h"
#include "export/TableWriter.h"

struct sqlite3;
struct sqlite3_stmt;

namespace pw {

class SqliteWriter : public TableWriter {
public:
    explicit SqliteWriter(ExportOptions options);
    ~SqliteWriter() override;

    bool beginTable(const TableSchema& table) override;
    bool writeRow(const ExportRow& row) override;
    bool endTable() override;
    bool finish(const std::vector<TableSchema>& tables, const std::vector<ModuleDefinition>& modules) override;
    uint64_t undecodableValues() const override { return undecodable_; }
    std::string currentPath() const override { return options_.outputPath; }

    // The SQLite column type a recovered column maps to.
    static const char* sqliteType(const ColumnDescriptor& column);

private:
    bool open();
    bool execute(const std::string& sql);

    ExportOptions options_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    const TableSchema* table_ = nullptr;
    std::vector<size_t> columns_;
    uint64_t undecodable_ = 0;
};

}  // namespace pw
