#pragma once
// Shared helpers for the tests: where the corpus lives, temporary folders,
// a recording message sink.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/MessageSink.h"

namespace pw::test {

// ../shared/corpus beside the source tree; empty path when absent.
std::filesystem::path corpusDir();
// Path of one corpus data file (corpus/files/NAME).
std::filesystem::path corpusFile(const std::string& name);
// True when the corpus tests must run (corpus present, or CI set so that
// a missing corpus fails loudly instead of skipping).
bool corpusRequired();

// A fresh, empty temporary folder removed at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Records every message the engine sends.
class RecordingSink : public MessageSink {
public:
    void setProgressRange(uint32_t lower, uint32_t upper) override { ranges.push_back({lower, upper}); }
    void setProgressPos(uint32_t position) override { positions.push_back(position); }
    void setStatusText(const std::string& text) override { statuses.push_back(text); }
    void recoveryError(const std::string& text) override { errors.push_back(text); }
    void addLogLine(const std::string& text) override { logLines.push_back(text); }

    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    std::vector<uint32_t> positions;
    std::vector<std::string> statuses;
    std::vector<std::string> errors;
    std::vector<std::string> logLines;
};

// A tab-separated file with a header line: one map of column name -> text per row.
std::vector<std::map<std::string, std::string>> readTsv(const std::filesystem::path& path);

// Reads a whole file into bytes.
std::vector<uint8_t> readFileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace pw::test

// Skips the current test when the corpus is absent and CI is not set.
#define PW_REQUIRE_CORPUS()                                                              \
    do {                                                                                 \
        if (::pw::test::corpusDir().empty()) {                                           \
            if (::pw::test::corpusRequired()) FAIL() << "../shared/corpus is missing";    \
            GTEST_SKIP() << "../shared/corpus is absent; corpus tests skipped";          \
        }                                                                                \
    } while (0)
