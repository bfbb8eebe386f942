#include "ui/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tallyra {

QLabel* Caption(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QGroupBox* Group(QWidget* parent, const QString& name, const QString& title) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(name);
  return group;
}

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
  return Caption(parent, QString::fromUtf8(name), QString::fromUtf8(text));
}

QGroupBox* Group(QWidget* parent, const char* name, const char* title) {
  return Group(parent, QString::fromUtf8(name), QString::fromUtf8(title));
}

void MakeDerived(QLineEdit* box) {
  box->setReadOnly(true);
  // A text set by the program leaves the cursor at its end, and a box too narrow for it
  // then shows the end: a long amount in capitals would hide its highest places.
  QObject::connect(box, &QLineEdit::textChanged, box, [box] { box->setCursorPosition(0); });
  box->setFocusPolicy(Qt::NoFocus);
  box->setStyleSheet(
      QStringLiteral("QLineEdit { color: rgb(128, 0, 0); background: rgb(222, 222, 226); }"));
}

}  // namespace tallyra
