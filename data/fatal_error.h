#pragma once

#include <functional>
#include <string>

namespace tallyra {

// A fatal error of the program: misuse of the record store (a read with no current table,
// a field the table does not have, a field of an unexpected type). The program installs
// a handler that shows "运行时出错!" with the code and text and ends the process; tests
// install one that throws. The default handler, for a process without windows, writes
// the message to stderr and exits with a non-zero code. A handler must not return.
using FatalErrorHandler = std::function<void(int code, const std::string& text)>;

// Installs the handler and returns the previous one.
FatalErrorHandler SetFatalErrorHandler(FatalErrorHandler handler);

// The text of the fatal-error box: "运行时出错!", then the code and the text where there
// are any, each after an empty line. The one place it is written.
std::string FatalErrorText(int code, const std::string& text);

// Calls the installed handler; never returns.
[[noreturn]] void RaiseFatalError(int code, const std::string& text);

}  // namespace tallyra
