#include "data/windows/table_editor_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include "data/table_file.h"
#include "data/windows/table_editor_model.h"
#include "tests/support/table_editor_fixture.h"
#include "tests/support/test_form.h"

namespace tallyra {
namespace {

const QString kGone = QStringLiteral("这条记录已被另一程序删除");

TEST_F(TableEditorTest, ShowsEveryRecordAndFieldWithItsName) {
  Open({"甲公司", "乙公司"});
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("本方全称"));
  EXPECT_EQ(window_->size(), QSize(646, 384));
  EXPECT_EQ(Column(), (std::vector<QString>{"甲公司", "乙公司"}));
  EXPECT_EQ(Grid()->model()->headerData(0, Qt::Horizontal), QStringLiteral("单位全称"));
  EXPECT_EQ(window_->CurrentRow(), 0);
}

TEST_F(TableEditorTest, DeletingRowThreeOfFiveMovesTheLaterRowsUp) {
  Open({"a", "b", "c", "d", "e"});
  Click(3);
  Click(3);
  ASSERT_EQ(window_->CurrentRow(), 2);
  Click(6);
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"a", "b", "d", "e"}));
  EXPECT_EQ(Column(), (std::vector<QString>{"a", "b", "d", "e"}));
  EXPECT_EQ(window_->CurrentRow(), 2);
  EXPECT_TRUE(fakes_.messages.shown.empty());  // no confirmation
}

TEST_F(TableEditorTest, AddingToAnEmptyTableGivesOneEmptyCurrentRow) {
  Open({});
  Click(6);  // deleting nothing does nothing
  Click(5);
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{""}));
  EXPECT_EQ(Grid()->model()->rowCount(), 1);
  EXPECT_EQ(window_->CurrentRow(), 0);
  Click(5);
  EXPECT_EQ(window_->CurrentRow(), 1);
}

TEST_F(TableEditorTest, MovesStayInsideTheTable) {
  Open({"a", "b", "c"});
  struct Step {
    int button;
    int row;
  };
  const Step steps[] = {{2, 0}, {3, 1}, {4, 2}, {3, 2}, {2, 1}, {1, 0}, {2, 0}};
  for (const Step& step : steps) {
    Click(step.button);
    EXPECT_EQ(window_->CurrentRow(), step.row) << "button " << step.button;
  }
}

TEST_F(TableEditorTest, ADoubleClickedCellIsWrittenWhenTheEditEnds) {
  Open({"a", "b"});
  QLineEdit* editor = StartEdit(1);
  ASSERT_NE(editor, nullptr);
  editor->clear();
  Type(editor, QStringLiteral("丙公司"));
  Commit(editor);
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"a", "丙公司"}));
  EXPECT_EQ(Cell(1), QStringLiteral("丙公司"));
}

TEST_F(TableEditorTest, ACellIsHeldToItsFieldsGbkBytesWithAHint) {
  Open({""}, "Bfzh.bsf");  // 账号说明 holds 32 bytes
  QLineEdit* editor = StartEdit(0);
  ASSERT_NE(editor, nullptr);
  Type(editor, QString(20, QChar(0x5E10)));  // 20 × 帐, 40 bytes
  EXPECT_EQ(editor->text(), QString(16, QChar(0x5E10)));
  EXPECT_EQ(Balloon(), QStringLiteral("注意：此处最多可输入32个字节，多出的内容未被接受！"));
  editor->clear();
  Type(editor, QStringLiteral("A") + QString::fromUtf8("😀") + QStringLiteral("B"));
  EXPECT_EQ(editor->text(), QStringLiteral("AB"));
  EXPECT_EQ(Balloon(), QStringLiteral("此处只能输入GBK汉字及字符！"));
  Commit(editor);
  EXPECT_EQ(OnDisk("Bfzh.bsf"), (std::vector<std::string>{"AB"}));

  // A pasted line break becomes a space, another control character goes.
  editor = StartEdit(0);
  ASSERT_NE(editor, nullptr);
  editor->clear();
  QApplication::clipboard()->setText(QStringLiteral("基本户\r\n一般户\x01"));
  QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
  Commit(editor);
  EXPECT_EQ(OnDisk("Bfzh.bsf"), (std::vector<std::string>{"基本户 一般户"}));
}

TEST_F(TableEditorTest, ClickingACellUnderTheMouseShowsTheFieldHint) {
  // A table the catalogue does not know, with an odd and an even field size.
  const std::string path = dir_.path().toStdString() + "/bsf/Hint.bsf";
  std::string error;
  ASSERT_EQ(TableFile::Create(
                path, {{"备注", FieldType::kText, 15}, {"编号", FieldType::kText, 16}}, "", &error),
            kStoreOk)
      << error;
  Open({"x"}, "Hint.bsf");
  const struct {
    int column;
    QString hint;
  } cases[] = {
      {0,
       QStringLiteral("您好，鼠标左键连击后，您可以在该表中的（备注）中输入15个数字或7.5个汉字！")},
      {1,
       QStringLiteral("您好，鼠标左键连击后，您可以在该表中的（编号）中输入16个数字或8个汉字！")},
  };
  for (const auto& c : cases) {
    const QPoint at = Grid()->visualRect(Grid()->model()->index(0, c.column)).center();
    QCursor::setPos(Grid()->viewport()->mapToGlobal(at));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(Balloon(), c.hint);
  }
}

// A click where the screen shows something: it goes to the window there, and inside it to
// the control under the point, as the windowing system and Qt route a real click.
void ClickOnScreen(const QPoint& global, bool twice = false) {
  QCursor::setPos(global);
  QWindow* window = QGuiApplication::topLevelAt(global);
  ASSERT_NE(window, nullptr);
  const QPoint local = window->mapFromGlobal(global);
  if (twice) {
    QTest::mouseDClick(window, Qt::LeftButton, {}, local);
  } else {
    QTest::mouseClick(window, Qt::LeftButton, {}, local);
  }
}

TEST_F(TableEditorTest, ClicksOnTheRowsUnderTheBalloonReachThem) {
  Open({"a", "b", "c", "d", "e"});
  // The pointer clicks near a cell's left end; the balloon below it reaches well to the
  // right of the pointer.
  const auto cellOnScreen = [this](int row, int fromLeft = 80) {
    const QRect cell = Grid()->visualRect(Grid()->model()->index(row, 0));
    return Grid()->viewport()->mapToGlobal(QPoint(cell.left() + fromLeft, cell.center().y()));
  };
  ClickOnScreen(cellOnScreen(0, 20));
  ASSERT_NE(Balloon(), QString()) << "the hint shows below the pointer";
  auto* balloon = window_->findChild<QLabel*>(QStringLiteral("气球提示框1"));
  const auto covers = [balloon](const QPoint& global) {
    return balloon->isVisible() &&
           QRect(balloon->mapToGlobal(QPoint(0, 0)), balloon->size()).contains(global);
  };
  // Each click shows the balloon again, below the pointer.
  for (int row = 1; row <= 2; ++row) {
    SCOPED_TRACE(row);
    ASSERT_TRUE(covers(cellOnScreen(row))) << "the balloon lies over this row";
    ClickOnScreen(cellOnScreen(row));
    EXPECT_EQ(window_->CurrentRow(), row);
    // Near the left end again, so that the balloon reaches over the next row.
    ClickOnScreen(cellOnScreen(row, 20));
  }
  // A double-click under it starts editing that row's cell.
  ASSERT_TRUE(covers(cellOnScreen(3)));
  ClickOnScreen(cellOnScreen(3), true);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "d");
}

TEST_F(TableEditorTest, ExitClosesEveryTableAndClearsTheRegistration) {
  auto* form = new TestForm(state_, nullptr);  // the selection window, say
  ASSERT_TRUE(store_->Open("bsf\\Dfqc.bsf"));
  Open({"a"});
  Click(7);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
  EXPECT_TRUE(store_->CurrentPath().empty());
  EXPECT_FALSE(store_->SelectCurrent("Dfqc"));
  EXPECT_TRUE(state_.CurrentForm.isNull());
  delete form;
}

// Another copy of the program changes the table while the grid shows it.
class TableEditorCopiesTest : public TableEditorTest {
 protected:
  void SetUp() override {
    Open({"a", "b", "c"});
    other_ = std::make_unique<RecordStore>(store_->Location());
    ASSERT_TRUE(other_->Open("bsf\\Bfqc.bsf"));
  }
  void OtherDeletes(int record) { ASSERT_TRUE(other_->DeleteAt(record)); }
  void EditRow(int row, const QString& text) {
    QLineEdit* editor = StartEdit(row);
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    Commit(editor);
  }
  std::unique_ptr<RecordStore> other_;
};

TEST_F(TableEditorCopiesTest, AnEditLandsOnTheRecordTheOperatorSees) {
  OtherDeletes(0);
  EditRow(2, QStringLiteral("c2"));  // the row still shows c
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"b", "c2"}));
  EXPECT_EQ(Column(), (std::vector<QString>{"b", "c2"}));
}

TEST_F(TableEditorCopiesTest, AnEditOfARecordThatIsGoneIsRefusedAndSaidSo) {
  OtherDeletes(2);
  EditRow(2, QStringLiteral("c2"));
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes_.messages.shown[0].text.contains(kGone));
  EXPECT_TRUE(fakes_.messages.shown[0].text.contains(QStringLiteral("c2")));
  EXPECT_EQ(Column(), (std::vector<QString>{"a", "b"}));
}

TEST_F(TableEditorCopiesTest, DeletingARecordThatIsGoneDeletesNothingElse) {
  Click(4);  // row 3, c
  OtherDeletes(2);
  Click(6);
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes_.messages.shown[0].text.contains(kGone));
}

TEST_F(TableEditorCopiesTest, AMoveShowsTheOtherCopysAppendsAndDeletions) {
  ASSERT_TRUE(other_->Append({std::string("d")}));
  OtherDeletes(0);
  Click(3);
  EXPECT_EQ(Column(), (std::vector<QString>{"b", "c", "d"}));
}

TEST_F(TableEditorCopiesTest, AnotherWindowClosingTheTablesDoesNotLoseTheGrid) {
  store_->CloseAll();
  ASSERT_TRUE(store_->Open("bsf\\Dfqc.bsf"));  // another table current
  Click(4);
  EXPECT_EQ(window_->CurrentRow(), 2);
  EditRow(1, QStringLiteral("b2"));
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"a", "b2", "c"}));
}

}  // namespace
}  // namespace tallyra
