#pragma once

#include <QString>

#include "forms/windows/form_window.h"

class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;

namespace tallyra {

class AmountPipeline;
class CellRow;

// What the bank forms (cheque, deposit slip, wire transfer) add to a form window: the
// issue date in capitals, the eleven digit boxes, and the pipeline that derives the
// amount's figures and capitals and the date's capitals from them.
class BankFormWindow : public FormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(BankFormWindow)

 public:
  ~BankFormWindow() override;

 protected:
  BankFormWindow(AppContext& context, QWidget* owner, const QString& title,
                 const QString& greeting);

  // The issue date in capitals, 编辑框1 … 编辑框3 each followed by 年, 月 or 日, following
  // the date box; the row of them.
  QHBoxLayout* AddCapitalDate(QWidget* parent, QDateEdit* date);
  // The digit boxes 编辑框4 … 编辑框14 under their places in the group 分组框1; the
  // figures and capitals follow them.
  struct DigitGroup {
    QGroupBox* group;
    CellRow* digits;
  };
  DigitGroup AddBankDigits(QWidget* parent, QLineEdit* figure, QLineEdit* capitals);

  // The derived amount and date are recomputed at the end of New.
  void FieldsReset() override;

 private:
  AmountPipeline* Amounts();

  AmountPipeline* amounts_ = nullptr;
};

}  // namespace tallyra
