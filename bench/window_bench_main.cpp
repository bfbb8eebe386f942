// The main of every window benchmark: an offscreen application with the program's look,
// pictures and font mapping, then the registered benchmarks.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/look.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tallyra::InitResources();
  tallyra::ApplyLook(app);
  tallyra::MapFonts();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
