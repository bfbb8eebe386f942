#include "forms/decimal_rounding.h"

#include <charconv>
#include <cmath>

namespace tallyra {

Hundredths RoundToHundredths(double value) {
  // Shortest round-trip text in fixed notation: the largest double has 309 integer
  // digits, the smallest subnormal 324 fraction digits.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
  const std::string text(buffer, result.ptr);

  const auto point = text.find('.');
  std::string whole = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  fraction.resize(3, '0');

  int cents = (fraction[0] - '0') * 10 + (fraction[1] - '0');
  if (fraction[2] >= '5') ++cents;
  if (cents == 100) {
    cents = 0;
    // Carry one into the integer digits.
    auto digit = whole.rbegin();
    for (; digit != whole.rend() && *digit == '9'; ++digit) *digit = '0';
    if (digit == whole.rend()) {
      whole.insert(whole.begin(), '1');
    } else {
      ++*digit;
    }
  }
  const auto firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
  return {whole, cents};
}

}  // namespace tallyra
