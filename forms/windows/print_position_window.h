#pragma once

#include <vector>

#include "forms/windows/position_window.h"

namespace tallyra {

// The offset pairs of the six forms that share the position table.
class PrintPositionWindow final : public PositionWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PrintPositionWindow)

 public:
  // sheetForms: the forms the test print offers, handed down by whoever knows them all.
  PrintPositionWindow(AppContext& context, QWidget* owner, std::vector<SheetFormSpec> sheetForms);
};

}  // namespace tallyra
