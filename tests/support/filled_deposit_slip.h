#pragma once

#include "forms/print_engine.h"

namespace tallyra {

// A deposit slip as an operator fills it in, by control name: issued 2011-01-05, 1 234.50
// in the 千 … 分 boxes, a drawer name of 40 bytes (printed 32 + 8), a payee of 30 bytes (one
// line) and a remark of 76 bytes (38 + 38).
FieldValues FilledDepositSlip();

}  // namespace tallyra
