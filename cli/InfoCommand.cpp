// info FILE: geometry, boot page facts and page counts of a data file.

#include <cstdio>

#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/OpenedFile.h"

namespace pw::cli {
namespace {

uint64_t pagesIn(const PageMap& map) {
    uint64_t count = 0;
    for (const auto& [id, pages] : map) count += pages.size();
    return count;
}

int runInfo(const Arguments& arguments) {
    if (arguments.positionals.size() != 1) {
        printError("usage: info FILE [--format text|json]");
        return kExitUsage;
    }
    std::string format = arguments.value("format", "text");
    if (format != "text" && format != "json") {
        printError("unknown format '" + format + "' (text or json)");
        return kExitUsage;
    }
    auto opened = openDataFile(arguments.positionals[0]);
    if (!opened) return kExitUnreadable;
    DatabaseFile& file = *opened->file;
    file.loadDatabaseName();
    const RecoveryOptions& options = opened->context.options;
    uint16_t version = file.bootPage ? file.bootPage->version : 0;
    uint16_t createVersion = file.bootPage ? file.bootPage->createVersion : 0;
    int32_t collationId = file.bootPage ? file.bootPage->collationId : 0;
    std::string versionText = opened->context.versionText;
    std::string collationName = options.collationKnown ? options.databaseCollationName : std::string();
    int32_t codePage = options.databaseCodePage;

    if (format == "json") {
        JsonWriter json;
        json.beginObject();
        json.key("path").value(file.path);
        json.key("fileSize").value(file.fileSize);
        json.key("pageCount").value(file.pageCount);
        json.key("pageOrigin").value(file.pageOrigin);
        json.key("version").value(int64_t(version));
        json.key("createVersion").value(int64_t(createVersion));
        json.key("versionText").value(versionText);
        json.key("databaseName").value(file.databaseName);
        json.key("collationId").value(int64_t(collationId));
        json.key("collationName").value(collationName);
        json.key("codePage").value(int64_t(codePage));
        json.key("pageTypes").beginObject();
        for (const auto& [type, count] : file.pageTypeCounts) json.key(std::to_string(type)).value(count);
        json.endObject();
        json.key("systemPages").value(pagesIn(file.systemPageMap));
        json.key("dataPages").value(pagesIn(file.dataPageMap));
        json.key("iamPages").value(pagesIn(file.iamPageMap));
        json.endObject();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }
    std::printf("File:            %s\n", file.path.c_str());
    std::printf("Size:            %llu bytes\n", (unsigned long long)file.fileSize);
    std::printf("Pages:           %llu (page origin %llu)\n", (unsigned long long)file.pageCount,
                (unsigned long long)file.pageOrigin);
    std::printf("Version:         %u%s (created by %u)\n", version, versionText.c_str(), createVersion);
    std::printf("Database name:   %s\n", file.databaseName.c_str());
    std::printf("Collation:       %d %s (code page %d)\n", collationId,
                collationName.empty() ? "Unknown Collation" : collationName.c_str(), codePage);
    std::printf("System pages:    %llu\n", (unsigned long long)pagesIn(file.systemPageMap));
    std::printf("Data pages:      %llu\n", (unsigned long long)pagesIn(file.dataPageMap));
    std::printf("IAM pages:       %llu\n", (unsigned long long)pagesIn(file.iamPageMap));
    std::printf("Pages by type:\n");
    for (const auto& [type, count] : file.pageTypeCounts)
        std::printf("  %3d  %llu\n", type, (unsigned long long)count);
    return kExitOk;
}

CommandRegistration registration({"info", "info FILE [--format text|json]",
                                  "size, pages, version, name, collation and page counts of a data file",
                                  {"format"}, {}, runInfo});

}  // namespace
}  // namespace pw::cli
