// Opening the table editor on a table of n records: the window's creation, the grid over
// the table and its first showing. "Warm": the store already read the file once, as when
// the selection window opened it or the editor was open before; "cold": a new store, so
// the file is read from disk first.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "bench/bench_tables.h"
#include "bench/window_bench.h"
#include "data/catalogue.h"
#include "data/windows/table_editor_window.h"
#include "platform/qt_services.h"

namespace {

using namespace tallyra;

void OpenEditor(benchmark::State& state, bool cold) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  const TableLocation location{root, root + "/bsf"};
  std::string error;
  if (!CreateMissingTables(location, &error)) return state.SkipWithError(error.c_str());
  std::vector<std::vector<Value>> records;
  for (int i = 0; i < state.range(0); ++i) {
    records.push_back({"账号" + std::to_string(100000 + i), std::to_string(6222000000 + i)});
  }
  error = FillTable(location, "Bfzh.bsf", records);
  if (!error.empty()) return state.SkipWithError(error.c_str());

  QtServices services;
  ProgramState programState;
  programState.ProgramDir = dir.path();
  programState.TableEditorFile = dir.path() + QStringLiteral("\\bsf\\Bfzh.bsf");
  programState.TableEditorTitle = QStringLiteral("本方账号");
  auto store = std::make_unique<RecordStore>(location);
  std::optional<AppContext> context;
  TimeOpening(
      state,
      [&] {
        context.emplace(AppContext{programState, *store, services.Get()});
        return std::make_unique<TableEditorWindow>(*context, nullptr);
      },
      [&] {
        store->CloseAll();
        if (cold) store = std::make_unique<RecordStore>(location);
      });
}

void BM_OpenTableEditorWarm(benchmark::State& state) { OpenEditor(state, false); }
void BM_OpenTableEditorCold(benchmark::State& state) { OpenEditor(state, true); }

BENCHMARK(BM_OpenTableEditorWarm)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OpenTableEditorCold)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace
