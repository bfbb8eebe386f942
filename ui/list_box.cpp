#include "ui/list_box.h"

#include <QAbstractListModel>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>

namespace tallyra {

// The entries of one list: the texts alone, appended many at a time with one signal.
class ListBox::Entries final : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void Append(const QStringList& more) {
    if (more.isEmpty()) return;
    const auto first = static_cast<int>(texts_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(more.size()) - 1);
    texts_ += more;
    endInsertRows();
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!Holds(index) || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return texts_[index.row()];
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return Holds(index) ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
                        : Qt::NoItemFlags;
  }
  // What QComboBox's own item functions (insertItem, setItemText, clear) need.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!Holds(index) || (role != Qt::DisplayRole && role != Qt::EditRole)) return false;
    texts_[index.row()] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
  }
  bool insertRows(int row, int count, const QModelIndex& parent) override {
    if (parent.isValid() || count < 1 || row < 0 || row > texts_.size()) return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    texts_.insert(row, count, QString());
    endInsertRows();
    return true;
  }
  bool removeRows(int row, int count, const QModelIndex& parent) override {
    if (parent.isValid() || count < 1 || row < 0 || row + count > texts_.size()) return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    texts_.remove(row, count);
    endRemoveRows();
    return true;
  }

 private:
  bool Holds(const QModelIndex& index) const {
    return index.isValid() && !index.parent().isValid() && index.row() < texts_.size();
  }

  QStringList texts_;
};

ListBox::ListBox(QWidget* parent) : QComboBox(parent), entries_(new Entries(this)) {
  setModel(entries_);
  auto* edit = new QLineEdit(this);
  // Qt gives a line edit without a completer one of its own: this stand-in, of no model,
  // costs far less, and the line edit deletes it as it is removed just below.
  edit->setCompleter(new QCompleter(edit));
  setLineEdit(edit);
  setCompleter(nullptr);
  setInsertPolicy(QComboBox::NoInsert);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!leavingTypedText_) emit ItemChosen(index);
  });
}

// Leaving the box, and Enter in it, finish the typed text: what Qt activates then was
// typed, not chosen.
void ListBox::focusOutEvent(QFocusEvent* event) {
  const QScopedValueRollback leaving(leavingTypedText_, true);
  QComboBox::focusOutEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  const bool finishes = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QScopedValueRollback leaving(leavingTypedText_, leavingTypedText_ || finishes);
  QComboBox::keyPressEvent(event);
}

// What QComboBox computes under AdjustToMinimumContentsLengthWithIcon: eight characters
// and the icon's width, the font's height, then the style's frame and arrow.
QSize ListBox::sizeHint() const {
  const QFontMetrics& metrics = fontMetrics();
  QSize size(kContentsLength * metrics.horizontalAdvance(QLatin1Char('X')) + iconSize().width() + 4,
             std::max(static_cast<int>(std::ceil(QFontMetricsF(metrics).height())), 14) + 2);
  size.setHeight(std::max(size.height(), iconSize().height() + 2));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_ComboBox, &option, size, this);
}

QSize ListBox::minimumSizeHint() const { return sizeHint(); }

void ListBox::AddEntries(const QStringList& entries) { entries_->Append(entries); }

}  // namespace tallyra
