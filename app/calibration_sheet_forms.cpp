#include "app/calibration_sheet_forms.h"

#include "forms/cash_deposit_layout.h"
#include "forms/cheque_layout.h"
#include "forms/position_table.h"
#include "forms/wire_transfer_layout.h"
#include "vouchers/voucher_layout.h"

namespace tallyra {

std::vector<SheetFormSpec> CalibrationSheetForms() {
  return {
      {"支票", &ChequeLayout, OffsetsOf(OffsetPair::kCheque)},
      {"电汇凭证", &WireTransferLayout, OffsetsOf(OffsetPair::kWireTransfer)},
      {"现金交款单", &CashDepositLayout, OffsetsOf(OffsetPair::kCashDepositSlip)},
      {"收款凭证", &ReceiptVoucherLayout, OffsetsOf(OffsetPair::kReceiptVoucher)},
      {"付款凭证", &PaymentVoucherLayout, OffsetsOf(OffsetPair::kPaymentVoucher)},
      {"转帐凭证", &TransferVoucherLayout, OffsetsOf(OffsetPair::kTransferVoucher)},
  };
}

}  // namespace tallyra
