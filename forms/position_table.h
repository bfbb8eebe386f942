#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "data/record_store.h"

namespace tallyra {

// The table of print offsets that six forms share: one record, 14 numbers in 0.1 mm,
// a horizontal and a vertical offset per form.
inline constexpr std::string_view kPositionTable = "Tzztwz.bsf";
inline constexpr std::string_view kPositionTablePassword = "@山%水*云&";
inline constexpr int kPositionFields = 14;

// The forms' offset pairs, numbered as stored: pair k is fields 2k-1 (x) and 2k (y).
enum class OffsetPair {
  kCheque = 1,
  kDepositSlip = 2,
  kWireTransfer = 3,
  kReceiptVoucher = 4,
  kPaymentVoucher = 5,
  kTransferVoucher = 6,
  kCashDepositSlip = 7,
};

// Makes the position table current (opening it if needed) and returns the form's
// {dx, dy} as stored; a table without records gives {0, 0}. Nothing when the table
// cannot be opened: the store's last error says why.
std::optional<std::vector<double>> ReadOffsetPair(RecordStore& store, OffsetPair pair);

}  // namespace tallyra
