#include "forms/windows/cash_deposit_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "forms/windows/cell_row.h"
#include "tests/support/form_fixture.h"

namespace tallyra {
namespace {

// The ten total cells 千万 … 分 joined, an empty cell shown as "_".
QString CellsOf(const CellRow& cells) {
  QString joined;
  for (int k = 0; k < cells.Size(); ++k) {
    const QString text = cells.Cell(k)->text();
    joined += text.isEmpty() ? QStringLiteral("_") : text;
  }
  return joined;
}

class CashDepositWindowTest : public FormFixture<CashDepositWindow> {
 protected:
  CashDepositWindowTest() {
    AddRecords("Bfqc.bsf", {{"本方公司"}});
    AddRecords("Bfzh.bsf", {{"基本户", "1234567890"}});
    AddRecords("Bfyh.bsf", {{"工商银行"}});
    AddRecords("Dfqc.bsf", {{"对方公司"}, {"另一公司"}});
    AddRecords("Kxlyk.bsf", {{"货款"}, {"备用金"}});
    Open();
  }

  // Types a count into the count box 编辑框11 … 编辑框18.
  void Count(int box, const char* keys) {
    QLineEdit* count = Control(QStringLiteral("编辑框%1").arg(box).toUtf8().constData());
    count->setFocus();
    count->selectAll();
    if (*keys) {
      QTest::keyClicks(count, QString::fromUtf8(keys));
    } else {
      QTest::keyClick(count, Qt::Key_Backspace);
    }
  }
  QString Amount(int box) {
    return Control(QStringLiteral("编辑框%1").arg(box).toUtf8().constData())->text();
  }
  void ClickPrint() { Control<QPushButton>("按钮8")->click(); }
  std::map<std::pair<int, int>, std::string> PrintedTexts(const PrintRun& run) {
    std::map<std::pair<int, int>, std::string> texts;
    for (const PrintOperation& op : run.operations) {
      if (op.kind == PrintOperation::Kind::kText) texts[{op.x, op.y}] = op.text;
    }
    return texts;
  }
};

TEST_F(CashDepositWindowTest, CountsGiveAmountsTotalCellsAndCapitals) {
  const struct {
    const char* what;
    std::vector<std::pair<int, const char*>> counts;   // count box, keys
    std::vector<std::pair<int, const char*>> amounts;  // amount box, text
    double total;
    const char* cells;
    const char* capitals;
  } cases[] = {
      {"notes and coins",
       {{11, "3"}, {12, "1"}, {17, "2"}, {18, "150"}},
       {{19, "300"}, {20, "50"}, {25, "2"}, {26, "1.5"}, {21, ""}},
       353.5,
       "_____35350",
       "叁佰伍拾叁元伍角整"},
      {"seven coins", {{18, "7"}}, {{26, "0.07"}}, 0.07, "_______007", "柒分"},
      {"every note once",
       {{11, "1"}, {12, "1"}, {13, "1"}, {14, "1"}, {15, "1"}, {16, "1"}, {17, "1"}, {18, "1"}},
       {{22, "10"}, {23, "5"}, {26, "0.01"}},
       188.01,
       "_____18801",
       "壹佰捌拾捌元零壹分"},
      {"a count erased again", {{11, "3"}, {11, ""}}, {{19, "0"}}, 0, "_______000", "零"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Control<QPushButton>("按钮6")->click();
    for (const auto& [box, keys] : c.counts) Count(box, keys);
    for (const auto& [box, text] : c.amounts) EXPECT_EQ(Amount(box), text) << box;
    EXPECT_DOUBLE_EQ(window_->Total(), c.total);
    EXPECT_EQ(CellsOf(*window_->TotalCells()), QString::fromUtf8(c.cells));
    EXPECT_EQ(Text("大写编辑框1"), QString::fromUtf8(c.capitals));
  }
}

TEST_F(CashDepositWindowTest, CountBoxesTakeOnlyDigitsAndTheOtherBoxesAreReadOnly) {
  Count(11, "1a2");
  EXPECT_EQ(Text("编辑框11"), "12");
  EXPECT_EQ(Control("编辑框11")->alignment(), Qt::AlignCenter);
  EXPECT_TRUE(Control("编辑框19")->isReadOnly());
  EXPECT_TRUE(Control("编辑框19")->alignment() & Qt::AlignRight);
  EXPECT_TRUE(Control("编辑框3")->isReadOnly());
  EXPECT_TRUE(Control("大写编辑框1")->isReadOnly());
}

TEST_F(CashDepositWindowTest, NewKeepsTheSourceAndShowsAZeroTotal) {
  EXPECT_EQ(Control<QComboBox>("来源组合框1")->count(), 2);
  const struct {
    const char* name;
    int entries;
  } lists[] = {
      {"收单位组合框1", 2}, {"收账号组合框2", 1}, {"开户行组合框3", 1}, {"交单位组合框4", 1}};
  for (const auto& list : lists) {
    EXPECT_EQ(Control<QComboBox>(list.name)->currentText(), "") << list.name;
    EXPECT_EQ(Control<QComboBox>(list.name)->count(), list.entries) << list.name;
  }
  Control<QComboBox>("来源组合框1")->setEditText(QStringLiteral("备用金"));
  Control<QComboBox>("收单位组合框1")->setEditText(QStringLiteral("对方公司"));
  Control<QDateEdit>("日期框1")->setDate(QDate(2020, 2, 2));
  Count(11, "3");
  Control<QPushButton>("按钮6")->click();

  EXPECT_EQ(Control<QComboBox>("来源组合框1")->currentText(), QStringLiteral("备用金"));
  EXPECT_EQ(Control<QComboBox>("收单位组合框1")->currentText(), "");
  EXPECT_EQ(Control<QDateEdit>("日期框1")->date(), QDate(2011, 11, 25));
  EXPECT_EQ(CellsOf(*window_->TotalCells()), "_______000");
  EXPECT_EQ(Text("大写编辑框1"), QStringLiteral("零"));
  for (int box = 11; box <= 26; ++box) EXPECT_EQ(Amount(box), "") << box;
  EXPECT_EQ(QApplication::focusWidget(), Control<QDateEdit>("日期框1"));
  EXPECT_EQ(Control<QLabel>("警告签")->text(),
            QStringLiteral(" 您正在使用打印现金交款单模块，请注意本行的提示信息！"));
  Control<QComboBox>("交单位组合框4")->setFocus();
  EXPECT_EQ(Control<QLabel>("警告签")->text(),
            QStringLiteral(" 您正在使用打印现金交款单模块，请注意本行的提示信息！"))
      << "no input hints on this slip";
}

TEST_F(CashDepositWindowTest, SevenCoinsPrintWithoutAYuanSign) {
  StoreOffsets(OffsetPair::kCashDepositSlip, -10, 30);
  Count(18, "7");
  ClickPrint();
  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  const PrintRun& run = fakes_.printing.printed[0];
  EXPECT_EQ(run.jobName, "现金交款单打印");
  const auto texts = PrintedTexts(run);
  // The 元, 角 and 分 cells at x 1500, 1560, 1620, y 530, moved by (-10, 30).
  EXPECT_EQ(texts.at({1490, 560}), "0");
  EXPECT_EQ(texts.at({1550, 560}), "0");
  EXPECT_EQ(texts.at({1610, 560}), "7");
  EXPECT_EQ(texts.at({370, 530}), "柒分");
  EXPECT_EQ(texts.at({890, 900}), "7");
  EXPECT_EQ(texts.at({990, 900}), "0.07");
  for (const auto& [at, text] : texts) EXPECT_NE(text, "￥") << at.first;
}

TEST_F(CashDepositWindowTest, ATotalOfAHundredMillionIsRefusedAtPrint) {
  Count(11, "1000000");
  EXPECT_EQ(Amount(19), "100000000");
  EXPECT_EQ(CellsOf(*window_->TotalCells()), "0000000000") << "the highest digit is lost";
  EXPECT_EQ(Text("大写编辑框1"), QStringLiteral("壹亿元整"));
  ClickPrint();
  EXPECT_TRUE(fakes_.printing.printed.empty());
  ASSERT_EQ(fakes_.messages.shown.size(), 1u) << "no confirmation is asked";
  EXPECT_EQ(fakes_.messages.shown[0].text,
            QStringLiteral("您的金额已经超出票面限额，请您修改后再打印！"));
  EXPECT_EQ(fakes_.messages.shown[0].title, QStringLiteral("错误提示"));
  EXPECT_EQ(Control<QLabel>("警告签")->text(),
            QStringLiteral(" 您的金额已经超出票面限额，请您修改后再打印！"));
  EXPECT_EQ(Text("编辑框11"), "1000000") << "the slip keeps what was entered";

  // One fen less fits the slip and is printed after the confirmation.
  Count(11, "999999");
  Count(14, "9");
  Count(17, "9");
  Count(18, "99");
  EXPECT_EQ(CellsOf(*window_->TotalCells()), "9999999999");
  ClickPrint();
  ASSERT_EQ(fakes_.messages.shown.size(), 2u);
  EXPECT_EQ(fakes_.messages.shown[1].title, QStringLiteral("打印"));
  EXPECT_EQ(fakes_.printing.printed.size(), 1u);
}

TEST_F(CashDepositWindowTest, EnterWalksTopToBottomAndLeftToRight) {
  const char* const order[] = {"收单位组合框1", "收账号组合框2", "开户行组合框3", "来源组合框1",
                               "交单位组合框4", "编辑框11",      "编辑框15",      "编辑框12",
                               "编辑框16",      "编辑框13",      "编辑框17",      "编辑框14",
                               "编辑框18",      "按钮6"};
  Control<QDateEdit>("日期框1")->setFocus();
  for (const char* name : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QWidget* focus = QApplication::focusWidget();
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
    EXPECT_EQ(focus, Control<QWidget>(name))
        << name << " got " << (focus ? focus->objectName().toStdString() : "none");
  }
}

}  // namespace
}  // namespace tallyra
