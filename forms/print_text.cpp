#include "forms/print_text.h"

#include <cmath>
#include <stdexcept>

#include "data/gbk_text.h"
#include "forms/decimal_rounding.h"

namespace tallyra {

std::string AccountOf(std::string_view entry) {
  const auto bar = entry.find('|');
  return std::string(bar == std::string_view::npos ? entry : entry.substr(bar + 1));
}

std::string BreakAfter(std::string_view text, std::size_t maxBytes) {
  const std::string_view first = CutToGbkBytes(text, maxBytes);
  std::string result(first);
  result += "\r\n";
  result += text.substr(first.size());
  return result;
}

std::string FormatAmount(double yuan) {
  if (!std::isfinite(yuan)) return "";
  const Hundredths rounded = RoundToHundredths(yuan);
  const bool negative = yuan < 0 && (rounded.whole != "0" || rounded.cents != 0);
  std::string text = negative ? "-" : "";
  const std::size_t digits = rounded.whole.size();
  for (std::size_t i = 0; i < digits; ++i) {
    if (i > 0 && (digits - i) % 3 == 0) text += ',';
    text += rounded.whole[i];
  }
  text += '.';
  text += static_cast<char>('0' + rounded.cents / 10);
  text += static_cast<char>('0' + rounded.cents % 10);
  return text;
}

DateTexts DateFigures(const Date& date) {
  return {std::to_string(date.year), std::to_string(date.month), std::to_string(date.day)};
}

std::vector<PlacedText> PlaceDigitRow(const std::vector<std::string>& digits,
                                      const std::vector<int>& xs) {
  if (digits.size() != xs.size()) {
    throw std::invalid_argument("PlaceDigitRow: one x position per digit box");
  }
  auto isLeadingDigit = [](const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '9';
  };
  std::vector<PlacedText> placed;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    if (k > 0 && isLeadingDigit(digits[k]) && digits[k - 1].empty()) {
      placed.push_back({xs[k - 1], "￥"});
    }
    if (!digits[k].empty()) placed.push_back({xs[k], digits[k]});
  }
  return placed;
}

}  // namespace tallyra
