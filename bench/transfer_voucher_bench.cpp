// Opening the transfer voucher with 1 000 and 10 000 subjects in each of its four subject
// tables: the window's creation, its twenty lists filled, and its first showing. With
// empty tables it measures the window alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/look.h"
#include "bench/bench_tables.h"
#include "data/catalogue.h"
#include "platform/qt_services.h"
#include "vouchers/windows/transfer_voucher_window.h"

namespace {

using namespace tallyra;

void BM_OpenTransferVoucher(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  RecordStore store({root, root + "/bsf"});
  std::string error;
  if (!CreateMissingTables(store.Location(), &error)) return state.SkipWithError(error.c_str());
  for (const char* file : {"Zjzzkm.bsf", "Zjmxkm.bsf", "Zdzzkm.bsf", "Zdmxkm.bsf"}) {
    std::vector<std::vector<Value>> records;
    for (int i = 0; i < state.range(0); ++i) records.push_back({"科目" + std::to_string(i)});
    error = FillTable(store.Location(), file, records);
    if (!error.empty()) return state.SkipWithError(error.c_str());
  }

  QtServices services;
  ProgramState programState;
  AppContext context{programState, store, services.Get()};
  for (auto _ : state) {
    std::unique_ptr<TransferVoucherWindow> window(
        CreateForm<TransferVoucherWindow>(context, nullptr));
    window->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenTransferVoucher)
    ->Arg(0)  // the window alone, as a baseline
    ->Arg(1000)
    ->Arg(10000)
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
