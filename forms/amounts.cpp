#include "forms/amounts.h"

#include <charconv>
#include <cmath>

#include "data/gbk_text.h"
#include "forms/decimal_rounding.h"

namespace tallyra {
namespace {

// The last `count` characters of an ASCII text, right-aligned into cells.
std::vector<std::string> RightAligned(const std::string& text, std::size_t count) {
  std::vector<std::string> cells(count);
  const std::size_t shown = std::min(text.size(), count);
  for (std::size_t i = 0; i < shown; ++i) {
    cells[count - shown + i] = std::string(1, text[text.size() - shown + i]);
  }
  return cells;
}

}  // namespace

std::string FigureOfCells(const std::vector<std::string>& cells) {
  std::string figure;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (k + 2 == cells.size()) figure += '.';
    figure += cells[k];
  }
  return figure;
}

double LineAmountInFen(const std::vector<std::string>& cells) {
  std::string joined;
  for (const std::string& cell : cells) joined += cell;
  return NumericValue(joined);
}

namespace {

// "%.13g" without the C library's locale: the decimal point is always ".".
std::string TotalText(double total) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, total, std::chars_format::general, 13);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::vector<std::string> TotalIntoCells(double total, std::size_t count) {
  return RightAligned(TotalText(total), count);
}

bool TotalFitsCells(double total, std::size_t count) { return TotalText(total).size() <= count; }

std::string TwoDecimalText(double total) {
  if (!std::isfinite(total)) return "0.00";
  const Hundredths rounded = RoundToHundredths(total);
  const bool negative = total < 0 && (rounded.whole != "0" || rounded.cents != 0);
  std::string text = negative ? "-" : "";
  text +=
      rounded.whole + "." + std::to_string(rounded.cents / 10) + std::to_string(rounded.cents % 10);
  return text;
}

std::vector<std::string> TwoDecimalsIntoCells(const std::string& text, std::size_t count) {
  std::string digits = text;
  const std::size_t point = digits.rfind('.');
  if (point != std::string::npos) digits.erase(point, 1);
  return RightAligned(digits, count);
}

}  // namespace tallyra
