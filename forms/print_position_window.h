#pragma once

#include <QWidget>
#include <array>

#include "app/app_context.h"
#include "forms/position_table.h"

class QLineEdit;

namespace tallyra {

// Where the super administrator adjusts the offset pairs of the six forms that share the
// position table. While the window is open the table is current on its only record.
class PrintPositionWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PrintPositionWindow)

 public:
  PrintPositionWindow(AppContext& context, QWidget* owner);

  void Save();
  void Initialize();
  void Exit();
  // The box of a field 1 … 14.
  QLineEdit* FieldBox(int field) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildFormGroup(const char* name, const char* title, int xField, bool hidden);
  QWidget* BuildNotes();
  void Load();

  AppContext& context_;
  FormRegistration registration_;
  std::array<QLineEdit*, kPositionFields> boxes_{};
};

}  // namespace tallyra
