#include "forms/windows/bank_form_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <string>

#include "forms/windows/amount_pipeline.h"
#include "forms/windows/cell_row.h"
#include "ui/controls.h"

namespace tallyra {

BankFormWindow::BankFormWindow(AppContext& context, QWidget* owner, const QString& title,
                               const QString& greeting)
    : FormWindow(context, owner, title, greeting) {}

// The controls outlive this part of the window: their changes may not reach the
// pipeline any more.
BankFormWindow::~BankFormWindow() {
  if (!amounts_) return;
  for (QObject* child : findChildren<QObject*>()) child->disconnect(amounts_);
}

AmountPipeline* BankFormWindow::Amounts() {
  if (!amounts_) amounts_ = new AmountPipeline(this);
  return amounts_;
}

QHBoxLayout* BankFormWindow::AddCapitalDate(QWidget* parent, QDateEdit* date) {
  auto* row = new QHBoxLayout;
  std::array<QLineEdit*, 3> capitals{};
  const char* const units[] = {"年", "月", "日"};
  for (std::size_t i = 0; i < capitals.size(); ++i) {
    const std::string name = "编辑框" + std::to_string(i + 1);
    capitals[i] = AddDerivedBox(parent, name.c_str());
    row->addWidget(capitals[i]);
    row->addWidget(new QLabel(QString::fromUtf8(units[i]), parent));
  }
  Amounts()->SetDate(date, capitals);
  return row;
}

BankFormWindow::DigitGroup BankFormWindow::AddBankDigits(QWidget* parent, QLineEdit* figure,
                                                         QLineEdit* capitals) {
  QGroupBox* group = Group(parent, "分组框1", "");
  CellRow* digits = AddCellRow(BankDigitRowSpec(), group);
  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(digits->Container());
  layout->addStretch(1);
  Amounts()->SetAmount(digits, figure, capitals);
  return {group, digits};
}

void BankFormWindow::FieldsReset() {
  if (amounts_) amounts_->Recompute();
}

}  // namespace tallyra
