#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace tallyra {

// How the cells of a row take input.
enum class CellEntry {
  kTyped,     // digits and the minus sign typed; any change moves the focus on and is reported
  kPassive,   // typed like kTyped, but nothing follows a change and Tab passes them by
  kReadOnly,  // written by the program only, shown dark red on grey, never focused
};

struct CellSpec {
  QString name;   // the control's name
  QString place;  // the label above the cell; empty for none
  QRect rect{};   // the cell's geometry in the parent; empty: laid out in a grid
};

struct CellRowSpec {
  std::vector<CellSpec> cells;
  CellEntry entry = CellEntry::kTyped;
};

// A row of one-character cells: the bank forms' digit boxes, the cash slip's total cells,
// a voucher line's amount cells and posting marks, the voucher totals. Built from a
// description. With given rectangles the cells and their place labels go straight onto
// the parent; otherwise they stand in a grid in Container(), labels above cells.
class CellRow final : public QObject {
  Q_OBJECT

 public:
  CellRow(const CellRowSpec& desc, QWidget* parent);

  int Size() const { return static_cast<int>(cells_.size()); }
  QLineEdit* Cell(int k) const { return cells_.at(static_cast<std::size_t>(k)); }
  // The grid holding the cells, or null when they were placed by rectangle.
  QWidget* Container() const { return container_; }

  // The texts from the first cell to the last.
  std::vector<std::string> Texts() const;
  // The texts of cells [from, from + count).
  std::vector<std::string> Texts(int from, int count) const;
  void SetTexts(const std::vector<std::string>& texts);
  void Clear();

  // Where the focus goes after cell k when it changes (typed cells); by default the next
  // cell, and after the last one the field set here.
  void SetSuccessor(int k, QWidget* next);
  void SetNextField(QWidget* field) { SetSuccessor(Size() - 1, field); }

 signals:
  // A typed cell changed, after the focus moved on.
  void Changed();

 private:
  QLineEdit* MakeCell(const CellSpec& cell, QWidget* parent);
  void CellChanged(int k);

  CellEntry entry_;
  QWidget* container_ = nullptr;
  std::vector<QLineEdit*> cells_;
  std::vector<QWidget*> successors_;
};

// The eleven digit boxes of the bank forms, 编辑框4 (亿) … 编辑框14 (分), in a grid.
CellRowSpec BankDigitRowSpec();

}  // namespace tallyra
