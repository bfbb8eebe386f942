#include "forms/windows/cheque_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "forms/cheque_layout.h"
#include "forms/windows/cell_row.h"
#include "ui/controls.h"
#include "ui/list_box.h"

namespace tallyra {

ChequeWindow::ChequeWindow(AppContext& context, QWidget* owner)
    : BankFormWindow(context, owner, QStringLiteral("打印支票"),
                     QStringLiteral(" 您正在使用支票管理，请注意本行的提示信息！")) {
  setObjectName(QStringLiteral("ChequeWindow"));
  setFixedSize(413, 465);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(BuildStub());
  layout->addWidget(BuildFace());
  layout->addWidget(BuildBottomBar("分组框7"));
  SetChequeTabOrder();
  SetFirstField(dateBox_);
}

QWidget* ChequeWindow::BuildStub() {
  QGroupBox* stub = Group(this, "分组框4", "支票存根");
  auto* grid = new QGridLayout(stub);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);
  dateBox_ = AddDateBox(stub, "日期框1");
  grid->addWidget(Caption(stub, "标签11", "出票日期"), 0, 0);
  grid->addWidget(dateBox_, 0, 1);
  grid->addWidget(Caption(stub, "标签24", "小写金额"), 0, 2);
  grid->addWidget(AddDerivedBox(stub, "小写编辑框5"), 0, 3);
  grid->addWidget(Caption(stub, "标签4", "附加信息"), 1, 0);
  grid->addWidget(AddTextBox(stub, "附加编辑框2", 48), 1, 1, 1, 3);
  grid->addWidget(Caption(stub, "标签5", "收 款 人"), 2, 0);
  grid->addWidget(AddTextBox(stub, "收款编辑框3", 36), 2, 1, 1, 3);
  grid->addWidget(Caption(stub, "标签6", "用    途"), 3, 0);
  grid->addWidget(AddTextBox(stub, "用途编辑框4", 18), 3, 1, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return stub;
}

QWidget* ChequeWindow::BuildFace() {
  QGroupBox* face = Group(this, "分组框2", "支票正面");
  auto* grid = new QGridLayout(face);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);

  grid->addWidget(Caption(face, "标签25", "大写出票日期"), 0, 0);
  grid->addLayout(AddCapitalDate(face, dateBox_), 0, 1);

  QLineEdit* capitals = AddDerivedBox(face, "大写编辑框2");
  const DigitGroup digits =
      AddBankDigits(face, findChild<QLineEdit*>(QStringLiteral("小写编辑框5")), capitals);
  digits_ = digits.digits;
  grid->addWidget(Caption(face, "标签7", "小写金额"), 1, 0);
  grid->addWidget(digits.group, 1, 1);

  QGroupBox* accountGroup = Group(face, "分组框5", "出票人账号");
  auto* accountLayout = new QHBoxLayout(accountGroup);
  accountLayout->setContentsMargins(4, 2, 4, 2);
  accountList_ = AddComboBox(accountGroup, "账号编辑框1", 32);
  accountLayout->addWidget(accountList_);
  grid->addWidget(accountGroup, 2, 0, 1, 2);

  grid->addWidget(Caption(face, "标签8", "大写金额"), 3, 0);
  grid->addWidget(capitals, 3, 1);
  grid->addWidget(Caption(face, "标签1", "收 款 人"), 4, 0);
  grid->addWidget(AddTextBox(face, "收款编辑框1", 44), 4, 1);
  grid->addWidget(Caption(face, "标签26", "用    途"), 5, 0);
  grid->addWidget(AddTextBox(face, "用途编辑框1", 44), 5, 1);
  grid->addWidget(Caption(face, "标签27", "密    码"), 6, 0);
  grid->addWidget(AddTextBox(face, "密码编辑框1", 32), 6, 1);
  grid->setColumnStretch(1, 1);
  digits_->SetNextField(accountList_);
  return face;
}

void ChequeWindow::SetChequeTabOrder() {
  std::vector<QWidget*> order = {dateBox_};
  for (const char* name : {"附加编辑框2", "收款编辑框3", "用途编辑框4"}) {
    order.push_back(Control(name));
  }
  for (int k = 0; k < digits_->Size(); ++k) order.push_back(digits_->Cell(k));
  order.push_back(accountList_);
  for (const char* name :
       {"收款编辑框1", "用途编辑框1", "密码编辑框1", "按钮6", "按钮8", "按钮预览"}) {
    order.push_back(Control(name));
  }
  SetTabOrder(order);
}

void ChequeWindow::LoadLists() {
  Lists().Fill({"Bfzh.bsf", {"账号说明", "银行账号"}, ListRule::kAccount}, {accountList_});
}

const PrintLayout& ChequeWindow::Layout() const { return ChequeLayout(); }

OffsetSource ChequeWindow::Offsets() const { return OffsetsOf(OffsetPair::kCheque); }

}  // namespace tallyra
