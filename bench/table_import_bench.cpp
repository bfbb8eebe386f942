// Importing a CSV file of 10 000 accounts into Bfzh.bsf as the table editor does: the file's
// bytes read into a plan (encoding, columns, the cell rules for every value), the plan
// written in one transaction after the day's backup, and the store taking in the new
// records for the grid. Into an empty table, and replacing 10 000 records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "data/catalogue.h"
#include "data/csv.h"
#include "data/random_hex.h"
#include "data/record_store.h"
#include "data/table_batch.h"
#include "data/table_exchange.h"

namespace tallyra {
namespace {

constexpr int kRows = 10000;

// Written as Excel saves it: a header row, CR LF, some values quoted.
std::string AccountsCsv() {
  CsvRows rows = {{"账号说明", "银行账号"}};
  for (int i = 0; i < kRows; ++i) {
    rows.push_back({"对方单位" + std::to_string(i) + (i % 10 == 0 ? ",华东" : ""),
                    std::to_string(6222020200001234LL + i)});
  }
  return FormatCsv(rows);
}

class Folder {
 public:
  Folder() {
    root_ = std::filesystem::temp_directory_path() / ("tallyra-import-" + RandomHex(8));
    Reset();
  }
  ~Folder() { std::filesystem::remove_all(root_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  // Every table empty, no backups.
  void Reset() {
    std::filesystem::remove_all(root_);
    std::string error;
    CreateMissingTables(Location(), &error);
  }
  TableLocation Location() const { return {root_.string(), (root_ / "bsf").string()}; }

 private:
  std::filesystem::path root_;
};

void Import(benchmark::State& state, bool replace) {
  const std::string csv = AccountsCsv();
  Folder folder;
  RecordStore store(folder.Location());
  store.Open("bsf\\Bfzh.bsf");
  const std::string path = store.ResolvePath("bsf\\Bfzh.bsf");
  const std::vector<FieldDef>& fields = FindTableDef("Bfzh.bsf")->fields;
  const auto importOnce = [&] {
    ImportPlan plan;
    std::string error;
    if (!PlanImport(csv, fields, &plan, &error)) return error;
    TableBatch batch;
    batch.fields = fields;
    batch.replaceAll = replace;
    for (auto& record : plan.records) batch.rows.emplace_back(record.begin(), record.end());
    if (WriteTableBatch(path, batch, "2026-12-11", &error) != kStoreOk) return error;
    if (store.RecordCount() != kRows) return std::string("the store does not see the records");
    return std::string();
  };
  if (replace) importOnce();  // the table holds 10 000 records before every run
  for (auto _ : state) {
    if (!replace) {
      state.PauseTiming();
      store.CloseAll();
      folder.Reset();
      store.Open("bsf\\Bfzh.bsf");
      state.ResumeTiming();
    }
    const std::string error = importOnce();
    if (!error.empty()) return state.SkipWithError(error.c_str());
  }
}

void BM_ImportIntoEmptyTable(benchmark::State& state) { Import(state, false); }
void BM_ImportReplacingTheRecords(benchmark::State& state) { Import(state, true); }

BENCHMARK(BM_ImportIntoEmptyTable)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ImportReplacingTheRecords)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace tallyra

BENCHMARK_MAIN();
