#pragma once

#include <QSize>
#include <QWidget>
#include <vector>

#include "forms/position_table.h"
#include "forms/print_layout.h"
#include "ui/app_context.h"

class QComboBox;
class QLineEdit;

namespace tallyra {

// One offset box: the table field it shows, its name, and a label beside it (or above it,
// for the deposit slip's digit cells).
struct PositionBoxSpec {
  int field = 0;
  const char* name = "";
  const char* label = "";
  bool labelAbove = false;
};

// A group of boxes inside a form's or line's group: "调整左右位置", "年月日上下", …
struct PositionInnerSpec {
  const char* name = "";
  const char* caption = "";
  std::vector<PositionBoxSpec> boxes;
};

struct PositionGroupSpec {
  const char* name = "";
  const char* caption = "";
  int row = 0;  // place in the window's grid of groups
  int column = 0;
  bool hidden = false;  // kept and written back, never shown
  std::vector<PositionInnerSpec> inner;
  int columnSpan = 1;
};

// A form whose calibration sheet the window prints: its layout, and which of the window's
// fields are its offsets, in the order its layout indexes them.
struct SheetFormSpec {
  const char* name = "";  // 支票, 进帐单, …
  const PrintLayout& (*layout)() = nullptr;
  OffsetSource offsets;
};

// A print-position window as data: its table, its groups of boxes, the notes panel and the
// tab order. The shared offsets and the deposit slip's 34 are two instances of it.
struct PositionWindowSpec {
  const char* objectName = "";
  const char* title = "";
  QSize size;          // without the row of the test print below it
  OffsetSource table;  // the fields shown; Save writes every one of them
  std::vector<PositionGroupSpec> groups;
  const char* notesPanel = "";  // the group of the notes and the buttons
  const char* notesBox = "";
  // Where the notes panel stands in the grid of groups: right of the groups' columns,
  // beside the rows it spans.
  int notesColumn = 2;
  int notesRowSpan = 3;
  std::vector<int> tabOrder;  // fields, before the buttons
  bool escCloses = true;
  // The forms the test print can be for; with more than one, a list beside the button
  // chooses. Their row lies below the window's given size.
  std::vector<SheetFormSpec> sheetForms;
};

// Where the super administrator adjusts print offsets. While the window is open its table
// is current on its only record.
class PositionWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PositionWindow)

 public:
  PositionWindow(AppContext& context, QWidget* owner, PositionWindowSpec desc);

  void Save();
  void Initialize();
  void Exit();
  // Prints (or previews) the chosen form's calibration sheet with the offsets now in the
  // boxes, saved or not. The table is not touched.
  void PrintSheet();
  void PreviewSheet();
  // The box of a field, counted from 1.
  QLineEdit* FieldBox(int field) const;

 private:
  QWidget* BuildGroup(const PositionGroupSpec& group);
  QWidget* BuildInner(QWidget* parent, const PositionInnerSpec& inner);
  QWidget* BuildNotes();
  QWidget* BuildSheetRow(QWidget* parent);
  void Load();
  void SheetRoutine(bool preview);

  AppContext& context_;
  FormRegistration registration_;
  PositionWindowSpec spec_;
  std::vector<QLineEdit*> boxes_;
  QComboBox* sheetForm_ = nullptr;
};

}  // namespace tallyra
