#include "ui/program_state.h"

namespace tallyra {

void CloseCurrentForm(ProgramState& state) {
  if (QWidget* form = state.CurrentForm.data()) {
    delete form;
    state.CurrentForm = nullptr;
  }
}

QWidget* OpenForm(ProgramState& state, const std::function<QWidget*()>& create) {
  CloseCurrentForm(state);
  QWidget* window = create();
  if (window) {
    window->show();
    window->raise();
    window->activateWindow();
  }
  return window;
}

FormRegistration::FormRegistration(ProgramState& state, QWidget* window) : state_(state) {
  state_.CurrentForm = window;
}

// Clears the registration whoever holds it: a window that closes is never left as the
// one to close next.
FormRegistration::~FormRegistration() { state_.CurrentForm = nullptr; }

}  // namespace tallyra
