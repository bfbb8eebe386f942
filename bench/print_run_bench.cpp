// One print run of each of the seven forms, filled in completely, into a PDF file: from
// the layout to the closed file. With --write=DIR it writes the seven PDFs there and exits,
// for looking at the pages.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <string>

#include "app/look.h"
#include "forms/cash_deposit_layout.h"
#include "forms/cheque_layout.h"
#include "forms/deposit_slip_layout.h"
#include "forms/print_engine.h"
#include "forms/wire_transfer_layout.h"
#include "platform/qt_print_device.h"
#include "platform/qt_services.h"
#include "vouchers/voucher_layout.h"

namespace {

using namespace tallyra;

struct Form {
  const char* file;
  const PrintLayout& (*layout)();
  std::size_t offsets;  // how many offsets the form's position table gives it
};

const Form kForms[] = {
    {"cheque", ChequeLayout, 2},
    {"deposit_slip", DepositSlipLayout, 34},
    {"wire_transfer", WireTransferLayout, 2},
    {"cash_deposit", CashDepositLayout, 2},
    {"receipt_voucher", ReceiptVoucherLayout, 2},
    {"payment_voucher", PaymentVoucherLayout, 2},
    {"transfer_voucher", TransferVoucherLayout, 2},
};

// The text an item is handed when every box of the form is filled in.
std::string FullText(Preparation preparation) {
  switch (preparation) {
    case Preparation::kYearFigures:
    case Preparation::kMonthFigures:
    case Preparation::kDayFigures:
      return "2026-12-10";
    case Preparation::kFormatAmount:
      return "12345678.90";
    case Preparation::kAccountOf:
      return "基本户|31001500400050012345";
    case Preparation::kBreakAfter:
    case Preparation::kNone:
      break;
  }
  return "上海恒源机电设备有限公司第一分公司";
}

FieldValues FilledIn(const PrintLayout& layout) {
  FieldValues fields;
  for (const LayoutItem& item : layout.items) {
    for (const DigitColumn& column : item.digitRow) fields[column.source] = "8";
    for (const std::string& source : {item.source, item.fallback}) {
      if (!source.empty()) fields[source] = FullText(item.preparation);
    }
  }
  return fields;
}

bool Print(const Form& form, const QString& path, MessageBoxes& messages) {
  const std::vector<double> offsets(form.offsets, 1.5);
  const PrintLayout& layout = form.layout();
  const PrintRun run = PreparePrintRun(layout, FilledIn(layout), offsets);
  return ExecutePrintRun(run, *QtPrintDevice::ToPdfFile(path, nullptr, messages));
}

void BM_PrintToPdf(benchmark::State& state) {
  const Form& form = kForms[state.range(0)];
  state.SetLabel(form.file);
  QTemporaryDir dir;
  QtMessageBoxes messages;
  const QString path = dir.filePath(QStringLiteral("form.pdf"));
  for (auto _ : state) {
    if (!Print(form, path, messages)) state.SkipWithError("the PDF did not start");
  }
}
BENCHMARK(BM_PrintToPdf)
    ->DenseRange(0, static_cast<int>(std::size(kForms)) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  MapFonts();
  if (argc == 2 && std::strncmp(argv[1], "--write=", 8) == 0) {
    const QDir dir(QString::fromLocal8Bit(argv[1] + 8));
    QtMessageBoxes messages;
    for (const Form& form : kForms) {
      if (!Print(form, dir.filePath(QString::fromUtf8(form.file) + ".pdf"), messages)) return 1;
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
