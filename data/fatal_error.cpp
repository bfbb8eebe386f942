#include "data/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace tallyra {
namespace {

void DefaultHandler(int code, const std::string& text) {
  std::string message = "运行时出错!\n\n";
  if (code != 0) message += "错误代码：" + std::to_string(code) + "\n\n";
  if (!text.empty()) message += "错误信息：" + text + "\n";
  std::fputs(message.c_str(), stderr);
  std::fflush(stderr);
  std::exit(EXIT_FAILURE);
}

FatalErrorHandler& InstalledHandler() {
  static FatalErrorHandler handler = DefaultHandler;
  return handler;
}

}  // namespace

FatalErrorHandler SetFatalErrorHandler(FatalErrorHandler handler) {
  if (!handler) handler = DefaultHandler;
  return std::exchange(InstalledHandler(), std::move(handler));
}

void RaiseFatalError(int code, const std::string& text) {
  // A copy, so that a handler that installs another one does not destroy itself.
  const FatalErrorHandler handler = InstalledHandler();
  handler(code, text);
  // A handler must not return; if one does, the program still must not go on.
  std::abort();
}

}  // namespace tallyra
