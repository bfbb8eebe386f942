#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma- and tab-separated text as spreadsheets write it (RFC 4180).
namespace tallyra {

using CsvRows = std::vector<std::vector<std::string>>;

enum class CsvEncoding { kUtf8, kUtf8WithBom, kGbk };

// The text of a file's bytes as UTF-8: a UTF-8 byte-order mark is dropped; bytes that are
// valid UTF-8 are taken as they are, any others are read as GBK. False when they are
// neither.
bool DecodeCsvBytes(std::string_view bytes, std::string* utf8, CsvEncoding* encoding);

// Splits text into rows of values. Lines end in CR LF, LF or CR; the line break that ends
// the last line starts no row, and blank lines at the end give none. With quotes on, a
// value that begins with a double quote runs to the closing one and may hold the
// delimiter, line breaks and doubled quotes; a quote elsewhere is an ordinary character.
// False, with the 1-based line where it opened, for a quote that is never closed.
bool ParseDelimited(std::string_view text, char delimiter, bool quotes, CsvRows* rows,
                    int* unclosedLine);

// Rows as a CSV file: a UTF-8 byte-order mark (spreadsheets then read it right), commas,
// CR LF after every row. A value is quoted when it holds a comma, a quote or a line
// break, or when it is the only value of its row and empty (a row, not a blank line).
std::string FormatCsv(const CsvRows& rows);

}  // namespace tallyra
