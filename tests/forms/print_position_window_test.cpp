#include "forms/windows/print_position_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "app/calibration_sheet_forms.h"
#include "forms/calibration_sheet.h"
#include "tests/support/layout_check.h"
#include "tests/support/ui_fixture.h"
#include "vouchers/voucher_layout.h"

namespace tallyra {
namespace {

class PrintPositionWindowTest : public UiFixture {
 protected:
  ~PrintPositionWindowTest() override { delete window_.data(); }

  void OpenWindow() {
    delete window_.data();
    window_ = new PrintPositionWindow(*context_, nullptr, CalibrationSheetForms());
    window_->show();
  }
  void Click(const char* button) {
    window_->findChild<QPushButton*>(QString::fromUtf8(button))->click();
  }
  // The stored record as numbers, read apart from the window's own table.
  std::vector<double> Stored() {
    RecordStore reader(store_->Location());
    EXPECT_TRUE(reader.Open("bsf\\Tzztwz.bsf", kPositionTablePassword));
    std::vector<double> values;
    if (reader.RecordCount() == 0) return values;
    for (int field = 1; field <= kPositionFields; ++field)
      values.push_back(reader.ReadNumber(field));
    return values;
  }
  int StoredCount() {
    RecordStore reader(store_->Location());
    EXPECT_TRUE(reader.Open("bsf\\Tzztwz.bsf", kPositionTablePassword));
    return reader.RecordCount();
  }

  QPointer<PrintPositionWindow> window_;
};

TEST_F(PrintPositionWindowTest, TheFirstSaveAppendsAndLaterSavesOverwrite) {
  OpenWindow();
  for (int field = 1; field <= kPositionFields; ++field) {
    EXPECT_EQ(window_->FieldBox(field)->text(), "0") << field;
  }
  EXPECT_EQ(window_->FieldBox(13)->objectName(), QStringLiteral("编辑框14"));
  EXPECT_EQ(window_->FieldBox(14)->objectName(), QStringLiteral("编辑框15"));
  window_->FieldBox(1)->setText("-15");
  Click("按钮1");
  EXPECT_EQ(StoredCount(), 1);
  window_->FieldBox(2)->setText("20");
  Click("按钮1");
  EXPECT_EQ(StoredCount(), 1);
  EXPECT_EQ(Stored()[0], -15);
  EXPECT_EQ(Stored()[1], 20);
  EXPECT_TRUE(fakes_.messages.shown.empty()) << "saving says nothing";
}

TEST_F(PrintPositionWindowTest, BoxTextsAreStoredAsTheirLeadingNumber) {
  const struct {
    QString typed;
    double stored;
    QString shownAgain;
  } cases[] = {
      {"", 0, "0"},       {"-", 0, "0"},       {"-0015", -15, "-15"},
      {"12-3", 12, "12"}, {"2.7", 2.7, "2.7"}, {"999999", 999999, "999999"},
  };
  OpenWindow();
  for (int field = 1; field <= 6; ++field)
    window_->FieldBox(field)->setText(cases[field - 1].typed);
  Click("按钮1");
  OpenWindow();
  const std::vector<double> stored = Stored();
  for (int field = 1; field <= 6; ++field) {
    EXPECT_EQ(stored[static_cast<std::size_t>(field - 1)], cases[field - 1].stored) << field;
    EXPECT_EQ(window_->FieldBox(field)->text(), cases[field - 1].shownAgain) << field;
  }
}

TEST_F(PrintPositionWindowTest, InitializeThenExitStoresNothing) {
  OpenWindow();
  window_->FieldBox(3)->setText("7");
  window_->FieldBox(5)->setText("9");
  Click("按钮1");
  OpenWindow();
  Click("按钮2");
  for (int field = 1; field <= kPositionFields; ++field) {
    EXPECT_EQ(window_->FieldBox(field)->text(), "0");
  }
  Click("按钮3");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
  EXPECT_EQ(Stored()[2], 7) << "the deposit-slip pair is unchanged";
  EXPECT_EQ(Stored()[4], 9);
  EXPECT_EQ(store_->RecordCount(), 0) << "Exit closes the tables";
}

TEST_F(PrintPositionWindowTest, TheHiddenDepositSlipPairSurvivesASave) {
  OpenWindow();
  window_->FieldBox(3)->setText("33");
  window_->FieldBox(4)->setText("-44");
  Click("按钮1");
  OpenWindow();
  EXPECT_FALSE(window_->FieldBox(3)->isVisibleTo(window_));
  window_->FieldBox(1)->setText("5");
  Click("按钮1");
  EXPECT_EQ(Stored()[2], 33);
  EXPECT_EQ(Stored()[3], -44);
}

TEST_F(PrintPositionWindowTest, OnlyDigitsAndMinusAreTypedAndEscKeepsTheTableOpen) {
  OpenWindow();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  QLineEdit* box = window_->FieldBox(1);
  box->clear();
  box->setFocus();
  QTest::keyClicks(box, "a1-b2.x3456789");
  EXPECT_EQ(box->text(), "1-2345") << "six characters at most";
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), window_->FieldBox(2));
  QTest::keyClick(window_->FieldBox(2), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
  EXPECT_EQ(state_.CurrentForm, nullptr);
  EXPECT_TRUE(store_->SelectCurrent("Tzztwz")) << "Esc leaves the position table open";
}

TEST_F(PrintPositionWindowTest, AStoredValueLongerThanABoxIsShownWholeAndSavedUnchanged) {
  StoreChequeOffsets(-1234.5, 20);
  OpenWindow();
  EXPECT_EQ(window_->FieldBox(1)->text(), "-1234.5");
  Click("按钮1");
  EXPECT_EQ(Stored()[0], -1234.5);
  EXPECT_EQ(window_->FieldBox(2)->maxLength(), 6) << "a box of a short value keeps its limit";
}

TEST_F(PrintPositionWindowTest, EnterAndEscWorkWhereverTheFocusIs) {
  OpenWindow();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  auto* save = window_->findChild<QPushButton*>(QStringLiteral("按钮1"));
  save->setFocus();
  QTest::keyClick(save, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "按钮2");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
}

TEST_F(PrintPositionWindowTest, EveryControlStandsWholeWithTheNotesInViewAndTheTestPrintBelow) {
  TALLYRA_REQUIRE_FONTS();
  OpenWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
  EXPECT_EQ(CutControls(window_), std::vector<std::string>());
  EXPECT_TRUE(ShowsWhole(window_->findChild<QPlainTextEdit*>(QStringLiteral("编辑框13"))))
      << "the six notes need no scrolling";
  for (int field = 1; field <= kPositionFields; ++field) {
    if (!window_->FieldBox(field)->isVisible()) continue;  // the deposit slip's pair
    EXPECT_TRUE(ShowsWhole(window_->FieldBox(field), QStringLiteral("-99999"))) << field;
  }
  // The given 689 × 320 hold the groups and the notes; the test print has a row below.
  EXPECT_EQ(window_->width(), 689);
  auto* sheetRow = window_->findChild<QWidget*>(QStringLiteral("分组框26"));
  ASSERT_NE(sheetRow, nullptr);
  for (const char* name : {"分组框20", "分组框16", "分组框19", "分组框25", "按钮3"}) {
    const QWidget* control = window_->findChild<QWidget*>(QString::fromUtf8(name));
    EXPECT_LE(control->mapTo(window_, QPoint(0, control->height())).y(), 320) << name;
  }
  EXPECT_GE(sheetRow->y(), 320);
  EXPECT_TRUE(
      sheetRow->isAncestorOf(window_->findChild<QWidget*>(QStringLiteral("测试表单组合框"))));
}

TEST_F(PrintPositionWindowTest, TheTestPrintFollowsTheButtonsAndUsesTheBoxesUnsaved) {
  OpenWindow();
  const auto widget = [&](const char* name) {
    return window_->findChild<QWidget*>(QString::fromUtf8(name));
  };
  auto* choice = window_->findChild<QComboBox*>(QStringLiteral("测试表单组合框"));
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->count(), 6);
  EXPECT_EQ(widget("按钮4")->property("text").toString(), QStringLiteral("&T 测试打印"));
  // Tab order: the three buttons, the form choice, the test print, its preview.
  const auto nextTabStop = [](QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    return next;
  };
  EXPECT_EQ(nextTabStop(widget("按钮3")), choice);
  EXPECT_EQ(nextTabStop(choice), widget("按钮4"));
  EXPECT_EQ(nextTabStop(widget("按钮4")), widget("按钮5"));

  choice->setCurrentText(QStringLiteral("转帐凭证"));
  window_->FieldBox(11)->setText("30");
  window_->FieldBox(12)->setText("-12");
  Click("按钮5");
  Click("按钮4");
  ASSERT_EQ(fakes_.printing.previewed.size(), 1u);
  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  EXPECT_EQ(fakes_.printing.previewed[0], fakes_.printing.printed[0]);
  const PrintRun& sheet = fakes_.printing.printed[0];
  EXPECT_EQ(sheet.jobName, "转帐凭证测试打印");
  EXPECT_EQ(sheet.paper, TransferVoucherLayout().paper);
  // The transfer voucher's cashier number at 2230,400 plus the typed pair.
  const auto cross =
      std::find(sheet.operations.begin(), sheet.operations.end(),
                PrintOperation::Line(2260 - kCrossArm, 388, 2260 + kCrossArm, 388, kCrossPen));
  EXPECT_NE(cross, sheet.operations.end());
  EXPECT_EQ(StoredCount(), 0) << "the test print saves nothing";
}

}  // namespace
}  // namespace tallyra
