#pragma once

#include <QWidget>

#include "ui/app_context.h"

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace tallyra {

class TableEditorModel;

// The one editor of every reference list: the table file TableEditorFile in a grid, cells
// edited in place after a double-click, six buttons to move, add, delete and leave.
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

 private:
  void BuildButtons(QWidget* group);
  void GoTo(int row);
  void Move(int step);
  void Add();
  void Delete();
  void Exit();
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
