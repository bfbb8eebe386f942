#pragma once

#include <QRect>
#include <QSize>
#include <array>
#include <string>
#include <vector>

#include "forms/position_table.h"
#include "forms/windows/cell_row.h"
#include "forms/windows/form_window.h"
#include "vouchers/voucher_layout.h"

namespace tallyra {

// Where a voucher's line controls stand inside each line group.
struct VoucherLineGeometry {
  std::array<const char*, kVoucherLines> groups;  // the line groups, lines 1 to 5
  QRect counterparty;
  QRect summary;
  std::vector<QRect> subjects;  // in the order of VoucherLineNames::subjects
  int summaryBytes = 0;
  int subjectBytes = 0;
  int firstCellX = 0;  // amount cell j at firstCellX + 16 × j
  int cellY = 0;
  int leftMarkX = 0;
  int rightMarkX = 0;
};

// Where the totals row's cells stand in its group.
struct VoucherTotalsGeometry {
  const char* group;
  int firstCellX = 0;
  int cellY = 0;
  int leftMarkX = 0;
  int rightMarkX = 0;
  CellEntry entry = CellEntry::kReadOnly;  // editable (kPassive) on the receipt voucher
};

// A subject table and the boxes its list fills.
struct SubjectList {
  const char* file;
  const char* field;
  std::vector<std::string> boxes;  // the first box shows a repeated subject selected
};

// Everything a voucher window is made of; the windows differ only in this.
struct VoucherWindowSpec {
  VoucherKind kind;
  const char* title;
  const char* greeting;
  QSize size;
  // Every control but the cells, in order: groups before what they hold. New clears
  // the fields in this order, before the cells.
  std::vector<ControlSpec> controls;
  VoucherLineGeometry lines;
  VoucherTotalsGeometry totals;
  std::vector<SubjectList> lists;
  const char* defaultHeaderSubject;  // null: no header subject box
  const char* firstField;            // the focus after New
  // The tab order before the lines; after them come 编辑框85, 编辑框74, 编辑框73 and
  // the buttons.
  std::vector<std::string> tabBeforeLines;
  OffsetPair offsets;
};

// The place captions 千 … 分 over the amount cells, 标签14 … 标签23, from x at y in the group.
void AddPlaceCaptions(std::vector<ControlSpec>& controls, const char* group, int x, int y);

// The accounting voucher of five lines: counterparty, summary, subjects, ten amount cells
// and two posting marks each; a totals row the window keeps as the sum of the lines;
// printed onto voucher paper. Typing into a cell moves the focus along the line, on to
// the next line's counterparty.
class VoucherWindow : public FormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(VoucherWindow)

 public:
  CellRow* Line(int k) const { return lines_.at(static_cast<std::size_t>(k)); }
  CellRow* Totals() const { return totals_; }
  CellRow* TotalMarks() const { return totalMarks_; }

  // Writes the sum of the five line amounts into the ten total cells.
  void RecomputeTotals();

 protected:
  VoucherWindow(AppContext& context, QWidget* owner, VoucherWindowSpec desc);

  void LoadLists() override;
  // A total the ten cells cannot show whole would print a wrong amount.
  bool CheckBeforePrint() override;
  const PrintLayout& Layout() const override;
  OffsetSource Offsets() const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The banner's font, centred captions and the status colours.
  void Dress();
  void BuildLineFields();
  void BuildCells();
  void LinkFocusChain();
  void AddVoucherResetSteps();
  void SetVoucherTabOrder();
  double LinesTotal() const;

  VoucherWindowSpec spec_;
  std::array<CellRow*, kVoucherLines> lines_{};
  QDateEdit* dateBox_ = nullptr;
  CellRow* totals_ = nullptr;
  CellRow* totalMarks_ = nullptr;
};

}  // namespace tallyra
