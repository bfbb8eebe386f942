// The wire-transfer voucher and the cash deposit slip end to end: log in, open each from
// the main window, fill every field, print it unattended to PDF and read the page back.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/position_table.h"
#include "forms/windows/cash_deposit_window.h"
#include "forms/windows/cell_row.h"
#include "forms/windows/wire_transfer_window.h"
#include "tests/support/end_to_end.h"

namespace tallyra {
namespace {

class BankFormsEndToEndTest : public EndToEndTest {
 protected:
  // Opens a form from the roll-up menu and makes it the active window.
  template <typename Form>
  Form* OpenForm(int item) {
    main_->OnMenuItemClicked(0, item);
    auto* form = qobject_cast<Form*>(state_.CurrentForm.data());
    EXPECT_NE(form, nullptr);
    if (!form) return nullptr;
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    return form;
  }
  std::vector<Word> PrintedWords(const QString& jobName) { return ReadWords(OnlyPdf(jobName)); }
};

struct Placed {
  QString text;
  int x;  // layout position, 0.1 mm, before the offsets
  int y;
};

// Every item stands at its layout position plus the offsets, within 0.3 mm.
void ExpectPlaced(const std::vector<Word>& words, const std::vector<Placed>& expected, int dx,
                  int dy) {
  for (const Placed& item : expected) {
    EXPECT_TRUE(HasWordAt(words, item.text, item.x + dx, item.y + dy))
        << item.text.toStdString() << " not at " << item.x + dx << ", " << item.y + dy;
  }
}

void TypeDigits(const char* digits) {
  for (const char* d = digits; *d; ++d) {
    QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*d)));
  }
}

TEST_F(BankFormsEndToEndTest, APrintedWireTransferCarriesEveryItemAtItsPlace) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  LogIn();
  StoreOffsets(OffsetPair::kWireTransfer, 25, -12);
  auto* voucher = OpenForm<WireTransferWindow>(3);  // 打印电汇凭证
  ASSERT_NE(voucher, nullptr);
  const struct {
    const char* field;
    const char* text;
  } typed[] = {
      {"汇全称组合框2", "上海东方机电设备进出口有限公司第一分公司"},
      {"汇账号组合框3", "基本户|1234567890"},
      {"汇省组合框1", "浙江省"},
      {"汇市组合框1", "杭州市"},
      {"汇市县组合框2", "西湖区"},
      {"汇开户行组合框4", "工商银行杭州分行"},
      {"收全称编辑框2", "北京华联商贸有限公司"},
      {"收账号编辑框3", "6222020200112233"},
      {"收省组合框3", "江苏省"},
      {"收市组合框3", "南京市"},
      {"收市县组合框4", "鼓楼区"},
      {"收开户行编辑框4", "建设银行南京分行"},
      {"密码编辑框3", "8866123456781234"},
      {"附加编辑框4", "货款"},
  };
  for (const auto& field : typed) {
    TypeText(voucher->findChild<QWidget*>(QString::fromUtf8(field.field)),
             QString::fromUtf8(field.text));
  }
  voucher->Digits()->Cell(5)->setFocus();  // 千
  TypeDigits("123450");
  voucher->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  const std::vector<Word> words = PrintedWords(QStringLiteral("电汇凭证打印"));
  ExpectPlaced(words,
               {
                   {"2011", 700, 200},
                   {"11", 880, 200},
                   {"25", 950, 200},
                   {QStringLiteral("上海东方机电设备进出口有限公司第"), 300, 260},
                   {QStringLiteral("北京华联商贸有限公司"), 1100, 260},
                   {"1234567890", 300, 330},
                   {"6222020200112233", 1100, 330},
                   {QStringLiteral("浙江省"), 300, 390},
                   {QStringLiteral("西湖区"), 520, 390},
                   {QStringLiteral("江苏省"), 1100, 390},
                   {QStringLiteral("鼓楼区"), 1350, 390},
                   {QStringLiteral("工商银行杭州分行"), 300, 460},
                   {QStringLiteral("建设银行南京分行"), 1100, 460},
                   {QStringLiteral("壹仟贰佰叁拾肆元伍角整"), 200, 550},
                   // The ￥ ends just before the leading digit: pdftotext reads one word.
                   {QStringLiteral("￥1"), 1320, 560},
                   {"2", 1430, 560},
                   {"3", 1480, 560},
                   {"4", 1530, 560},
                   {"5", 1590, 560},
                   {"0", 1640, 560},
                   {"8866123456781234", 1100, 610},
                   {QStringLiteral("货款"), 1050, 690},
               },
               25, -12);
  // The 40-byte remitter name goes on below its first 32 bytes.
  const auto second = std::find_if(words.begin(), words.end(), [](const Word& w) {
    return w.text == QStringLiteral("一分公司");
  });
  ASSERT_NE(second, words.end());
  EXPECT_NEAR(second->xMm, 32.5, 0.3);
  EXPECT_GT(second->yMm, 24.8 + 2.5);
  EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "only the confirmation was shown";
}

TEST_F(BankFormsEndToEndTest, APrintedCashDepositSlipCarriesEveryItemAtItsPlace) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  LogIn();
  StoreOffsets(OffsetPair::kCashDepositSlip, -20, 15);
  auto* slip = OpenForm<CashDepositWindow>(0);  // 打印现金交款单
  ASSERT_NE(slip, nullptr);
  const struct {
    const char* field;
    const char* text;
  } typed[] = {
      {"收单位组合框1", "北京华联商贸有限公司"},
      {"收账号组合框2", "基本户|1234567890"},
      {"开户行组合框3", "工商银行"},
      {"来源组合框1", "货款"},
      {"交单位组合框4", "上海东方机电"},
  };
  for (const auto& field : typed) {
    TypeText(slip->findChild<QWidget*>(QString::fromUtf8(field.field)),
             QString::fromUtf8(field.text));
  }
  const char* const counts[] = {"3", "1", "4", "5", "6", "7", "2", "150"};  // 编辑框11 … 18
  for (int k = 0; k < 8; ++k) {
    slip->findChild<QLineEdit*>(QStringLiteral("编辑框%1").arg(11 + k))->setFocus();
    TypeDigits(counts[k]);
  }
  slip->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  ExpectPlaced(PrintedWords(QStringLiteral("现金交款单打印")),
               {
                   {"2011", 750, 250},
                   {"11", 870, 250},
                   {"25", 970, 250},
                   {QStringLiteral("北京华联商贸有限公司"), 380, 340},
                   {"1234567890", 1150, 340},
                   {QStringLiteral("工商银行"), 380, 410},
                   {QStringLiteral("货款"), 940, 410},
                   {QStringLiteral("上海东方机电"), 1320, 410},
                   {QStringLiteral("伍佰贰拾柒元伍角整"), 380, 500},
                   {QStringLiteral("￥"), 1320, 530},
                   {"5", 1380, 530},
                   {"2", 1440, 530},
                   {"7", 1500, 530},
                   {"5", 1560, 530},
                   {"0", 1620, 530},
                   {"3", 380, 660},
                   {"300", 500, 660},
                   {"6", 900, 660},
                   {"30", 1000, 660},
                   {"1", 380, 730},
                   {"50", 500, 730},
                   {"7", 900, 730},
                   {"14", 1000, 730},
                   {"4", 380, 800},
                   {"80", 500, 800},
                   {"2", 900, 800},
                   {"2", 1000, 800},
                   {"5", 380, 870},
                   {"50", 500, 870},
                   {"150", 900, 870},
                   {"1.5", 1000, 870},
               },
               -20, 15);
  EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "only the confirmation was shown";
}

}  // namespace
}  // namespace tallyra
