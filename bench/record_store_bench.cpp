// The record store against one raw sqlite3 SELECT of the same 1 000 rows: opening a table
// and walking it as the windows do, a Search that matches the last record, one Append;
// and the daily backup of 22 tables of 1 000 records.
// After the runs the figures are printed as ratios to the SELECT of the same run.
#include <benchmark/benchmark.h>
#include <sodium.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/random_hex.h"
#include "data/record_store.h"
#include "data/table_file.h"

namespace tallyra {
namespace {

constexpr int kRecords = 1000;

const std::vector<FieldDef> kFields = {{"单位全称", FieldType::kText, 64},
                                       {"银行账号", FieldType::kText, 32},
                                       {"金额", FieldType::kDouble, 0}};

std::string NameOf(int i) { return "北京华信达科技有限公司第" + std::to_string(i) + "分公司"; }

// A folder with the table Bench.bsf of 1 000 records and an empty Append.bsf.
class BenchFolder {
 public:
  BenchFolder() {
    root_ = std::filesystem::temp_directory_path() / ("tallyra-bench-" + RandomHex(8));
    std::filesystem::create_directories(root_ / "bsf");
    std::string error;
    TableFile::Create(TablePath("Append.bsf"), kFields, "", &error);
    MakeFilled("Bench.bsf");
  }
  // A table of 1 000 records; a file knows its table, so each name is made, not copied.
  void MakeFilled(const std::string& file) const {
    std::string error;
    TableFile::Create(TablePath(file), kFields, "", &error);
    int code = 0;
    auto table = TableFile::Open(TablePath(file), "", &code, &error);
    bool reloaded = false;
    // One transaction for all of them: a thousand synced appends would take half a minute.
    table->BeginWrite(&reloaded, &error);
    for (int i = 0; i < kRecords; ++i) {
      table->Insert({NameOf(i), std::string("62220202001122") + std::to_string(1000 + i), i * 1.5},
                    &error);
    }
    if (table->Commit(&error) != kStoreOk) std::fprintf(stderr, "%s\n", error.c_str());
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  std::string TablePath(const std::string& file) const { return (root_ / "bsf" / file).string(); }
  TableLocation Location() const { return {root_.string(), (root_ / "bsf").string()}; }

 private:
  std::filesystem::path root_;
};

BenchFolder& Folder() {
  static BenchFolder folder;
  return folder;
}

// One SELECT of every row on an open connection, reading what the walk reads.
void SelectAll(benchmark::State& state, sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT id, deleted, f1, f2, f3 FROM records ORDER BY id", -1, &stmt,
                     nullptr);
  std::size_t bytes = 0;
  int rows = 0;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    bytes += std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)),
                         static_cast<std::size_t>(sqlite3_column_bytes(stmt, 2)))
                 .size();
    bytes += std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)),
                         static_cast<std::size_t>(sqlite3_column_bytes(stmt, 3)))
                 .size();
    benchmark::DoNotOptimize(sqlite3_column_double(stmt, 4));
    ++rows;
  }
  sqlite3_finalize(stmt);
  if (rows != kRecords) state.SkipWithError("the raw SELECT did not see every row");
  benchmark::DoNotOptimize(bytes);
}

sqlite3* OpenRaw() {
  sqlite3* db = nullptr;
  sqlite3_open_v2(Folder().TablePath("Bench.bsf").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  return db;
}

void BM_RawSelect(benchmark::State& state) {
  sqlite3* db = OpenRaw();
  for (auto _ : state) SelectAll(state, db);
  sqlite3_close(db);
}
BENCHMARK(BM_RawSelect)->Unit(benchmark::kMicrosecond);

// The like-for-like baseline of a first open: a new connection, then the same SELECT.
void BM_RawOpenAndSelect(benchmark::State& state) {
  for (auto _ : state) {
    sqlite3* db = OpenRaw();
    SelectAll(state, db);
    sqlite3_close(db);
  }
}
BENCHMARK(BM_RawOpenAndSelect)->Unit(benchmark::kMicrosecond);

// What a window does when it is created: open the table, then First and RecordCount times
// Read + Skip; every field of every record is read.
void OpenAndWalk(benchmark::State& state, RecordStore& store) {
  if (!store.Open("bsf\\Bench.bsf")) state.SkipWithError(store.LastErrorText().c_str());
  store.First();
  const int count = store.RecordCount();
  std::size_t bytes = 0;
  for (int i = 0; i < count; ++i) {
    bytes += store.ReadText(1).size() + store.ReadText(2).size();
    benchmark::DoNotOptimize(store.ReadNumber(3));
    store.Skip(1);
  }
  store.Close();
  if (count != kRecords) state.SkipWithError("the walk did not see every record");
  benchmark::DoNotOptimize(bytes);
}

// The windows close all tables and open them again at every window and print run: the
// store then reuses the connection of the closed table.
void BM_OpenAndWalk(benchmark::State& state) {
  RecordStore store(Folder().Location());
  for (auto _ : state) OpenAndWalk(state, store);
}
BENCHMARK(BM_OpenAndWalk)->Unit(benchmark::kMicrosecond);

// The first open of a table in a process: a new connection reads the file from scratch.
void BM_OpenAndWalkFirstTime(benchmark::State& state) {
  for (auto _ : state) {
    RecordStore store(Folder().Location());
    OpenAndWalk(state, store);
  }
}
BENCHMARK(BM_OpenAndWalkFirstTime)->Unit(benchmark::kMicrosecond);

void BM_SearchLast(benchmark::State& state) {
  RecordStore store(Folder().Location());
  store.Open("bsf\\Bench.bsf");
  const std::string last = NameOf(kRecords - 1);
  const Condition isLast = [&](RecordStore& s) { return s.ReadText(1) == last; };
  for (auto _ : state) {
    store.First();
    if (!store.Search(isLast) || store.RecordNumber() != kRecords) {
      state.SkipWithError("Search did not find the last record");
    }
  }
}
BENCHMARK(BM_SearchLast)->Unit(benchmark::kMicrosecond);

void BM_AppendOne(benchmark::State& state) {
  RecordStore store(Folder().Location());
  store.Open("bsf\\Append.bsf");
  for (auto _ : state) {
    if (!store.Append(
            {std::string("上海恒源机电设备有限公司"), std::string("31001500400050012345"), 12.5})) {
      state.SkipWithError(store.LastErrorText().c_str());
    }
  }
}
BENCHMARK(BM_AppendOne)->Unit(benchmark::kMillisecond)->Iterations(20);

// The daily backup of every table of the program, each holding 1 000 records: one online
// backup and its check per table, as the first change of a day makes them.
void BM_BackupAllTables(benchmark::State& state) {
  constexpr int kTables = 22;
  std::vector<std::unique_ptr<TableFile>> files;
  for (int t = 0; t < kTables; ++t) {
    const std::string file = "Backup" + std::to_string(t) + ".bsf";
    const std::string path = Folder().TablePath(file);
    if (!std::filesystem::exists(path)) Folder().MakeFilled(file);
    int code = 0;
    std::string error;
    files.push_back(TableFile::Open(path, "", &code, &error));
    if (!files.back()) state.SkipWithError(error.c_str());
  }
  int round = 0;
  for (auto _ : state) {
    const std::string day = Folder().TablePath("backup/" + std::to_string(round++));
    for (int t = 0; t < kTables; ++t) {
      std::string error;
      if (files[static_cast<std::size_t>(t)]->CopyTo(day + "/Backup" + std::to_string(t) + ".bsf",
                                                     &error) != kStoreOk) {
        state.SkipWithError(error.c_str());
      }
    }
  }
}
BENCHMARK(BM_BackupAllTables)->Unit(benchmark::kMillisecond)->Iterations(5);

// Prints each run as usual and keeps its real time for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.benchmark_name()] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    const auto baseline = times_.find("BM_RawSelect");
    if (baseline == times_.end()) return;
    std::printf("\nRatio to one raw SELECT of %d rows (%.1f us):\n", kRecords, baseline->second);
    for (const auto& [name, micros] : times_) {
      std::printf("  %-28s %12.1f us  %8.2fx\n", name.c_str(), micros, micros / baseline->second);
    }
    const auto first = times_.find("BM_OpenAndWalkFirstTime");
    const auto rawFirst = times_.find("BM_RawOpenAndSelect");
    if (first != times_.end() && rawFirst != times_.end()) {
      std::printf("First open and walk to a new connection and the SELECT: %.2fx\n",
                  first->second / rawFirst->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace tallyra

int main(int argc, char** argv) {
  if (sodium_init() < 0) return 1;
  benchmark::Initialize(&argc, argv);
  tallyra::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
