#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/calendar_date.h"

// Helpers that prepare a form's texts for printing.
namespace tallyra {

// The account number of a list entry "description|number": the text after the first "|";
// a text without "|" is the number itself.
std::string AccountOf(std::string_view entry);

// Inserts CR LF after the first maxBytes GBK bytes, so the text prints as two lines. A
// break that would fall inside a double-byte character moves to before it.
std::string BreakAfter(std::string_view text, std::size_t maxBytes);

// The amount rounded half up to two decimals with "," between groups of three integer
// digits: 1234.5 gives 1,234.50. A non-finite value gives an empty text.
std::string FormatAmount(double yuan);

// Year, month and day as plain figures without leading zeros: 2011, 1, 5.
DateTexts DateFigures(const Date& date);

struct PlacedText {
  int x = 0;
  std::string text;

  friend bool operator==(const PlacedText&, const PlacedText&) = default;
};

// The texts to print for an amount written one digit per pre-printed cell. Takes the
// digit boxes' texts from the highest place to the lowest and their x positions; returns
// the (x, text) pairs in print order. A digit 1..9 whose next-higher box is empty gets
// "￥" in that box's cell.
std::vector<PlacedText> PlaceDigitRow(const std::vector<std::string>& digits,
                                      const std::vector<int>& xs);

}  // namespace tallyra
