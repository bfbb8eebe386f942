#pragma once

#include "forms/print_engine.h"

namespace tallyra {

// A cheque as an operator fills it in, by control name: issued 2011-01-05, 1234.50
// typed into the 千 … 分 boxes, an account entry "基本户|1234567890", a 28-byte
// additional text and a 24-byte stub payee (both printed on two lines).
FieldValues FilledCheque();

}  // namespace tallyra
