#include "forms/windows/cash_deposit_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "data/gbk_text.h"
#include "forms/amounts.h"
#include "forms/capitals.h"
#include "forms/cash_deposit_layout.h"
#include "forms/print_layout.h"
#include "forms/windows/cell_row.h"
#include "ui/controls.h"
#include "ui/list_box.h"

namespace tallyra {
namespace {

using K = ControlSpec::Kind;

// A count box takes up to ten digits: far past the slip's limit, so the check at print
// time, not the box, refuses a total too large.
constexpr int kCountDigits = 10;

struct Denomination {
  const char* caption;
  double value;  // yuan per unit counted; the coins are counted in fen
};
constexpr Denomination kNotes[] = {{"100元", 100}, {"50元", 50}, {"20元", 20}, {"10元", 10},
                                   {"5元", 5},     {"2元", 2},   {"1元", 1},   {"辅币", 0.01}};

// The slip's upper part, in 分组框4; 来源组合框1 is built apart because New keeps it.
const std::vector<ControlSpec>& HeaderControls() {
  static const std::vector<ControlSpec> controls = {
      {K::kGroup, "分组框4", "", {6, 10, 564, 192}},
      {K::kLabel, "标签1", "分组框4", {8, 18, 70, 20}, "出票日期"},
      {K::kDate, "日期框1", "分组框4", {81, 15, 171, 24}},
      {K::kLabel, "标签2", "分组框4", {8, 40, 70, 20}, "收款单位"},
      {K::kComboBox, "收单位组合框1", "分组框4", {81, 40, 477, 20}, "", 64},
      {K::kLabel, "标签3", "分组框4", {8, 67, 70, 20}, "账    号"},
      {K::kComboBox, "收账号组合框2", "分组框4", {81, 65, 477, 24}, "", 32},
      {K::kLabel, "标签4", "分组框4", {8, 92, 70, 20}, "开户社(行)"},
      {K::kComboBox, "开户行组合框3", "分组框4", {81, 90, 477, 24}, "", 32},
      {K::kLabel, "标签5", "分组框4", {8, 118, 70, 20}, "款项来源"},
      {K::kLabel, "标签6", "分组框4", {148, 115, 66, 20}, "交款单位"},
      {K::kComboBox, "交单位组合框4", "分组框4", {216, 115, 343, 20}, "", 64},
      {K::kLabel, "标签7", "分组框4", {8, 150, 70, 20}, "大写金额"},
      {K::kDerived, "大写编辑框1", "分组框4", {81, 140, 298, 45}},
      {K::kGroup, "分组框2", "分组框4", {387, 131, 174, 57}},
  };
  return controls;
}

// The ten read-only total cells 千万 … 分, 编辑框10 down to 编辑框1.
CellRowSpec TotalCellsSpec() {
  const std::vector<std::string> places = PlaceNames(10);
  CellRowSpec desc;
  desc.entry = CellEntry::kReadOnly;
  for (int k = 0; k < 10; ++k) {
    desc.cells.push_back({QStringLiteral("编辑框%1").arg(10 - k),
                          QString::fromStdString(places[static_cast<std::size_t>(k)]),
                          {7 + 16 * k, 32, 14, 20}});
  }
  return desc;
}

// Row k of the denomination table: left half for k < 4, right half after.
QPoint RowOrigin(int k) { return {k < 4 ? 0 : 273, 35 + 23 * (k % 4)}; }

}  // namespace

CashDepositWindow::CashDepositWindow(AppContext& context, QWidget* owner)
    : FormWindow(context, owner, QStringLiteral("打印现金交款单"),
                 QStringLiteral(" 您正在使用现金交款单管理，请注意本行的提示信息！")) {
  setObjectName(QStringLiteral("CashDepositWindow"));
  setFixedSize(583, 442);
  SetNewGreeting(QStringLiteral(" 您正在使用打印现金交款单模块，请注意本行的提示信息！"));
  SetInputHints(false);
  BuildHeader();
  BuildDenominations();
  BuildBottomBar("分组框3")->setGeometry(6, 335, 564, 73);
  SetCashTabOrder();
  SetFirstField(Control("日期框1"));
}

void CashDepositWindow::BuildHeader() {
  BuildControls(HeaderControls());
  QWidget* header = Control("分组框4");
  AddComboBox(header, "来源组合框1", 32, OnNew::kKeep)->setGeometry(81, 115, 59, 27);
  capitals_ = findChild<QLineEdit*>(QStringLiteral("大写编辑框1"));
  cells_ = AddCellRow(TotalCellsSpec(), Control("分组框2"));
}

void CashDepositWindow::BuildDenominations() {
  BuildControls({{K::kGroup, "分组框7", "", {6, 202, 564, 137}}});
  auto* group = Control("分组框7");
  int label = 8;
  const auto caption = [&](const QString& text, const QRect& rect, Qt::Alignment align) {
    QLabel* l = Caption(group, QStringLiteral("标签%1").arg(label++), text);
    l->setAlignment(align | Qt::AlignVCenter);
    l->setGeometry(rect);
  };
  for (int half : {0, 273}) {
    caption(QStringLiteral("券别"), {20 + half, 14, 80, 18}, Qt::AlignCenter);
    caption(QStringLiteral("张数"), {113 + half, 14, 53, 18}, Qt::AlignCenter);
    caption(QStringLiteral("金额"), {165 + half, 14, 114, 18}, Qt::AlignCenter);
  }
  std::vector<ControlSpec> counts;
  std::vector<ControlSpec> amounts;
  std::array<std::string, kDenominations> countNames;
  std::array<std::string, kDenominations> amountNames;
  for (int k = 0; k < kDenominations; ++k) {
    const QPoint at = RowOrigin(k);
    caption(QString::fromUtf8(kNotes[k].caption), {at.x() + 20, at.y(), 80, 24}, Qt::AlignCenter);
    countNames[k] = "编辑框" + std::to_string(11 + k);
    amountNames[k] = "编辑框" + std::to_string(19 + k);
    counts.push_back({K::kInteger,
                      countNames[k].c_str(),
                      "分组框7",
                      {at.x() + 113, at.y(), 53, 24},
                      "",
                      kCountDigits});
    amounts.push_back(
        {K::kDerived, amountNames[k].c_str(), "分组框7", {at.x() + 165, at.y(), 114, 24}});
  }
  // New empties the counts, which writes each amount as 0 and the total; then it empties
  // the amounts, leaving the cells at 0 . 0 0 and the capitals at 零.
  BuildControls(counts);
  AddResetStep([this] {
    for (int k = 0; k < kDenominations; ++k) CountChanged(k);
  });
  BuildControls(amounts);
  for (int k = 0; k < kDenominations; ++k) {
    counts_[k] = findChild<QLineEdit*>(QString::fromStdString(countNames[k]));
    amountBoxes_[k] = findChild<QLineEdit*>(QString::fromStdString(amountNames[k]));
    counts_[k]->setAlignment(Qt::AlignCenter);
    amountBoxes_[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(counts_[k], &QLineEdit::textChanged, this, [this, k] { CountChanged(k); });
  }
}

void CashDepositWindow::SetCashTabOrder() {
  std::vector<QWidget*> order;
  for (const char* name : {"日期框1", "收单位组合框1", "收账号组合框2", "开户行组合框3",
                           "来源组合框1", "交单位组合框4"}) {
    order.push_back(Control(name));
  }
  // Row by row, the left half's count before the right half's.
  for (int row = 0; row < 4; ++row) {
    order.push_back(counts_[row]);
    order.push_back(counts_[row + 4]);
  }
  for (const char* name : {"按钮6", "按钮8", "按钮预览"}) order.push_back(Control(name));
  SetTabOrder(order);
}

void CashDepositWindow::CountChanged(int row) {
  const double count = NumericValue(counts_[row]->text().toStdString());
  amountBoxes_[row]->setText(QString::fromStdString(FormatNumber(count * kNotes[row].value)));
  RecomputeTotal();
}

void CashDepositWindow::RecomputeTotal() {
  double sum = 0;
  for (QLineEdit* amount : amountBoxes_) sum += NumericValue(amount->text().toStdString());
  const std::string text = TwoDecimalText(sum);
  total_ = NumericValue(text);
  cells_->SetTexts(TwoDecimalsIntoCells(text, static_cast<std::size_t>(cells_->Size())));
  capitals_->setText(QString::fromStdString(AmountToCapitals(total_)));
}

void CashDepositWindow::LoadLists() {
  auto* depositor = findChild<ListBox*>(QStringLiteral("交单位组合框4"));
  auto* account = findChild<ListBox*>(QStringLiteral("收账号组合框2"));
  auto* bank = findChild<ListBox*>(QStringLiteral("开户行组合框3"));
  auto* payee = findChild<ListBox*>(QStringLiteral("收单位组合框1"));
  Lists().Fill({"Bfqc.bsf", {"单位全称"}}, {depositor});
  Lists().Fill({"Bfzh.bsf", {"账号说明", "银行账号"}, ListRule::kAccount}, {account});
  Lists().Fill({"Bfyh.bsf", {"开户银行"}}, {bank});
  Lists().Fill({"Dfqc.bsf", {"单位全称"}}, {payee});
  Lists().Fill({"Kxlyk.bsf", {"款项来源"}}, {findChild<ListBox*>(QStringLiteral("来源组合框1"))});
  for (ListBox* list : {payee, account, bank, depositor}) list->setEditText(QString());
}

bool CashDepositWindow::CheckBeforePrint() {
  // The slip's highest cell is ten million: 100 000 000 yuan no longer fits.
  if (total_ < 100'000'000.0 - 0.0000001) return true;
  return RefusePrint(QStringLiteral("您的金额已经超出票面限额，请您修改后再打印！"));
}

const PrintLayout& CashDepositWindow::Layout() const { return CashDepositLayout(); }

OffsetSource CashDepositWindow::Offsets() const { return OffsetsOf(OffsetPair::kCashDepositSlip); }

}  // namespace tallyra
