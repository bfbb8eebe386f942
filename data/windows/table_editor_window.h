#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "ui/app_context.h"

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace tallyra {

class TableEditorModel;

// The one editor of every reference list: the table file TableEditorFile in a grid, cells
// edited in place after a double-click, six buttons to move, add, delete and leave. A
// block copied from a spreadsheet pastes over the grid from the cursor (Ctrl+V); the
// table goes to and comes from CSV files by two more buttons.
class TableEditorWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TableEditorWindow)

 public:
  TableEditorWindow(AppContext& context, QWidget* owner);
  ~TableEditorWindow() override;

  // The balloon's text for a field of that name and byte size.
  static QString FieldHint(const QString& name, int size);
  // The current row, 0-based; -1 without one.
  int CurrentRow() const;
  TableEditorModel* Model() const { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons(QWidget* group);
  void GoTo(int row);
  void Move(int step);
  void Add();
  void Delete();
  void Exit();
  void Paste();
  void Export();
  void Import();
  void WriteImport(const std::vector<FieldDef>& fields,
                   const std::vector<std::vector<Value>>& records, bool replace);
  void Inform(const QString& text);
  // The day of the backups made before a paste or an import.
  std::string Today() const;
  // The field hint, when the cursor cell changed under the mouse.
  void ShowFieldHint(int column);
  void ShowBalloon(const QPoint& at, const QString& text);

  AppContext& context_;
  TableEditorModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* balloon_ = nullptr;
  QTimer* balloonTimer_ = nullptr;
};

}  // namespace tallyra
