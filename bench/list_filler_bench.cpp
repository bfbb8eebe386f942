// Filling drop-down lists from a table of n subjects by the unique-prefix rule, into one
// box and into five (a voucher's five lines), and by the every-entry rule into one box:
// the record walk, the rule and the boxes' insertion, as a window's creation runs them,
// into the forms' own lists.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "bench/bench_tables.h"
#include "data/catalogue.h"
#include "forms/windows/list_filler.h"
#include "platform/qt_services.h"
#include "ui/list_box.h"

namespace {

using namespace tallyra;

// Subjects as a finance office names them: a general account and a detail, unique.
std::vector<std::vector<Value>> Subjects(int count) {
  std::vector<std::vector<Value>> records;
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    records.push_back({"应收账款-客户" + std::to_string(100000 + (i * 7919) % 900000)});
  }
  return records;
}

void FillSubjects(benchmark::State& state, ListRule rule) {
  const int records = static_cast<int>(state.range(0));
  const auto boxCount = static_cast<std::size_t>(state.range(1));
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  RecordStore store({root, root + "/bsf"});
  std::string error;
  if (!CreateMissingTables(store.Location(), &error)) return state.SkipWithError(error.c_str());
  error = FillTable(store.Location(), "Szzkm.bsf", Subjects(records));
  if (!error.empty()) return state.SkipWithError(error.c_str());

  QtServices services;
  ProgramState programState;
  AppContext context{programState, store, services.Get()};
  QWidget window;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::unique_ptr<ListBox>> owned;
    std::vector<ListBox*> boxes;
    for (std::size_t k = 0; k < boxCount; ++k) {
      owned.push_back(std::make_unique<ListBox>(&window));
      boxes.push_back(owned.back().get());
    }
    store.CloseAll();  // every window's creation starts with the tables closed
    state.ResumeTiming();

    ListFiller(context, &window).Fill({"Szzkm.bsf", {"总帐科目"}, rule}, boxes);
    benchmark::DoNotOptimize(boxes.front()->count());

    state.PauseTiming();
    owned.clear();
    state.ResumeTiming();
  }
  state.counters["records"] = records;
}

void BM_UniquePrefix(benchmark::State& state) { FillSubjects(state, ListRule::kUniquePrefix); }
void BM_EveryEntry(benchmark::State& state) { FillSubjects(state, ListRule::kEveryEntry); }

BENCHMARK(BM_UniquePrefix)
    ->ArgsProduct({{1000, 10000, 100000}, {1, 5}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_EveryEntry)
    ->ArgsProduct({{1000, 10000, 100000}, {1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
