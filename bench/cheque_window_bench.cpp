// Opening the cheque window over an own-account table of 1 000 accounts: the window's
// creation, its list filled from the table, and its first showing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/look.h"
#include "data/catalogue.h"
#include "forms/windows/cheque_window.h"
#include "platform/qt_services.h"

namespace {

using namespace tallyra;

void BM_OpenChequeWindow(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  RecordStore store({root, root + "/bsf"});
  std::string error;
  if (!CreateMissingTables(store.Location(), &error)) return state.SkipWithError(error.c_str());
  store.Open("bsf\\Bfzh.bsf");
  for (int i = 0; i < 1000; ++i) {
    store.Append({"账户" + std::to_string(i), "6222" + std::to_string(100000000 + i)});
  }
  store.CloseAll();

  QtServices services;
  ProgramState programState;
  AppContext context{programState, store, services.Get()};
  for (auto _ : state) {
    std::unique_ptr<ChequeWindow> window(CreateForm<ChequeWindow>(context, nullptr));
    window->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenChequeWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InitResources();
  ApplyLook(app);
  MapFonts();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
