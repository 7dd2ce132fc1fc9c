#pragma once
// What the main window asks of the display code once a run has loaded a
// database: a tree selection and the two paging commands. The window checks
// and sets isRunning, prepares the panel and starts one background thread
// that calls the matching operation; the operation reaches the window only
// through the TreeSink, ContentSink and MessageSink it was built with.
//
// Every background operation must, on each of its exits, clear isRunning and
// hide the progress bar (ContentSink::showProgress(false)).

#include "presentation/TreeSink.h"

namespace pw {

class DisplayController {
public:
    virtual ~DisplayController() = default;

    // User-interface thread, before a selection's thread starts: the page
    // number and the other paging counters go back to 0.
    virtual void resetPaging() = 0;
    // Background thread: shows the rows, definition or key script of the
    // selected item `item`.
    virtual void displaySelectedObject(TreeItem item) = 0;
    // Background threads of the "Previous Records" and "Next Records" buttons.
    virtual void showPreviousRecords() = 0;
    virtual void showNextRecords() = 0;
};

}  // namespace pw
