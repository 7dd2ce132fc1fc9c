#include "ui/RecoveryWorker.h"

#include <exception>
#include <memory>

#include "catalog/Database.h"
#include "storage/DatabaseFile.h"

namespace pw::ui {
namespace {

constexpr const char* kAborted = "Scanning process aborted.";
constexpr const char* kNoObjects =
    "Either it is not valid mdf file or highly corrupted, select another file to recover.";
constexpr const char* kTreeFailed =
    "Whether it is not valid mdf file or highly corrupted, select another file to recover.";
constexpr const char* kUnknownVersion = "Database version: Unknown SQL Version";
constexpr const char* kUnknownCollation = "Unknown Collation";
constexpr const char* kDefaultDatabaseName = "RepairDataBase";

// Releases the engine objects of the previous run and empties the panels.
void cleanup(RecoveryJob& job) {
    // The display state of the previous run refers to its engine objects.
    if (job.display) job.display->resetForRun();
    job.engine.release();
    job.host.clearPanels();
}

// Ends the run without a tree: the flag drops, the progress bar goes.
void endWithoutTree(RecoveryJob& job) {
    job.host.emptyTree();
    job.context.isRunning = false;
    job.host.hideProgress();
}

bool openDataFile(RecoveryJob& job) {
    try {
        job.engine.file = std::make_unique<DatabaseFile>(job.path, job.engine.advancedMode, job.context);
    } catch (const std::exception&) {
        // Only the standard library throws here (memory); the run reports
        // an unopened file.
        job.engine.file.reset();
    }
    return job.engine.file && job.engine.file->isOpen();
}

// ---------------------------------------------------------------------------
// Catalog stage.

enum class CatalogOutcome { Loaded, NoObjects };

// Loads the catalog of the open file into the engine holder (the loader
// also reads the boot page: name, version, collation).
CatalogOutcome loadCatalog(RecoveryJob& job) {
    try {
        job.engine.database = std::make_unique<Database>(*job.engine.file);
    } catch (const std::exception&) {
        // Only the standard library throws (memory): no catalog.
        job.engine.database.reset();
    }
    if (!job.engine.database || job.engine.database->objects.empty()) return CatalogOutcome::NoObjects;
    return CatalogOutcome::Loaded;
}

// Builds the object tree under a root named `databaseName`; false when no
// object could be placed.
bool buildObjectTree(RecoveryJob& job, const std::string& databaseName) {
    if (!job.display) return true;
    return job.display->buildObjectTree(databaseName);
}

// Sorts "User Tables", reads the object-definition table and redraws.
void finishObjectTree(RecoveryJob& job) {
    if (job.display)
        job.display->finishObjectTree();
    else
        job.tree.redraw();
}

// ---------------------------------------------------------------------------

}  // namespace

std::string doubleBackslashes(std::string_view path) {
    std::string doubled;
    doubled.reserve(path.size());
    for (char c : path) {
        doubled.push_back(c);
        if (c == '\\') doubled.push_back('\\');
    }
    return doubled;
}

void runRecovery(RecoveryJob& job) {
    RunContext& context = job.context;
    RecoveryHost& host = job.host;

    // 1. The catalog form is detected afresh by every run.
    context.legacyCatalog = false;
    context.options.legacyCatalog = false;
    // The version text of an earlier run must not stand in for this one's.
    context.versionText.clear();
    cleanup(job);

    // 2-4. Path, mode, start.
    if (!job.path.empty()) host.appendLogLine("Browse File Path:\t" + doubleBackslashes(job.path) + "\r\n");
    job.engine.advancedMode = context.options.advancedMode();
    host.appendLogLine(job.engine.advancedMode ? "Advanced mode is selected for file recovery."
                                               : "Standard mode is selected for file recovery.");
    host.appendLogLine("Scanning of file starts...");

    // 5-6. Open, probe and map the file.
    if (!openDataFile(job)) {
        endWithoutTree(job);
        host.appendLogLine(kAborted);
        host.information(kAborted);
        return;
    }

    // 7. The catalog.
    if (loadCatalog(job) == CatalogOutcome::NoObjects) {
        host.appendLogLine(kNoObjects);
        endWithoutTree(job);
        return;
    }

    // 8-9. Version and collation.
    if (context.versionText.empty()) {
        context.versionText = kUnknownVersion;
        host.appendLogLine(context.versionText);
    } else {
        host.appendLogLine("Database version: " + context.versionText);
    }
    if (context.options.databaseCollationName.empty()) context.options.databaseCollationName = kUnknownCollation;
    host.appendLogLine("Collation Type: " + context.options.databaseCollationName);

    // 10-11. The object tree under the database's name.
    std::string databaseName = job.engine.file->databaseName;
    if (databaseName.empty()) databaseName = kDefaultDatabaseName;
    if (!buildObjectTree(job, databaseName)) {
        host.emptyTree();
        host.hideProgress();
        context.isRunning = false;
        host.appendLogLine(kTreeFailed);
        host.information(kTreeFailed);
        return;
    }

    // 12. Done.
    finishObjectTree(job);
    host.hideProgress();
    context.isRunning = false;
    host.setCaptionText("Scanning completed for selected mdf file");
    host.appendLogLine("Scanning completed for selected mdf file.");
    host.information("Scanning process completed.");
}

}  // namespace pw::ui
