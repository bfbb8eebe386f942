#pragma once

#include <QObject>
#include <QStringList>
#include <array>

class QGridLayout;
class QLineEdit;
class QWidget;

namespace tallyra {

// The amount typed one digit per box, from 亿 down to 分 (编辑框4 … 编辑框14). Each box
// takes one character; typing is limited to digits and the minus sign. Any change of a
// box, by typing, deleting or by the program, moves the focus on and reports Changed.
class DigitRow final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kBoxes = 11;

  // Builds the place labels and the boxes into a grid on the parent.
  explicit DigitRow(QWidget* parent);

  QLineEdit* Box(int k) const { return boxes_[static_cast<std::size_t>(k)]; }
  // The texts from the highest place to the lowest.
  QStringList Texts() const;
  // The amount in figures: 亿 … 元, ".", 角 and 分; empty boxes contribute nothing.
  QString Figure() const;
  void Clear();
  // Where the focus goes after the 分 box.
  void SetNextField(QWidget* field) { next_ = field; }
  QWidget* Container() const { return container_; }

 signals:
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BoxChanged(int k);

  QWidget* container_;
  std::array<QLineEdit*, kBoxes> boxes_{};
  QWidget* next_ = nullptr;
};

}  // namespace tallyra
