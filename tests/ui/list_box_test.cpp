// The form's drop-down list: editable without a completer, its popup built when it first
// opens, and sized as Qt sizes a list for eight characters, however long its entries.
#include "ui/list_box.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

using ListBoxTest = UiFixture;

QStringList LongEntries() {
  QStringList entries;
  for (int i = 0; i < 200; ++i)
    entries << QStringLiteral("上海恒源机电设备有限公司第%1分公司").arg(i);
  return entries;
}

TEST_F(ListBoxTest, SizedAsQtSizesAListForEightCharacters) {
  for (const QFont& font :
       {QFont(), QFont(QStringLiteral("宋体"), 9), QFont(QStringLiteral("宋体"), 14)}) {
    QWidget parent;
    parent.setFont(font);
    ListBox list(&parent);
    QComboBox reference(&parent);
    reference.setEditable(true);
    reference.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    reference.setMinimumContentsLength(ListBox::kContentsLength);
    list.addItems(LongEntries());
    reference.addItems(LongEntries());
    EXPECT_EQ(list.sizeHint(), reference.sizeHint()) << font.family().toStdString();
    EXPECT_EQ(list.minimumSizeHint(), reference.minimumSizeHint()) << font.family().toStdString();
  }
}

TEST_F(ListBoxTest, EditableWithoutACompleterAndItsPopupListsTheEntries) {
  QWidget window;
  auto* list = new ListBox(&window);
  list->addItems(
      {QStringLiteral("基本户|123"), QStringLiteral("基本存款"), QStringLiteral("一般户")});
  ShowActive(&window);
  ASSERT_NE(list->lineEdit(), nullptr);
  EXPECT_EQ(list->completer(), nullptr);
  EXPECT_EQ(list->insertPolicy(), QComboBox::NoInsert);

  list->showPopup();
  EXPECT_TRUE(list->view()->isVisible());
  EXPECT_EQ(list->view()->model()->rowCount(), 3);
  QTest::keyClick(list->view(), Qt::Key_Down);
  QTest::keyClick(list->view(), Qt::Key_Return);
  EXPECT_FALSE(list->view()->isVisible());
  EXPECT_EQ(list->currentText(), QStringLiteral("基本存款"));
}

}  // namespace
}  // namespace tallyra
