#pragma once

#include "forms/windows/position_window.h"

namespace tallyra {

// The offset pairs of the six forms that share the position table.
class PrintPositionWindow final : public PositionWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PrintPositionWindow)

 public:
  PrintPositionWindow(AppContext& context, QWidget* owner);
};

}  // namespace tallyra
