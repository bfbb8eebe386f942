#include "vouchers/windows/voucher_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "forms/amounts.h"
#include "ui/list_box.h"

namespace tallyra {
namespace {

constexpr int kCellStep = 16;
constexpr QSize kCellSize(14, 24);

// The cell background the voucher forms show for the totals, typed or not.
const QString kTotalsStyle =
    QStringLiteral("QLineEdit { color: rgb(128, 0, 0); background: rgb(236, 236, 236); }");

CellSpec CellAt(const std::string& name, int x, int y) {
  return {QString::fromStdString(name), QString(), QRect(QPoint(x, y), kCellSize)};
}

}  // namespace

void AddPlaceCaptions(std::vector<ControlSpec>& controls, const char* group, int x, int y) {
  // The controls keep pointers to their captions.
  static const std::vector<std::string> places = PlaceNames(kVoucherAmountCells);
  for (int j = 0; j < kVoucherAmountCells; ++j) {
    controls.push_back({ControlSpec::Kind::kLabel, "标签" + std::to_string(14 + j), group,
                        QRect(QPoint(x + kCellStep * j, y), kCellSize),
                        places[static_cast<std::size_t>(j)].c_str()});
  }
}

VoucherWindow::VoucherWindow(AppContext& context, QWidget* owner, VoucherWindowSpec desc)
    : FormWindow(context, owner, QString::fromUtf8(desc.title), QString::fromUtf8(desc.greeting)),
      spec_(std::move(desc)) {
  setFixedSize(spec_.size);
  BuildControls(spec_.controls);
  Dress();
  BuildLineFields();
  BuildCells();
  LinkFocusChain();
  AddVoucherResetSteps();
  SetVoucherTabOrder();
  SetFirstField(Control(spec_.firstField));
  // Leaving the date box recomputes the totals, as every cell change does.
  dateBox_ = findChild<QDateEdit*>(QStringLiteral("日期框2"));
  dateBox_->installEventFilter(this);
}

void VoucherWindow::Dress() {
  auto* banner = findChild<QLabel*>(QStringLiteral("透明标签2"));
  QFont bannerFont(QStringLiteral("宋体"));
  bannerFont.setPixelSize(29);
  bannerFont.setBold(true);
  banner->setFont(bannerFont);
  banner->setAlignment(Qt::AlignCenter);
  // The column captions stand centred over their columns, as on the paper voucher.
  for (QLabel* caption : Control("分组框7")->findChildren<QLabel*>()) {
    caption->setAlignment(Qt::AlignCenter);
  }
  findChild<QLabel*>(QStringLiteral("标签11"))->setAlignment(Qt::AlignCenter);
  const QString grey = QStringLiteral("background: rgb(236, 236, 236);");
  findChild<QLabel*>(QStringLiteral("登录签"))
      ->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); ") + grey);
  StatusLine()->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); ") + grey);
}

void VoucherWindow::BuildLineFields() {
  using K = ControlSpec::Kind;
  constexpr int kCounterpartyBytes = 44;
  const VoucherLineGeometry& g = spec_.lines;
  std::vector<ControlSpec> fields;
  for (int k = 0; k < kVoucherLines; ++k) {
    const char* group = g.groups[static_cast<std::size_t>(k)];
    const VoucherLineNames names = VoucherLine(spec_.kind, k);
    fields.push_back(
        {K::kMultiLine, names.counterparty, group, g.counterparty, "", kCounterpartyBytes});
    fields.push_back({K::kMultiLine, names.summary, group, g.summary, "", g.summaryBytes});
    for (std::size_t s = 0; s < names.subjects.size(); ++s) {
      fields.push_back({K::kComboBox, names.subjects[s], group, g.subjects[s], "", g.subjectBytes});
    }
  }
  BuildControls(fields);
}

void VoucherWindow::BuildCells() {
  const VoucherLineGeometry& g = spec_.lines;
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames names = VoucherLine(spec_.kind, k);
    CellRowSpec row;
    for (int j = 0; j < kVoucherAmountCells; ++j) {
      row.cells.push_back(CellAt(names.cells[j], g.firstCellX + kCellStep * j, g.cellY));
    }
    row.cells.push_back(CellAt(names.leftMark, g.leftMarkX, g.cellY));
    row.cells.push_back(CellAt(names.rightMark, g.rightMarkX, g.cellY));
    lines_[static_cast<std::size_t>(k)] =
        AddCellRow(row, Control(g.groups[static_cast<std::size_t>(k)]));
  }
  const VoucherTotalsGeometry& t = spec_.totals;
  QWidget* totalsGroup = Control(t.group);
  // New empties the marks, then the totals: the marks' reactions recompute the totals,
  // so the row is empty after New and not "0".
  totalMarks_ = AddCellRow(
      {{CellAt("编辑框74", t.leftMarkX, t.cellY), CellAt("编辑框73", t.rightMarkX, t.cellY)},
       CellEntry::kTyped},
      totalsGroup);
  CellRowSpec totals{{}, t.entry};
  const std::vector<std::string> names = VoucherTotalCells();
  for (std::size_t j = 0; j < names.size(); ++j) {
    totals.cells.push_back(
        CellAt(names[j], t.firstCellX + kCellStep * static_cast<int>(j), t.cellY));
  }
  totals_ = AddCellRow(totals, totalsGroup);
  for (int j = 0; j < totals_->Size(); ++j) totals_->Cell(j)->setStyleSheet(kTotalsStyle);
}

void VoucherWindow::LinkFocusChain() {
  for (int k = 0; k < kVoucherLines; ++k) {
    CellRow* line = Line(k);
    const bool last = k + 1 == kVoucherLines;
    line->SetNextField(last ? Control("编辑框85")
                            : Control(VoucherLine(spec_.kind, k + 1).counterparty.c_str()));
    connect(line, &CellRow::Changed, this, &VoucherWindow::RecomputeTotals);
  }
  totalMarks_->SetNextField(Control("按钮8"));
  connect(totalMarks_, &CellRow::Changed, this, &VoucherWindow::RecomputeTotals);
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames names = VoucherLine(spec_.kind, k);
    // The summary scrolls; the counterparty, two printed lines at most, does not.
    auto* counterparty = findChild<QPlainTextEdit*>(QString::fromStdString(names.counterparty));
    counterparty->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* summary = findChild<QPlainTextEdit*>(QString::fromStdString(names.summary));
    if (spec_.kind != VoucherKind::kTransfer) {
      summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
  }
}

void VoucherWindow::AddVoucherResetSteps() {
  if (!spec_.defaultHeaderSubject) return;
  auto* header = findChild<QComboBox*>(QStringLiteral("组合框1"));
  const QString subject = QString::fromUtf8(spec_.defaultHeaderSubject);
  AddResetStep([header, subject] { header->setEditText(subject); });
}

void VoucherWindow::SetVoucherTabOrder() {
  std::vector<QWidget*> order;
  for (const std::string& name : spec_.tabBeforeLines) order.push_back(Control(name.c_str()));
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames names = VoucherLine(spec_.kind, k);
    order.push_back(Control(names.counterparty.c_str()));
    order.push_back(Control(names.summary.c_str()));
    for (const std::string& subject : names.subjects) order.push_back(Control(subject.c_str()));
    for (int j = 0; j < Line(k)->Size(); ++j) order.push_back(Line(k)->Cell(j));
  }
  for (const char* name : {"编辑框85", "编辑框74", "编辑框73", "按钮8", "按钮6", "按钮预览"}) {
    order.push_back(Control(name));
  }
  SetTabOrder(order);
}

bool VoucherWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == dateBox_ && event->type() == QEvent::FocusOut) RecomputeTotals();
  return FormWindow::eventFilter(watched, event);
}

double VoucherWindow::LinesTotal() const {
  double total = 0;
  for (CellRow* line : lines_) total += LineAmountInFen(line->Texts(0, kVoucherAmountCells));
  return total;
}

void VoucherWindow::RecomputeTotals() {
  totals_->SetTexts(TotalIntoCells(LinesTotal(), kVoucherAmountCells));
}

bool VoucherWindow::CheckBeforePrint() {
  if (TotalFitsCells(LinesTotal(), kVoucherAmountCells)) return true;
  return RefusePrint(
      QStringLiteral("合计金额超出凭证金额栏的十位（千万至分），无法完整打印，请您修改后再打印！"));
}

void VoucherWindow::LoadLists() {
  for (const SubjectList& list : spec_.lists) {
    std::vector<ListBox*> boxes;
    for (const std::string& name : list.boxes) {
      boxes.push_back(findChild<ListBox*>(QString::fromStdString(name)));
    }
    Lists().Fill({list.file, {list.field}, ListRule::kUniquePrefix}, boxes);
  }
}

const PrintLayout& VoucherWindow::Layout() const {
  switch (spec_.kind) {
    case VoucherKind::kReceipt:
      return ReceiptVoucherLayout();
    case VoucherKind::kPayment:
      return PaymentVoucherLayout();
    case VoucherKind::kTransfer:
      break;
  }
  return TransferVoucherLayout();
}

OffsetSource VoucherWindow::Offsets() const { return OffsetsOf(spec_.offsets); }

}  // namespace tallyra
