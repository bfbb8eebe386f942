#include "vouchers/windows/payment_voucher_window.h"

#include "vouchers/windows/receipt_or_payment_voucher.h"

namespace tallyra {

PaymentVoucherWindow::PaymentVoucherWindow(AppContext& context, QWidget* owner)
    : VoucherWindow(context, owner, ReceiptOrPaymentSpec(VoucherKind::kPayment)) {
  setObjectName(QStringLiteral("PaymentVoucherWindow"));
}

}  // namespace tallyra
