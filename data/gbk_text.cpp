#include "data/gbk_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace tallyra {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Byte length of the UTF-8 sequence that starts with this byte.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;  // a stray byte counts as a character of its own
}

std::size_t CharacterGbkLength(unsigned char lead) { return lead < 0x80 ? 1 : 2; }

#ifdef _WIN32
bool EncodesInCodePage936(std::string_view utf8) {
  if (utf8.empty()) return true;
  const int size = static_cast<int>(utf8.size());
  const int wideLength =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr,
                                        0, nullptr, &usedDefault);
  return bytes > 0 && !usedDefault;
}
#else
bool EncodesInCodePage936(std::string_view utf8) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string input(utf8);
  char* in = input.data();
  std::size_t inLeft = input.size();
  bool ok = true;
  char buffer[256];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) &&
        errno != E2BIG) {
      ok = false;
      break;
    }
  }
  iconv_close(converter);
  return ok;
}
#endif

}  // namespace

std::size_t GbkLength(std::string_view utf8) {
  std::size_t bytes = 0;
  for (unsigned char c : utf8) {
    if (!IsContinuation(c)) bytes += CharacterGbkLength(c);
  }
  return bytes;
}

std::string_view CutToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
  std::size_t pos = 0;
  std::size_t bytes = 0;
  while (pos < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t width = CharacterGbkLength(lead);
    if (bytes + width > maxBytes) break;
    bytes += width;
    std::size_t next = pos + 1;
    const std::size_t end = pos + SequenceLength(lead);
    while (next < end && next < utf8.size() &&
           IsContinuation(static_cast<unsigned char>(utf8[next]))) {
      ++next;
    }
    pos = next;
  }
  return utf8.substr(0, pos);
}

bool IsGbkEncodable(std::string_view utf8) { return EncodesInCodePage936(utf8); }

double NumericValue(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::string number;
  bool anyDigit = false;
  bool seenPoint = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c >= '0' && c <= '9') {
      number += c;
      anyDigit = true;
    } else if (c == '.' && !seenPoint) {
      number += c;
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return 0.0;
  if (number.front() == '.') number.insert(number.begin(), '0');
  double value = 0.0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return negative ? -value : value;
}

std::string FormatNumber(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
  if (value == 0.0) return "0";
  constexpr int kSignificant = 13;
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::max(0, kSignificant - 1 - magnitude);
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

}  // namespace tallyra
