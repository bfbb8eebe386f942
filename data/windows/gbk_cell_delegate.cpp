#include "data/windows/gbk_cell_delegate.h"

#include <QLineEdit>

#include "data/field_value.h"
#include "data/windows/table_editor_model.h"
#include "ui/gbk_limit.h"

namespace tallyra {

GbkCellDelegate::GbkCellDelegate(const TableEditorModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* GbkCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  const FieldDef& field = model_.Field(index.column());
  // Numbers are checked when the edit is written; a memo has no byte size.
  if (IsTextType(field.type)) {
    constexpr int kMemoBytes = 1 << 30;
    GbkLimit* limit =
        GbkLimit::Attach(editor, field.type == FieldType::kMemo ? kMemoBytes : field.size);
    connect(limit, &GbkLimit::Refused, this,
            [this, editor](const QString& hint) { emit Refused(editor, hint); });
  }
  return editor;
}

}  // namespace tallyra
