#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "ui/app_context.h"

class QRadioButton;

namespace tallyra {

class TableEditorWindow;

// "选择内容设置": one radio button per reference list; a click opens the table editor on
// that list's table file.
class SelectionSettingsWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SelectionSettingsWindow)

 public:
  SelectionSettingsWindow(AppContext& context, QWidget* owner);

  // The table editor this window opened last, while it is open.
  TableEditorWindow* Editor() const;

 private:
  QWidget* BuildGroup(QWidget* parent, int group);
  // Opens the table editor on the table of the radio button choices()[choice].
  void EditTable(int choice);
  // The editor's caption: the captions of the choice's groups and its radio, as they read.
  QString CaptionOf(int choice) const;

  AppContext& context_;
  std::optional<FormRegistration> registration_;
  QPointer<TableEditorWindow> editor_;
};

}  // namespace tallyra
