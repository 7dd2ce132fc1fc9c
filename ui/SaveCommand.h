#pragma once
// The Save command: asks where and how to save ("Select Saving Mode"),
// confirms replacing existing files, then exports the checked user tables
// (all of them when none is checked) on the background thread, with
// progress, Stop and a log line per table.

#include <functional>
#include <string>
#include <vector>

#include "export/ExportOptions.h"

namespace pw::ui {

class CMainFrame;
class CXHtmlTree;

class SaveCommand {
public:
    explicit SaveCommand(CMainFrame& frame) : frame_(frame) {}
    // Runs on the window thread when the application is idle.
    void operator()();

    // The names of the checked items under "User Tables".
    static std::vector<std::string> checkedUserTables(const CXHtmlTree& tree);
    // Output files of `options` that exist already.
    static std::vector<std::string> existingOutputs(const ExportOptions& options,
                                                    const std::vector<std::string>& tableNames);

    // Tests replace the dialog: returns false for Cancel.
    std::function<bool(ExportOptions&)> chooseOptions;

private:
    CMainFrame& frame_;
};

}  // namespace pw::ui
