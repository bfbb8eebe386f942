// The deposit slip end to end: set its offsets in its own position window, fill in every
// field, print it unattended to PDF and read every item back at its own offsets.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/windows/cell_row.h"
#include "forms/windows/deposit_slip_position_window.h"
#include "forms/windows/deposit_slip_window.h"
#include "tests/support/end_to_end.h"

namespace tallyra {
namespace {

using DepositSlipEndToEndTest = EndToEndTest;

TEST_F(DepositSlipEndToEndTest, EveryItemStandsAtItsPlacePlusItsOwnOffsets) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  AddRecords("Bfqc.bsf", {{"上海东方机电设备制造有限公司浦东新分公司"}});  // 40 bytes
  AddRecords("Bfzh.bsf", {{"基本户", "1234567890"}});
  AddRecords("Bfyh.bsf", {{"工商银行浦东支行"}});
  AddRecords("Dfqc.bsf", {{"北京华北电力工程有限公司"}});
  AddRecords("Dfzh.bsf", {{"一般户", "6222020200001234"}});
  AddRecords("Dfyh.bsf", {{"建设银行西城支行"}});
  LogIn();

  // Twelve offsets through the position window (部分调整 on the toolbar).
  const std::map<int, int> offsets = {{1, 20},   {2, -15}, {5, -10}, {6, 30},  {10, 25}, {11, 15},
                                      {14, -20}, {15, 12}, {21, 10}, {24, -8}, {28, 18}, {34, -25}};
  main_->OnToolbarClicked(5);
  auto* positions = qobject_cast<DepositSlipPositionWindow*>(state_.CurrentForm.data());
  ASSERT_NE(positions, nullptr);
  for (const auto& [field, value] : offsets) {
    QLineEdit* box = positions->FieldBox(field);
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
  }
  positions->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();

  main_->OnMenuItemClicked(0, 2);  // 打印进帐单
  auto* slip = qobject_cast<DepositSlipWindow*>(state_.CurrentForm.data());
  ASSERT_NE(slip, nullptr);
  slip->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(slip));
  for (const char* list : {"出全称组合框2", "出账号组合框3", "出开户行组合框4", "收全称编辑框2",
                           "收账号编辑框3", "收开户行编辑框4"}) {
    slip->findChild<QComboBox*>(QString::fromUtf8(list))->setCurrentIndex(0);
  }
  const auto field = [&](const char* name) {
    return slip->findChild<QWidget*>(QString::fromUtf8(name));
  };
  TypeText(field("种类组合框5"), QStringLiteral("转账支票"));
  TypeText(field("张数编辑框3"), QStringLiteral("2"));
  TypeText(field("号码编辑框4"), QStringLiteral("10203040"));
  TypeText(field("用途编辑框1"), QStringLiteral("货款"));
  slip->Digits()->Cell(5)->setFocus();  // 千 … 分
  for (QChar digit : QStringLiteral("123450")) QTest::keyClicks(QApplication::focusWidget(), digit);
  slip->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  const std::vector<Word> words = ReadWords(OnlyPdf(QStringLiteral("进帐单打印")));
  const auto f = [&](int n) { return offsets.count(n) ? offsets.at(n) : 0; };
  // The clock stands at 2011-11-25.
  const struct {
    QString text;
    int x, y;
  } expected[] = {
      {"2011", 500 + f(2), 220 + f(1)},
      {"11", 700 + f(3), 220 + f(1)},
      {"25", 850 + f(4), 220 + f(1)},
      {QStringLiteral("上海东方机电设备制造有限公司浦东"), 260 + f(6), 280 + f(5)},
      {QStringLiteral("北京华北电力工程有限公司"), 1060 + f(7), 280 + f(5)},
      {"1234567890", 260 + f(9), 360 + f(8)},
      {"6222020200001234", 1060 + f(10), 360 + f(8)},
      {QStringLiteral("工商银行浦东支行"), 260 + f(12), 440 + f(11)},
      {QStringLiteral("建设银行西城支行"), 1060 + f(13), 440 + f(11)},
      {QStringLiteral("壹仟贰佰叁拾肆元伍角整"), 240 + f(16), 540 + f(14)},
      // The full-width ￥ ends 0.5 mm before the leading digit: pdftotext reads one word.
      {QStringLiteral("￥1"), 1260 + f(21), 570 + f(15)},
      {"2", 1360 + f(23), 570 + f(15)},
      {"3", 1410 + f(24), 570 + f(15)},
      {"4", 1460 + f(25), 570 + f(15)},
      {"5", 1510 + f(26), 570 + f(15)},
      {"0", 1560 + f(27), 570 + f(15)},
      {QStringLiteral("转账支票"), 260 + f(29), 630 + f(28)},
      {"2", 700 + f(30), 630 + f(28)},
      {QStringLiteral("货款"), 820 + f(34), 630 + f(32)},
      {"10203040", 260 + f(33), 690 + f(31)},
  };
  for (const auto& item : expected) {
    EXPECT_TRUE(HasWordAt(words, item.text, item.x, item.y))
        << item.text.toStdString() << " not at " << item.x << ", " << item.y;
  }
  // The second line of the 40-byte name, one text line lower at the same x.
  const auto second = std::find_if(words.begin(), words.end(), [](const Word& w) {
    return w.text == QStringLiteral("新分公司");
  });
  ASSERT_NE(second, words.end());
  EXPECT_NEAR(second->xMm, (260 + f(6)) / 10.0, 0.3);
  EXPECT_GT(second->yMm, (280 + f(5)) / 10.0 + 2.0);
}

}  // namespace
}  // namespace tallyra
