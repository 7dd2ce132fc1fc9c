#include "app/RecoveryLog.h"

#include <ctime>
#include <vector>
#include <filesystem>

#include "app/Utf16.h"

namespace pw {
namespace {

constexpr std::string_view kLogFilePrefix = "OrvexPagewright_log_";
constexpr std::string_view kLogFileSuffix = ".txt";
constexpr unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
constexpr unsigned char kLineEnd[4] = {0x0D, 0x00, 0x0A, 0x00};

const std::string& separatorText() {
    static const std::string text = "\r\n" + std::string(80, '*') + "\r\n";
    return text;
}

}  // namespace

LogTimestamp currentLogTimestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    LogTimestamp time;
    time.day = local.tm_mday;
    time.month = local.tm_mon + 1;
    time.year = local.tm_year + 1900;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    return time;
}

std::string formatLogTimestamp(const LogTimestamp& time) {
    char buffer[96];
    std::snprintf(buffer, sizeof(buffer), "%d-%d-%d-%d-%d-%d", time.day, time.month, time.year,
                  time.hour, time.minute, time.second);
    return buffer;
}

std::string logFilePath(const std::string& logFolder, const LogTimestamp& time) {
    std::string path = logFolder;
    path += kLogFilePrefix;
    path += formatLogTimestamp(time);
    path += kLogFileSuffix;
    return path;
}

std::string_view logRunSeparator() { return separatorText(); }

RecoveryLog::~RecoveryLog() { close(); }

void RecoveryLog::open(const std::string& logFolder, const LogTimestamp& time) {
    std::lock_guard lock(mutex_);
    path_ = logFilePath(logFolder, time);
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    std::error_code error;
    bool existed = std::filesystem::exists(path_, error);
    if (existed) {
        file_ = std::fopen(path_.c_str(), "r+b");
        // Appending to an existing log: no second byte-order mark.
        if (file_ && std::fseek(file_, 0, SEEK_END) != 0) {
            std::fclose(file_);
            file_ = nullptr;
        }
    } else {
        file_ = std::fopen(path_.c_str(), "w+b");
        if (file_) std::fwrite(kByteOrderMark, 1, sizeof(kByteOrderMark), file_);
    }
    if (!file_) return;  // best effort: the pane still gets every line
    writeUtf16(separatorText());
    std::fflush(file_);
}

void RecoveryLog::writeLine(std::string_view text) {
    std::lock_guard lock(mutex_);
    if (!file_) return;
    writeUtf16(text);
    std::fwrite(kLineEnd, 1, sizeof(kLineEnd), file_);
    std::fflush(file_);
}

void RecoveryLog::writeUtf16(std::string_view text) {
    std::vector<uint8_t> units = utf8ToUtf16le(text);
    if (!units.empty()) std::fwrite(units.data(), 1, units.size(), file_);
}

void RecoveryLog::close() {
    std::lock_guard lock(mutex_);
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool RecoveryLog::isOpen() const {
    std::lock_guard lock(mutex_);
    return file_ != nullptr;
}

std::string RecoveryLog::path() const {
    std::lock_guard lock(mutex_);
    return path_;
}

bool RecoveryLog::fileExists() const {
    std::lock_guard lock(mutex_);
    if (path_.empty()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(path_, error);
}

}  // namespace pw
