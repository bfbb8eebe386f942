#pragma once

#include "forms/windows/bank_form_window.h"

namespace tallyra {

// The cheque: its stub and its face, printed onto a pre-printed cheque in one run.
class ChequeWindow final : public BankFormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ChequeWindow)

 public:
  ChequeWindow(AppContext& context, QWidget* owner);

  CellRow* Digits() const { return digits_; }

 protected:
  void LoadLists() override;
  const PrintLayout& Layout() const override;
  OffsetSource Offsets() const override;

 private:
  QWidget* BuildStub();
  QWidget* BuildFace();
  void SetChequeTabOrder();

  QDateEdit* dateBox_ = nullptr;
  CellRow* digits_ = nullptr;
  ListBox* accountList_ = nullptr;
};

}  // namespace tallyra
