#pragma once

#include <QComboBox>

namespace tallyra {

// The editable drop-down list of every form. Qt builds a list's popup and a completer as
// soon as it is made editable or given a size policy; a voucher has 150 lists, most never
// opened, and that was half the cost of opening one. A ListBox is editable from the start
// without a completer (the operator types freely: a list never completes typed text by
// itself), builds its popup when it first opens, sizes itself for eight characters
// instead of measuring every entry of a long list, and holds its entries as plain texts
// rather than one item object each.
class ListBox final : public QComboBox {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent);

  // Appends entries in one step; their texts are shared, not copied, with every other
  // box that shows the same list.
  void AddEntries(const QStringList& entries);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  static constexpr int kContentsLength = 8;

 signals:
  // An entry was chosen from the list: picked in its popup, or stepped to with the arrow
  // keys or the wheel. Qt's activated also fires when typed text that equals an entry is
  // left by Tab, Enter or a click elsewhere; that is no choice, and this stays silent.
  void ItemChosen(int index);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class Entries;
  Entries* entries_;
  bool leavingTypedText_ = false;
};

}  // namespace tallyra
