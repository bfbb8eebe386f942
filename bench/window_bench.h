#pragma once

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "forms/windows/form_window.h"
#include "platform/qt_services.h"

namespace tallyra {

// Times opening a form window over the store's tables: creation, lists and first
// showing. Closing it is not timed.
template <typename Window>
void TimeWindowOpening(benchmark::State& state, RecordStore& store) {
  QtServices services;
  ProgramState programState;
  AppContext context{programState, store, services.Get()};
  for (auto _ : state) {
    std::unique_ptr<Window> window(CreateForm<Window>(context, nullptr));
    window->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

}  // namespace tallyra
