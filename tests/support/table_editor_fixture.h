#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <string>
#include <vector>

#include "data/windows/table_editor_window.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {

// The table editor over a table of the test's data folder, and what its user sees.
class TableEditorTest : public UiFixture {
 protected:
  ~TableEditorTest() override {
    delete window_.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Fills a table, then opens the editor on it as the selection window does.
  void Open(const std::vector<std::string>& names, const std::string& file = "Bfqc.bsf") {
    ASSERT_TRUE(store_->Open("bsf\\" + file));
    for (const std::string& name : names) ASSERT_TRUE(store_->Append({name}));
    store_->CloseAll();
    OpenEditor(file);
  }
  void OpenEditor(const std::string& file) {
    state_.TableEditorFile = state_.ProgramDir + "\\bsf\\" + QString::fromStdString(file);
    state_.TableEditorTitle = QStringLiteral("本方全称");
    window_ = new TableEditorWindow(*context_, nullptr);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
  }
  void Click(int button) {
    window_->findChild<QPushButton*>(QStringLiteral("按钮%1").arg(button))->click();
  }
  // The balloon's text while it shows.
  QString Balloon() {
    auto* balloon = window_->findChild<QLabel*>(QStringLiteral("气球提示框1"));
    return balloon && balloon->isVisible() ? balloon->text() : QString();
  }
  QTableView* Grid() { return window_->findChild<QTableView*>(QStringLiteral("表格1")); }
  QString Cell(int row, int column = 0) {
    return Grid()->model()->index(row, column).data().toString();
  }
  std::vector<QString> Column(int column = 0) {
    std::vector<QString> cells;
    for (int row = 0; row < Grid()->model()->rowCount(); ++row) cells.push_back(Cell(row, column));
    return cells;
  }
  // Field 1 of every record, as another copy of the program reads the file.
  std::vector<std::string> OnDisk(const std::string& file = "Bfqc.bsf") {
    RecordStore other(store_->Location());
    EXPECT_TRUE(other.Open("bsf\\" + file));
    std::vector<std::string> names;
    for (int i = 0; i < other.RecordCount(); ++i) {
      Value value;
      EXPECT_TRUE(other.ReadAt(i, 1, &value));
      names.push_back(std::get<std::string>(value));
    }
    return names;
  }
  // Opens the cell's editor by a double-click, as the operator does.
  QLineEdit* StartEdit(int row, int column = 0) {
    const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    EXPECT_NE(editor, nullptr);
    return editor;
  }
  void Type(QWidget* editor, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
      QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, text.mid(i, length), {});
      i += length - 1;
    }
  }
  void Commit(QWidget* editor) { QTest::keyClick(editor, Qt::Key_Return); }
  // Puts the cursor on a cell, copies the text and presses Ctrl+V in the grid.
  void PasteAt(int row, int column, const QString& text) {
    ShowActive(window_);
    if (Grid()->model()->rowCount() > 0) {
      const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
      QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(Grid(), Qt::Key_V, Qt::ControlModifier);
  }
  // Every field of every record, as another copy of the program reads the file.
  std::vector<std::vector<std::string>> RecordsOnDisk(const std::string& file) {
    RecordStore other(store_->Location());
    EXPECT_TRUE(other.Open("bsf\\" + file));
    std::vector<std::vector<std::string>> records;
    for (int i = 0; i < other.RecordCount(); ++i) {
      records.emplace_back();
      for (int f = 1; f <= other.FieldCount(); ++f) {
        Value value;
        EXPECT_TRUE(other.ReadAt(i, f, &value));
        records.back().push_back(std::get<std::string>(value));
      }
    }
    return records;
  }

  QPointer<TableEditorWindow> window_;
};

}  // namespace tallyra
