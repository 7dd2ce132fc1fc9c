// schema FILE [TABLE]: the columns of every user table (or of one table) in
// column order, with type, nullability, identity, computed-column text,
// key marks and references, and the constraints that belong to the table.

#include <cstdio>

#include "catalog/DefinitionReader.h"
#include "catalog/DefinitionRow.h"
#include "cli/CatalogListing.h"
#include "cli/Json.h"

namespace pw::cli {
namespace {

struct TableSchema {
    CatalogObject object;
    std::vector<ColumnDescriptor> columns;
    std::vector<ChildObjectEntry> constraints;
    int64_t rowCount = -1;
    size_t dataPages = 0;
};

bool isComputed(const ColumnDescriptor& column) { return column.physicalColumnId == kNotStored; }

std::string keyMarks(const ColumnDescriptor& column) {
    std::string marks;
    auto add = [&](const char* mark) {
        if (!marks.empty()) marks += ",";
        marks += mark;
    };
    if (column.primaryKeyColumn) add("PK");
    if (column.uniqueIndexColumn && !column.primaryKeyColumn) add("UQ");
    if (column.foreignKeyColumn) add("FK");
    return marks;
}

std::string references(const ColumnDescriptor& column) {
    if (!column.foreignKeyColumn) return {};
    return column.referencedTable + "(" + column.referencedColumn + ")";
}

TableSchema schemaOf(Database& database, const CatalogObject& object, const std::vector<DefinitionRow>& definitions) {
    TableSchema schema;
    // The layout may also hold physical columns the column table does not
    // know (a uniquifier, a dropped column): they are no part of the schema.
    for (ColumnDescriptor& column : database.selectObject(object.name, object.type, definitions))
        if (column.systemTypeId != 0) schema.columns.push_back(std::move(column));
    schema.object = database.selectedObject;
    schema.constraints = database.childObjects;
    schema.rowCount = database.catalogRowCount(object.objectId);
    schema.dataPages = database.selectedDataPages.size();
    return schema;
}

void printJson(const std::vector<TableSchema>& tables) {
    JsonWriter json;
    json.beginArray();
    for (const TableSchema& table : tables) {
        json.beginObject();
        json.key("name").value(table.object.name);
        json.key("type").value(table.object.type);
        json.key("id").value(int64_t(table.object.objectId));
        json.key("rowCount").value(table.rowCount);
        json.key("dataPages").value(uint64_t(table.dataPages));
        json.key("columns").beginArray();
        for (const ColumnDescriptor& column : table.columns) {
            json.beginObject();
            json.key("columnId").value(int64_t(column.columnId));
            json.key("name").value(column.name);
            json.key("type").value(displayTypeText(column));
            json.key("typeText").value(column.typeText);
            json.key("systemTypeId").value(int64_t(column.systemTypeId));
            json.key("userTypeId").value(int64_t(column.userTypeId));
            json.key("maxLength").value(int64_t(lengthFromTypeText(column.typeText)));
            json.key("precision").value(int64_t(column.precision));
            json.key("scale").value(int64_t(column.scale));
            json.key("nullable").value(column.nullable);
            json.key("identity").value(column.identityText);
            json.key("computed").value(isComputed(column));
            json.key("definition").value(isComputed(column) ? column.infoText : std::string());
            json.key("primaryKey").value(column.primaryKeyColumn);
            json.key("unique").value(column.uniqueIndexColumn);
            json.key("foreignKey").value(column.foreignKeyColumn);
            json.key("referencedTable").value(column.referencedTable);
            json.key("referencedColumn").value(column.referencedColumn);
            json.endObject();
        }
        json.endArray();
        json.key("constraints").beginArray();
        for (const ChildObjectEntry& child : table.constraints) {
            json.beginObject();
            json.key("name").value(child.name);
            json.key("type").value(child.type);
            json.key("id").value(int64_t(child.objectId));
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    std::printf("%s\n", json.text().c_str());
}

void printTsv(const std::vector<TableSchema>& tables) {
    std::printf("table\tcolumn_id\tname\ttype\tsystem_type_id\tmax_length\tprecision\tscale\tnullable\tidentity"
                "\tkeys\treferences\tdefinition\n");
    for (const TableSchema& table : tables)
        for (const ColumnDescriptor& column : table.columns)
            std::printf("%s\t%d\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%s\t%s\t%s\t%s\n", tsvCell(table.object.name).c_str(),
                        column.columnId, tsvCell(column.name).c_str(), displayTypeText(column).c_str(),
                        column.systemTypeId, lengthFromTypeText(column.typeText), column.precision, column.scale,
                        column.nullable ? 1 : 0, column.identityText.c_str(), keyMarks(column).c_str(),
                        tsvCell(references(column)).c_str(),
                        tsvCell(isComputed(column) ? column.infoText : std::string()).c_str());
}

void printText(const std::vector<TableSchema>& tables) {
    for (const TableSchema& table : tables) {
        std::printf("%s (id %d, type %s, %lld rows, %zu data pages)\n", table.object.name.c_str(),
                    table.object.objectId, table.object.type.c_str(), (long long)table.rowCount, table.dataPages);
        for (const ColumnDescriptor& column : table.columns) {
            std::string notes = column.identityText;
            std::string marks = keyMarks(column);
            if (!marks.empty()) notes += (notes.empty() ? "" : " ") + marks;
            if (column.foreignKeyColumn) notes += " -> " + references(column);
            if (isComputed(column)) notes += (notes.empty() ? "AS " : " AS ") + column.infoText;
            std::printf("  %4d  %-30s %-18s %-8s %s\n", column.columnId, column.name.c_str(),
                        displayTypeText(column).c_str(), column.nullable ? "NULL" : "NOT NULL", notes.c_str());
        }
        if (!table.constraints.empty()) {
            std::printf("  constraints:\n");
            for (const ChildObjectEntry& child : table.constraints)
                std::printf("    %-3s %s\n", child.type.c_str(), child.name.c_str());
        }
        std::printf("\n");
    }
}

int runSchema(const Arguments& arguments) {
    if (arguments.positionals.empty() || arguments.positionals.size() > 2) {
        printError("usage: schema FILE [TABLE] [--format text|tsv|json]");
        return kExitUsage;
    }
    OutputFormat format;
    if (!outputFormatOf(arguments, format)) return kExitUsage;
    auto catalog = openCatalog(arguments.positionals[0]);
    if (!catalog) return kExitUnreadable;
    Database& database = *catalog->database;
    // Texts of computed columns come from the object definition table.
    DefinitionReader definitionReader(database, *catalog->opened->file, catalog->opened->context);
    definitionReader.readLoadTimeDefinitions();
    catalog->opened->sink.finishLine();
    const std::vector<DefinitionRow> definitions = definitionReader.loadTimeRows();

    std::vector<TableSchema> tables;
    if (arguments.positionals.size() == 2) {
        const std::string& name = arguments.positionals[1];
        CatalogObject object = database.findObject(name, "U ");
        if (object.objectId == -1 || object.type != "U ") {
            CatalogObject system = database.findObject(name, "S ");
            if (system.objectId != -1) object = system;
        }
        if (object.objectId == -1) {
            printError("no table named '" + name + "'");
            return kExitUnreadable;
        }
        if (Database::isObjectWithoutRows(object.type)) {
            printError("'" + name + "' is of type '" + object.type + "' and has no columns");
            return kExitUnreadable;
        }
        tables.push_back(schemaOf(database, object, definitions));
    } else {
        std::vector<CatalogObject> userTables;
        for (const CatalogObject& object : database.objects)
            if (object.type == "U ") userTables.push_back(object);
        std::stable_sort(userTables.begin(), userTables.end(),
                         [](const CatalogObject& a, const CatalogObject& b) { return a.name < b.name; });
        for (const CatalogObject& object : userTables) {
            // A view or constraint of the same name listed earlier would win
            // the lookup by name: such a table is shown by its own row.
            TableSchema schema = schemaOf(database, object, definitions);
            if (schema.object.objectId != object.objectId) continue;
            tables.push_back(std::move(schema));
        }
    }
    if (format == OutputFormat::Json) printJson(tables);
    else if (format == OutputFormat::Tsv) printTsv(tables);
    else printText(tables);
    return kExitOk;
}

CommandRegistration registration({"schema", "schema FILE [TABLE] [--format text|tsv|json]",
                                  "columns, types, keys and constraints of the user tables",
                                  {"format"}, {}, runSchema});

}  // namespace
}  // namespace pw::cli
