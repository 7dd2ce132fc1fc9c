#pragma once
// The body of one recovery run, executed on the worker thread: it logs the
// path and mode, opens and maps the data file, loads the catalog, writes the
// version and collation lines, builds the object tree and ends with the
// completion or failure report. It reaches the window only through
// RecoveryHost and TreeSink, whose calls the window carries out on its own
// thread while the worker waits. Nothing here depends on Qt.

#include <string>
#include <string_view>

#include "app/RunContext.h"
#include "presentation/EngineHolder.h"
#include "presentation/ObjectDisplay.h"
#include "presentation/TreeSink.h"

namespace pw::ui {

// What the worker asks of the main window.
class RecoveryHost {
public:
    virtual ~RecoveryHost() = default;
    // One line into the log pane and the log file.
    virtual void appendLogLine(const std::string& text) = 0;
    // Deletes the record list's rows and columns, empties the definition
    // window and the object tree.
    virtual void clearPanels() = 0;
    virtual void emptyTree() = 0;
    virtual void hideProgress() = 0;
    virtual void setCaptionText(const std::string& text) = 0;
    // An information box; returns when it is closed.
    virtual void information(const std::string& text) = 0;
};

struct RecoveryJob {
    RunContext& context;
    EngineHolder& engine;
    RecoveryHost& host;
    TreeSink& tree;
    std::string path;  // the data file chosen for this run
    // Builds the object tree and reads the definitions once the catalog is
    // loaded; without it the run builds no tree.
    ObjectDisplay* display = nullptr;
};

// "Browse File Path:\t" logs the path with every backslash doubled.
std::string doubleBackslashes(std::string_view path);

// Runs steps 1 to 12 of a recovery run. Clears isRunning on every end path.
void runRecovery(RecoveryJob& job);

}  // namespace pw::ui
