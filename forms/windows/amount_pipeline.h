#pragma once

#include <QObject>
#include <array>

class QDateEdit;
class QLineEdit;

namespace tallyra {

class CellRow;

// What a bank form with a digit row derives by itself (RecomputeAmount): the amount in
// figures from the digit boxes, the amount in capitals from the figures, and the issue
// date in capitals. A window adds the parts it has.
class AmountPipeline final : public QObject {
  Q_OBJECT

 public:
  explicit AmountPipeline(QObject* parent) : QObject(parent) {}

  void SetAmount(CellRow* digits, QLineEdit* figure, QLineEdit* capitals);
  void SetDate(QDateEdit* date, const std::array<QLineEdit*, 3>& capitals);

  // The derived boxes from the digits and the date, in that order. Safe against its
  // own writes of the figure box coming back.
  void Recompute();

 private:
  CellRow* digits_ = nullptr;
  QLineEdit* figure_ = nullptr;
  QLineEdit* capitals_ = nullptr;
  QDateEdit* date_ = nullptr;
  std::array<QLineEdit*, 3> dateCapitals_{};
  bool recomputing_ = false;
};

}  // namespace tallyra
