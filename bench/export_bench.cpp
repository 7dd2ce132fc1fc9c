// Export of a 1,000,000-row table against the plain decode of the same rows
// (the rate of the rows verb): rows per second of each target.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "export/Exporter.h"
#include "storage/DatabaseFile.h"
#include "tools/fixtures/PagingFixture.h"
#include "values/TableScan.h"

namespace {

constexpr int32_t kRows = 1000000;

const std::string& benchFile() {
    static std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "pagewright-bench-export.mdf").string();
        std::error_code ec;
        if (!std::filesystem::exists(p, ec)) pw::fixtures::writePagingDatabase(p, {{"Numbers", kRows}});
        return p;
    }();
    return path;
}

struct Opened {
    Opened() : file(benchFile(), false, context), database(file) {}
    pw::RunContext context;
    pw::DatabaseFile file;
    pw::Database database;
};

void BM_DecodeRows(benchmark::State& state) {
    Opened opened;
    for (auto _ : state) {
        pw::TableScan scan(opened.database, opened.file, opened.context);
        scan.select("Numbers");
        uint64_t rows = 0;
        scan.scan([&](const pw::DecodedRow& row) {
            benchmark::DoNotOptimize(row.size());
            ++rows;
            return true;
        });
        if (rows != uint64_t(kRows)) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kRows);
}
BENCHMARK(BM_DecodeRows)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Export(benchmark::State& state) {
    Opened opened;
    auto target = pw::ExportTarget(state.range(0));
    std::filesystem::path out = std::filesystem::temp_directory_path() / "pagewright-bench-export-out";
    for (auto _ : state) {
        std::filesystem::remove_all(out);
        pw::ExportOptions options;
        options.target = target;
        options.outputPath = (target == pw::ExportTarget::Sqlite ? out / "out.sqlite" : out).string();
        options.databaseName = "bench";
        options.tables = {"Numbers"};
        pw::ExportSummary summary = pw::exportDatabase(opened.database, opened.file, opened.context, options);
        uint64_t rows = 0;
        for (const pw::TableExportSummary& table : summary.tables)
            if (table.table == "Numbers") rows = table.rows;
        if (!summary.ok || rows != uint64_t(kRows)) state.SkipWithError(("export failed: " + summary.error).c_str());
    }
    std::filesystem::remove_all(out);
    state.SetItemsProcessed(int64_t(state.iterations()) * kRows);
}
BENCHMARK(BM_Export)
    ->Arg(int(pw::ExportTarget::SqlScript))
    ->Arg(int(pw::ExportTarget::Csv))
    ->Arg(int(pw::ExportTarget::Sqlite))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
