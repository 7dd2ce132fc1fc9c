#include "tests/TestSupport.h"

#include <atomic>
#include <fstream>
#include <iterator>
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

std::vector<uint8_t> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace pw::test
