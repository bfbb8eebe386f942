#pragma once

#include <QDialog>

#include "ui/app_context.h"

class QCheckBox;
class QLineEdit;

namespace tallyra {

// Shown once, when there is no operator table yet: asks for the super administrator's
// account name and password (typed twice) and offers to load the sample data.
class FirstRunWindow final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FirstRunWindow)

 public:
  explicit FirstRunWindow(AppContext& context, QWidget* parent = nullptr);

  // Checks the input and writes the super administrator (and the sample data); on
  // success the dialog is accepted.
  void Confirm();

 private:
  bool Refuse(const QString& text, QLineEdit* focus);

  AppContext& context_;
  QLineEdit* nameEdit_;
  QLineEdit* passwordEdit_;
  QLineEdit* repeatEdit_;
  QCheckBox* sampleBox_;
};

}  // namespace tallyra
