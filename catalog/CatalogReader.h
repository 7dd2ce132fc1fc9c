#pragma once
// Feeds the pages of one system table to its row reader. A system table is
// found by the object id its pages carry in their headers: the reader for
// object id n takes the mapping pass's list systemPageMap[n] and reads each
// data page in list order. No allocation structure is trusted. The list
// also holds the table's IAM and index pages; their records are no rows of
// the table (an IAM page's bitmap would read as a nameless object), so only
// pages of type 1 are read.
//
// `repairCounter` numbers the generated names of one table ("Repairname0",
// "RepairColumn0" …); the loader sets it to 0 before and after each table.

#include <cstdint>
#include <vector>

#include "storage/DatabaseFile.h"
#include "storage/RecordPage.h"

namespace pw {

class CatalogReader {
public:
    explicit CatalogReader(DatabaseFile& databaseFile) : file(&databaseFile) {}

    DatabaseFile* file;
    uint64_t repairCounter = 0;

    // Reads every data page listed for `objectId` and hands each to `read`.
    // A page that cannot be read is skipped; an id without pages means an
    // empty table.
    template <typename Read>
    void feed(int32_t objectId, Read read) {
        auto found = file->systemPageMap.find(objectId);
        if (found == file->systemPageMap.end()) return;
        // A copy: the reader may not change the map, but nothing ties its
        // lifetime to this walk either.
        std::vector<PageEntry> entries = found->second;
        for (const PageEntry& entry : entries) {
            if (entry.pageType != kDataPage) continue;
            std::unique_ptr<CDataPage> page =
                file->readCatalogDataPage(PagePointer{entry.fileNumber, entry.pageNumber});
            if (!page) continue;
            read(*page);
        }
    }
};

}  // namespace pw
