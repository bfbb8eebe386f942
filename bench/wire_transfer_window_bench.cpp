// The wire-transfer voucher over n records in each of its eight tables: opening the window
// (creation, twelve lists, first showing), and one province choice refilling the city list
// from the address table.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "bench/bench_tables.h"
#include "bench/window_bench.h"
#include "data/catalogue.h"
#include "forms/windows/wire_transfer_window.h"
#include "platform/qt_services.h"

namespace {

using namespace tallyra;

using Records = std::vector<std::vector<Value>>;

Records Names(int count, const std::string& stem) {
  Records records;
  for (int i = 0; i < count; ++i) records.push_back({stem + std::to_string(100000 + i)});
  return records;
}

Records Accounts(int count) {
  Records records;
  for (int i = 0; i < count; ++i) {
    records.push_back({"账户" + std::to_string(i), "6222" + std::to_string(100000000 + i)});
  }
  return records;
}

// 31 provinces of ten cities each, every record a county of its own, in no order.
Records Places(int count) {
  Records records;
  for (int i = 0; i < count; ++i) {
    const int province = (i * 7) % 31;
    const int city = province * 10 + (i / 31) % 10;
    records.push_back({"省份" + std::to_string(10 + province), "城市" + std::to_string(100 + city),
                       "区县" + std::to_string(100000 + i)});
  }
  return records;
}

// A data folder whose eight tables hold `count` records each.
class VoucherTables {
 public:
  explicit VoucherTables(int count)
      : root_(dir_.path().toStdString()), store_({root_, root_ + "/bsf"}) {
    if (!CreateMissingTables(store_.Location(), &error_)) return;
    const std::pair<const char*, Records> tables[] = {
        {"Bfqc.bsf", Names(count, "本方单位")},
        {"Bfzh.bsf", Accounts(count)},
        {"Bfyh.bsf", Names(count, "本方银行")},
        {"Bfdd.bsf", Places(count)},
        {"Dfdd.bsf", Places(count)},
        {"Dfqc.bsf", Names(count, "对方单位")},
        {"Dfzh.bsf", Accounts(count)},
        {"Dfyh.bsf", Names(count, "对方银行")},
    };
    for (const auto& [file, records] : tables) {
      if (error_.empty()) error_ = FillTable(store_.Location(), file, records);
    }
  }
  const std::string& Error() const { return error_; }
  RecordStore& Store() { return store_; }

 private:
  QTemporaryDir dir_;
  std::string root_;
  RecordStore store_;
  std::string error_;
};

void BM_OpenWireTransferWindow(benchmark::State& state) {
  VoucherTables tables(static_cast<int>(state.range(0)));
  if (!tables.Error().empty()) return state.SkipWithError(tables.Error().c_str());
  TimeWindowOpening<WireTransferWindow>(state, tables.Store());
}
BENCHMARK(BM_OpenWireTransferWindow)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

void BM_ChooseProvince(benchmark::State& state) {
  VoucherTables tables(static_cast<int>(state.range(0)));
  if (!tables.Error().empty()) return state.SkipWithError(tables.Error().c_str());
  QtServices services;
  ProgramState programState;
  AppContext context{programState, tables.Store(), services.Get()};
  std::unique_ptr<WireTransferWindow> window(CreateForm<WireTransferWindow>(context, nullptr));
  window->show();
  QCoreApplication::processEvents();
  auto* province = window->findChild<QComboBox*>(QStringLiteral("汇省组合框1"));
  auto* city = window->findChild<QComboBox*>(QStringLiteral("汇市组合框1"));
  int chosen = 0;
  for (auto _ : state) {
    // As the list's popup does when an entry is picked.
    province->setCurrentIndex(chosen);
    emit province->activated(chosen);
    benchmark::DoNotOptimize(city->count());
    chosen = (chosen + 1) % province->count();
  }
  if (city->count() != 10) state.SkipWithError("a province should list its ten cities");
}
BENCHMARK(BM_ChooseProvince)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace
