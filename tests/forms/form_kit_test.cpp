#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "forms/amounts.h"
#include "forms/windows/cell_row.h"
#include "forms/windows/form_window.h"
#include "tests/support/ui_fixture.h"
#include "ui/gbk_limit.h"
#include "ui/list_box.h"

namespace tallyra {
namespace {

// A form built from the kit alone, with what the coming forms need: a voucher-like line
// whose ten amount cells and two marks stand at given rectangles, a passive totals row,
// a multi-line box, a list New keeps, two subject lists filled by the unique-prefix rule
// from one table, and a check before printing.
class KitForm final : public FormWindow {
 public:
  KitForm(AppContext& context, QWidget* owner)
      : FormWindow(context, owner, QStringLiteral("试验"), QStringLiteral(" 试验问候")) {
    setFixedSize(600, 300);
    AddDateBox(this, "日期框2")->setGeometry(10, 10, 100, 22);
    kept_ = AddComboBox(this, "来源组合框1", 20, OnNew::kKeep);
    kept_->setGeometry(120, 10, 100, 22);
    general_ = AddComboBox(this, "组合框2", 32);
    general_->setGeometry(230, 10, 100, 22);
    detail_ = AddComboBox(this, "组合框5", 32);
    detail_->setGeometry(340, 10, 100, 22);
    summary_ = AddMultiLineBox(this, "编辑框14", 12);
    summary_->setGeometry(10, 40, 200, 40);
    line_ = AddCellRow(LineSpec(), this);
    totals_ = AddCellRow(TotalsSpec(), this);
    next_ = AddTextBox(this, "编辑框30", 44);
    next_->setGeometry(10, 200, 200, 22);
    line_->SetNextField(next_);
    connect(line_, &CellRow::Changed, this, [this] {
      totals_->SetTexts(TotalIntoCells(LineAmountInFen(line_->Texts(0, 10)), 10));
    });
    using K = ControlSpec::Kind;
    BuildControls({
        {K::kGroup, "分组框1", "", QRect(400, 40, 190, 80), "附件"},
        {K::kLabel, "标签3", "分组框1", QRect(6, 20, 60, 20), "附凭证"},
        {K::kInteger, "编辑框85", "分组框1", QRect(70, 20, 50, 22), "", 4},
    });
    BuildBottomBar("分组框9")->setGeometry(0, 230, 600, 70);
    SetFirstField(general_);
  }

  int checks = 0;
  bool allowPrint = true;
  CellRow* line_ = nullptr;
  CellRow* totals_ = nullptr;
  QComboBox* kept_ = nullptr;
  ListBox* general_ = nullptr;
  ListBox* detail_ = nullptr;
  QPlainTextEdit* summary_ = nullptr;
  QLineEdit* next_ = nullptr;

 protected:
  void LoadLists() override {
    Lists().Fill({"Szzkm.bsf", {"总帐科目"}, ListRule::kUniquePrefix}, {general_, detail_});
  }
  bool CheckBeforePrint() override {
    ++checks;
    return allowPrint;
  }
  const PrintLayout& Layout() const override {
    static const PrintLayout layout{
        "试验打印",
        {1250, 2660, PaperOrientation::kLandscape},
        {TextItem(SongFont(8), 100, 300, "编辑框30"), TextItem(SongFont(8), 100, 200, "编辑框14")}};
    return layout;
  }
  OffsetSource Offsets() const override { return OffsetsOf(OffsetPair::kReceiptVoucher); }

 private:
  static CellRowSpec LineSpec() {
    CellRowSpec desc;
    const char* const places[] = {"千", "百", "十", "万", "千", "百", "十", "元", "角", "分"};
    for (int k = 0; k < 12; ++k) {
      desc.cells.push_back({QStringLiteral("编辑框%1").arg(4 + k),
                            k < 10 ? QString::fromUtf8(places[k]) : QString(),
                            QRect(10 + 16 * k, 120, 14, 20)});
    }
    return desc;
  }
  static CellRowSpec TotalsSpec() {
    CellRowSpec desc;
    desc.entry = CellEntry::kPassive;
    for (int k = 0; k < 10; ++k) {
      desc.cells.push_back(
          {QStringLiteral("编辑框%1").arg(75 + k), QString(), QRect(10 + 16 * k, 160, 14, 20)});
    }
    return desc;
  }
};

class FormKitTest : public UiFixture {
 protected:
  void Open(const std::vector<std::string>& subjects) {
    ASSERT_TRUE(store_->Open("bsf\\Szzkm.bsf"));
    for (const std::string& subject : subjects) ASSERT_TRUE(store_->Append({Value(subject)}));
    store_->CloseAll();
    window_ = CreateForm<KitForm>(*context_, nullptr);
    ShowActive(window_);
  }
  ~FormKitTest() override { delete window_.data(); }

  QString Status() { return window_->findChild<QLabel*>(QStringLiteral("警告签"))->text(); }
  QStringList Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }

  QPointer<KitForm> window_;
};

TEST_F(FormKitTest, UniquePrefixFillsSeveralBoxesAndSelectsTheMatchInTheFirst) {
  Open({"银行存款", "现金", "银行", "应收账款"});
  const QStringList expected = {QStringLiteral("银行存款"), QStringLiteral("现金"),
                                QStringLiteral("应收账款")};
  EXPECT_EQ(Items(window_->general_), expected);
  EXPECT_EQ(Items(window_->detail_), expected);
  EXPECT_EQ(window_->general_->currentText(), QStringLiteral("银行存款"));
  EXPECT_EQ(window_->detail_->currentText(), QString()) << "only the first box selects";
}

TEST_F(FormKitTest, CellsWalkTheirChainAndThePassiveTotalsFollowWithoutMovingTheFocus) {
  Open({});
  window_->line_->Cell(4)->setFocus();  // 千
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
  EXPECT_EQ(QApplication::focusWidget(), window_->line_->Cell(5));
  window_->line_->Cell(6)->setFocus();  // 十 … then 元 角 分, the two marks, the next field
  for (QChar key : QStringLiteral("5000-1")) QTest::keyClicks(QApplication::focusWidget(), key);
  EXPECT_EQ(QApplication::focusWidget(), window_->next_);
  // 1 in 千 and 5 in 十 with the cells between empty: 15 fen, then 0 0 0 → 15000 fen.
  EXPECT_EQ(window_->totals_->Texts(),
            (std::vector<std::string>{"", "", "", "", "", "1", "5", "0", "0", "0"}));
  // Geometry as given, the place label above its cell.
  EXPECT_EQ(window_->line_->Cell(11)->geometry(), QRect(186, 120, 14, 20));
  // Tab passes the totals by.
  EXPECT_EQ(window_->totals_->Cell(0)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(FormKitTest, NewClearsInOrderKeepsWhatItShouldAndHintsShowTheLimit) {
  Open({"现金"});
  window_->kept_->setEditText(QStringLiteral("销售收入"));
  window_->summary_->setPlainText(QStringLiteral("货款"));
  window_->line_->Cell(9)->setText(QStringLiteral("7"));
  window_->totals_->Cell(0)->setText(QStringLiteral("9"));
  window_->findChild<QPushButton*>(QStringLiteral("按钮6"))->click();
  EXPECT_EQ(window_->kept_->currentText(), QStringLiteral("销售收入"));
  EXPECT_EQ(window_->summary_->toPlainText(), QString());
  // The totals row was added after the line: it is emptied last and stays empty.
  EXPECT_EQ(window_->totals_->Texts(), std::vector<std::string>(10));
  EXPECT_TRUE(window_->general_->isAncestorOf(QApplication::focusWidget()) ||
              QApplication::focusWidget() == window_->general_);
  EXPECT_EQ(Status(), QStringLiteral(" 试验问候"));

  window_->summary_->setFocus();
  EXPECT_EQ(Status(), QStringLiteral("注意：此处可输入12个数字，6个汉字！"));
}

TEST_F(FormKitTest, AMultiLineBoxHoldsItsLimitForEveryInputPath) {
  Open({});
  QPlainTextEdit* box = window_->summary_;  // 12 bytes, a line break counting two
  box->setFocus();
  box->insertPlainText(QStringLiteral("一二三四五六七"));  // pasted or inserted
  EXPECT_EQ(box->toPlainText(), QStringLiteral("一二三四五六"));
  EXPECT_EQ(Status(), QStringLiteral("注意：此处最多可输入12个字节，多出的内容未被接受！"));

  box->clear();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("ab\U0001F600一二三四五"));
  QApplication::sendEvent(box, &commit);
  EXPECT_EQ(box->toPlainText(), QStringLiteral("ab一二三四五"));

  box->clear();
  QTest::keyClicks(box, QStringLiteral("abcd"));
  QTest::keyClick(box, Qt::Key_Return);  // Enter moves on; a line break comes by paste
  EXPECT_NE(QApplication::focusWidget(), box);
  box->setPlainText(QStringLiteral("abcd\nefghijk"));
  EXPECT_EQ(box->toPlainText(), QStringLiteral("abcd\nefghij")) << "the break counts two bytes";
  box->setPlainText(QStringLiteral("abcdefghijk\nl"));
  EXPECT_EQ(box->toPlainText(), QStringLiteral("abcdefghijk")) << "never half a line break";
}

// What an operator pastes from another program: line breaks, tabs, control characters.
TEST_F(FormKitTest, PastedControlCharactersNeverReachABoxOrThePrint) {
  Open({});
  const QString wide = QString(21, QChar(0x4E2D));  // 21 × 中, 42 bytes
  const struct {
    QWidget* box;
    QString pasted;
    QString held;
  } cases[] = {
      {window_->next_,
       QStringLiteral("北京公司\r\n上海分部\tAB\x01"
                      "CD\x7F"),
       QStringLiteral("北京公司 上海分部 ABCD")},
      {window_->general_, QStringLiteral("北京\n上海\x00\x1F"), QStringLiteral("北京 上海")},
      // A break counts as the one space it becomes: 42 + 1 + 1 bytes fill the 44.
      {window_->next_, wide + QStringLiteral("\r\nx"), wide + QStringLiteral(" x")},
      // A multi-line box keeps its breaks and drops the rest.
      {window_->summary_, QStringLiteral("ab\r\ncd\tef\x01"), QStringLiteral("ab\ncdef")},
      {window_->line_->Cell(0), QStringLiteral("\x01"), QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted.toStdString());
    if (auto* edit = qobject_cast<QLineEdit*>(c.box)) edit->clear();
    if (auto* list = qobject_cast<QComboBox*>(c.box)) list->setEditText(QString());
    if (auto* box = qobject_cast<QPlainTextEdit*>(c.box)) box->clear();
    c.box->setFocus();
    const QString hint = Status();
    QApplication::clipboard()->setText(c.pasted);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(FieldText(c.box),
              QString(c.held).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    EXPECT_EQ(Status(), hint) << "nothing was refused";
  }

  window_->next_->clear();
  window_->next_->setFocus();
  QApplication::clipboard()->setText(QStringLiteral("北京公司\r\n上海分部"));
  QTest::keyClick(window_->next_, Qt::Key_V, Qt::ControlModifier);
  fakes_.messages.answers = {MessageAnswer::kOk};
  window_->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();
  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  bool oneLine = false;
  for (const PrintOperation& op : fakes_.printing.printed[0].operations) {
    oneLine |= op.kind == PrintOperation::Kind::kText && op.text == "北京公司 上海分部";
  }
  EXPECT_TRUE(oneLine);
}

TEST_F(FormKitTest, TheCheckBeforePrintingRunsAfterTheTableClosesAndCanStopTheRun) {
  Open({});
  auto* print = window_->findChild<QPushButton*>(QStringLiteral("按钮8"));
  window_->allowPrint = false;
  print->click();
  EXPECT_EQ(window_->checks, 1);
  EXPECT_TRUE(fakes_.messages.shown.empty()) << "no confirmation after a refusal";
  EXPECT_TRUE(fakes_.printing.printed.empty());

  window_->allowPrint = true;
  window_->summary_->setPlainText(QStringLiteral("一行\n二行"));
  print->click();
  EXPECT_EQ(window_->checks, 2);
  ASSERT_EQ(fakes_.printing.printed.size(), 1u);
  const PrintRun& run = fakes_.printing.printed[0];
  EXPECT_EQ(run.paper, (PaperSpec{1250, 2660, PaperOrientation::kLandscape}));
  EXPECT_EQ(Describe(run.operations.back()),
            Describe(PrintOperation::Text(100, 200, "一行\r\n二行")));
}

TEST_F(FormKitTest, AControlTablePlacesNamedControlsInTheirGroups) {
  Open({});
  auto* group = window_->findChild<QGroupBox*>(QStringLiteral("分组框1"));
  auto* count = window_->findChild<QLineEdit*>(QStringLiteral("编辑框85"));
  ASSERT_TRUE(group && count);
  EXPECT_EQ(group->title(), QStringLiteral("附件"));
  EXPECT_EQ(count->parentWidget(), group);
  EXPECT_EQ(count->geometry(), QRect(70, 20, 50, 22));
  count->setFocus();
  EXPECT_EQ(Status(), QStringLiteral("注意：此处可输入4个数字，2个汉字！"));
  QTest::keyClicks(count, QStringLiteral("12a3456"));
  EXPECT_EQ(count->text(), QStringLiteral("1234"));
  window_->findChild<QPushButton*>(QStringLiteral("按钮6"))->click();
  EXPECT_EQ(count->text(), QString());
}

}  // namespace
}  // namespace tallyra
