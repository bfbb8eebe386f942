#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "data/windows/selection_settings_window.h"
#include "data/windows/table_editor_window.h"
#include "forms/windows/cheque_window.h"
#include "tests/support/end_to_end.h"

namespace tallyra {
namespace {

using TableEditorEndToEndTest = EndToEndTest;

// Double-clicks a cell of the grid and types the text into its editor, then Enter.
void EditCell(QTableView* grid, int row, int column, const QString& text) {
  const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  TypeText(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
}

TEST_F(TableEditorEndToEndTest, AnAccountAddedInTheEditorIsInTheChequesList) {
  LogIn();
  main_->OnToolbarClicked(3);  // 信息维护
  auto* selection = main_->findChild<SelectionSettingsWindow*>();
  ASSERT_NE(selection, nullptr);
  selection->findChild<QRadioButton*>(QStringLiteral("单选框3"))->click();  // 本方账号
  TableEditorWindow* editor = selection->Editor();
  ASSERT_NE(editor, nullptr);
  editor->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
  editor->findChild<QPushButton*>(QStringLiteral("按钮5"))->click();  // 添加
  auto* grid = editor->findChild<QTableView*>(QStringLiteral("表格1"));
  const int row = grid->model()->rowCount() - 1;
  EditCell(grid, row, 0, QStringLiteral("基本户"));
  EditCell(grid, row, 1, QStringLiteral("6222021234"));
  editor->findChild<QPushButton*>(QStringLiteral("按钮7"))->click();  // 退出
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  main_->OnMenuItemClicked(0, 1);  // 打印支票
  auto* cheque = qobject_cast<ChequeWindow*>(state_.CurrentForm.data());
  ASSERT_NE(cheque, nullptr);
  auto* accounts = cheque->findChild<QComboBox*>(QStringLiteral("账号编辑框1"));
  EXPECT_GE(accounts->findText(QStringLiteral("基本户|6222021234")), 0);
}

}  // namespace
}  // namespace tallyra
