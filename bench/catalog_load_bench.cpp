// Loading a large catalog: 100,000 objects (40,000 tables of 25 columns
// with a primary key each, 20,000 foreign keys, and the keys themselves) and
// 1,000,000 column rows, with their rowsets, units, physical layout rows,
// index rows and references. Measures the whole catalog load (the mapping
// pass excluded), a selection, and the listing summaries of every table.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "storage/DatabaseFile.h"
#include "tools/fixtures/CatalogWriter.h"

namespace {

constexpr int32_t kTables = 40000;
constexpr int32_t kColumnsPerTable = 25;
constexpr int32_t kForeignKeys = 20000;
constexpr int32_t kFirstTableId = 100000;

std::string tableName(int32_t index) { return "Table" + std::to_string(index); }

const std::string& benchFile() {
    static std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "pagewright-bench-catalog-v2.mdf").string();
        std::error_code ec;
        if (std::filesystem::exists(p, ec)) return p;
        pw::fixtures::CatalogWriter writer;
        writer.addStandardScalarTypes();
        for (int32_t t = 0; t < kTables; ++t) {
            pw::fixtures::TableSpec table;
            table.objectId = kFirstTableId + 4 * t;
            table.name = tableName(t);
            for (int32_t c = 0; c < kColumnsPerTable; ++c) {
                pw::fixtures::ColumnSpec column;
                column.name = "Column" + std::to_string(c);
                column.systemTypeId = c % 2 ? 231 : 56;
                column.maxLength = c % 2 ? 100 : 4;
                column.nullable = c != 0;
                table.columns.push_back(column);
            }
            table.primaryKey = {1};
            table.primaryKeyName = "PK_" + table.name;
            table.primaryKeyObjectId = table.objectId + 1;
            table.pageObjectId = 200 + t;
            table.rowCount = t;
            writer.addTable(table);
            if (t >= 1 && t <= kForeignKeys)
                writer.addForeignKey(table.objectId + 2, "FK_" + table.name, table.objectId, {1},
                                     kFirstTableId + 4 * (t - 1), {1});
        }
        pw::fixtures::catalogImage(writer, "CatalogBench").writeTo(p);
        return p;
    }();
    return path;
}

struct Opened {
    pw::RunContext context;
    std::unique_ptr<pw::DatabaseFile> file;
};

Opened& openedFile() {
    static Opened opened;
    if (!opened.file) opened.file = std::make_unique<pw::DatabaseFile>(benchFile(), false, opened.context);
    return opened;
}

void BM_CatalogLoad(benchmark::State& state) {
    Opened& opened = openedFile();
    size_t objects = 0, columns = 0;
    for (auto _ : state) {
        pw::Database database(*opened.file);
        objects = database.objects.size();
        columns = database.columns.size();
        benchmark::DoNotOptimize(database.foreignKeyColumns.size());
    }
    state.counters["objects"] = double(objects);
    state.counters["columnRows"] = double(columns);
}
BENCHMARK(BM_CatalogLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SelectTable(benchmark::State& state) {
    Opened& opened = openedFile();
    static pw::Database database(*opened.file);
    int32_t next = 0;
    for (auto _ : state) {
        auto layout = database.selectObject(tableName(next), "U ", {});
        benchmark::DoNotOptimize(layout.size());
        next = (next + 7919) % kTables;
    }
}
BENCHMARK(BM_SelectTable)->Unit(benchmark::kMicrosecond);

void BM_ListEveryTable(benchmark::State& state) {
    Opened& opened = openedFile();
    static pw::Database database(*opened.file);
    for (auto _ : state) {
        int64_t rows = 0;
        for (const pw::CatalogObject& object : database.objects) {
            if (pw::Database::isObjectWithoutRows(object.type)) continue;
            rows += database.catalogRowCount(object.objectId);
            rows += int64_t(database.dataPagesOf(object.objectId).size());
        }
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ListEveryTable)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
