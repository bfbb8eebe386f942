#include "ui/form_keys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tallyra {
namespace {

bool IsDigitText(const QString& text) {
  for (const QChar c : text) {
    if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-'))) {
      return false;
    }
  }
  return true;
}

class DigitsOnly final : public QObject {
 public:
  explicit DigitsOnly(QWidget* box) : QObject(box) { box->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    return EntersNonDigit(event) || QObject::eventFilter(watched, event);
  }
};

}  // namespace

void TypeDigitsOnly(QWidget* box) { new DigitsOnly(box); }

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

bool EntersNonDigit(const QEvent* event) {
  if (event->type() == QEvent::InputMethod) {
    const auto* input = static_cast<const QInputMethodEvent*>(event);
    return !input->preeditString().isEmpty() || !IsDigitText(input->commitString());
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->matches(QKeySequence::Paste)) return false;
  const QString text = key->text();
  if (text.isEmpty() || !text[0].isPrint()) return false;
  return !(text.size() == 1 && IsDigitText(text));
}

WindowKeys::WindowKeys(QWidget* window, Esc esc) : QObject(window), window_(window), esc_(esc) {}

void WindowKeys::EscClosesWindow(QWidget* window) {
  auto* keys = new WindowKeys(window, Esc::kClosesWindow);
  keys->enterMovesFocus_ = false;
  // Watching the window itself sees the keys its controls leave to it.
  window->installEventFilter(keys);
}

void WindowKeys::WatchControls() {
  for (QWidget* child : window_->findChildren<QWidget*>()) {
    if (child->focusPolicy() != Qt::NoFocus) child->installEventFilter(this);
  }
}

void WindowKeys::FocusNext(QWidget* window) {
  // A Tab to the focused control takes Qt's own path through the tab order, focus
  // proxies and disabled or hidden controls included.
  QWidget* focused = QApplication::focusWidget();
  if (!focused || focused->window() != window) focused = window;
  // A date box takes Tab to step through its year, month and day: the window moves on.
  for (QWidget* w = focused; w && w != window; w = w->parentWidget()) {
    if (qobject_cast<QAbstractSpinBox*>(w)) focused = window;
  }
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(focused, &tab);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  // A drop-down list's popup is a window of its own: its keys are its own.
  if (!widget || widget->window() != window_) return QObject::eventFilter(watched, event);
  // A window coming back to the front gives the focus back to its control: that is no
  // move of the operator's, and the status line keeps what it says.
  if (event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
    auto* list = qobject_cast<QComboBox*>(widget->parentWidget());
    emit FocusEntered(list ? list : widget);
  }
  switch (FormKeyOf(event)) {
    case FormKey::kEnter:
      if (!enterMovesFocus_) break;
      FocusNext(window_);
      return true;
    case FormKey::kEscape:
      if (esc_ == Esc::kIgnored) break;
      window_->close();
      return true;
    case FormKey::kOther:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tallyra
