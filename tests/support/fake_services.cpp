#include "tests/support/fake_services.h"

#include <algorithm>
#include <stdexcept>

#include "data/fatal_error.h"

namespace tallyra {

std::vector<QString> FakeMessageBoxes::Texts() const {
  std::vector<QString> texts;
  for (const Message& message : shown) texts.push_back(message.text);
  return texts;
}

MessageAnswer FakeMessageBoxes::Present(QWidget*, const Message& message) {
  shown.push_back(message);
  if (answers.empty()) return MessageAnswer::kOk;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

bool FakeShell::OpenFile(const QString& path) {
  opened.push_back(path);
  return std::find(openable.begin(), openable.end(), path) != openable.end();
}

QString FakeFileDialogs::Next() {
  if (answers.empty()) return {};
  const QString answer = answers.front();
  answers.pop_front();
  return answer;
}

bool FakePrintService::Print(QWidget*, const PrintRun& run) {
  ++dialogs;
  if (printAnswer) printed.push_back(run);
  return printAnswer;
}

void FakeProcess::FatalError(int code, const QString& text) {
  throw std::runtime_error(FatalErrorText(code, text.toStdString()));
}

}  // namespace tallyra
