// One print run of a filled-in cheque into a PDF file, from the layout to the closed file.
// With --write=FILE it writes that one PDF and exits, for looking at the page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstring>

#include "app/look.h"
#include "forms/cheque_layout.h"
#include "forms/print_engine.h"
#include "platform/qt_print_device.h"
#include "platform/qt_services.h"
#include "tests/support/filled_cheque.h"

namespace {

bool PrintCheque(const QString& path, tallyra::MessageBoxes& messages) {
  const tallyra::PrintRun run =
      tallyra::PreparePrintRun(tallyra::ChequeLayout(), tallyra::FilledCheque(), {-15, 20});
  return tallyra::ExecutePrintRun(run, *tallyra::QtPrintDevice::ToPdfFile(path, nullptr, messages));
}

void BM_ChequeToPdf(benchmark::State& state) {
  QTemporaryDir dir;
  tallyra::QtMessageBoxes messages;
  const QString path = dir.filePath(QStringLiteral("cheque.pdf"));
  for (auto _ : state) {
    if (!PrintCheque(path, messages)) state.SkipWithError("the PDF did not start");
  }
}
BENCHMARK(BM_ChequeToPdf)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tallyra::MapFonts();
  if (argc == 2 && std::strncmp(argv[1], "--write=", 8) == 0) {
    tallyra::QtMessageBoxes messages;
    return PrintCheque(QString::fromLocal8Bit(argv[1] + 8), messages) ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
