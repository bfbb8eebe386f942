#pragma once

#include <string>
#include <vector>

#include "forms/print_layout.h"

// The three accounting vouchers: the control names of their lines and their print layouts.
namespace tallyra {

inline constexpr int kVoucherLines = 5;
inline constexpr int kVoucherAmountCells = 10;  // 千万 … 分

// One voucher line's controls.
struct VoucherLineNames {
  std::string counterparty;
  std::string summary;
  // Receipt and payment: general, detail. Transfer: debit general, debit detail, credit
  // general, credit detail.
  std::vector<std::string> subjects;
  std::vector<std::string> cells;  // the ten amount cells, 千万 … 分
  std::string leftMark;
  std::string rightMark;
};

enum class VoucherKind { kReceipt, kPayment, kTransfer };

// Line k (0 … 4) of the voucher.
VoucherLineNames VoucherLine(VoucherKind kind, int k);
// The ten total cells 编辑框75 … 编辑框84.
std::vector<std::string> VoucherTotalCells();

const PrintLayout& ReceiptVoucherLayout();
const PrintLayout& PaymentVoucherLayout();
const PrintLayout& TransferVoucherLayout();

}  // namespace tallyra
