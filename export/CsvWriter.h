#pragma once
// One RFC 4180 file per table: UTF-8, CRLF line ends, a header row, fields
// quoted when they hold a comma, quote, CR or LF (quotes doubled); NULL is an
// empty unquoted field and an empty text a quoted empty field.

#include <cstdio>
#include <string>

#include "export/ExportOptions.h"
#include "export/TableWriter.h"

namespace pw {

class CsvWriter : public TableWriter {
public:
    explicit CsvWriter(ExportOptions options);
    ~CsvWriter() override;

    bool beginTable(const TableSchema& table) override;
    bool writeRow(const ExportRow& row) override;
    bool endTable() override;
    bool finish(const std::vector<TableSchema>&, const std::vector<ModuleDefinition>&) override { return true; }
    std::string currentPath() const override { return path_; }

private:
    void writeField(const std::string& text, bool isNull);

    ExportOptions options_;
    FILE* out_ = nullptr;
    std::string path_;
    std::vector<size_t> columns_;
    std::string line_;
    bool failed_ = false;
};

// The CSV form of one field.
std::string csvField(const std::string& text, bool isNull);

}  // namespace pw
