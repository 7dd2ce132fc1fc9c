#pragma once
// The engine objects of the current recovery run, owned by the main window:
// the open data file, (once loaded) its catalog, and the reader of the
// catalog's object definitions. They live from the worker's open step until
// the next Open, a failed open, or Close, and serve every later display. One
// background thread at a time uses them.

#include <cstdint>
#include <memory>

#include "catalog/Database.h"
#include "catalog/DefinitionReader.h"
#include "storage/DatabaseFile.h"

namespace pw {

struct EngineHolder {
    std::unique_ptr<DatabaseFile> file;
    // The catalog of the file; refers to `file`, so it goes first.
    std::unique_ptr<Database> database;
    // The definition lists of the catalog; refers to both, so it goes first.
    std::unique_ptr<DefinitionReader> definitions;
    bool advancedMode = false;
    // Counts releases: state kept for a display (a table's page list) is
    // valid only while the generation it was made in lasts.
    uint64_t generation = 0;

    bool hasFile() const { return file != nullptr; }
    bool hasDatabase() const { return database != nullptr; }
    // Releases the definitions, the catalog, then the file.
    void release() {
        definitions.reset();
        database.reset();
        file.reset();
        ++generation;
    }
};

}  // namespace pw
