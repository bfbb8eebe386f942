#pragma once

#include <QStyledItemDelegate>

namespace tallyra {

class TableEditorModel;

// Edits a grid cell in a line box held to its field's byte size in GBK bytes; characters
// GBK cannot encode are refused. Why input was refused goes out through Refused.
class GbkCellDelegate final : public QStyledItemDelegate {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(GbkCellDelegate)

 public:
  GbkCellDelegate(const TableEditorModel& model, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 signals:
  void Refused(QWidget* editor, const QString& hint) const;

 private:
  const TableEditorModel& model_;
};

}  // namespace tallyra
