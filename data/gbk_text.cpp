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

// GBK bytes of the character whose UTF-8 sequence starts the text: code page 936 writes
// ASCII and "€" (E2 82 AC) in one byte, everything else it encodes in two.
std::size_t CharacterGbkLength(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence.front());
  if (lead < 0x80) return 1;
  return sequence == "\xE2\x82\xAC" ? 1 : 2;
}

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// Walks the text character by character: each whole UTF-8 sequence, a stray byte alone.
template <typename Visit>
void ForEachCharacter(std::string_view utf8, Visit visit) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    std::size_t next = pos + 1;
    const std::size_t end = pos + SequenceLength(lead);
    while (next < end && next < utf8.size() &&
           IsContinuation(static_cast<unsigned char>(utf8[next]))) {
      ++next;
    }
    if (!visit(utf8.substr(pos, next - pos))) return;
    pos = next;
  }
}

std::string Clean(std::string_view utf8, bool oneLine) {
  std::string clean;
  clean.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (!IsControl(c)) {
      clean += utf8[i];
    } else if (!oneLine) {
      if (c == '\r' || c == '\n') clean += utf8[i];
    } else if (c == '\r' || c == '\n' || c == '\t') {
      clean += ' ';
      if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;  // CR LF is one break
    }
  }
  return clean;
}

}  // namespace

std::size_t GbkLength(std::string_view utf8) {
  std::size_t bytes = 0;
  ForEachCharacter(utf8, [&bytes](std::string_view character) {
    bytes += CharacterGbkLength(character);
    return true;
  });
  return bytes;
}

std::string_view CutToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
  std::size_t kept = 0;
  std::size_t bytes = 0;
  ForEachCharacter(utf8, [&](std::string_view character) {
    bytes += CharacterGbkLength(character);
    if (bytes > maxBytes) return false;
    kept += character.size();
    return true;
  });
  return utf8.substr(0, kept);
}

bool IsGbkEncodable(std::string_view utf8) { return EncodeGbk(utf8).has_value(); }

#ifdef _WIN32
std::optional<std::string> EncodeGbk(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const int size = static_cast<int>(utf8.size());
  const int wideLength =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wideLength <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr,
                                        0, nullptr, &usedDefault);
  if (bytes <= 0 || usedDefault) return std::nullopt;
  std::string encoded(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, encoded.data(), bytes,
                      nullptr, &usedDefault);
  // Code page 936 also writes the private-use U+F8F5 as the single byte 0xFF, which GBK
  // elsewhere has not: refused, so that both platforms accept and count the same text.
  if (encoded.size() != GbkLength(utf8)) return std::nullopt;
  return encoded;
}
#else
std::optional<std::string> EncodeGbk(std::string_view utf8) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(utf8);
  char* in = input.data();
  std::size_t inLeft = input.size();
  std::optional<std::string> encoded(std::in_place);
  char buffer[256];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const bool failed =
        iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
    encoded->append(buffer, static_cast<std::size_t>(out - buffer));
    if (failed && errno != E2BIG) {
      encoded.reset();
      break;
    }
  }
  iconv_close(converter);
  return encoded;
}
#endif

std::string KeepGbkCharacters(std::string_view utf8, bool* dropped) {
  *dropped = false;
  if (IsGbkEncodable(utf8)) return std::string(utf8);
  std::string kept;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t next = i + 1;
    while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80) ++next;
    const std::string_view character = utf8.substr(i, next - i);
    if (IsGbkEncodable(character)) {
      kept += character;
    } else {
      *dropped = true;
    }
    i = next;
  }
  return kept;
}

std::string CleanOneLine(std::string_view utf8) { return Clean(utf8, true); }

std::string CleanMultiLine(std::string_view utf8) { return Clean(utf8, false); }

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
