#include "forms/form_keys.h"

#include <QKeyEvent>

namespace tallyra {

FormKey FormKeyOf(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return FormKey::kOther;
  switch (static_cast<const QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return FormKey::kEnter;
    case Qt::Key_Escape:
      return FormKey::kEscape;
    default:
      return FormKey::kOther;
  }
}

bool TypesNonDigit(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const QString text = static_cast<const QKeyEvent*>(event)->text();
  if (text.isEmpty() || !text[0].isPrint()) return false;
  return !(text.size() == 1 && (text[0].isDigit() || text[0] == QLatin1Char('-')));
}

}  // namespace tallyra
