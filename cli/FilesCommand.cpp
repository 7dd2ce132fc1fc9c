// files FILE: the data files the catalog lists (sysfiles1) and the
// secondary files found beside the primary file, with their page counts
// and page origins.

#include <cstdio>

#include "cli/CatalogListing.h"
#include "cli/Json.h"

namespace pw::cli {
namespace {

// Pages the maps hold for file number `fileNumber`.
uint64_t mappedPagesOf(const DatabaseFile& file, int16_t fileNumber) {
    uint64_t count = 0;
    for (const PageMap* map : {&file.systemPageMap, &file.dataPageMap, &file.iamPageMap})
        for (const auto& [id, pages] : *map)
            for (const PageEntry& entry : pages)
                if (entry.fileNumber == fileNumber) ++count;
    return count;
}

int runFiles(const Arguments& arguments) {
    if (arguments.positionals.size() != 1) {
        printError("usage: files FILE [--format text|tsv|json]");
        return kExitUsage;
    }
    OutputFormat format;
    if (!outputFormatOf(arguments, format)) return kExitUsage;
    auto catalog = openCatalog(arguments.positionals[0]);
    if (!catalog) return kExitUnreadable;
    const Database& database = *catalog->database;
    const DatabaseFile& file = *catalog->opened->file;
    auto registered = [&](const DataFileRow& row) {
        if (row.fileId <= 1) return false;
        auto found = file.secondaryFiles.find(int16_t(row.fileId));
        return found != file.secondaryFiles.end() && found->second.path == row.physicalName;
    };

    if (format == OutputFormat::Json) {
        JsonWriter json;
        json.beginObject();
        json.key("primary").beginObject();
        json.key("path").value(file.path);
        json.key("size").value(file.fileSize);
        json.key("pageCount").value(file.pageCount);
        json.key("pageOrigin").value(file.pageOrigin);
        json.endObject();
        json.key("dataFiles").beginArray();
        for (const DataFileRow& row : database.dataFiles) {
            json.beginObject();
            json.key("fileId").value(int64_t(row.fileId));
            json.key("status").value(int64_t(row.status));
            json.key("logicalName").value(row.logicalName);
            json.key("physicalName").value(row.physicalName);
            json.key("recordedName").value(row.recordedName);
            json.key("log").value((row.status & kDataFileIsLog) != 0);
            json.key("found").value(registered(row));
            json.key("size").value(row.size);
            json.key("pageCount").value(row.pageCount);
            json.key("pageOrigin").value(int64_t(row.pageOrigin));
            json.endObject();
        }
        json.endArray();
        json.key("secondaryFiles").beginArray();
        for (const auto& [number, entry] : file.secondaryFiles) {
            json.beginObject();
            json.key("fileNumber").value(int64_t(number));
            json.key("path").value(entry.path);
            json.key("size").value(entry.size);
            json.key("pageCount").value(entry.pageCount);
            json.key("pageOrigin").value(int64_t(entry.pageOrigin));
            json.key("mappedPages").value(mappedPagesOf(file, number));
            json.endObject();
        }
        json.endArray();
        json.endObject();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }
    if (format == OutputFormat::Tsv) {
        std::printf("source\tfile_id\tlogical_name\tpath\tfound\tsize\tpage_count\tpage_origin\n");
        std::printf("primary\t1\t\t%s\t1\t%llu\t%llu\t%llu\n", tsvCell(file.path).c_str(),
                    (unsigned long long)file.fileSize, (unsigned long long)file.pageCount,
                    (unsigned long long)file.pageOrigin);
        for (const DataFileRow& row : database.dataFiles)
            std::printf("catalog\t%d\t%s\t%s\t%d\t%llu\t%llu\t%d\n", row.fileId, tsvCell(row.logicalName).c_str(),
                        tsvCell(row.physicalName).c_str(), registered(row) ? 1 : 0, (unsigned long long)row.size,
                        (unsigned long long)row.pageCount, row.pageOrigin);
        for (const auto& [number, entry] : file.secondaryFiles)
            std::printf("secondary\t%d\t\t%s\t1\t%llu\t%llu\t%d\n", number, tsvCell(entry.path).c_str(),
                        (unsigned long long)entry.size, (unsigned long long)entry.pageCount, entry.pageOrigin);
        return kExitOk;
    }
    std::printf("Primary file: %s\n  %llu bytes, %llu pages, page origin %llu\n", file.path.c_str(),
                (unsigned long long)file.fileSize, (unsigned long long)file.pageCount,
                (unsigned long long)file.pageOrigin);
    std::printf("\nData files listed in the catalog: %zu\n", database.dataFiles.size());
    for (const DataFileRow& row : database.dataFiles) {
        std::printf("  %3d  %-20s %s%s\n", row.fileId, row.logicalName.c_str(),
                    row.recordedName.empty() ? row.physicalName.c_str() : row.recordedName.c_str(),
                    (row.status & kDataFileIsLog) ? "  (log)" : "");
        if (row.fileId <= 1) continue;
        if (registered(row))
            std::printf("       found: %s, %llu pages, page origin %d\n", row.physicalName.c_str(),
                        (unsigned long long)row.pageCount, row.pageOrigin);
        else
            std::printf("       not found: %s\n", row.physicalName.c_str());
    }
    std::printf("\nSecondary files registered: %zu\n", file.secondaryFiles.size());
    for (const auto& [number, entry] : file.secondaryFiles)
        std::printf("  %3d  %s\n       %llu pages, page origin %d, %llu pages mapped\n", number, entry.path.c_str(),
                    (unsigned long long)entry.pageCount, entry.pageOrigin,
                    (unsigned long long)mappedPagesOf(file, number));
    return kExitOk;
}

CommandRegistration registration({"files", "files FILE [--format text|tsv|json]",
                                  "data files listed in the catalog and secondary files found beside the file",
                                  {"format"}, {}, runFiles});

}  // namespace
}  // namespace pw::cli
