#pragma once
// Opening a data file for a CLI verb: the run context (collations loaded
// from beside the executable), a terminal progress sink, the DatabaseFile.

#include <memory>
#include <string>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"

namespace pw::cli {

// Progress on stderr when stderr is a terminal; errors are remembered.
class TerminalSink : public MessageSink {
public:
    TerminalSink();
    void setProgressRange(uint32_t lower, uint32_t upper) override;
    void setProgressPos(uint32_t position) override;
    void setStatusText(const std::string& text) override;
    void recoveryError(const std::string& text) override;
    void finishLine();

    std::string lastError;

private:
    bool terminal_ = false;
    uint32_t upper_ = 0;
    std::string status_;
    bool lineOpen_ = false;
};

struct OpenedFile {
    RunContext context;
    TerminalSink sink;
    std::unique_ptr<DatabaseFile> file;
};

// Opens `path` (Advanced mode when `advanced`); on failure prints the
// reason to stderr and returns null.
std::unique_ptr<OpenedFile> openDataFile(const std::string& path, bool advanced = false,
                                         bool showDeleted = false, bool showAdvancedDeleted = false);

}  // namespace pw::cli
