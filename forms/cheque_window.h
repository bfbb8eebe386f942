#pragma once

#include "forms/form_window.h"

namespace tallyra {

// The cheque: its stub and its face, printed onto a pre-printed cheque in one run.
class ChequeWindow final : public FormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ChequeWindow)

 public:
  ChequeWindow(AppContext& context, QWidget* owner);

 protected:
  void LoadLists() override;
  void PrintRoutine(bool preview) override;

 private:
  QWidget* BuildStub();
  QWidget* BuildFace();
  void SetTabOrder();

  QComboBox* accountList_ = nullptr;
};

}  // namespace tallyra
