#pragma once

#include <vector>

#include "forms/windows/position_window.h"

namespace tallyra {

// The forms whose calibration sheet the shared print-position window offers, in the order
// its list shows them: the bank forms and the vouchers, known together only here.
std::vector<SheetFormSpec> CalibrationSheetForms();

}  // namespace tallyra
