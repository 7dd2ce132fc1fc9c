#include "cli/OpenedFile.h"

#include <cstdio>
#include <unistd.h>

#include "cli/Command.h"

namespace pw::cli {

TerminalSink::TerminalSink() : terminal_(isatty(2) == 1) {}

void TerminalSink::setProgressRange(uint32_t, uint32_t upper) { upper_ = upper; }

void TerminalSink::setProgressPos(uint32_t position) {
    if (!terminal_ || upper_ == 0) return;
    unsigned percent = unsigned(uint64_t(position) * 100 / upper_);
    std::fprintf(stderr, "\r%-50.50s %3u%%", status_.c_str(), percent > 100 ? 100 : percent);
    std::fflush(stderr);
    lineOpen_ = true;
}

void TerminalSink::setStatusText(const std::string& text) { status_ = text; }

void TerminalSink::recoveryError(const std::string& text) { lastError = text; }

void TerminalSink::finishLine() {
    if (lineOpen_) std::fprintf(stderr, "\r%70s\r", "");
    lineOpen_ = false;
}

std::unique_ptr<OpenedFile> openDataFile(const std::string& path, bool advanced, bool showDeleted,
                                         bool showAdvancedDeleted) {
    auto opened = std::make_unique<OpenedFile>();
    opened->context.sink = &opened->sink;
    opened->context.options.mdfPath = path;
    opened->context.options.recoveryMode = advanced ? 2 : 1;
    opened->context.options.showDeleted = showDeleted;
    opened->context.options.showAdvancedDeleted = showAdvancedDeleted;
    opened->context.options.collations = loadCollationList(collationFileBesideExecutable());
    opened->file = std::make_unique<DatabaseFile>(path, advanced, opened->context);
    opened->sink.finishLine();
    if (!opened->file->isOpen()) {
        printError(path + ": " + (opened->sink.lastError.empty() ? "cannot be read" : opened->sink.lastError));
        return nullptr;
    }
    return opened;
}

}  // namespace pw::cli
