// The voucher mechanics, run against each of the three voucher windows.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "forms/position_table.h"
#include "tests/support/form_fixture.h"
#include "vouchers/windows/payment_voucher_window.h"
#include "vouchers/windows/receipt_voucher_window.h"
#include "vouchers/windows/transfer_voucher_window.h"

namespace tallyra {
namespace {

struct VoucherCase {
  VoucherKind kind;
  const char* name;
  const char* generalTable;  // the table filling the first subject box of each line
  int offsetPair;            // its pair of the position table
  const char* jobName;
};

void PrintTo(const VoucherCase& c, std::ostream* out) { *out << c.name; }

const VoucherCase kCases[] = {
    {VoucherKind::kReceipt, "Receipt", "Szzkm.bsf", 4, "收款凭证打印"},
    {VoucherKind::kPayment, "Payment", "Fzzkm.bsf", 5, "付款凭证打印"},
    {VoucherKind::kTransfer, "Transfer", "Zjzzkm.bsf", 6, "转帐凭证打印"},
};

class VoucherWindowTest : public UiFixture, public ::testing::WithParamInterface<VoucherCase> {
 protected:
  void Open() {
    switch (Kind()) {
      case VoucherKind::kReceipt:
        window_ = CreateForm<ReceiptVoucherWindow>(*context_, nullptr);
        break;
      case VoucherKind::kPayment:
        window_ = CreateForm<PaymentVoucherWindow>(*context_, nullptr);
        break;
      case VoucherKind::kTransfer:
        window_ = CreateForm<TransferVoucherWindow>(*context_, nullptr);
        break;
    }
    ShowActive(window_);
  }
  ~VoucherWindowTest() override { delete window_.data(); }

  VoucherKind Kind() const { return GetParam().kind; }
  bool Transfer() const { return Kind() == VoucherKind::kTransfer; }
  void AddSubjects(const char* file, const std::vector<std::string>& subjects) {
    ASSERT_TRUE(store_->Open(std::string("bsf\\") + file));
    for (const std::string& subject : subjects) ASSERT_TRUE(store_->Append({subject}));
    store_->CloseAll();
  }
  template <typename T = QLineEdit>
  T* Control(const std::string& name) {
    return FindControl<T>(window_, QString::fromStdString(name));
  }
  VoucherLineNames Names(int k) const { return VoucherLine(Kind(), k); }
  QLineEdit* Cell(int line, int j) { return window_->Line(line)->Cell(j); }
  QString Totals() {
    QString shown;
    for (int j = 0; j < 10; ++j) {
      const QString text = window_->Totals()->Cell(j)->text();
      shown += text.isEmpty() ? QStringLiteral("_") : text;
    }
    return shown;
  }
  void Type(const QString& keys) {
    for (QChar key : keys) QTest::keyClicks(QApplication::focusWidget(), QString(key));
  }
  // Types into line k from cell j on: "_" types nothing and lets the focus skip a cell.
  void TypeCells(int line, int j, const QString& keys) {
    for (QChar key : keys) {
      if (key == '_') {
        Cell(line, j)->setFocus();
      } else {
        Cell(line, j)->setFocus();
        QTest::keyClicks(Cell(line, j), QString(key));
      }
      ++j;
    }
  }
  QWidget* Focus() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) return focus->parentWidget();
    return focus;
  }
  QString Status() { return Control<QLabel>("警告签")->text(); }
  std::vector<PrintOperation> PrintedTexts() {
    Control<QPushButton>("按钮8")->click();
    EXPECT_EQ(fakes_.printing.printed.size(), 1u);
    std::vector<PrintOperation> texts;
    if (fakes_.printing.printed.empty()) return texts;
    for (const PrintOperation& op : fakes_.printing.printed.back().operations) {
      if (op.kind == PrintOperation::Kind::kText) texts.push_back(op);
    }
    return texts;
  }

  QPointer<VoucherWindow> window_;
};

TEST_P(VoucherWindowTest, TypingWalksALineAndOnToTheNext) {
  Open();
  for (int k = 0; k < kVoucherLines; ++k) {
    SCOPED_TRACE(k);
    Cell(k, 0)->setFocus();
    for (int j = 0; j < 12; ++j) {
      EXPECT_EQ(Focus(), Cell(k, j));
      Type("1");
    }
    // After the right posting mark: the next line's counterparty, after line 5 编辑框85.
    const std::string next = k + 1 < kVoucherLines ? Names(k + 1).counterparty : "编辑框85";
    EXPECT_EQ(Focus(), Control<QWidget>(next));
  }
  Control("编辑框74")->setFocus();
  Type("1");
  EXPECT_EQ(Focus(), Control("编辑框73"));
  Type("2");
  EXPECT_EQ(Focus(), Control<QPushButton>("按钮8"));
}

TEST_P(VoucherWindowTest, ADigitOrItsDeletionMovesOnAndUpdatesTheTotals) {
  Open();
  Cell(0, 5)->setFocus();  // 百
  Type("3");
  EXPECT_EQ(Focus(), Cell(0, 6));
  EXPECT_EQ(Totals(), "_________3");
  Type("4");
  EXPECT_EQ(Totals(), "________34");
  Cell(0, 5)->setFocus();
  Cell(0, 5)->end(false);
  QTest::keyClick(Cell(0, 5), Qt::Key_Backspace);
  EXPECT_EQ(Focus(), Cell(0, 6)) << "deleting moves on too";
  EXPECT_EQ(Totals(), "_________4");
}

TEST_P(VoucherWindowTest, TotalsFollowTheLines) {
  Open();
  const struct {
    const char* name;
    std::vector<std::pair<int, QString>> lines;  // line, its cells from 千万 ("_" empty)
    QString totals;
  } cases[] = {
      {"元 of one line and 千 of another", {{0, "_______500"}, {1, "____100000"}}, "____100500"},
      {"15 fen with gaps", {{0, "____1__5__"}}, "________15"},
      {"five lines at their limit",
       {{0, "9999999999"},
        {1, "9999999999"},
        {2, "9999999999"},
        {3, "9999999999"},
        {4, "9999999999"}},
       "9999999995"},
      {"a leading minus", {{0, "________-5"}, {1, "_______100"}}, "________95"},
      {"a minus after a digit ends the number", {{0, "_______1-5"}}, "_________1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Control<QPushButton>("按钮6")->click();
    for (const auto& [line, cells] : c.lines) TypeCells(line, 0, cells);
    EXPECT_EQ(Totals(), c.totals);
  }
}

TEST_P(VoucherWindowTest, PrintRefusesATotalTheCellsCannotShowWhole) {
  Open();
  const QString refusal =
      QStringLiteral("合计金额超出凭证金额栏的十位（千万至分），无法完整打印，请您修改后再打印！");
  const struct {
    const char* name;
    std::vector<std::pair<int, QString>> lines;
    QString totals;  // as the window keeps showing them
    bool printed;
  } cases[] = {
      {"five lines at their limit",
       {{0, "9999999999"},
        {1, "9999999999"},
        {2, "9999999999"},
        {3, "9999999999"},
        {4, "9999999999"}},
       "9999999995",
       false},
      {"two negative lines whose sign has no cell",
       {{0, "-999999999"}, {1, "-999999999"}},
       "1999999998",
       false},
      {"one line at its limit", {{0, "9999999999"}}, "9999999999", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Control<QPushButton>("按钮6")->click();
    fakes_.messages.shown.clear();
    fakes_.printing.printed.clear();
    for (const auto& [line, cells] : c.lines) TypeCells(line, 0, cells);
    Control<QPushButton>("按钮8")->click();
    EXPECT_EQ(Totals(), c.totals);
    EXPECT_EQ(fakes_.printing.printed.size(), c.printed ? 1u : 0u);
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    const Message& shown = fakes_.messages.shown[0];
    if (c.printed) {
      EXPECT_EQ(shown.title, QStringLiteral("打印")) << "the confirmation";
      continue;
    }
    EXPECT_EQ(shown.text, refusal);
    EXPECT_EQ(shown.title, QStringLiteral("错误提示"));
    EXPECT_EQ(shown.icon, MessageIcon::kError);
    EXPECT_EQ(Status(), QLatin1Char(' ') + refusal);
  }
}

TEST_P(VoucherWindowTest, FreshAndAfterNewTheVoucherIsEmpty) {
  AddSubjects(GetParam().generalTable, {"应收账款", "预付账款"});
  Open();
  const std::string first = Transfer() ? "日期框2" : "组合框1";
  const QString greeting = Transfer()
                               ? QStringLiteral(" 您正在使用转帐凭证管理，请注意本行的提示信息！")
                           : Kind() == VoucherKind::kReceipt
                               ? QStringLiteral(" 您正在使用收款凭证管理，请注意本行的提示信息！")
                               : QStringLiteral(" 您正在使用付款凭证管理，请注意本行的提示信息！");
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "fresh" : "after New");
    EXPECT_EQ(Totals(), "__________") << "empty, not 0";
    EXPECT_EQ(Control<QDateEdit>("日期框2")->date(), QDate(2011, 11, 25));
    EXPECT_EQ(Focus(), Control<QWidget>(first));
    EXPECT_EQ(Status(), greeting);
    if (!Transfer()) {
      EXPECT_EQ(Control<QComboBox>("组合框1")->currentText(), QStringLiteral("现金"));
    }
    for (int k = 0; k < kVoucherLines; ++k) {
      for (const std::string& subject : Names(k).subjects) {
        EXPECT_EQ(Control<QComboBox>(subject)->currentText(), "") << subject;
      }
      EXPECT_EQ(Control<QPlainTextEdit>(Names(k).counterparty)->toPlainText(), "");
      for (int j = 0; j < 12; ++j) EXPECT_EQ(Cell(k, j)->text(), "");
    }
    EXPECT_EQ(Control<QComboBox>(Names(0).subjects[0])->count(), 2) << "New keeps the lists";
    EXPECT_EQ(Control("编辑框85")->text(), "");
    EXPECT_EQ(Control("编辑框73")->text(), "");

    Control("编辑框1")->setText("A1");
    Control<QPlainTextEdit>(Names(2).counterparty)->setPlainText(QStringLiteral("某公司"));
    Control<QComboBox>(Names(3).subjects.back())->setEditText(QStringLiteral("差旅费"));
    TypeCells(2, 7, "12");
    Control("编辑框85")->setText("3");
    Control("编辑框74")->setText("1");
    Control<QDateEdit>("日期框2")->setDate(QDate(2020, 2, 2));
    Control<QPushButton>("按钮6")->click();
  }
}

// A subject that begins an earlier one adds nothing and shows the earlier one selected in
// line 1's box after creation; in the opposite order both are listed.
TEST_P(VoucherWindowTest, ASubjectBeginningAnEarlierOneIsNotListed) {
  AddSubjects(GetParam().generalTable, {"应收账款", "应收"});
  Open();
  for (int k = 0; k < kVoucherLines; ++k) {
    auto* box = Control<QComboBox>(Names(k).subjects[0]);
    ASSERT_EQ(box->count(), 1) << k;
    EXPECT_EQ(box->itemText(0), QStringLiteral("应收账款"));
    EXPECT_EQ(box->currentText(), k == 0 ? QStringLiteral("应收账款") : "") << k;
  }
}

TEST_P(VoucherWindowTest, ALongerSubjectAfterAShorterOneIsListed) {
  AddSubjects(GetParam().generalTable, {"应收", "应收账款"});
  Open();
  for (int k = 0; k < kVoucherLines; ++k) {
    auto* box = Control<QComboBox>(Names(k).subjects[0]);
    ASSERT_EQ(box->count(), 2) << k;
    EXPECT_EQ(box->itemText(1), QStringLiteral("应收账款"));
    EXPECT_EQ(box->currentText(), "") << k;
  }
}

TEST_P(VoucherWindowTest, EveryTextBoxShowsItsCapacity) {
  Open();
  const int summary = Transfer() ? 56 : 88;
  const int subject = Transfer() ? 28 : 32;
  std::vector<std::pair<std::string, int>> cases = {
      {"编辑框1", 24},
      {"编辑框2", 24},
      {"编辑框85", 4},
      {Names(3).counterparty, 44},
      {Names(3).summary, summary},
  };
  for (const std::string& name : Names(4).subjects) cases.push_back({name, subject});
  if (!Transfer()) cases.push_back({"组合框1", 40});
  for (const auto& [name, bytes] : cases) {
    Control<QWidget>(name)->setFocus();
    EXPECT_EQ(Status(),
              QStringLiteral("注意：此处可输入%1个数字，%2个汉字！").arg(bytes).arg(bytes / 2))
        << name;
  }
}

TEST_P(VoucherWindowTest, TabPassesTheTotalCellsBy) {
  Open();
  Cell(4, 11)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(Focus(), Control("编辑框85"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(Focus(), Control("编辑框74"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(Focus(), Control("编辑框73"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(Focus(), Control<QPushButton>("按钮8"));
  // The line order: counterparty, summary, the subjects, then the cells.
  Control<QWidget>(Names(1).counterparty)->setFocus();
  std::vector<QWidget*> expected = {Control<QWidget>(Names(1).summary)};
  for (const std::string& name : Names(1).subjects) expected.push_back(Control<QWidget>(name));
  expected.push_back(Cell(1, 0));
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Focus(), next) << next->objectName().toStdString();
  }
}

TEST_P(VoucherWindowTest, TotalCellsAreTypedOnlyOnTheReceiptVoucher) {
  Open();
  QLineEdit* yuan = window_->Totals()->Cell(7);
  yuan->setFocus();
  QTest::keyClicks(yuan, "7");
  if (Kind() == VoucherKind::kReceipt) {
    // Typed, it stays until the next computation and prints as typed.
    EXPECT_EQ(yuan->text(), "7");
    EXPECT_EQ(Focus(), yuan) << "a total cell moves nothing on";
    // Leaving the date box recomputes the totals, as a cell change does.
    Control<QDateEdit>("日期框2")->setFocus();
    Control("编辑框1")->setFocus();
    EXPECT_EQ(Totals(), "_________0") << "a computed total of 0 shows its 0";
    yuan->setFocus();
    QTest::keyClicks(yuan, "7");
    TypeCells(0, 9, "5");
    EXPECT_EQ(Totals(), "_________5");
  } else {
    EXPECT_EQ(yuan->text(), "");
    EXPECT_TRUE(yuan->isReadOnly());
  }
}

TEST_P(VoucherWindowTest, ACounterpartyHoldsElevenCharactersAPrintedLine) {
  Open();
  auto* counterparty = Control<QPlainTextEdit>(Names(0).counterparty);
  counterparty->setFocus();
  const QString twentyThree = QStringLiteral("一二三四五六七八九十甲乙丙丁戊己庚辛壬癸子丑寅");
  for (QChar c : twentyThree) {
    QTest::sendKeyEvent(QTest::Click, counterparty, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
  EXPECT_EQ(counterparty->toPlainText(), twentyThree.left(22)) << "the 23rd is refused";
  EXPECT_EQ(Status(), QStringLiteral("注意：此处最多可输入44个字节，多出的内容未被接受！"));

  counterparty->setPlainText(twentyThree.left(12));
  const int x = Transfer() ? 250 : 260;
  const int y = Transfer() ? 730 : 710;
  bool found = false;
  for (const PrintOperation& op : PrintedTexts()) {
    if (op.x != x || op.y != y) continue;
    found = true;
    EXPECT_EQ(QString::fromStdString(op.text),
              twentyThree.left(11) + QStringLiteral("\r\n") + twentyThree.mid(11, 1));
  }
  EXPECT_TRUE(found);
}

TEST_P(VoucherWindowTest, PrintsWithItsOwnOffsetsOnly) {
  Open();
  Control("编辑框1")->setText("C1");
  // Every other voucher's offsets stored: this voucher moves nothing.
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(kPositionTable), kPositionTablePassword));
  std::vector<Value> values(kPositionFields, 0.0);
  for (int pair = 4; pair <= 6; ++pair) {
    if (pair == GetParam().offsetPair) continue;
    values[static_cast<std::size_t>(2 * pair - 2)] = 30.0;
    values[static_cast<std::size_t>(2 * pair - 1)] = -20.0;
  }
  ASSERT_TRUE(store_->Append(values));
  store_->CloseAll();
  fakes_.messages.answers = {MessageAnswer::kCancel};
  Control<QPushButton>("按钮8")->click();
  EXPECT_TRUE(fakes_.printing.printed.empty()) << "cancelled";
  std::vector<PrintOperation> texts = PrintedTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), PrintOperation::Text(2230, 400, "C1"));
  const PrintRun& run = fakes_.printing.printed.back();
  EXPECT_EQ(run.paper, (PaperSpec{1250, 2660, PaperOrientation::kLandscape}));
  EXPECT_EQ(run.jobName, GetParam().jobName);

  // Its own pair moves it.
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(kPositionTable), kPositionTablePassword));
  store_->First();
  values[static_cast<std::size_t>(2 * GetParam().offsetPair - 2)] = 30.0;
  values[static_cast<std::size_t>(2 * GetParam().offsetPair - 1)] = -20.0;
  ASSERT_TRUE(store_->Modify(std::vector<std::optional<Value>>(values.begin(), values.end())));
  store_->CloseAll();
  Control<QPushButton>("按钮8")->click();
  ASSERT_EQ(fakes_.printing.printed.size(), 2u);
  bool moved = false;
  for (const PrintOperation& op : fakes_.printing.printed.back().operations) {
    if (op.kind == PrintOperation::Kind::kText && op.text == "C1") {
      moved = op.x == 2260 && op.y == 380;
    }
  }
  EXPECT_TRUE(moved);
}

INSTANTIATE_TEST_SUITE_P(Vouchers, VoucherWindowTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<VoucherCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace tallyra
