#pragma once
// The engine reports progress, status, errors and log lines through this
// sink. The desktop application implements it with blocking queued calls into
// the main window (the engine waits until the window has handled each call);
// the command-line tool and the tests implement it with plain functions.
// Texts are UTF-8.

#include <cstdint>
#include <string>

namespace pw {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Progress bar: position 0, then the range lower .. upper.
    virtual void setProgressRange(uint32_t lower, uint32_t upper) { (void)lower; (void)upper; }
    virtual void setProgressPos(uint32_t position) { (void)position; }
    // Status text shown in the definition window while the file is opened.
    virtual void setStatusText(const std::string& text) { (void)text; }
    // A failed open: the receiver releases the run's engine objects and
    // shows the text in an error box.
    virtual void recoveryError(const std::string& text) { (void)text; }
    // One line for the log pane and the log file.
    virtual void addLogLine(const std::string& text) { (void)text; }
};

// A sink that drops everything.
MessageSink& nullMessageSink();

}  // namespace pw
