#pragma once

#include "vouchers/windows/voucher_window.h"

namespace tallyra {

// The receipt and payment vouchers, twins that differ in their texts, tables, a few
// pixels and whether the total cells can be typed into.
VoucherWindowSpec ReceiptOrPaymentSpec(VoucherKind kind);

}  // namespace tallyra
