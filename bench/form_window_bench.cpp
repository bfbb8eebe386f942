// Opening a form window over reference tables of n records each: the window's creation,
// its lists filled from the tables, and its first showing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "bench/bench_tables.h"
#include "bench/window_bench.h"
#include "data/catalogue.h"
#include "forms/windows/cash_deposit_window.h"
#include "forms/windows/cheque_window.h"
#include "forms/windows/deposit_slip_window.h"
#include "platform/qt_services.h"
#include "vouchers/windows/payment_voucher_window.h"
#include "vouchers/windows/receipt_voucher_window.h"
#include "vouchers/windows/transfer_voucher_window.h"

namespace {

using namespace tallyra;

// n records for a table of the catalogue: every text field numbered, as distinct entries.
std::vector<std::vector<Value>> Records(const std::string& file, int count) {
  const TableDef* table = FindTableDef(file);
  std::vector<std::vector<Value>> records;
  for (int i = 0; i < count; ++i) {
    std::vector<Value> record;
    for (const FieldDef& field : table->fields) {
      record.emplace_back(field.name + std::to_string(100000 + i));
    }
    records.push_back(std::move(record));
  }
  return records;
}

template <typename Window>
void OpenForm(benchmark::State& state, const std::vector<std::string>& tables) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  RecordStore store({root, root + "/bsf"});
  std::string error;
  if (!CreateMissingTables(store.Location(), &error)) return state.SkipWithError(error.c_str());
  for (const std::string& table : tables) {
    error = FillTable(store.Location(), table, Records(table, static_cast<int>(state.range(0))));
    if (!error.empty()) return state.SkipWithError(error.c_str());
  }

  TimeWindowOpening<Window>(state, store);
}

void BM_OpenChequeWindow(benchmark::State& state) { OpenForm<ChequeWindow>(state, {"Bfzh.bsf"}); }
void BM_OpenDepositSlipWindow(benchmark::State& state) {
  OpenForm<DepositSlipWindow>(
      state, {"Bfqc.bsf", "Bfzh.bsf", "Bfyh.bsf", "Dfqc.bsf", "Dfzh.bsf", "Dfyh.bsf"});
}

void BM_OpenCashDepositWindow(benchmark::State& state) {
  OpenForm<CashDepositWindow>(state, {"Bfqc.bsf", "Bfzh.bsf", "Bfyh.bsf", "Dfqc.bsf", "Kxlyk.bsf"});
}
void BM_OpenReceiptVoucherWindow(benchmark::State& state) {
  OpenForm<ReceiptVoucherWindow>(state, {"Sjfkm.bsf", "Szzkm.bsf", "Smxkm.bsf"});
}
void BM_OpenPaymentVoucherWindow(benchmark::State& state) {
  OpenForm<PaymentVoucherWindow>(state, {"Fdfkm.bsf", "Fzzkm.bsf", "Fmxkm.bsf"});
}
void BM_OpenTransferVoucherWindow(benchmark::State& state) {
  OpenForm<TransferVoucherWindow>(state, {"Zjzzkm.bsf", "Zjmxkm.bsf", "Zdzzkm.bsf", "Zdmxkm.bsf"});
}

#define FORM_BENCHMARK(name)          \
  BENCHMARK(name)                     \
      ->Arg(1000)                     \
      ->Arg(10000)                    \
      ->Unit(benchmark::kMillisecond) \
      ->Repetitions(7)                \
      ->ReportAggregatesOnly()

FORM_BENCHMARK(BM_OpenChequeWindow);
FORM_BENCHMARK(BM_OpenDepositSlipWindow);
FORM_BENCHMARK(BM_OpenCashDepositWindow);
FORM_BENCHMARK(BM_OpenReceiptVoucherWindow);
FORM_BENCHMARK(BM_OpenPaymentVoucherWindow);

// The window alone (0) as a baseline, then its four subject tables filled.
BENCHMARK(BM_OpenTransferVoucherWindow)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace
