#pragma once

#include <array>

#include "forms/windows/form_window.h"

namespace tallyra {

// The cash deposit slip: the operator counts the notes of each denomination and the
// window works out each amount, the total, its cells and its capitals.
class CashDepositWindow final : public FormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(CashDepositWindow)

 public:
  CashDepositWindow(AppContext& context, QWidget* owner);

  CellRow* TotalCells() const { return cells_; }
  // The slip's total in yuan, rounded to fen.
  double Total() const { return total_; }

 protected:
  void LoadLists() override;
  bool CheckBeforePrint() override;
  const PrintLayout& Layout() const override;
  OffsetSource Offsets() const override;

 private:
  static constexpr int kDenominations = 8;

  void BuildHeader();
  void BuildDenominations();
  void SetCashTabOrder();
  void CountChanged(int row);
  void RecomputeTotal();

  std::array<QLineEdit*, kDenominations> counts_{};
  std::array<QLineEdit*, kDenominations> amountBoxes_{};
  CellRow* cells_ = nullptr;
  QLineEdit* capitals_ = nullptr;
  double total_ = 0;
};

}  // namespace tallyra
