#include "vouchers/windows/receipt_voucher_window.h"

#include "vouchers/windows/cash_voucher_controls.h"

namespace tallyra {

ReceiptVoucherWindow::ReceiptVoucherWindow(AppContext& context, QWidget* owner)
    : VoucherWindow(context, owner, CashVoucherSpec(VoucherKind::kReceipt)) {
  setObjectName(QStringLiteral("ReceiptVoucherWindow"));
}

}  // namespace tallyra
