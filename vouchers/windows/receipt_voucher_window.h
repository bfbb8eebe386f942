#pragma once

#include "vouchers/windows/voucher_window.h"

namespace tallyra {

// The receipt voucher (收款凭证): money received, the debit subject in the header, the
// credit subjects on the lines.
class ReceiptVoucherWindow final : public VoucherWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ReceiptVoucherWindow)

 public:
  ReceiptVoucherWindow(AppContext& context, QWidget* owner);
};

}  // namespace tallyra
