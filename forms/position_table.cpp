#include "forms/position_table.h"

namespace tallyra {

std::optional<std::vector<double>> ReadOffsetPair(RecordStore& store, OffsetPair pair) {
  if (!store.MakeCurrent(kPositionTable, kPositionTablePassword)) return std::nullopt;
  store.First();  // only the first record holds offsets
  const int x = 2 * static_cast<int>(pair) - 1;
  // Without a record the pointer stands after the end and reads give 0.
  return std::vector<double>{store.ReadNumber(x), store.ReadNumber(x + 1)};
}

}  // namespace tallyra
