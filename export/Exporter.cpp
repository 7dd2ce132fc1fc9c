#include "export/Exporter.h"

#include <algorithm>
#include <filesystem>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "catalog/DefinitionReader.h"
#include "catalog/DefinitionText.h"
#include "catalog/TableConstraints.h"
#include "export/CsvWriter.h"
#include "export/SqlScriptWriter.h"
#include "export/SqliteWriter.h"
#include "values/TableScan.h"

namespace pw {
namespace {

bool isModuleType(const std::string& type) {
    return type == "V " || type == "P " || type == "FN" || type == "IF" || type == "TF" || type == "TR";
}

}  // namespace

std::string scriptBaseName(const std::string& databaseName) {
    std::string name = databaseName;
    if (name.find_first_of("\\/:") != std::string::npos) {
        name = name.substr(name.find_last_of("\\/:") + 1);
        if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name = name.substr(0, dot);
    }
    return name.empty() ? "RepairDataBase" : name;
}

std::unique_ptr<TableWriter> makeTableWriter(const ExportOptions& options, const RunContext& context) {
    switch (options.target) {
        case ExportTarget::Csv: return std::make_unique<CsvWriter>(options);
        case ExportTarget::Sqlite: return std::make_unique<SqliteWriter>(options);
        case ExportTarget::SqlScript:
        default:
            return std::make_unique<SqlScriptWriter>(options, context.options.collations,
                                                     context.options.databaseCollationId);
    }
}

ExportSummary exportDatabase(Database& database, const DatabaseFile& file, RunContext& context,
                             const ExportOptions& options) {
    ExportSummary summary;
    MessageSink& sink = context.messages();

    std::vector<const CatalogObject*> tables;
    for (const CatalogObject& object : database.objects) {
        if (object.type != "U " || object.name.empty()) continue;
        if (!options.tables.empty() &&
            std::find(options.tables.begin(), options.tables.end(), object.name) == options.tables.end())
            continue;
        if (std::any_of(tables.begin(), tables.end(), [&](const CatalogObject* t) { return t->name == object.name; }))
            continue;
        tables.push_back(&object);
    }
    for (const std::string& wanted : options.tables) {
        if (std::none_of(tables.begin(), tables.end(), [&](const CatalogObject* t) { return t->name == wanted; })) {
            summary.ok = false;
            summary.error = "no user table named '" + wanted + "'";
            return summary;
        }
    }
    {
        std::error_code ec;
        std::filesystem::path folder = options.target == ExportTarget::Sqlite
                                           ? std::filesystem::path(options.outputPath).parent_path()
                                           : std::filesystem::path(options.outputPath);
        if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    }

    DefinitionReader definitionReader(database, file, context);
    definitionReader.readLoadTimeDefinitions();
    const std::vector<DefinitionRow>& definitions = definitionReader.loadTimeRows();

    std::unique_ptr<TableWriter> writer = makeTableWriter(options, context);
    std::vector<TableSchema> schemas;
    schemas.reserve(tables.size());
    sink.setProgressRange(0, uint32_t(tables.size()));
    sink.setProgressPos(0);
    for (size_t t = 0; t < tables.size() && !context.stop(); ++t) {
        const CatalogObject& object = *tables[t];
        sink.setStatusText("Saving " + object.name + "...........");
        TableScan scan(database, file, context);
        TableSchema schema;
        // SQL Server 2000 catalogs keep an owner id where later ones keep the schema id.
        schema.schemaName = database.legacyCatalog() ? "dbo" : schemaNameOf(object.schemaId);
        schema.name = object.name;
        if (scan.select(object.name, "U ", definitions)) schema.columns = scan.layout();
        schema.keys = keyConstraintsOf(database, object.objectId);
        schema.checks = checkConstraintsOf(database, object.objectId, definitions);
        schema.defaults = defaultConstraintsOf(database, object.objectId, definitions);
        schema.foreignKeys = foreignKeysOf(database, object.objectId);
        schemas.push_back(schema);
        const TableSchema& current = schemas.back();

        TableExportSummary tableSummary;
        tableSummary.table = object.name;
        uint64_t undecodableBefore = writer->undecodableValues();
        if (!writer->beginTable(current)) {
            summary.ok = false;
            summary.error = writer->error();
            return summary;
        }
        tableSummary.path = writer->currentPath();
        bool writeFailed = false;
        if (!options.schemaOnly && !current.columns.empty()) {
            ExportRow row;
            TableScanResult result = scan.scan([&](const DecodedRow& decoded) {
                size_t columns = current.columns.size();
                row.texts.resize(columns);
                row.nulls.assign(columns, 1);
                for (size_t c = 0; c < columns && c < decoded.size(); ++c) {
                    row.texts[c].assign(decoded.text(c));
                    row.nulls[c] = decoded.isNull(c);
                }
                if (!writer->writeRow(row)) {
                    writeFailed = true;
                    return false;
                }
                ++tableSummary.rows;
                return !context.stop();
            });
            if (result.stopped && context.stop()) summary.stopped = true;
        }
        if (writeFailed || !writer->endTable()) {
            summary.ok = false;
            summary.error = writer->error();
            return summary;
        }
        tableSummary.undecodableValues = writer->undecodableValues() - undecodableBefore;
        std::string line = "Saved " + std::to_string(tableSummary.rows) + " rows of " + object.name + " to " +
                           tableSummary.path;
        if (tableSummary.undecodableValues)
            line += " (" + std::to_string(tableSummary.undecodableValues) + " values could not be decoded and were written as NULL)";
        sink.addLogLine(line);
        summary.tables.push_back(tableSummary);
        sink.setProgressPos(uint32_t(t + 1));
    }
    if (context.stop()) summary.stopped = true;

    std::vector<ModuleDefinition> modules;
    if (!summary.stopped && options.tables.empty()) {
        for (const CatalogObject& object : database.objects) {
            if (!isModuleType(object.type)) continue;
            std::string text = definitionTextFor(definitions, std::to_string(object.objectId));
            if (!text.empty())
                modules.push_back({database.legacyCatalog() ? "dbo" : schemaNameOf(object.schemaId), object.name,
                                   object.type, text});
        }
    }
    // A foreign key can only be created when the table it references is exported too.
    for (TableSchema& schema : schemas) {
        auto& keys = schema.foreignKeys;
        keys.erase(std::remove_if(keys.begin(), keys.end(), [&](const ForeignKey& key) {
                       return std::none_of(schemas.begin(), schemas.end(), [&](const TableSchema& other) {
                           return other.name == key.referencedTable;
                       });
                   }),
                   keys.end());
    }
    if (!writer->finish(schemas, modules)) {
        summary.ok = false;
        summary.error = writer->error();
    }
    return summary;
}

}  // namespace pw
