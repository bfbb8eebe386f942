#pragma once

#include "ui/app_context.h"

namespace tallyra {

// How start-up ends before the login window.
enum class StartOutcome {
  kLogIn,        // the operator table has its super administrator: on to the login window
  kQuit,         // the first-run window was left without one
  kCannotStart,  // the tables cannot be made or the operator table cannot be opened (said)
};

// Wires the table recovery, creates the missing tables, makes sure the operator table
// opens and, as long as it holds no super administrator, offers the first-run window: a
// first run left by Esc, 退出 or the program ending leaves an empty operator table, and
// nobody could log in then.
StartOutcome PrepareStart(AppContext& context);

// The whole program: look, data folder, first run, login, main window, message loop.
int RunProgram(int argc, char** argv);

}  // namespace tallyra
