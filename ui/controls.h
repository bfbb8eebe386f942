#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// Small builders for the named controls every window has.
namespace tallyra {

QLabel* Caption(QWidget* parent, const QString& name, const QString& text);
QGroupBox* Group(QWidget* parent, const QString& name, const QString& title);
// The same from UTF-8 literals, as the window tables write them.
QLabel* Caption(QWidget* parent, const char* name, const char* text);
QGroupBox* Group(QWidget* parent, const char* name, const char* title);

// A box the program fills: read-only, never focused, dark red on light grey.
void MakeDerived(QLineEdit* box);

}  // namespace tallyra
