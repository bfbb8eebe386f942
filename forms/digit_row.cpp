#include "forms/digit_row.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "forms/form_keys.h"

namespace tallyra {
namespace {

constexpr const char* kPlaces[DigitRow::kBoxes] = {"亿", "千", "百", "十", "万", "千",
                                                   "百", "十", "元", "角", "分"};

}  // namespace

DigitRow::DigitRow(QWidget* parent) : QObject(parent), container_(new QWidget(parent)) {
  auto* grid = new QGridLayout(container_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(1);
  for (int k = 0; k < kBoxes; ++k) {
    auto* place = new QLabel(QString::fromUtf8(kPlaces[k]), container_);
    place->setAlignment(Qt::AlignCenter);
    auto* box = new QLineEdit(container_);
    box->setObjectName(QStringLiteral("编辑框%1").arg(k + 4));
    box->setMaxLength(1);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(22);
    box->installEventFilter(this);
    grid->addWidget(place, 0, k);
    grid->addWidget(box, 1, k);
    boxes_[static_cast<std::size_t>(k)] = box;
    connect(box, &QLineEdit::textChanged, this, [this, k] { BoxChanged(k); });
  }
}

QStringList DigitRow::Texts() const {
  QStringList texts;
  for (const QLineEdit* box : boxes_) texts << box->text();
  return texts;
}

QString DigitRow::Figure() const {
  QString figure;
  for (int k = 0; k < kBoxes; ++k) {
    if (k == kBoxes - 2) figure += QLatin1Char('.');
    figure += Box(k)->text();
  }
  return figure;
}

void DigitRow::Clear() {
  for (QLineEdit* box : boxes_) box->clear();
}

void DigitRow::BoxChanged(int k) {
  QWidget* next = k + 1 < kBoxes ? Box(k + 1) : next_;
  if (next) next->setFocus();
  emit Changed();
}

bool DigitRow::eventFilter(QObject* watched, QEvent* event) {
  // Only typed characters are filtered; pasted text is taken as it is.
  return TypesNonDigit(event) || QObject::eventFilter(watched, event);
}

}  // namespace tallyra
