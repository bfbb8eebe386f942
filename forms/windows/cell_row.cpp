#include "forms/windows/cell_row.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "forms/bank_digits.h"
#include "ui/controls.h"
#include "ui/form_keys.h"
#include "ui/gbk_limit.h"

namespace tallyra {

CellRow::CellRow(const CellRowSpec& desc, QWidget* parent) : QObject(parent), entry_(desc.entry) {
  const bool placed = !desc.cells.empty() && !desc.cells.front().rect.isEmpty();
  QGridLayout* grid = nullptr;
  if (!placed) {
    container_ = new QWidget(parent);
    grid = new QGridLayout(container_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
  }
  QWidget* host = placed ? parent : container_;
  for (const CellSpec& spec_cell : desc.cells) {
    const int k = Size();
    QLineEdit* cell = MakeCell(spec_cell, host);
    QLabel* place = spec_cell.place.isEmpty() ? nullptr : new QLabel(spec_cell.place, host);
    if (place) place->setAlignment(Qt::AlignCenter);
    if (placed) {
      cell->setGeometry(spec_cell.rect);
      if (place)
        place->setGeometry(spec_cell.rect.x() - 2, spec_cell.rect.y() - 16,
                           spec_cell.rect.width() + 4, 14);
    } else {
      if (place) grid->addWidget(place, 0, k);
      grid->addWidget(cell, 1, k);
    }
    cells_.push_back(cell);
  }
  for (int k = 0; k < Size(); ++k) successors_.push_back(k + 1 < Size() ? Cell(k + 1) : nullptr);
}

QLineEdit* CellRow::MakeCell(const CellSpec& desc, QWidget* parent) {
  auto* cell = new QLineEdit(parent);
  cell->setObjectName(desc.name);
  cell->setMaxLength(1);
  KeepOneLine(cell);
  cell->setAlignment(Qt::AlignCenter);
  if (desc.rect.isEmpty()) cell->setFixedWidth(22);
  // The look's padding leaves a narrow placed cell (the vouchers' are 14 pixels wide) too
  // little room for a digit: such a cell is marked for a look without padding.
  constexpr int kPaddedWidth = 20;
  if (!desc.rect.isEmpty() && desc.rect.width() < kPaddedWidth) cell->setProperty("narrow", true);
  switch (entry_) {
    case CellEntry::kTyped: {
      const int k = Size();
      connect(cell, &QLineEdit::textChanged, this, [this, k] { CellChanged(k); });
      TypeDigitsOnly(cell);
      break;
    }
    case CellEntry::kPassive:
      cell->setFocusPolicy(Qt::ClickFocus);
      TypeDigitsOnly(cell);
      break;
    case CellEntry::kReadOnly:
      MakeDerived(cell);
      break;
  }
  // A given rectangle can be as narrow as 14 pixels: without the padding the digit fits.
  if (!desc.rect.isEmpty()) {
    cell->setStyleSheet(cell->styleSheet() + QStringLiteral(" QLineEdit { padding: 0px; }"));
  }
  return cell;
}

std::vector<std::string> CellRow::Texts() const { return Texts(0, Size()); }

std::vector<std::string> CellRow::Texts(int from, int count) const {
  std::vector<std::string> texts;
  for (int k = from; k < from + count; ++k) texts.push_back(Cell(k)->text().toStdString());
  return texts;
}

void CellRow::SetTexts(const std::vector<std::string>& texts) {
  for (int k = 0; k < Size() && k < static_cast<int>(texts.size()); ++k) {
    Cell(k)->setText(QString::fromStdString(texts[static_cast<std::size_t>(k)]));
  }
}

void CellRow::Clear() {
  for (QLineEdit* cell : cells_) cell->clear();
}

void CellRow::SetSuccessor(int k, QWidget* next) {
  successors_.at(static_cast<std::size_t>(k)) = next;
}

void CellRow::CellChanged(int k) {
  if (QWidget* next = successors_[static_cast<std::size_t>(k)]) next->setFocus();
  emit Changed();
}

CellRowSpec BankDigitRowSpec() {
  const std::vector<std::string> names = BankDigitNames();
  const std::vector<std::string> places = PlaceNames(names.size());
  CellRowSpec desc;
  for (std::size_t k = 0; k < names.size(); ++k) {
    desc.cells.push_back({QString::fromStdString(names[k]), QString::fromStdString(places[k])});
  }
  return desc;
}

}  // namespace tallyra
