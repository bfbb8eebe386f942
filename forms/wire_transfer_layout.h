#pragma once

#include "forms/print_layout.h"

namespace tallyra {

// The wire-transfer voucher on custom paper 2660 × 1660 portrait, job "电汇凭证打印".
// Every item moves by the voucher's offset pair {dx, dy}.
const PrintLayout& WireTransferLayout();

}  // namespace tallyra
