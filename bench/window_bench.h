#pragma once

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <functional>
#include <memory>

#include "forms/windows/form_window.h"
#include "platform/qt_services.h"

namespace tallyra {

// Times making a window and showing it until its first events are done. Closing it, and
// `between` after it, are not timed.
template <typename Make>
void TimeOpening(benchmark::State& state, Make make, const std::function<void()>& between = {}) {
  for (auto _ : state) {
    auto window = make();
    window->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    if (between) between();
    state.ResumeTiming();
  }
}

// Times opening a form window over the store's tables: creation, lists and first
// showing.
template <typename Window>
void TimeWindowOpening(benchmark::State& state, RecordStore& store) {
  QtServices services;
  ProgramState programState;
  AppContext context{programState, store, services.Get()};
  TimeOpening(state, [&] { return std::unique_ptr<Window>(CreateForm<Window>(context, nullptr)); });
}

}  // namespace tallyra
