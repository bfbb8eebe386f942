#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Text rules of the whole program. Text is UTF-8 in memory; every length, limit and
// byte position counts GBK bytes as code page 936 writes them: one for an ASCII
// character and for "€" (0x80), two for every other character.
namespace tallyra {

// GBK byte length of a UTF-8 text.
std::size_t GbkLength(std::string_view utf8);

// The longest prefix of whole characters that takes at most maxBytes GBK bytes.
std::string_view CutToGbkBytes(std::string_view utf8, std::size_t maxBytes);

// Whether the text is valid UTF-8 and every character of it can be encoded in GBK.
bool IsGbkEncodable(std::string_view utf8);

// The text in code page 936, as the platform's encoder writes it; none when a character
// cannot be encoded.
std::optional<std::string> EncodeGbk(std::string_view utf8);

// The characters of the text that GBK can encode, in order; *dropped tells whether any
// other was left out. What every box and every pasted or imported cell keeps.
std::string KeepGbkCharacters(std::string_view utf8, bool* dropped);

// The text of a one-line box or a table cell: a line break (CR, LF or CR LF) or a tab
// becomes one space, and every other control character (U+0000-U+001F, U+007F) is dropped.
std::string CleanOneLine(std::string_view utf8);

// The text of a multi-line box: its line breaks (CR and LF) stay, every other control
// character is dropped, tabs included.
std::string CleanMultiLine(std::string_view utf8);

// The numeric value of the text's leading numeric part: an optional sign, digits, an
// optional point and digits. A text without one ("", ".", "abc") is 0.
double NumericValue(std::string_view text);

// A number with up to 13 significant digits and no trailing zeros: 10.5, 300, 0.
std::string FormatNumber(double value);

}  // namespace tallyra
