#include "export/SqlScriptWriter.h"

#include <filesystem>

#include "export/SqlLiteral.h"
#include "export/SqlTypeText.h"

namespace pw {
namespace {

constexpr size_t kRowsPerInsert = 1000;  // the server's limit for one VALUES list

std::string qualified(const std::string& schema, const std::string& name) {
    return bracketName(schema.empty() ? "dbo" : schema) + "." + bracketName(name);
}

std::string identityClause(const std::string& identityText) {
    if (identityText.empty()) return {};
    std::string text = identityText;
    if (text.rfind("identity", 0) == 0) text = "IDENTITY" + text.substr(8);
    return " " + text;
}

std::string columnList(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) out += (i ? ", " : "") + bracketName(names[i]);
    return out;
}

}  // namespace

std::string safeFileName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) out.push_back(c < 0x20 || std::string("/\\:*?\"<>|").find(char(c)) != std::string::npos ? '_' : char(c));
    if (out.empty() || out == "." || out == "..") out = "_" + out;
    return out;
}

SqlScriptWriter::SqlScriptWriter(ExportOptions options, CollationList collations, int64_t databaseCollationId)
    : options_(std::move(options)), collations_(std::move(collations)), databaseCollationId_(databaseCollationId) {}

SqlScriptWriter::~SqlScriptWriter() { closeFile(); }

bool SqlScriptWriter::openFile(const std::string& path) {
    closeFile();
    std::error_code ec;
    if (!options_.overwrite && std::filesystem::exists(path, ec)) {
        error_ = path + " exists; not overwritten";
        return false;
    }
    out_ = std::fopen(path.c_str(), "wb");
    if (!out_) {
        error_ = "cannot write " + path;
        return false;
    }
    path_ = path;
    write("-- Recovered by Pagewright");
    if (!options_.sourcePath.empty()) write(" from " + options_.sourcePath);
    write("\r\nSET ANSI_NULLS ON\r\nGO\r\nSET QUOTED_IDENTIFIER ON\r\nGO\r\n\r\n");
    return true;
}

void SqlScriptWriter::closeFile() {
    if (out_) {
        if (std::fclose(out_) != 0) writeFailed_ = true;
        out_ = nullptr;
    }
}

void SqlScriptWriter::write(const std::string& text) {
    if (out_ && std::fwrite(text.data(), 1, text.size(), out_) != text.size()) writeFailed_ = true;
}

std::string SqlScriptWriter::createTableText(const TableSchema& table) const {
    std::string text = "CREATE TABLE " + qualified(table.schemaName, table.name) + " (\r\n";
    bool first = true;
    for (const ColumnDescriptor& column : table.columns) {
        if (column.name.empty()) continue;
        text += first ? "    " : ",\r\n    ";
        first = false;
        text += bracketName(column.name);
        if (isComputedColumn(column)) {
            std::string definition = column.infoText.empty() ? "NULL" : column.infoText;
            text += " AS " + (definition.front() == '(' ? definition : "(" + definition + ")");
            continue;
        }
        text += " " + sqlTypeDeclaration(column, options_.keepMaxLength);
        if (options_.saveCollation && column.collationId > 0 && column.collationId != databaseCollationId_) {
            auto it = collations_.find(column.collationId);
            if (it != collations_.end()) text += " COLLATE " + it->second.name;
        }
        text += identityClause(column.identityText);
        if (column.rowGuidColumn) text += " ROWGUIDCOL";
        text += column.nullable ? " NULL" : " NOT NULL";
    }
    for (const KeyConstraint& key : table.keys) {
        text += ",\r\n    CONSTRAINT " + bracketName(key.name) + (key.primary ? " PRIMARY KEY " : " UNIQUE ") +
                (key.clustered ? "CLUSTERED" : "NONCLUSTERED") + " (";
        for (size_t i = 0; i < key.columns.size(); ++i)
            text += (i ? ", " : "") + bracketName(key.columns[i].name) + (key.columns[i].descending ? " DESC" : " ASC");
        text += ")";
    }
    text += "\r\n)\r\nGO\r\n";
    for (const DefaultConstraint& value : table.defaults)
        text += "ALTER TABLE " + qualified(table.schemaName, table.name) + " ADD CONSTRAINT " + bracketName(value.name) +
                " DEFAULT " + value.definition + " FOR " + bracketName(value.column) + "\r\nGO\r\n";
    for (const CheckConstraint& check : table.checks)
        text += "ALTER TABLE " + qualified(table.schemaName, table.name) + " WITH NOCHECK ADD CONSTRAINT " +
                bracketName(check.name) + " CHECK " + check.definition + "\r\nGO\r\n";
    return text;
}

bool SqlScriptWriter::beginTable(const TableSchema& table) {
    if (options_.scriptPerTable || !out_) {
        std::string name = options_.scriptPerTable ? safeFileName(table.schemaName + "." + table.name)
                                                   : safeFileName(options_.databaseName.empty() ? "database" : options_.databaseName);
        if (!openFile((std::filesystem::path(options_.outputPath) / (name + ".sql")).string())) return false;
    }
    table_ = &table;
    write(createTableText(table));
    insertColumns_.clear();
    std::vector<std::string> names;
    identity_ = false;
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDescriptor& column = table.columns[i];
        if (column.name.empty() || !isInsertableColumn(column)) continue;
        insertColumns_.push_back(i);
        names.push_back(column.name);
        if (!column.identityText.empty()) identity_ = true;
    }
    insertHead_ = "INSERT INTO " + qualified(table.schemaName, table.name) + " (" + columnList(names) + ") VALUES";
    if (identity_ && !options_.schemaOnly)
        write("SET IDENTITY_INSERT " + qualified(table.schemaName, table.name) + " ON\r\nGO\r\n");
    batch_.clear();
    batchRows_ = 0;
    return !writeFailed_;
}

bool SqlScriptWriter::writeRow(const ExportRow& row) {
    if (options_.schemaOnly || !table_) return true;
    std::string values = "(";
    for (size_t k = 0; k < insertColumns_.size(); ++k) {
        size_t i = insertColumns_[k];
        bool isNull = i >= row.nulls.size() || row.nulls[i];
        const std::string empty;
        SqlLiteral literal = sqlLiteral(i < row.texts.size() ? row.texts[i] : empty, isNull, table_->columns[i]);
        if (literal.undecodable) ++undecodable_;
        values += (k ? ", " : "") + literal.text;
    }
    values += ")";
    if (options_.compatibleInserts) {
        write(insertHead_ + " " + values + "\r\n");
        if (++batchRows_ >= kRowsPerInsert) {
            write("GO\r\n");
            batchRows_ = 0;
        }
        return !writeFailed_;
    }
    batch_ += batchRows_ == 0 ? "\r\n" : ",\r\n";
    batch_ += values;
    if (++batchRows_ >= kRowsPerInsert) flushBatch();
    return !writeFailed_;
}

void SqlScriptWriter::flushBatch() {
    if (batchRows_ == 0) return;
    if (!options_.compatibleInserts) write(insertHead_ + batch_ + "\r\n");
    write("GO\r\n");
    batch_.clear();
    batchRows_ = 0;
}

bool SqlScriptWriter::endTable() {
    flushBatch();
    if (table_ && identity_ && !options_.schemaOnly)
        write("SET IDENTITY_INSERT " + qualified(table_->schemaName, table_->name) + " OFF\r\nGO\r\n");
    write("\r\n");
    table_ = nullptr;
    if (options_.scriptPerTable) closeFile();
    if (writeFailed_ && error_.empty()) error_ = "writing " + path_ + " failed";
    return !writeFailed_;
}

bool SqlScriptWriter::finish(const std::vector<TableSchema>& tables, const std::vector<ModuleDefinition>& modules) {
    if (options_.scriptPerTable || !out_) {
        std::string base = safeFileName(options_.databaseName.empty() ? "database" : options_.databaseName);
        if (!openFile((std::filesystem::path(options_.outputPath) / (base + (options_.scriptPerTable ? "_objects" : "") + ".sql")).string()))
            return false;
    }
    for (const TableSchema& table : tables)
        for (const ForeignKey& key : table.foreignKeys)
            write("ALTER TABLE " + qualified(table.schemaName, table.name) + " WITH NOCHECK ADD CONSTRAINT " +
                  bracketName(key.name) + " FOREIGN KEY (" + columnList(key.columns) + ") REFERENCES " +
                  qualified(key.referencedSchema, key.referencedTable) + " (" + columnList(key.referencedColumns) +
                  ")\r\nGO\r\n");
    for (const ModuleDefinition& module : modules) {
        if (module.text.empty()) continue;
        std::string text = module.text;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
        write(text + "\r\nGO\r\n\r\n");
    }
    closeFile();
    if (writeFailed_ && error_.empty()) error_ = "writing " + path_ + " failed";
    return !writeFailed_;
}

}  // namespace pw
