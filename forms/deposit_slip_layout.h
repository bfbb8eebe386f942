#pragma once

#include "forms/print_layout.h"

namespace tallyra {

// The deposit slip's 15 items on 2660 × 1660 portrait, job "进帐单打印". Every item names
// its own entries of the slip's 34 offsets (field N is index N - 1): a vertical one per
// printed line, a horizontal one per item and per digit column.
const PrintLayout& DepositSlipLayout();

}  // namespace tallyra
