#pragma once

#include <QLabel>
#include <QWidget>

#include "ui/program_state.h"

namespace tallyra {

// The smallest form window: it registers as the current form and has the two labels
// the main window writes.
class TestForm final : public QWidget {
 public:
  TestForm(ProgramState& state, QWidget* owner)
      : QWidget(owner, Qt::Window), registration_(state, this) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* login = new QLabel(this);
    login->setObjectName(QStringLiteral("登录签"));
    auto* warning = new QLabel(this);
    warning->setObjectName(QStringLiteral("警告签"));
  }
  QString LabelText(const char* name) const {
    return findChild<QLabel*>(QString::fromUtf8(name))->text();
  }

 private:
  FormRegistration registration_;
};

}  // namespace tallyra
