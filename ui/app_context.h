#pragma once

#include "data/record_store.h"
#include "platform/services.h"
#include "ui/program_state.h"

namespace tallyra {

// What every window is handed: the shared state, the record store and the services.
struct AppContext {
  ProgramState& state;
  RecordStore& store;
  Services& services;
};

}  // namespace tallyra
