#include "forms/windows/wire_transfer_window.h"

#include <QAbstractItemView>
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

// 省, 市 and 县 of each record. "浙江" begins an earlier province and "AB" an earlier county
// (letter case ignored), so neither is listed; "南京市" comes after "南京", which it does not
// begin, so both are. 杭州市 also lies in 安徽省 here: a city's counties ignore the province.
const std::vector<std::vector<std::string>> kPlaces = {
    {"浙江省", "杭州市", "西湖区"}, {"浙江", "宁波市", "海曙区"}, {"江苏省", "南京", "abc"},
    {"江苏省", "南京市", "AB"},     {"浙江省", "杭州市", "西湖"}, {"浙江省", "温州市", "鹿城区"},
    {"安徽省", "杭州市", "临时区"},
};

// The province, city and county lists of one side.
struct Side {
  const char* province;
  const char* city;
  const char* county;
};
constexpr Side kSides[] = {{"汇省组合框1", "汇市组合框1", "汇市县组合框2"},
                           {"收省组合框3", "收市组合框3", "收市县组合框4"}};

class WireTransferWindowTest : public FormFixture<WireTransferWindow, QComboBox> {
 protected:
  WireTransferWindowTest() {
    AddRecords("Bfdd.bsf", kPlaces);
    AddRecords("Dfdd.bsf", kPlaces);
    AddRecords("Bfqc.bsf", {{"本方公司"}});
    AddRecords("Bfzh.bsf", {{"基本户", "1234567890"}});
    AddRecords("Bfyh.bsf", {{"工商银行杭州分行"}});
    AddRecords("Dfqc.bsf", {{"对方公司"}});
    AddRecords("Dfzh.bsf", {{"货款户", "6222020200112233"}});
    AddRecords("Dfyh.bsf", {{"建设银行南京分行"}});
    Open();
  }

  // Picks an entry the way an operator does: open the list, move to it, press Enter.
  void Choose(const char* name, const QString& entry) {
    QComboBox* list = Control(name);
    const int index = list->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    list->setFocus();
    list->showPopup();
    QAbstractItemView* view = list->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(list->currentText(), entry);
  }
  void TypeText(QWidget* field, const QString& text) {
    field->setFocus();
    for (QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                          {});
    }
  }
  QWidget* Focus() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) return focus->parentWidget();
    return focus;
  }
};

QStringList Strings(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* text : texts) list << QString::fromUtf8(text);
  return list;
}

TEST_F(WireTransferWindowTest, PlaceListsKeepOnlyTextsThatBeginNoEarlierEntry) {
  for (const Side& side : kSides) {
    SCOPED_TRACE(side.province);
    EXPECT_EQ(Items(side.province), Strings({"浙江省", "江苏省", "安徽省"}));
    // At creation every city and county of the table, whatever its province.
    EXPECT_EQ(Items(side.city), Strings({"杭州市", "宁波市", "南京", "南京市", "温州市"}));
    EXPECT_EQ(Items(side.county), Strings({"西湖区", "海曙区", "abc", "鹿城区", "临时区"}));
    for (const char* name : {side.province, side.city, side.county}) {
      EXPECT_EQ(Control(name)->currentText(), "") << name;
    }
    EXPECT_FALSE(Control(side.city)->isEnabled());
    EXPECT_FALSE(Control(side.county)->isEnabled());
  }
}

TEST_F(WireTransferWindowTest, ChoosingAProvinceThenACityRefillsTheListBelow) {
  for (const Side& side : kSides) {
    SCOPED_TRACE(side.province);
    Choose(side.province, QStringLiteral("浙江省"));
    EXPECT_EQ(Items(side.city), Strings({"杭州市", "温州市"}));
    EXPECT_EQ(Control(side.city)->currentText(), "");
    EXPECT_TRUE(Control(side.city)->isEnabled());
    EXPECT_FALSE(Control(side.county)->isEnabled()) << "no city yet";
    EXPECT_EQ(Items(side.county).size(), 5) << "the counties wait for a city";

    Choose(side.city, QStringLiteral("杭州市"));
    EXPECT_EQ(Items(side.county), Strings({"西湖区", "临时区"})) << "every 杭州市, any province";
    EXPECT_EQ(Control(side.county)->currentText(), "");
    EXPECT_TRUE(Control(side.county)->isEnabled());

    Choose(side.province, QStringLiteral("江苏省"));
    EXPECT_EQ(Items(side.city), Strings({"南京", "南京市"}));
    EXPECT_FALSE(Control(side.county)->isEnabled()) << "the city was emptied";
  }
  EXPECT_EQ(Items("汇市组合框1"), Strings({"南京", "南京市"})) << "each side has its own lists";
}

// The three ways an operator leaves a box.
enum class Leave { kTab, kEnter, kClickElsewhere };

TEST_F(WireTransferWindowTest, TypingAPlaceRefillsNothingButEnablesTheListBelow) {
  const Side& side = kSides[0];
  for (Leave leave : {Leave::kTab, Leave::kEnter, Leave::kClickElsewhere}) {
    SCOPED_TRACE(static_cast<int>(leave));
    delete window_.data();
    window_ = CreateForm<WireTransferWindow>(*context_, nullptr);
    ShowActive(window_);
    const auto typeAndLeave = [&](const char* name, const char* text) {
      QComboBox* list = Control(name);
      list->setFocus();
      list->lineEdit()->selectAll();
      TypeText(list, QString::fromUtf8(text));
      switch (leave) {
        case Leave::kTab:
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
          break;
        case Leave::kEnter:
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
          break;
        case Leave::kClickElsewhere:
          QTest::mouseClick(Control<QLineEdit>("附加编辑框4"), Qt::LeftButton);
          break;
      }
      ASSERT_NE(Focus(), list) << name << " was not left";
    };
    // Each typed name equals an entry of its list.
    typeAndLeave(side.province, "江苏省");
    EXPECT_EQ(Items(side.city).size(), 5);
    EXPECT_TRUE(Control(side.city)->isEnabled());
    typeAndLeave(side.city, "杭州市");
    EXPECT_EQ(Items(side.county).size(), 5);
    EXPECT_TRUE(Control(side.county)->isEnabled());
    typeAndLeave(side.county, "鹿城区");
    // Typing the province again keeps the city and county the operator typed.
    typeAndLeave(side.province, "浙江省");
    EXPECT_EQ(Control(side.city)->currentText(), QStringLiteral("杭州市"));
    EXPECT_EQ(Control(side.county)->currentText(), QStringLiteral("鹿城区"));
    EXPECT_EQ(Items(side.city).size(), 5);
    EXPECT_EQ(Items(side.county).size(), 5);
  }

  Control(side.province)->setEditText(QString());
  EXPECT_FALSE(Control(side.city)->isEnabled());
  EXPECT_TRUE(Control(side.county)->isEnabled()) << "the city still has its text";
  Control(side.city)->setEditText(QString());
  EXPECT_FALSE(Control(side.county)->isEnabled());
  EXPECT_TRUE(Control(kSides[1].province)->isEnabled());
  EXPECT_FALSE(Control(kSides[1].city)->isEnabled()) << "the other side is untouched";
}

TEST_F(WireTransferWindowTest, FreshFormAndAfterNew) {
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "fresh" : "after New");
    EXPECT_EQ(Control<QLabel>("警告签")->text(),
              QStringLiteral(" 您正在使用电汇凭证管理，请注意本行的提示信息！"));
    EXPECT_EQ(Focus(), Control("汇全称组合框2"));
    EXPECT_EQ(Control<QDateEdit>("日期框1")->date(), QDate(2011, 11, 25));
    EXPECT_EQ(Text("小写编辑框5"), ".");
    EXPECT_EQ(Text("大写编辑框2"), QStringLiteral("零"));
    EXPECT_EQ(Text("密码编辑框3"), "");
    for (const char* name : {"汇全称组合框2", "汇账号组合框3", "汇开户行组合框4", "收全称编辑框2",
                             "收账号编辑框3", "收开户行编辑框4"}) {
      EXPECT_EQ(Control(name)->currentText(), "") << name;
      EXPECT_EQ(Control(name)->count(), 1) << name;
    }
    Control("汇全称组合框2")->setEditText(QStringLiteral("某某公司"));
    Control<QLineEdit>("密码编辑框3")->setText("1234");
    window_->Digits()->Cell(8)->setText("7");
    Control<QPushButton>("按钮6")->click();
  }
  EXPECT_EQ(Items("汇全称组合框2"), Strings({"本方公司"}));
  EXPECT_EQ(Items("汇账号组合框3"), Strings({"基本户|1234567890"}));
  EXPECT_EQ(Items("汇开户行组合框4"), Strings({"工商银行杭州分行"}));
  EXPECT_EQ(Items("收全称编辑框2"), Strings({"对方公司"}));
  EXPECT_EQ(Items("收账号编辑框3"), Strings({"货款户|6222020200112233"}));
  EXPECT_EQ(Items("收开户行编辑框4"), Strings({"建设银行南京分行"}));
}

TEST_F(WireTransferWindowTest, FieldsShowTheirCapacityAndThePasswordIsReadable) {
  const struct {
    const char* field;
    const char* hint;
  } cases[] = {
      {"收账号编辑框3", "注意：此处可输入32个数字，16个汉字！"},
      {"汇全称组合框2", "注意：此处可输入64个数字，32个汉字！"},
      {"收省组合框3", "注意：此处可输入8个数字，4个汉字！"},
      {"收开户行编辑框4", "注意：此处可输入32个数字，16个汉字！"},
      {"密码编辑框3", "注意：此处可输入34个数字，17个汉字！"},
      {"附加编辑框4", "注意：此处可输入64个数字，32个汉字！"},
  };
  for (const auto& c : cases) {
    window_->findChild<QWidget*>(QString::fromUtf8(c.field))->setFocus();
    EXPECT_EQ(Control<QLabel>("警告签")->text(), QString::fromUtf8(c.hint)) << c.field;
  }
  EXPECT_EQ(Control<QLineEdit>("密码编辑框3")->echoMode(), QLineEdit::Normal);
}

TEST_F(WireTransferWindowTest, DigitsLeaveTheRowForThePasswordAndEnterWalksTheOrder) {
  window_->Digits()->Cell(5)->setFocus();  // 千
  for (char key : std::string("123450")) {
    QTest::keyClicks(QApplication::focusWidget(), QString(QChar(key)));
  }
  EXPECT_EQ(Text("小写编辑框5"), "1234.50");
  EXPECT_EQ(Text("大写编辑框2"), QStringLiteral("壹仟贰佰叁拾肆元伍角整"));
  EXPECT_EQ(Focus(), Control<QLineEdit>("密码编辑框3"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control<QLineEdit>("附加编辑框4"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control<QPushButton>("按钮8"));

  Control("收开户行编辑框4")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control<QDateEdit>("日期框1"));
  Control("汇省组合框1")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Focus(), Control("汇开户行组合框4")) << "the disabled city and county are passed";

  Control<QDateEdit>("日期框1")->setDate(QDate(2030, 10, 20));
  EXPECT_EQ(Text("编辑框1") + Text("编辑框2") + Text("编辑框3"),
            QStringLiteral("贰零叁零零壹拾零贰拾"));
}

TEST_F(WireTransferWindowTest, PrintsTheCountyOrElseTheCityAtTheVouchersOffsets) {
  StoreOffsets(OffsetPair::kWireTransfer, 12, -8);
  Choose("汇省组合框1", QStringLiteral("浙江省"));
  Choose("汇市组合框1", QStringLiteral("杭州市"));
  Choose("汇市县组合框2", QStringLiteral("西湖区"));
  Choose("收省组合框3", QStringLiteral("江苏省"));
  Choose("收市组合框3", QStringLiteral("南京市"));  // no county
  window_->Digits()->Cell(9)->setText("5");         // 角 only

  fakes_.messages.answers = {MessageAnswer::kOk};
  Control<QPushButton>("按钮8")->click();
  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  const PrintRun& run = fakes_.printing.printed[0];
  EXPECT_EQ(run.jobName, "电汇凭证打印");
  std::map<std::pair<int, int>, std::string> printed;
  for (const PrintOperation& op : run.operations) {
    if (op.kind == PrintOperation::Kind::kText) printed[{op.x - 12, op.y + 8}] = op.text;
  }
  const std::map<std::pair<int, int>, std::string> expected = {
      {{700, 200}, "2011"},    {{880, 200}, "11"},     {{950, 200}, "25"},
      {{300, 390}, "浙江省"},  {{520, 390}, "西湖区"}, {{1100, 390}, "江苏省"},
      {{1350, 390}, "南京市"}, {{200, 550}, "伍角整"}, {{1530, 560}, "￥"},
      {{1590, 560}, "5"},
  };
  EXPECT_EQ(printed, expected);

  // Emptying the county prints the city in its place.
  Control("汇市县组合框2")->setEditText(QString());
  fakes_.messages.answers = {MessageAnswer::kOk};
  Control<QPushButton>("按钮8")->click();
  ASSERT_EQ(fakes_.printing.printed.size(), 2u);
  bool cityPrinted = false;
  for (const PrintOperation& op : fakes_.printing.printed[1].operations) {
    cityPrinted |= op.x == 520 + 12 && op.y == 390 - 8 && op.text == "杭州市";
  }
  EXPECT_TRUE(cityPrinted);
}

}  // namespace
}  // namespace tallyra
