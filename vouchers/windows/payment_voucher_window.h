#pragma once

#include "vouchers/windows/voucher_window.h"

namespace tallyra {

// The payment voucher (付款凭证): money paid out, the credit subject in the header, the
// debit subjects on the lines.
class PaymentVoucherWindow final : public VoucherWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PaymentVoucherWindow)

 public:
  PaymentVoucherWindow(AppContext& context, QWidget* owner);
};

}  // namespace tallyra
