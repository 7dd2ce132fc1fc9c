#pragma once
// A fixture data file for the row tests: pages placed into an in-memory
// image, written to a temporary folder and opened as a DatabaseFile.

#include <memory>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/DatabaseImage.h"

namespace pw::test {

class RowsFixtureFile {
public:
    explicit RowsFixtureFile(uint32_t pageCount = 48) : image(pageCount) {
        image.addStandardPages("rows", 661, 872468488);
    }

    // Writes the image and opens it (once; later calls reopen).
    DatabaseFile& open() {
        image.writeTo(dir.file("rows.mdf"));
        file = std::make_unique<DatabaseFile>(dir.file("rows.mdf").string(), context.options.advancedMode(), context);
        return *file;
    }

    fixtures::DatabaseImage image;
    RunContext context;
    std::unique_ptr<DatabaseFile> file;
    TempDir dir;
};

}  // namespace pw::test
