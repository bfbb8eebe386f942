#pragma once

#include "forms/windows/position_window.h"

namespace tallyra {

// The deposit slip's 34 offsets: a vertical one per printed line, a horizontal one per
// item and per digit column.
class DepositSlipPositionWindow final : public PositionWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DepositSlipPositionWindow)

 public:
  DepositSlipPositionWindow(AppContext& context, QWidget* owner);
};

}  // namespace tallyra
