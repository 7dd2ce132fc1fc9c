#pragma once
// The log file of the recovery runs: UTF-16LE text, one line per event, in
// the folder chosen in the options dialog. Each Open command opens (or
// creates) the file named after the local time of the command and writes a
// separator; every log line then goes to the file followed by CR LF.
//
// The log is best effort: failures to create, open or write the file are
// swallowed and the run goes on. Every write is flushed at once, because the
// application may end without any shutdown (see the Close command).

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace pw {

// The local date and time that names a log file.
struct LogTimestamp {
    int day = 1;     // 1..31
    int month = 1;   // 1..12
    int year = 1970; // four digits
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;
};

LogTimestamp currentLogTimestamp();

// "day-month-year-hour-minute-second" without leading zeros, e.g. 5-3-2014-9-7-3.
std::string formatLogTimestamp(const LogTimestamp& time);

// logFolder + "OrvexPagewright_log_" + timestamp + ".txt"; the folder is
// expected to end with a separator already.
std::string logFilePath(const std::string& logFolder, const LogTimestamp& time);

// The separator that starts every run in the file: CR LF, 80 '*', CR LF.
std::string_view logRunSeparator();

class RecoveryLog {
public:
    RecoveryLog() = default;
    ~RecoveryLog();
    RecoveryLog(const RecoveryLog&) = delete;
    RecoveryLog& operator=(const RecoveryLog&) = delete;

    // Remembers the file path, closes an earlier file, creates the file with
    // the byte-order mark FF FE or appends to an existing one, and writes the
    // run separator.
    void open(const std::string& logFolder, const LogTimestamp& time);
    // Writes the UTF-8 text as UTF-16LE code units followed by CR LF.
    void writeLine(std::string_view text);
    void close();

    bool isOpen() const;
    // Empty before the first open.
    std::string path() const;
    // True when a file exists at the remembered path.
    bool fileExists() const;

private:
    void writeUtf16(std::string_view text);

    mutable std::mutex mutex_;
    std::FILE* file_ = nullptr;
    std::string path_;
};

}  // namespace pw
