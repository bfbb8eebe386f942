#include "forms/position_table.h"

namespace tallyra {

OffsetSource OffsetsOf(OffsetPair pair) {
  return {kPositionTable, kPositionTablePassword, 2 * static_cast<int>(pair) - 1, 2};
}

OffsetSource DepositSlipOffsets() {
  return {kDepositSlipPositionTable, kDepositSlipPositionPassword, 1, kDepositSlipPositionFields};
}

std::optional<std::vector<double>> ReadOffsets(RecordStore& store, const OffsetSource& source) {
  if (!store.MakeCurrent(source.table, source.password)) return std::nullopt;
  store.First();  // only the first record holds offsets
  const bool stored = store.RecordCount() > 0;
  std::vector<double> offsets;
  for (int field = source.firstField; field < source.firstField + source.count; ++field) {
    offsets.push_back(stored ? store.ReadNumber(field) : 0.0);
  }
  return offsets;
}

}  // namespace tallyra
