#include "tests/TestSupport.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace pw::test {

std::filesystem::path corpusDir() {
    std::filesystem::path dir = std::filesystem::path(PW_SOURCE_DIR) / ".." / "shared" / "corpus";
    std::error_code ec;
    if (std::filesystem::is_directory(dir / "files", ec)) return std::filesystem::weakly_canonical(dir, ec);
    return {};
}

std::filesystem::path corpusFile(const std::string& name) { return corpusDir() / "files" / name; }

bool corpusRequired() { return std::getenv("CI") != nullptr; }

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("pagewright-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::map<std::string, std::string>> readTsv(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> names;
    std::vector<std::map<std::string, std::string>> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        if (names.empty()) {
            names = fields;
            continue;
        }
        std::map<std::string, std::string> row;
        for (size_t i = 0; i < names.size(); ++i) row[names[i]] = i < fields.size() ? fields[i] : "";
        rows.push_back(row);
    }
    return rows;
}

std::vector<uint8_t> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace pw::test
