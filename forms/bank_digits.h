#pragma once

#include <array>
#include <string>
#include <vector>

#include "forms/print_layout.h"

namespace tallyra {

// The bank forms write the amount in figures one digit per cell: eleven cells 亿 … 分,
// the boxes 编辑框4 … 编辑框14 of the cheque, the deposit slip and the wire transfer.
inline constexpr int kBankDigitCells = 11;

// 编辑框4 … 编辑框14, highest place first.
std::vector<std::string> BankDigitNames();

// One print column per cell, at x, x + step, … on the paper.
std::vector<DigitColumn> BankDigitColumns(int x, int step);
// One print column per cell, at each cell's own x on the paper.
std::vector<DigitColumn> BankDigitColumns(const std::array<int, kBankDigitCells>& xs);

}  // namespace tallyra
