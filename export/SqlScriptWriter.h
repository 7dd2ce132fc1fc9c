#pragma once
// Writes T-SQL scripts that sqlcmd can run against an empty database:
// CREATE TABLE with keys, defaults and checks, the rows as INSERT statements
// (batches of at most 1000 rows, or one row per statement in compatible
// mode), then foreign keys and module definitions, separated by GO.

#include <cstdio>
#include <map>
#include <string>

#include "app/CollationList.h"
#include "export/ExportOptions.h"
#include "export/TableWriter.h"

namespace pw {

class SqlScriptWriter : public TableWriter {
public:
    // `collations` names column collations; `databaseCollationId` is the one
    // columns need not repeat.
    SqlScriptWriter(ExportOptions options, CollationList collations, int64_t databaseCollationId);
    ~SqlScriptWriter() override;

    bool beginTable(const TableSchema& table) override;
    bool writeRow(const ExportRow& row) override;
    bool endTable() override;
    bool finish(const std::vector<TableSchema>& tables, const std::vector<ModuleDefinition>& modules) override;
    uint64_t undecodableValues() const override { return undecodable_; }
    std::string currentPath() const override { return path_; }

    // The CREATE TABLE statement of a table (also used by tests).
    std::string createTableText(const TableSchema& table) const;

private:
    bool openFile(const std::string& path);
    void closeFile();
    void write(const std::string& text);
    void flushBatch();

    ExportOptions options_;
    CollationList collations_;
    int64_t databaseCollationId_;
    FILE* out_ = nullptr;
    std::string path_;
    const TableSchema* table_ = nullptr;
    std::vector<size_t> insertColumns_;
    std::string insertHead_;
    bool identity_ = false;
    std::string batch_;
    size_t batchRows_ = 0;
    uint64_t undecodable_ = 0;
    bool writeFailed_ = false;
};

// A file name made safe from a table or database name.
std::string safeFileName(const std::string& name);

}  // namespace pw
