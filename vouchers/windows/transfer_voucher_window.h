#pragma once

#include "vouchers/windows/voucher_window.h"

namespace tallyra {

// The transfer voucher (转帐凭证): no header subject; every line names its own debit and
// credit subjects, each a general-ledger and a detail subject.
class TransferVoucherWindow final : public VoucherWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TransferVoucherWindow)

 public:
  TransferVoucherWindow(AppContext& context, QWidget* owner);
};

}  // namespace tallyra
