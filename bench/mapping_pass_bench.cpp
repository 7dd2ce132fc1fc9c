// The mapping pass over a 1 GiB file against a plain sequential read of the
// same file, page cache warm. The ratio of the two rates is the figure that
// matters (goal: mapping at 80% or more of raw read speed).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "tools/fixtures/PageBuilder.h"

namespace {

constexpr uint64_t kFileBytes = 1ull << 30;

const std::string& benchFile() {
    static std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "pagewright-bench-1gib.mdf").string();
        std::error_code ec;
        if (std::filesystem::file_size(p, ec) != kFileBytes) {
            std::ofstream out(p, std::ios::binary | std::ios::trunc);
            for (uint64_t page = 0; page < kFileBytes / 8192; ++page) {
                int32_t objectId = page % 7 == 0 ? int32_t(page % 100) : int32_t(1000 + page % 50);
                uint8_t type = page % 11 == 0 ? 10 : 1;
                pw::PageBytes bytes = pw::fixtures::PageBuilder(int32_t(page), objectId, type).build();
                out.write(reinterpret_cast<const char*>(bytes.data()), 8192);
            }
        }
        return p;
    }();
    return path;
}

void BM_RawSequentialRead(benchmark::State& state) {
    const std::string& path = benchFile();
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_RDONLY);
        uint64_t total = 0;
        ssize_t n;
        while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) total += uint64_t(n);
        ::close(fd);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_RawSequentialRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MappingPass(benchmark::State& state) {
    const std::string& path = benchFile();
    for (auto _ : state) {
        pw::RunContext context;
        pw::DatabaseFile file(path, false, context);
        benchmark::DoNotOptimize(file.dataPageMap.size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_MappingPass)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
