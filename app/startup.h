#pragma once

namespace tallyra {

// The whole program: look, data folder, first run, login, main window, message loop.
int RunProgram(int argc, char** argv);

}  // namespace tallyra
