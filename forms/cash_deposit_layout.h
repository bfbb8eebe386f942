#pragma once

#include "forms/print_layout.h"

namespace tallyra {

// The cash deposit slip on custom paper 2660 × 1660 portrait, job "现金交款单打印".
// Every item moves by the slip's offset pair {dx, dy}.
const PrintLayout& CashDepositLayout();

}  // namespace tallyra
