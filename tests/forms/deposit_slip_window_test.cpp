#include "forms/windows/deposit_slip_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "forms/windows/cell_row.h"
#include "forms/windows/deposit_slip_position_window.h"
#include "tests/support/form_fixture.h"
#include "tests/support/layout_check.h"

namespace tallyra {
namespace {

class DepositSlipWindowTest : public FormFixture<DepositSlipWindow> {
 protected:
  DepositSlipWindowTest() {
    fakes_.clock.now = QDateTime(QDate(2011, 1, 5), QTime(9, 0));
    AddRecords("Bfqc.bsf", {{"本方甲公司"}, {""}, {"本方乙公司"}});
    AddRecords("Bfzh.bsf", {{"基本户", "1234567890"}, {"", "999"}});
    AddRecords("Bfyh.bsf", {{"工商银行浦东支行"}});
    AddRecords("Dfqc.bsf", {{"对方公司"}, {"对方公司"}});
    AddRecords("Dfzh.bsf", {{"一般户", "6222020200001234"}});
    AddRecords("Dfyh.bsf", {{"建设银行西城支行"}});
  }

  QWidget* Focus() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) return focus->parentWidget();
    return focus;
  }
  // The texts printed at (x, y).
  std::string TextAt(const PrintRun& run, int x, int y) {
    for (const PrintOperation& op : run.operations) {
      if (op.kind == PrintOperation::Kind::kText && op.x == x && op.y == y) return op.text;
    }
    return "(nothing)";
  }
};

TEST_F(DepositSlipWindowTest, FreshSlipListsFromTheDrawersAndPayeesTables) {
  Open();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("打印进帐单"));
  EXPECT_EQ(window_->size(), QSize(580, 518));
  EXPECT_EQ(Items("出全称组合框2"), (QStringList{"本方甲公司", "本方乙公司"}));
  EXPECT_EQ(Items("出账号组合框3"), (QStringList{"基本户|1234567890"}));
  EXPECT_EQ(Items("出开户行组合框4"), (QStringList{"工商银行浦东支行"}));
  EXPECT_EQ(Items("收全称编辑框2"), (QStringList{"对方公司", "对方公司"}));
  EXPECT_EQ(Items("收账号编辑框3"), (QStringList{"一般户|6222020200001234"}));
  EXPECT_EQ(Items("收开户行编辑框4"), (QStringList{"建设银行西城支行"}));
  EXPECT_EQ(Control<QComboBox>("出全称组合框2")->currentText(), QString()) << "no entry chosen";
  EXPECT_EQ(Control("小写编辑框5")->text(), QStringLiteral("."));
  EXPECT_EQ(Control("大写编辑框2")->text(), QStringLiteral("零"));
  EXPECT_EQ(Control("编辑框1")->text(), QStringLiteral("贰零壹壹"));
  EXPECT_EQ(Control("编辑框2")->text(), QStringLiteral("零壹"));
  EXPECT_EQ(Control("编辑框3")->text(), QStringLiteral("零伍"));
  EXPECT_EQ(Focus(), Control<QComboBox>("出全称组合框2"));
}

TEST_F(DepositSlipWindowTest, HintsTabOrderAndTheDigitRowLeadingToTheBillKind) {
  Open();
  const struct {
    const char* field;
    int bytes;
  } fields[] = {// The first list has the focus already: begin elsewhere, so that it gets it anew.
                {"用途编辑框1", 76},     {"出全称组合框2", 64}, {"出账号组合框3", 32},
                {"出开户行组合框4", 32}, {"收全称编辑框2", 64}, {"收账号编辑框3", 32},
                {"收开户行编辑框4", 32}, {"种类组合框5", 12},   {"张数编辑框3", 6},
                {"号码编辑框4", 32}};
  for (const auto& f : fields) {
    window_->findChild<QWidget*>(QString::fromUtf8(f.field))->setFocus();
    EXPECT_EQ(Control<QLabel>("警告签")->text(),
              QStringLiteral("注意：此处可输入%1个数字，%2个汉字！").arg(f.bytes).arg(f.bytes / 2))
        << f.field;
  }
  // Enter from the payee's bank reaches the date, then the digit boxes.
  Control<QComboBox>("收开户行编辑框4")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus()->objectName(), QStringLiteral("日期框1"));
  // Typing 1 2 3 4 5 0 from 千 to 分 leaves the row for the bill kind.
  window_->Digits()->Cell(5)->setFocus();
  for (QChar key : QStringLiteral("123450")) QTest::keyClicks(QApplication::focusWidget(), key);
  EXPECT_EQ(Control("小写编辑框5")->text(), QStringLiteral("1234.50"));
  EXPECT_EQ(Control("大写编辑框2")->text(), QStringLiteral("壹仟贰佰叁拾肆元伍角整"));
  EXPECT_EQ(Focus(), Control("种类组合框5"));
  // A long amount in capitals shows its beginning; its end may be cut.
  Control<QPushButton>("按钮6")->click();
  window_->Digits()->Cell(0)->setFocus();
  for (QChar key : QStringLiteral("98765432199")) {
    QTest::keyClicks(QApplication::focusWidget(), key);
  }
  EXPECT_EQ(Control("大写编辑框2")->text(),
            QStringLiteral("玖亿捌仟柒佰陆拾伍万肆仟叁佰贰拾壹元玖角玖分"));
  EXPECT_TRUE(ShowsBeginning(Control("大写编辑框2")));
  // The remark, the last field, goes on to Print, then New.
  Control("用途编辑框1")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control<QPushButton>("按钮8"));
}

TEST_F(DepositSlipWindowTest, PrintsEachItemAtItsOwnOffsetsWithTheDateInFigures) {
  std::vector<double> offsets(34, 0.0);
  offsets[1 - 1] = 20;    // the date line down 2 mm
  offsets[2 - 1] = -15;   // the year left 1.5 mm
  offsets[6 - 1] = 20;    // the drawer's name right
  offsets[15 - 1] = -15;  // the digit row up
  offsets[24 - 1] = 20;   // the 十 column right
  StoreOffsets(DepositSlipOffsets(), offsets);
  Open();
  Control<QComboBox>("出全称组合框2")->setCurrentIndex(0);
  Control<QComboBox>("出账号组合框3")->setCurrentIndex(0);
  Control("种类组合框5")->setText(QStringLiteral("转账支票"));
  window_->Digits()->Cell(7)->setFocus();  // 十 元 角 分
  for (QChar key : QStringLiteral("5000")) QTest::keyClicks(QApplication::focusWidget(), key);
  Control<QPushButton>("按钮8")->click();

  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  const PrintRun& run = fakes_.printing.printed[0];
  EXPECT_EQ(run.jobName, "进帐单打印");
  EXPECT_EQ(TextAt(run, 500 - 15, 220 + 20), "2011");
  EXPECT_EQ(TextAt(run, 700, 220 + 20), "1");
  EXPECT_EQ(TextAt(run, 850, 220 + 20), "5");
  EXPECT_EQ(TextAt(run, 260 + 20, 280), "本方甲公司\r\n");
  EXPECT_EQ(TextAt(run, 260, 360), "1234567890");
  EXPECT_EQ(TextAt(run, 1360, 570 - 15), "￥") << "in the 百 column, left of 十";
  EXPECT_EQ(TextAt(run, 1410 + 20, 570 - 15), "5");
  EXPECT_EQ(TextAt(run, 1460, 570 - 15), "0");
  EXPECT_EQ(TextAt(run, 260, 630), "转账支票");
  EXPECT_EQ(store_->RecordCount(), 0) << "the position table is closed after the run";
}

TEST_F(DepositSlipWindowTest, ADamagedPositionTableIsReportedAndNothingIsPrinted) {
  Open();
  const QString file = dir_.filePath(QStringLiteral("bsf/Tzjzd.bsf"));
  ASSERT_TRUE(QFile::resize(file, 50));
  Control<QPushButton>("按钮8")->click();
  EXPECT_TRUE(fakes_.printing.printed.empty());
  ASSERT_EQ(fakes_.messages.shown.size(), 2u);  // the confirmation, then the error
  EXPECT_TRUE(fakes_.messages.shown[1].text.contains(QStringLiteral("Tzjzd.bsf")))
      << fakes_.messages.shown[1].text.toStdString();
  QFile f(file);
  EXPECT_EQ(f.size(), 50) << "the file is not touched";
}

class DepositSlipPositionWindowTest : public UiFixture {
 protected:
  ~DepositSlipPositionWindowTest() override { delete window_.data(); }
  void OpenWindow() {
    delete window_.data();
    window_ = new DepositSlipPositionWindow(*context_, nullptr);
    window_->show();
  }
  void Click(const char* button) {
    window_->findChild<QPushButton*>(QString::fromUtf8(button))->click();
  }
  std::vector<double> Stored() {
    RecordStore reader(store_->Location());
    EXPECT_TRUE(reader.Open("bsf\\Tzjzd.bsf", kDepositSlipPositionPassword));
    std::vector<double> values;
    for (int field = 1; field <= 34 && reader.RecordCount() > 0; ++field) {
      values.push_back(reader.ReadNumber(field));
    }
    return values;
  }
  QPointer<DepositSlipPositionWindow> window_;
};

TEST_F(DepositSlipPositionWindowTest, ThirtyFourBoxesUnderTheirNamesSavedInFieldOrder) {
  OpenWindow();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("调整进帐单打印位置"));
  for (int field = 1; field <= 34; ++field) {
    EXPECT_EQ(window_->FieldBox(field)->text(), "0") << field;
  }
  // The digit cells run reversed: field 17 (亿) in 编辑框27, field 27 (分) in 编辑框17.
  EXPECT_EQ(window_->FieldBox(17)->objectName(), QStringLiteral("编辑框27"));
  EXPECT_EQ(window_->FieldBox(27)->objectName(), QStringLiteral("编辑框17"));
  EXPECT_EQ(window_->FieldBox(24)->objectName(), QStringLiteral("编辑框20"));
  EXPECT_TRUE(window_->findChild<QWidget*>(QStringLiteral("编辑框35"))) << "the notes";

  window_->FieldBox(15)->setText("-15");
  window_->FieldBox(24)->setText("20");
  Click("按钮1");
  std::vector<double> expected(34, 0.0);
  expected[14] = -15;
  expected[23] = 20;
  EXPECT_EQ(Stored(), expected) << "the first Save appends";
  window_->FieldBox(1)->setText("-");
  Click("按钮1");
  EXPECT_EQ(Stored(), expected) << "a lone minus sign is 0; later Saves overwrite";

  OpenWindow();
  EXPECT_EQ(window_->FieldBox(15)->text(), "-15");
  Click("按钮2");
  Click("按钮3");
  EXPECT_EQ(Stored(), expected) << "Initialize then Exit stores nothing";
}

TEST_F(DepositSlipPositionWindowTest, EveryBoxShowsSixCharactersAndEveryControlStandsWhole) {
  TALLYRA_REQUIRE_FONTS();
  OpenWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
  EXPECT_EQ(CutControls(window_), std::vector<std::string>());
  EXPECT_TRUE(ShowsWhole(window_->findChild<QPlainTextEdit*>(QStringLiteral("编辑框35"))))
      << "the six notes need no scrolling";
  for (int field = 1; field <= 34; ++field) {
    EXPECT_TRUE(ShowsWhole(window_->FieldBox(field), QStringLiteral("-99999"))) << field;
  }
  // The given 842 × 457 hold the lines and the notes; the test print has a row below.
  EXPECT_EQ(window_->width(), 842);
  for (const char* name : {"分组框1", "分组框14", "编辑框17", "分组框2", "按钮3"}) {
    const QWidget* control = window_->findChild<QWidget*>(QString::fromUtf8(name));
    EXPECT_LE(control->mapTo(window_, QPoint(0, control->height())).y(), 457) << name;
  }
  const QWidget* testPrint = window_->findChild<QWidget*>(QStringLiteral("按钮4"));
  EXPECT_GE(testPrint->mapTo(window_, QPoint()).y(), 457);
}

TEST_F(DepositSlipPositionWindowTest, TabOrderEnterAndAnEscThatDoesNotClose) {
  OpenWindow();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  // 1 … 13, 28 … 34, 14, 15, 16, then the digit cells 17 … 27, then the buttons.
  std::vector<int> order;
  for (int field = 1; field <= 13; ++field) order.push_back(field);
  for (int field = 28; field <= 34; ++field) order.push_back(field);
  for (int field = 14; field <= 27; ++field) order.push_back(field);
  window_->FieldBox(1)->setFocus();
  for (std::size_t i = 1; i < order.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), window_->FieldBox(order[i])) << "step " << i;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("按钮1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(window_.isNull()) << "Esc does not close this window";
  // No hints: moving through the boxes changes no text the window shows.
  const auto shownTexts = [this] {
    QStringList texts{window_->windowTitle()};
    for (const QLabel* label : window_->findChildren<QLabel*>()) texts << label->text();
    for (const QWidget* widget : window_->findChildren<QWidget*>()) texts << widget->toolTip();
    return texts;
  };
  const QStringList before = shownTexts();
  window_->FieldBox(1)->setFocus();
  for (int step = 0; step < 3; ++step) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), window_->FieldBox(4));
  EXPECT_EQ(shownTexts(), before);
  EXPECT_FALSE(shownTexts().join(QString()).contains(QStringLiteral("此处可输入")));
}

}  // namespace
}  // namespace tallyra
