// Whole-table row decoding on one core: a 1,000,000-row table of ten mixed
// in-row columns (goal: at least 1,000,000 rows per second), and a table
// with one 1 MB large value per row (bytes per second). The fixture files
// are written once into the temporary folder; the page cache is warm.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "tools/fixtures/TableFixtures.h"
#include "values/RowDecoder.h"

namespace {

using namespace pw;

constexpr uint64_t kMixedRows = 1000000;
constexpr uint64_t kLargeRows = 64;
constexpr uint32_t kLargeValueBytes = 1u << 20;

struct BenchTable {
    fixtures::TableFixture table;
    RunContext context;
    std::unique_ptr<DatabaseFile> file;
};

// Writes the fixture file once, then opens it.
std::unique_ptr<BenchTable> openTable(const char* name,
                                      fixtures::TableFixture (*write)(const std::filesystem::path&)) {
    auto bench = std::make_unique<BenchTable>();
    auto path = std::filesystem::temp_directory_path() / name;
    bench->table = write(path);
    bench->file = std::make_unique<DatabaseFile>(path.string(), false, bench->context);
    return bench;
}

BenchTable& mixedTable() {
    static std::unique_ptr<BenchTable> bench = openTable("pagewright-bench-rows.mdf", [](const auto& path) {
        return fixtures::writeMixedTableFile(path, kMixedRows);
    });
    return *bench;
}

BenchTable& largeValueTable() {
    static std::unique_ptr<BenchTable> bench =
        openTable("pagewright-bench-large-values.mdf", [](const auto& path) {
            return fixtures::writeLargeValueTableFile(path, kLargeRows, kLargeValueBytes);
        });
    return *bench;
}

uint64_t decodeAll(BenchTable& bench) {
    uint64_t rows = 0;
    LargeValueReader reader(bench.file.get(), bench.context);
    for (const PagePointer& page : bench.table.dataPages) {
        auto decoded = decodePageRows(*bench.file, page, bench.table.layout, LayoutForm::Rowset, &reader);
        rows += decoded.size();
        benchmark::DoNotOptimize(decoded.data());
    }
    return rows;
}

void BM_DecodeMixedTable(benchmark::State& state) {
    BenchTable& bench = mixedTable();
    uint64_t rows = 0;
    for (auto _ : state) rows += decodeAll(bench);
    if (rows != uint64_t(state.iterations()) * kMixedRows) state.SkipWithError("rows lost");
    state.SetItemsProcessed(int64_t(rows));
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeMixedTable)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeLargeValues(benchmark::State& state) {
    BenchTable& bench = largeValueTable();
    uint64_t rows = 0;
    for (auto _ : state) rows += decodeAll(bench);
    if (rows != uint64_t(state.iterations()) * kLargeRows) state.SkipWithError("rows lost");
    state.SetBytesProcessed(int64_t(rows) * int64_t(kLargeValueBytes));
}
BENCHMARK(BM_DecodeLargeValues)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
