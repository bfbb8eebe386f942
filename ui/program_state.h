#pragma once

#include <QCheckBox>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

namespace tallyra {

// The state windows share, for the whole process. Passed, never global, so every test
// starts from a fresh one.
struct ProgramState {
  QString ProgramDir;  // folder of the program file, no trailing separator
  QDateTime StartTime;
  int LoginFailures = 0;
  QPointer<QWidget> CurrentForm;  // the one registered form window, or null
  QString OperatorName;           // the logged-in operator's account name
  QString OperatorLevel;          // "超级管理员" or "管理员"
  std::array<QPointer<QCheckBox>, 10> AdminCheckBoxes{};
  QString TableEditorFile;
  QString TableEditorProvider;
  QString TableEditorTitle;
  QString AdminAccountName;
  int CheckedAdminCount = 0;
  QPointer<QCheckBox> ClickedAdminCheckBox;
};

// Destroys the registered form window, if any; its destruction clears the registration.
void CloseCurrentForm(ProgramState& state);

// CloseCurrentForm, then creates the window (owned by the caller's window) and shows it.
QWidget* OpenForm(ProgramState& state, const std::function<QWidget*()>& create);

// The registration every form window holds for its lifetime: registers the window when
// made and clears CurrentForm when the window is about to be destroyed.
class FormRegistration final {
 public:
  FormRegistration(ProgramState& state, QWidget* window);
  ~FormRegistration();
  FormRegistration(const FormRegistration&) = delete;
  FormRegistration& operator=(const FormRegistration&) = delete;

 private:
  ProgramState& state_;
};

}  // namespace tallyra
