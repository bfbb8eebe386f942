#include "forms/bank_digits.h"

namespace tallyra {

std::vector<std::string> BankDigitNames() { return NumberedNames("编辑框", 4, kBankDigitCells); }

std::vector<DigitColumn> BankDigitColumns(int x, int step) {
  return EvenColumns(BankDigitNames(), x, step);
}

std::vector<DigitColumn> BankDigitColumns(const std::array<int, kBankDigitCells>& xs) {
  const std::vector<std::string> names = BankDigitNames();
  std::vector<DigitColumn> columns;
  for (std::size_t k = 0; k < names.size(); ++k) columns.push_back({names[k], xs[k]});
  return columns;
}

}  // namespace tallyra
