#include "export/CsvWriter.h"

#include <filesystem>

#include "export/SqlScriptWriter.h"

namespace pw {

std::string csvField(const std::string& text, bool isNull) {
    if (isNull) return {};
    if (!text.empty() && text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        out.push_back(c);
        if (c == '"') out.push_back('"');
    }
    out.push_back('"');
    return out;
}

CsvWriter::CsvWriter(ExportOptions options) : options_(std::move(options)) {}

CsvWriter::~CsvWriter() {
    if (out_) std::fclose(out_);
}

bool CsvWriter::beginTable(const TableSchema& table) {
    std::string base = table.schemaName.empty() || table.schemaName == "dbo" ? table.name
                                                                             : table.schemaName + "." + table.name;
    path_ = (std::filesystem::path(options_.outputPath) / (safeFileName(base) + ".csv")).string();
    std::error_code ec;
    if (!options_.overwrite && std::filesystem::exists(path_, ec)) {
        error_ = path_ + " exists; not overwritten";
        return false;
    }
    out_ = std::fopen(path_.c_str(), "wb");
    if (!out_) {
        error_ = "cannot write " + path_;
        return false;
    }
    failed_ = false;
    columns_.clear();
    line_.clear();
    for (size_t i = 0; i < table.columns.size(); ++i) {
        if (table.columns[i].name.empty()) continue;
        line_ += (columns_.empty() ? "" : ",") + csvField(table.columns[i].name, false);
        columns_.push_back(i);
    }
    line_ += "\r\n";
    failed_ |= std::fwrite(line_.data(), 1, line_.size(), out_) != line_.size();
    return !failed_;
}

bool CsvWriter::writeRow(const ExportRow& row) {
    if (!out_) return false;
    line_.clear();
    for (size_t k = 0; k < columns_.size(); ++k) {
        size_t i = columns_[k];
        if (k) line_.push_back(',');
        bool isNull = i >= row.nulls.size() || row.nulls[i];
        line_ += csvField(i < row.texts.size() ? row.texts[i] : std::string(), isNull);
    }
    line_ += "\r\n";
    failed_ |= std::fwrite(line_.data(), 1, line_.size(), out_) != line_.size();
    return !failed_;
}

bool CsvWriter::endTable() {
    if (out_) {
        failed_ |= std::fclose(out_) != 0;
        out_ = nullptr;
    }
    if (failed_) error_ = "writing " + path_ + " failed";
    return !failed_;
}

}  // namespace pw
