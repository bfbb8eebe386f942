#pragma once

#include "forms/print_layout.h"

namespace tallyra {

// The cheque, stub and face, on custom paper 2660 × 1660 portrait, job "支票打印".
// Every item moves by the cheque's offset pair {dx, dy}.
const PrintLayout& ChequeLayout();

}  // namespace tallyra
