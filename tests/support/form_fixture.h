#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>

#include "forms/windows/form_window.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {

// A control of a window by name; a missing one fails the test.
template <typename T>
T* FindControl(const QWidget* window, const QString& name) {
  T* control = window->findChild<T*>(name);
  EXPECT_NE(control, nullptr) << name.toStdString();
  return control;
}

// A window test of one form window: Open makes it as the main window does and shows it;
// the test's end destroys it, if it is still there. Controls are found by name.
template <typename Window, typename DefaultControl = QLineEdit>
class FormFixture : public UiFixture {
 protected:
  ~FormFixture() override { delete window_.data(); }

  void Open() {
    window_ = CreateForm<Window>(*context_, nullptr);
    ShowActive(window_);
  }
  template <typename T = DefaultControl>
  T* Control(const char* name) {
    return FindControl<T>(window_, QString::fromUtf8(name));
  }
  QString Text(const char* name) { return Control<QLineEdit>(name)->text(); }
  // The entries of a drop-down list.
  QStringList Items(const char* name) {
    QStringList items;
    auto* list = Control<QComboBox>(name);
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }

  QPointer<Window> window_;
};

}  // namespace tallyra
