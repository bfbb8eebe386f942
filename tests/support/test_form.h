#pragma once

#include <QWidget>

#include "ui/program_state.h"

namespace tallyra {

// The smallest registered window: it registers as the current form and is none of the
// program's own.
class TestForm final : public QWidget {
 public:
  TestForm(ProgramState& state, QWidget* owner)
      : QWidget(owner, Qt::Window), registration_(state, this) {
    setAttribute(Qt::WA_DeleteOnClose);
  }

 private:
  FormRegistration registration_;
};

}  // namespace tallyra
