#pragma once

#include "forms/windows/bank_form_window.h"

namespace tallyra {

// The bank's deposit slip: drawer and payee from the reference tables, the date, the
// amount, the bills and a remark, printed with an offset per line and per column.
class DepositSlipWindow final : public BankFormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DepositSlipWindow)

 public:
  DepositSlipWindow(AppContext& context, QWidget* owner);

  CellRow* Digits() const { return digits_; }

 protected:
  void LoadLists() override;
  const PrintLayout& Layout() const override;
  OffsetSource Offsets() const override;

 private:
  QWidget* BuildParty(const char* group, const char* title, const char* const (&names)[3][2]);
  QWidget* BuildOther();
  void SetSlipTabOrder();

  QDateEdit* dateBox_ = nullptr;
  CellRow* digits_ = nullptr;
};

}  // namespace tallyra
