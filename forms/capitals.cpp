#include "forms/capitals.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "forms/decimal_rounding.h"

namespace tallyra {
namespace {

constexpr std::string_view kDigits[] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
// Units of the integer places 10^1 .. 10^12.
constexpr std::string_view kUnits[] = {"拾", "佰", "仟", "万", "拾", "佰",
                                       "仟", "亿", "拾", "佰", "仟", "万"};
constexpr std::string_view kOverflow = "溢出";
constexpr std::string_view kNegative = "负";

// The largest whole yuan an amount may have, and the largest number.
constexpr std::size_t kMaxWholeDigits = 13;
constexpr double kMaxNumber = 9999999999999.0;

enum class ZeroState { kNothingYet, kLastNonZero, kZeroWritten };

// Writes n from its lowest digit upward, each piece going in front of the text. For an
// amount, n counts fen: the two lowest places are 分 and 角, and 元 goes before the first
// non-zero yuan digit. Zeros inside collapse into one 零, trailing zeros are silent, and 万
// or 亿 stands once per group even when the group's own place is zero.
std::string WriteCapitals(std::uint64_t n, bool amount) {
  const int fractionPlaces = amount ? 2 : 0;
  std::string text = amount && n % 10 == 0 ? "整" : "";
  auto prepend = [&text](std::string_view piece) { text.insert(0, piece); };

  ZeroState zero = ZeroState::kNothingYet;
  bool yuanWritten = false;
  bool groupMarked = false;
  for (int i = 0; n > 0; ++i) {
    const auto digit = static_cast<int>(n % 10);
    n /= 10;
    const int place = i - fractionPlaces;  // 0 is units (yuan), negative the fraction
    if (place == 4 || place == 8) groupMarked = false;

    if (digit == 0) {
      if (zero == ZeroState::kLastNonZero) {
        prepend(kDigits[0]);
        zero = ZeroState::kZeroWritten;
      }
      continue;
    }
    zero = ZeroState::kLastNonZero;
    if (place == -2) {
      prepend("分");
    } else if (place == -1) {
      prepend("角");
    } else {
      if (amount && !yuanWritten) {
        prepend("元");
        yuanWritten = true;
      }
      if (!groupMarked && place >= 4) {
        if (place >= 5 && place <= 7) prepend("万");
        if (place >= 9) prepend("亿");
        groupMarked = true;
      }
      if (place >= 1) prepend(kUnits[place - 1]);
    }
    prepend(kDigits[digit]);
  }
  return text;
}

std::uint64_t ToInteger(const std::string& digits) { return std::stoull(digits); }

}  // namespace

std::string AmountToCapitals(double yuan) {
  if (!std::isfinite(yuan)) return std::string(kOverflow);
  const Hundredths rounded = RoundToHundredths(yuan);
  if (rounded.whole.size() > kMaxWholeDigits) return std::string(kOverflow);
  const std::uint64_t fen = ToInteger(rounded.whole) * 100 + static_cast<unsigned>(rounded.cents);
  if (fen == 0) return std::string(kDigits[0]);
  std::string text = WriteCapitals(fen, true);
  return yuan < 0 ? std::string(kNegative) + text : text;
}

std::string NumberToCapitals(double value) {
  if (!std::isfinite(value)) return std::string(kOverflow);
  if (value == 0.0) return std::string(kDigits[0]);
  if (std::fabs(value) > kMaxNumber) return std::string(kOverflow);

  const Hundredths rounded = RoundToHundredths(value);
  const std::uint64_t whole = ToInteger(rounded.whole);
  std::string text = whole == 0 ? std::string(kDigits[0]) : WriteCapitals(whole, false);
  if (rounded.cents != 0) {
    text += "点";
    text += kDigits[rounded.cents / 10];
    if (rounded.cents % 10 != 0) text += kDigits[rounded.cents % 10];
  }
  // A value that rounds to zero has no sign: -0.001 is 零, not 负零.
  const bool roundsToZero = whole == 0 && rounded.cents == 0;
  return value < 0 && !roundsToZero ? std::string(kNegative) + text : text;
}

DateTexts DateToCapitals(const Date& date) {
  DateTexts capitals;
  std::string year = std::to_string(date.year < 0 ? -date.year : date.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  for (char c : year) capitals.year += kDigits[c - '0'];

  // A leading 零 keeps anyone from writing a digit in front of 壹, 贰 or a round ten.
  const bool monthNeedsZero = date.month == 1 || date.month == 2 || date.month == 10;
  const bool dayNeedsZero = (date.day >= 1 && date.day <= 10) || date.day == 20 || date.day == 30;
  capitals.month = (monthNeedsZero ? std::string(kDigits[0]) : "") + NumberToCapitals(date.month);
  capitals.day = (dayNeedsZero ? std::string(kDigits[0]) : "") + NumberToCapitals(date.day);
  return capitals;
}

}  // namespace tallyra
