// The road of a typical print, end to end: log in, open the cheque from the main window,
// fill it in, print it unattended to PDF and read the page back.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/position_table.h"
#include "forms/windows/cell_row.h"
#include "forms/windows/cheque_window.h"
#include "tests/support/end_to_end.h"

namespace tallyra {
namespace {

using PrintEndToEndTest = EndToEndTest;

TEST_F(PrintEndToEndTest, APrintedChequeCarriesEveryItemAtItsPlace) {
  ASSERT_TRUE(store_->Open("bsf\\Bfzh.bsf"));
  ASSERT_TRUE(store_->Append({std::string("基本户"), std::string("1234567890")}));
  store_->CloseAll();
  StoreChequeOffsets(-15, 20);

  LogIn();
  main_->OnMenuItemClicked(0, 1);  // 打印支票
  auto* cheque = qobject_cast<ChequeWindow*>(state_.CurrentForm.data());
  ASSERT_NE(cheque, nullptr);
  cheque->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(cheque));
  TypeText(cheque->findChild<QLineEdit*>(QStringLiteral("收款编辑框1")),
           QStringLiteral("华联商贸"));
  TypeText(cheque->findChild<QLineEdit*>(QStringLiteral("用途编辑框1")), QStringLiteral("货款"));
  cheque->findChild<QComboBox*>(QStringLiteral("账号编辑框1"))->setCurrentIndex(0);
  cheque->Digits()->Cell(5)->setFocus();  // 千
  for (char digit : std::string("123450")) {
    QTest::keyClicks(QApplication::focusWidget(), QString(QChar(digit)));
  }
  cheque->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  const std::vector<Word> words = ReadWords(OnlyPdf(QStringLiteral("支票打印")));

  // The cheque's items at their layout positions plus the offsets (-15, 20), in 0.1 mm.
  const struct {
    QString text;
    int x;
    int y;
  } expected[] = {
      {QStringLiteral("贰零壹壹"), 800, 150},
      {QStringLiteral("壹拾壹"), 1000, 150},
      {QStringLiteral("贰拾伍"), 1150, 150},
      {QStringLiteral("华联商贸"), 650, 190},
      {"1234567890", 1570, 200},
      {QStringLiteral("壹仟贰佰叁拾肆元伍角整"), 670, 280},
      // The full-width ￥ ends 0.5 mm before the leading digit: pdftotext reads one word.
      {QStringLiteral("￥1"), 1730, 300},
      {"2", 1810, 300},
      {"3", 1850, 300},
      {"4", 1890, 300},
      {"5", 1930, 300},
      {"0", 1970, 300},
      {QStringLiteral("货款"), 610, 370},
      {"2011", 120, 430},
      {"11", 250, 430},
      {"25", 330, 430},
      {"1,234.50", 100, 590},
  };
  for (const auto& item : expected) {
    EXPECT_TRUE(HasWordAt(words, item.text, item.x - 15, item.y + 20))
        << item.text.toStdString() << " not at " << item.x - 15 << ", " << item.y + 20;
  }
  EXPECT_TRUE(fakes_.messages.shown.size() == 1) << "only the confirmation was shown";
}

}  // namespace
}  // namespace tallyra
