#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <optional>
#include <string>

#include "data/gbk_text.h"
#include "data/windows/import_preview_dialog.h"
#include "data/windows/selection_settings_window.h"
#include "data/windows/table_editor_window.h"
#include "forms/windows/cheque_window.h"
#include "tests/support/end_to_end.h"
#include "vouchers/voucher_layout.h"

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

// A chart of 300 subjects as Excel saves it on a Chinese Windows: GBK, CR LF, a header,
// and a value holding a comma in quotes.
TEST_F(TableEditorEndToEndTest, ThreeHundredSubjectsFromExcelFillTheReceiptVouchersLists) {
  QStringList subjects;
  QString csv = QStringLiteral("总帐科目\r\n");
  for (int i = 0; i < 300; ++i) {
    subjects << (i == 150 ? QStringLiteral("%1 应收账款,华东").arg(1001 + i)
                          : QStringLiteral("%1 科目%2").arg(1001 + i).arg(i));
    csv += (i == 150 ? QLatin1Char('"') + subjects.back() + QLatin1Char('"') : subjects.back()) +
           QStringLiteral("\r\n");
  }
  // The program's own encoder: Qt's GBK codec needs ICU, which the Windows Qt lacks.
  const std::optional<std::string> gbk = EncodeGbk(csv.toStdString());
  ASSERT_TRUE(gbk.has_value());
  const QByteArray bytes = QByteArray::fromStdString(*gbk);
  const QString path = dir_.filePath(QStringLiteral("科目表.csv"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();

  LogIn();
  main_->OnToolbarClicked(3);  // 信息维护
  auto* selection = main_->findChild<SelectionSettingsWindow*>();
  ASSERT_NE(selection, nullptr);
  selection->findChild<QRadioButton*>(QStringLiteral("单选框10"))->click();  // 收款凭证 总帐科目
  TableEditorWindow* editor = selection->Editor();
  ASSERT_NE(editor, nullptr);
  fakes_.files.answers.push_back(path);
  editor->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();  // 导入
  auto* preview = editor->findChild<ImportPreviewDialog*>();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->findChild<QLabel*>(QStringLiteral("导入说明签"))
                  ->text()
                  .contains(QStringLiteral("（GBK编码）\n共 300 条记录。")));
  preview->findChild<QPushButton*>(QStringLiteral("导入确定按钮"))->click();
  editor->findChild<QPushButton*>(QStringLiteral("按钮7"))->click();  // 退出
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  main_->OnMenuItemClicked(0, 4);  // the receipt voucher
  QWidget* voucher = state_.CurrentForm.data();
  ASSERT_NE(voucher, nullptr);
  for (int k = 0; k < kVoucherLines; ++k) {
    const std::string name = VoucherLine(VoucherKind::kReceipt, k).subjects[0];
    auto* box = voucher->findChild<QComboBox*>(QString::fromStdString(name));
    ASSERT_NE(box, nullptr) << name;
    QStringList listed;
    for (int i = 0; i < box->count(); ++i) listed << box->itemText(i);
    EXPECT_EQ(listed, subjects) << name;
  }
}

}  // namespace
}  // namespace tallyra
