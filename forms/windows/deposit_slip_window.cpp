#include "forms/windows/deposit_slip_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "forms/deposit_slip_layout.h"
#include "forms/windows/cell_row.h"
#include "ui/controls.h"
#include "ui/list_box.h"

namespace tallyra {
namespace {

// Each party's three lists: {label name, list name}, with their captions and limits.
const char* const kDrawer[3][2] = {
    {"标签4", "出全称组合框2"}, {"标签5", "出账号组合框3"}, {"标签6", "出开户行组合框4"}};
const char* const kPayee[3][2] = {
    {"标签26", "收全称编辑框2"}, {"标签27", "收账号编辑框3"}, {"标签1", "收开户行编辑框4"}};
const char* const kPartyCaptions[3] = {"全    称", "账    号", "开户社(行)"};
const int kPartyBytes[3] = {64, 32, 32};

}  // namespace

DepositSlipWindow::DepositSlipWindow(AppContext& context, QWidget* owner)
    : BankFormWindow(context, owner, QStringLiteral("打印进帐单"),
                     QStringLiteral(" 您正在使用进账单管理，请注意本行的提示信息！")) {
  setObjectName(QStringLiteral("DepositSlipWindow"));
  setFixedSize(580, 518);
  auto* parties = new QHBoxLayout;
  parties->addWidget(BuildParty("分组框4", "出票人", kDrawer));
  parties->addWidget(BuildParty("分组框2", "收款人", kPayee));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addLayout(parties);
  layout->addWidget(BuildOther(), 1);
  layout->addWidget(BuildBottomBar("分组框3"));
  SetSlipTabOrder();
  SetFirstField(Control("出全称组合框2"));
}

QWidget* DepositSlipWindow::BuildParty(const char* group, const char* title,
                                       const char* const (&names)[3][2]) {
  QGroupBox* party = Group(this, group, title);
  auto* grid = new QGridLayout(party);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(Caption(party, names[row][0], kPartyCaptions[row]), row, 0);
    grid->addWidget(AddComboBox(party, names[row][1], kPartyBytes[row]), row, 1);
  }
  grid->setColumnStretch(1, 1);
  return party;
}

QWidget* DepositSlipWindow::BuildOther() {
  QGroupBox* other = Group(this, "分组框7", "其他");
  auto* grid = new QGridLayout(other);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setVerticalSpacing(10);

  dateBox_ = AddDateBox(other, "日期框1");
  grid->addWidget(Caption(other, "标签11", "出票日期"), 0, 0);
  QHBoxLayout* dateRow = AddCapitalDate(other, dateBox_);
  dateRow->insertWidget(0, dateBox_);
  grid->addLayout(dateRow, 0, 1, 1, 3);

  QLineEdit* capitals = AddDerivedBox(other, "大写编辑框2");
  QLineEdit* figure = AddDerivedBox(other, "小写编辑框5");
  const DigitGroup digits = AddBankDigits(other, figure, capitals);
  digits_ = digits.digits;
  grid->addWidget(Caption(other, "标签7", "小写\n金额"), 1, 0);
  grid->addWidget(digits.group, 1, 1, 1, 3);

  grid->addWidget(Caption(other, "标签3", "票据种类"), 2, 0);
  grid->addWidget(AddTextBox(other, "种类组合框5", 12), 2, 1);
  grid->addWidget(Caption(other, "标签28", "票据张数"), 2, 2);
  grid->addWidget(AddTextBox(other, "张数编辑框3", 6), 2, 3);
  grid->addWidget(Caption(other, "标签29", "票据号码"), 3, 0);
  grid->addWidget(AddTextBox(other, "号码编辑框4", 32), 3, 1, 1, 3);

  QGroupBox* remarkGroup = Group(other, "分组框11", "备注");
  auto* remarkLayout = new QHBoxLayout(remarkGroup);
  remarkLayout->setContentsMargins(4, 2, 4, 2);
  remarkLayout->addWidget(AddTextBox(remarkGroup, "用途编辑框1", 76));
  grid->addWidget(remarkGroup, 4, 0, 1, 4);

  grid->addWidget(Caption(other, "标签8", "大写金额"), 5, 0);
  grid->addWidget(capitals, 5, 1);
  grid->addWidget(Caption(other, "标签24", "小写金额"), 5, 2);
  grid->addWidget(figure, 5, 3);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(3, 2);
  grid->setRowStretch(6, 1);  // the rows stay together; spare height goes below them

  digits_->SetNextField(Control("种类组合框5"));
  return other;
}

void DepositSlipWindow::SetSlipTabOrder() {
  std::vector<QWidget*> order;
  for (const char* name : {"出全称组合框2", "出账号组合框3", "出开户行组合框4", "收全称编辑框2",
                           "收账号编辑框3", "收开户行编辑框4"}) {
    order.push_back(Control(name));
  }
  order.push_back(dateBox_);
  for (int k = 0; k < digits_->Size(); ++k) order.push_back(digits_->Cell(k));
  for (const char* name :
       {"种类组合框5", "张数编辑框3", "号码编辑框4", "用途编辑框1", "按钮8", "按钮6", "按钮预览"}) {
    order.push_back(Control(name));
  }
  SetTabOrder(order);
}

void DepositSlipWindow::LoadLists() {
  const auto list = [this](const char* name) { return qobject_cast<ListBox*>(Control(name)); };
  const ListRule every = ListRule::kEveryEntry;
  const ListRule account = ListRule::kAccount;
  Lists().Fill({"Bfqc.bsf", {"单位全称"}, every}, {list("出全称组合框2")});
  Lists().Fill({"Bfzh.bsf", {"账号说明", "银行账号"}, account}, {list("出账号组合框3")});
  Lists().Fill({"Bfyh.bsf", {"开户银行"}, every}, {list("出开户行组合框4")});
  Lists().Fill({"Dfqc.bsf", {"单位全称"}, every}, {list("收全称编辑框2")});
  Lists().Fill({"Dfzh.bsf", {"账号说明", "银行账号"}, account}, {list("收账号编辑框3")});
  Lists().Fill({"Dfyh.bsf", {"开户银行"}, every}, {list("收开户行编辑框4")});
}

const PrintLayout& DepositSlipWindow::Layout() const { return DepositSlipLayout(); }

OffsetSource DepositSlipWindow::Offsets() const { return DepositSlipOffsets(); }

}  // namespace tallyra
