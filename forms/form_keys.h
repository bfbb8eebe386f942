#pragma once

class QEvent;

namespace tallyra {

// The keys the form windows give a meaning: Enter moves the focus to the next control in
// tab order, like Tab; Esc closes the window.
enum class FormKey { kOther, kEnter, kEscape };
FormKey FormKeyOf(const QEvent* event);

// Whether the event types a character other than a digit or the minus sign: boxes for
// digits and offsets refuse it. Editing keys and pasted text pass.
bool TypesNonDigit(const QEvent* event);

}  // namespace tallyra
