#include "vouchers/windows/payment_voucher_window.h"

#include "vouchers/windows/cash_voucher_controls.h"

namespace tallyra {

PaymentVoucherWindow::PaymentVoucherWindow(AppContext& context, QWidget* owner)
    : VoucherWindow(context, owner, CashVoucherSpec(VoucherKind::kPayment)) {
  setObjectName(QStringLiteral("PaymentVoucherWindow"));
}

}  // namespace tallyra
