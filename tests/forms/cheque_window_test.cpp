#include "forms/windows/cheque_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "forms/position_table.h"
#include "forms/windows/cell_row.h"
#include "tests/support/form_fixture.h"

namespace tallyra {
namespace {

const QString kGreeting = QStringLiteral(" 您正在使用支票管理，请注意本行的提示信息！");

class ChequeWindowTest : public FormFixture<ChequeWindow> {
 protected:
  ChequeWindowTest() {
    AddRecords("Bfzh.bsf",
               {{"基本户", "1234567890"}, {"", "999"}, {"一般户", "55"}, {"一般户", "55"}});
    Open();
  }

  QLineEdit* DigitBox(int k) { return window_->Digits()->Cell(k); }  // 0 is 亿, 10 is 分
  void TypeDigits(int firstBox, const QString& keys) {
    DigitBox(firstBox)->setFocus();
    for (QChar key : keys) QTest::keyClicks(QApplication::focusWidget(), QString(key));
  }
  QWidget* Focus() {
    QWidget* focus = QApplication::focusWidget();
    // A drop-down list's inner edit stands for the list.
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) return focus->parentWidget();
    return focus;
  }
};

TEST_F(ChequeWindowTest, FreshAndAfterNew) {
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "fresh" : "after New");
    EXPECT_EQ(Control<QDateEdit>("日期框1")->date(), QDate(2011, 11, 25));
    EXPECT_EQ(Text("小写编辑框5"), ".");
    EXPECT_EQ(Text("大写编辑框2"), QStringLiteral("零"));
    EXPECT_EQ(Text("编辑框1") + Text("编辑框2") + Text("编辑框3"),
              QStringLiteral("贰零壹壹壹拾壹贰拾伍"));
    EXPECT_EQ(Text("收款编辑框1"), "");
    EXPECT_EQ(Control<QComboBox>("账号编辑框1")->currentText(), "");
    EXPECT_EQ(Control<QComboBox>("账号编辑框1")->count(), 3) << "the entries stay";
    EXPECT_EQ(Focus(), Control<QDateEdit>("日期框1"));
    EXPECT_EQ(Control<QLabel>("警告签")->text(), kGreeting);
    EXPECT_TRUE(Control<QPushButton>("按钮8")->isEnabled());

    Control("收款编辑框1")->setText(QStringLiteral("某某公司"));
    Control("附加编辑框2")->setFocus();
    Control<QComboBox>("账号编辑框1")->setEditText("x|1");
    TypeDigits(8, "12");
    Control<QDateEdit>("日期框1")->setDate(QDate(2020, 2, 2));
    Control<QPushButton>("按钮6")->click();
  }
}

TEST_F(ChequeWindowTest, DigitsWalkTheRowAndTheAmountFollows) {
  const struct {
    const char* name;
    int firstBox;
    QString keys;
    QString figure;
    QString capitals;
  } cases[] = {
      {"万 to 分", 4, "1234567", "12345.67", QStringLiteral("壹万贰仟叁佰肆拾伍元陆角柒分")},
      {"5 in 万 only", 4, "5", "5.", QStringLiteral("伍元整")},
      {"a minus sign ends the value", 8, "1-5", "1.-5", QStringLiteral("壹元整")},
      {"千 to 分", 5, "123450", "1234.50", QStringLiteral("壹仟贰佰叁拾肆元伍角整")},
  };
  for (const auto& c : cases) {
    Control<QPushButton>("按钮6")->click();
    TypeDigits(c.firstBox, c.keys);
    EXPECT_EQ(Text("小写编辑框5"), c.figure) << c.name;
    EXPECT_EQ(Text("大写编辑框2"), c.capitals) << c.name;
  }
  // The last case filled 千 … 分: typing into 分 left the row for the account list.
  EXPECT_EQ(Focus(), Control<QComboBox>("账号编辑框1"));
}

TEST_F(ChequeWindowTest, LettersAreNotTypedIntoDigitBoxes) {
  TypeDigits(8, "a");
  EXPECT_EQ(DigitBox(8)->text(), "");
  EXPECT_EQ(Focus(), DigitBox(8));
}

TEST_F(ChequeWindowTest, DeletingADigitMovesOnAndRecomputes) {
  TypeDigits(7, "12");  // 十 and 元
  EXPECT_EQ(Text("小写编辑框5"), "12.");
  DigitBox(7)->setFocus();
  DigitBox(7)->end(false);
  QTest::keyClick(DigitBox(7), Qt::Key_Backspace);
  EXPECT_EQ(Text("小写编辑框5"), "2.");
  EXPECT_EQ(Focus(), DigitBox(8));
}

TEST_F(ChequeWindowTest, TheDateInCapitalsFollowsTheDateBox) {
  Control<QDateEdit>("日期框1")->setDate(QDate(2011, 10, 20));
  EXPECT_EQ(Text("编辑框1"), QStringLiteral("贰零壹壹"));
  EXPECT_EQ(Text("编辑框2"), QStringLiteral("零壹拾"));
  EXPECT_EQ(Text("编辑框3"), QStringLiteral("零贰拾"));
}

TEST_F(ChequeWindowTest, EveryTextFieldShowsItsCapacity) {
  const struct {
    const char* field;
    QString hint;
  } cases[] = {
      {"附加编辑框2", QStringLiteral("注意：此处可输入48个数字，24个汉字！")},
      {"收款编辑框3", QStringLiteral("注意：此处可输入36个数字，18个汉字！")},
      {"用途编辑框4", QStringLiteral("注意：此处可输入18个数字，9个汉字！")},
      {"账号编辑框1", QStringLiteral("注意：此处可输入32个数字，16个汉字！")},
      {"收款编辑框1", QStringLiteral("注意：此处可输入44个数字，22个汉字！")},
      {"用途编辑框1", QStringLiteral("注意：此处可输入44个数字，22个汉字！")},
      {"密码编辑框1", QStringLiteral("注意：此处可输入32个数字，16个汉字！")},
  };
  for (const auto& c : cases) {
    window_->findChild<QWidget*>(QString::fromUtf8(c.field))->setFocus();
    EXPECT_EQ(Control<QLabel>("警告签")->text(), c.hint) << c.field;
  }
  DigitBox(3)->setFocus();  // digit boxes show no hint: the last one stays
  EXPECT_EQ(Control<QLabel>("警告签")->text(), cases[6].hint);
}

TEST_F(ChequeWindowTest, TextFieldsHoldTheirLimitInGbkBytes) {
  QLineEdit* purpose = Control("用途编辑框4");  // 18 bytes
  purpose->setFocus();
  purpose->insert(QStringLiteral("一二三四五六七八九十"));
  EXPECT_EQ(purpose->text(), QStringLiteral("一二三四五六七八九"));
  purpose->clear();
  purpose->insert(QStringLiteral("ab一二三四五六七八九"));
  EXPECT_EQ(purpose->text(), QStringLiteral("ab一二三四五六七八")) << "never half a character";
  purpose->clear();
  purpose->insert(QStringLiteral("货款\U0001F600"));
  EXPECT_EQ(purpose->text(), QStringLiteral("货款"));
  EXPECT_EQ(Control<QLabel>("警告签")->text(), QStringLiteral("此处只能输入GBK汉字及字符！"));
}

TEST_F(ChequeWindowTest, TheAccountListSkipsEmptyDescriptionsAndKeepsDuplicates) {
  auto* accounts = Control<QComboBox>("账号编辑框1");
  ASSERT_EQ(accounts->count(), 3);
  EXPECT_EQ(accounts->itemText(0), QStringLiteral("基本户|1234567890"));
  EXPECT_EQ(accounts->itemText(1), QStringLiteral("一般户|55"));
  EXPECT_EQ(accounts->itemText(2), QStringLiteral("一般户|55"));
}

TEST_F(ChequeWindowTest, ADamagedAccountTableIsReportedAndLeftAlone) {
  delete window_.data();
  const QString file = dir_.filePath(QStringLiteral("bsf/Bfzh.bsf"));
  ASSERT_TRUE(QFile::resize(file, 50));
  const QByteArray damaged = [&] {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  window_ = CreateForm<ChequeWindow>(*context_, nullptr);
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes_.messages.shown[0].text.contains(QStringLiteral("Bfzh.bsf")))
      << fakes_.messages.shown[0].text.toStdString();
  EXPECT_EQ(Control<QComboBox>("账号编辑框1")->count(), 0);
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), damaged) << "the file is not touched";
}

TEST_F(ChequeWindowTest, PrintAsksFirstAndPrintsTheCheque) {
  StoreChequeOffsets(-15, 20);

  Control("收款编辑框1")->setText(QStringLiteral("某某公司"));
  Control<QComboBox>("账号编辑框1")->setCurrentIndex(0);
  auto* print = Control<QPushButton>("按钮8");

  fakes_.messages.answers = {MessageAnswer::kCancel};
  print->click();
  EXPECT_TRUE(fakes_.printing.printed.empty()) << "cancelled in the confirmation";
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_EQ(fakes_.messages.shown[0].text,
            QStringLiteral("请您认真核实录入信息后，再放入空白票据进行打印！"));
  EXPECT_EQ(fakes_.messages.shown[0].title, QStringLiteral("打印"));
  EXPECT_EQ(fakes_.messages.shown[0].buttons, MessageButtons::kOkCancel);

  EXPECT_EQ(fakes_.printing.dialogs, 0);

  fakes_.printing.printAnswer = false;  // cancelled in the print dialog
  print->click();
  EXPECT_EQ(fakes_.printing.dialogs, 1) << "OK in the confirmation leads to the print dialog";
  EXPECT_TRUE(fakes_.printing.printed.empty());
  EXPECT_EQ(fakes_.messages.shown.size(), 2u) << "no further message";
  EXPECT_EQ(store_->RecordCount(), 0) << "the position table is closed";
  EXPECT_EQ(Text("收款编辑框1"), QStringLiteral("某某公司"));
  EXPECT_TRUE(print->isEnabled());
  fakes_.printing.printAnswer = true;
  print->click();
  EXPECT_EQ(fakes_.printing.dialogs, 2);
  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  const PrintRun& run = fakes_.printing.printed[0];
  EXPECT_EQ(run.jobName, "支票打印");
  auto textAt = [&run](int x, int y) {
    for (const PrintOperation& op : run.operations) {
      if (op.kind == PrintOperation::Kind::kText && op.x == x && op.y == y) return op.text;
    }
    return std::string("(nothing)");
  };
  EXPECT_EQ(textAt(800 - 15, 150 + 20), "贰零壹壹");
  EXPECT_EQ(textAt(650 - 15, 190 + 20), "某某公司");
  EXPECT_EQ(textAt(1570 - 15, 200 + 20), "1234567890");
  EXPECT_EQ(textAt(120 - 15, 430 + 20), "2011");
  EXPECT_EQ(Text("收款编辑框1"), QStringLiteral("某某公司")) << "the window keeps its values";
  EXPECT_EQ(store_->RecordCount(), 0) << "the position table is closed after the run";
}

TEST_F(ChequeWindowTest, PreviewShowsThePageWithoutAsking) {
  Control<QPushButton>("按钮预览")->click();
  EXPECT_TRUE(fakes_.messages.shown.empty());
  EXPECT_TRUE(fakes_.printing.printed.empty());
  ASSERT_EQ(fakes_.printing.previewed.size(), 1u);
  EXPECT_EQ(fakes_.printing.previewed[0].jobName, "支票打印");
}

TEST_F(ChequeWindowTest, EnterMovesOnAndEscCloses) {
  Control<QDateEdit>("日期框1")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control("附加编辑框2")) << "a date box is left at once, not by section";
  Control("附加编辑框2")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control("收款编辑框3"));
  EXPECT_EQ(state_.CurrentForm, window_.data());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
  EXPECT_EQ(state_.CurrentForm, nullptr);
}

// Sends each character as a typed key, as an input method would deliver Chinese text.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), {});
}

TEST_F(ChequeWindowTest, AListNeverCompletesTypedTextByItself) {
  auto* accounts = Control<QComboBox>("账号编辑框1");
  accounts->setFocus();
  TypeText(QApplication::focusWidget(), QStringLiteral("基本"));
  EXPECT_EQ(accounts->currentText(), QStringLiteral("基本"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(accounts->currentText(), QStringLiteral("基本")) << "Enter keeps what was typed";
  EXPECT_EQ(Focus(), Control("收款编辑框1"));
}

TEST_F(ChequeWindowTest, EscInAnOpenListClosesOnlyTheList) {
  Control("收款编辑框1")->setText(QStringLiteral("某某公司"));
  auto* accounts = Control<QComboBox>("账号编辑框1");
  accounts->setFocus();
  accounts->showPopup();
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  // Keys go where Qt delivers them while a popup is open: to the popup's focused view.
  QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(window_.isNull()) << "the form and what was typed are still there";
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(Text("收款编辑框1"), QStringLiteral("某某公司"));
}

TEST_F(ChequeWindowTest, DigitBoxesTakeOnlyAsciiDigitsAndMinusFromKeysAndInputMethods) {
  QLineEdit* box = DigitBox(8);  // 元
  box->setFocus();
  TypeText(box, QStringLiteral("１五"));  // full-width one, a Chinese five
  EXPECT_EQ(box->text(), QString());
  for (const QString& committed :
       {QStringLiteral("１"), QStringLiteral("五"), QStringLiteral("a")}) {
    QInputMethodEvent commit;
    commit.setCommitString(committed);
    QApplication::sendEvent(box, &commit);
    EXPECT_EQ(box->text(), QString()) << committed.toStdString();
  }
  QInputMethodEvent digit;
  digit.setCommitString(QStringLiteral("7"));
  QApplication::sendEvent(box, &digit);
  EXPECT_EQ(box->text(), QStringLiteral("7"));
  EXPECT_EQ(Text("小写编辑框5"), QStringLiteral("7."));
}

}  // namespace
}  // namespace tallyra
