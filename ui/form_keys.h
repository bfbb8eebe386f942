#pragma once

#include <QObject>

class QEvent;
class QWidget;

namespace tallyra {

// The keys the form windows give a meaning: Enter moves the focus to the next control in
// tab order, like Tab; Esc closes the window.
enum class FormKey { kOther, kEnter, kEscape };
FormKey FormKeyOf(const QEvent* event);

// Whether the event would type or commit anything but the ASCII digits 0-9 and the minus
// sign: cells and offset boxes refuse it, whether it comes from a key or an input method
// (full-width "１" included). Editing keys pass, and so does pasted text.
bool EntersNonDigit(const QEvent* event);

// Lets only the digits and the minus sign be typed or committed into a box; pasting
// passes unfiltered.
void TypeDigitsOnly(QWidget* box);

// The one keyboard behaviour of the form and position windows, for every control of the
// window wherever the focus is: Enter moves the focus on; Esc closes the window when the
// window wants it. An open drop-down list or another popup keeps its own keys, so Esc
// there closes only the popup.
class WindowKeys final : public QObject {
  Q_OBJECT

 public:
  enum class Esc { kClosesWindow, kIgnored };
  WindowKeys(QWidget* window, Esc esc);

  // Esc alone, for a window whose controls give Enter their own meaning: an Esc that no
  // control takes closes the window; Enter is left alone.
  static void EscClosesWindow(QWidget* window);

  // Watches every focusable control the window holds now.
  void WatchControls();
  // Moves the focus to the next control in tab order that can take it.
  static void FocusNext(QWidget* window);

 signals:
  // A control got the focus from the operator or the program (not from the window coming
  // back to the front); for a drop-down list's inner edit, the list.
  void FocusEntered(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  Esc esc_;
  bool enterMovesFocus_ = true;
};

}  // namespace tallyra
