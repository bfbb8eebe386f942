#include "forms/windows/amount_pipeline.h"

#include <QDateEdit>
#include <QLineEdit>

#include "data/gbk_text.h"
#include "forms/amounts.h"
#include "forms/capitals.h"
#include "forms/windows/cell_row.h"

namespace tallyra {

void AmountPipeline::SetAmount(CellRow* digits, QLineEdit* figure, QLineEdit* capitals) {
  digits_ = digits;
  figure_ = figure;
  capitals_ = capitals;
  connect(digits_, &CellRow::Changed, this, &AmountPipeline::Recompute);
  // The figure box also changes by itself when the program writes it.
  connect(figure_, &QLineEdit::textChanged, this, &AmountPipeline::Recompute);
}

void AmountPipeline::SetDate(QDateEdit* date, const std::array<QLineEdit*, 3>& capitals) {
  date_ = date;
  dateCapitals_ = capitals;
  connect(date_, &QDateEdit::dateChanged, this, &AmountPipeline::Recompute);
  connect(date_, &QDateEdit::editingFinished, this, &AmountPipeline::Recompute);
}

void AmountPipeline::Recompute() {
  if (recomputing_) return;  // our own write of the figure box comes back here
  recomputing_ = true;
  if (digits_) {
    figure_->setText(QString::fromStdString(FigureOfCells(digits_->Texts())));
    const double amount = NumericValue(figure_->text().toStdString());
    capitals_->setText(QString::fromStdString(AmountToCapitals(amount)));
  }
  if (date_ && dateCapitals_[0]) {
    const QDate date = date_->date();
    const DateTexts capitals = DateToCapitals({date.year(), date.month(), date.day()});
    dateCapitals_[0]->setText(QString::fromStdString(capitals.year));
    dateCapitals_[1]->setText(QString::fromStdString(capitals.month));
    dateCapitals_[2]->setText(QString::fromStdString(capitals.day));
  }
  recomputing_ = false;
}

}  // namespace tallyra
