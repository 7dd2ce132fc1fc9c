#pragma once
// The engine objects of the current recovery run, owned by the main window:
// the open data file and (once loaded) its catalog. They live from the
// worker's open step until the next Open, a failed open, or Close, and serve
// every later display. One background thread at a time uses them.

#include <memory>

#include "catalog/Database.h"
#include "storage/DatabaseFile.h"

namespace pw {

struct EngineHolder {
    std::unique_ptr<DatabaseFile> file;
    // The catalog of the file; refers to `file`, so it goes first.
    std::unique_ptr<Database> database;
    bool advancedMode = false;

    bool hasFile() const { return file != nullptr; }
    bool hasDatabase() const { return database != nullptr; }
    // Releases the catalog, then the file.
    void release() {
        database.reset();
        file.reset();
    }
};

}  // namespace pw
