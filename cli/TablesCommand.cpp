// tables FILE: every object of the catalog by kind, with its id and parent
// id, and for tables the row count the catalog records and the number of
// data pages the mapping pass found for them.

#include <algorithm>
#include <cstdio>

#include "cli/CatalogListing.h"
#include "cli/Json.h"

namespace pw::cli {
namespace {

struct Listed {
    const CatalogObject* object;
    ObjectKind kind;
    bool table;
    int64_t rowCount;
    uint64_t dataPages;
};

int runTables(const Arguments& arguments) {
    if (arguments.positionals.size() != 1) {
        printError("usage: tables FILE [--format text|tsv|json]");
        return kExitUsage;
    }
    OutputFormat format;
    if (!outputFormatOf(arguments, format)) return kExitUsage;
    auto catalog = openCatalog(arguments.positionals[0]);
    if (!catalog) return kExitUnreadable;
    const Database& database = *catalog->database;

    std::vector<Listed> listed;
    listed.reserve(database.objects.size());
    for (const CatalogObject& object : database.objects) {
        Listed entry{&object, objectKindOf(object.type), !Database::isObjectWithoutRows(object.type), -1, 0};
        if (entry.table) {
            entry.rowCount = database.catalogRowCount(object.objectId);
            entry.dataPages = database.dataPagesOf(object.objectId).size();
        }
        listed.push_back(entry);
    }
    std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        if (a.kind.order != b.kind.order) return a.kind.order < b.kind.order;
        return a.object->name < b.object->name;
    });

    if (format == OutputFormat::Json) {
        JsonWriter json;
        json.beginArray();
        for (const Listed& entry : listed) {
            json.beginObject();
            json.key("name").value(entry.object->name);
            json.key("type").value(entry.object->type);
            json.key("kind").value(entry.kind.name);
            json.key("id").value(int64_t(entry.object->objectId));
            json.key("parentId").value(int64_t(entry.object->parentObjectId));
            if (entry.table) {
                json.key("rowCount").value(entry.rowCount);
                json.key("dataPages").value(entry.dataPages);
            }
            json.endObject();
        }
        json.endArray();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }
    if (format == OutputFormat::Tsv) {
        std::printf("kind\ttype\tid\tparent_id\trow_count\tdata_pages\tname\n");
        for (const Listed& entry : listed) {
            std::string rows = entry.table ? std::to_string(entry.rowCount) : "";
            std::string pages = entry.table ? std::to_string(entry.dataPages) : "";
            std::printf("%s\t%s\t%d\t%d\t%s\t%s\t%s\n", entry.kind.name, entry.object->type.c_str(),
                        entry.object->objectId, entry.object->parentObjectId, rows.c_str(), pages.c_str(),
                        tsvCell(entry.object->name).c_str());
        }
        return kExitOk;
    }

    std::printf("Database %s: %zu objects (%s catalog)\n", catalog->opened->file->databaseName.c_str(),
                database.objects.size(), database.legacyCatalog() ? "SQL Server 2000" : "2005 and later");
    const char* currentKind = nullptr;
    for (const Listed& entry : listed) {
        if (!currentKind || std::string(currentKind) != entry.kind.name) {
            currentKind = entry.kind.name;
            std::printf("\n%ss:\n", currentKind);
            if (entry.table)
                std::printf("  %-4s %12s %12s %10s %8s  %s\n", "type", "id", "parent", "rows", "pages", "name");
            else
                std::printf("  %-4s %12s %12s  %s\n", "type", "id", "parent", "name");
        }
        if (entry.table)
            std::printf("  %-4s %12d %12d %10lld %8llu  %s\n", entry.object->type.c_str(), entry.object->objectId,
                        entry.object->parentObjectId, (long long)entry.rowCount,
                        (unsigned long long)entry.dataPages, entry.object->name.c_str());
        else
            std::printf("  %-4s %12d %12d  %s\n", entry.object->type.c_str(), entry.object->objectId,
                        entry.object->parentObjectId, entry.object->name.c_str());
    }
    return kExitOk;
}

CommandRegistration registration({"tables", "tables FILE [--format text|tsv|json]",
                                  "every object of the catalog by kind, with row counts and data pages of tables",
                                  {"format"}, {}, runTables});

}  // namespace
}  // namespace pw::cli
