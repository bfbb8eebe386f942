#include "data/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace tallyra {
namespace {

void DefaultHandler(int code, const std::string& text) {
  const std::string message = FatalErrorText(code, text) + "\n";
  std::fputs(message.c_str(), stderr);
  std::fflush(stderr);
  std::exit(EXIT_FAILURE);
}

FatalErrorHandler& InstalledHandler() {
  static FatalErrorHandler handler = DefaultHandler;
  return handler;
}

}  // namespace

std::string FatalErrorText(int code, const std::string& text) {
  std::string box = "运行时出错!";
  if (code != 0) box += "\n\n错误代码：" + std::to_string(code);
  if (!text.empty()) box += "\n\n错误信息：" + text;
  return box;
}

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
