#include "vouchers/windows/receipt_voucher_window.h"

#include "vouchers/windows/receipt_or_payment_voucher.h"

namespace tallyra {

ReceiptVoucherWindow::ReceiptVoucherWindow(AppContext& context, QWidget* owner)
    : VoucherWindow(context, owner, ReceiptOrPaymentSpec(VoucherKind::kReceipt)) {
  setObjectName(QStringLiteral("ReceiptVoucherWindow"));
}

}  // namespace tallyra
