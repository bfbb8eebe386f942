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

// The deposit slip's own table: one record of 34 offsets, one per printed line or item.
inline constexpr std::string_view kDepositSlipPositionTable = "Tzjzd.bsf";
inline constexpr std::string_view kDepositSlipPositionPassword = "@春%夏*秋&冬";
inline constexpr int kDepositSlipPositionFields = 34;

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

// Where a form's print run finds its offsets: `count` fields from `firstField` of the
// first record of a position table. A layout's offset references index this list.
struct OffsetSource {
  std::string_view table;
  std::string_view password;
  int firstField = 1;
  int count = 0;
};

// Pair k of the shared table: {dx, dy}.
OffsetSource OffsetsOf(OffsetPair pair);
// All 34 offsets of the deposit slip.
OffsetSource DepositSlipOffsets();

// Makes the source's table current (opening it if needed) and returns its offsets as
// stored; a table without records gives zeros. Nothing when the table cannot be opened:
// the store's last error says why.
std::optional<std::vector<double>> ReadOffsets(RecordStore& store, const OffsetSource& source);

}  // namespace tallyra
