#include "data/csv.h"

#include "data/text_decoding.h"

namespace tallyra {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Steps over one line break at pos (CR LF counts as one).
std::size_t SkipLineBreak(std::string_view text, std::size_t pos) {
  if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') return pos + 2;
  return pos + 1;
}

}  // namespace

bool DecodeCsvBytes(std::string_view bytes, std::string* utf8, CsvEncoding* encoding) {
  if (bytes.substr(0, kBom.size()) == kBom) {
    *encoding = CsvEncoding::kUtf8WithBom;
    bytes.remove_prefix(kBom.size());
    if (!IsValidUtf8(bytes)) return false;
    utf8->assign(bytes);
    return true;
  }
  if (IsValidUtf8(bytes)) {
    *encoding = CsvEncoding::kUtf8;
    utf8->assign(bytes);
    return true;
  }
  *encoding = CsvEncoding::kGbk;
  return DecodeGbk(bytes, utf8);
}

bool ParseDelimited(std::string_view text, char delimiter, bool quotes, CsvRows* rows,
                    int* unclosedLine) {
  rows->clear();
  std::vector<std::string> row;
  std::string value;
  bool valueStarted = false;
  bool rowStarted = false;   // anything read on this line: a character, delimiter, quote
  std::size_t keptRows = 0;  // the rows before the blank lines at the end
  int line = 1;
  const auto endRow = [&] {
    row.push_back(std::move(value));
    rows->push_back(std::move(row));
    value.clear();
    row.clear();
    if (rowStarted) keptRows = rows->size();
    valueStarted = rowStarted = false;
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (quotes && c == '"' && !valueStarted) {
      const int opened = line;
      for (++pos;; ++pos) {
        if (pos >= text.size()) {
          if (unclosedLine) *unclosedLine = opened;
          return false;
        }
        if (text[pos] == '"') {
          if (pos + 1 >= text.size() || text[pos + 1] != '"') break;
          ++pos;  // a doubled quote is one quote
        } else if (text[pos] == '\n' ||
                   (text[pos] == '\r' && (pos + 1 >= text.size() || text[pos + 1] != '\n'))) {
          ++line;
        }
        value += text[pos];
      }
      ++pos;
      valueStarted = rowStarted = true;
    } else if (c == delimiter) {
      row.push_back(std::move(value));
      value.clear();
      valueStarted = false;
      rowStarted = true;
      ++pos;
    } else if (IsLineBreak(c)) {
      endRow();
      pos = SkipLineBreak(text, pos);
      ++line;
    } else {
      value += c;
      valueStarted = rowStarted = true;
      ++pos;
    }
  }
  if (rowStarted) endRow();
  rows->resize(keptRows);
  return true;
}

std::string FormatCsv(const CsvRows& rows) {
  std::string out(kBom);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) out += ',';
      const std::string& value = row[i];
      const bool quote =
          value.find_first_of(",\"\r\n") != std::string::npos || (row.size() == 1 && value.empty());
      if (!quote) {
        out += value;
        continue;
      }
      out += '"';
      for (char c : value) {
        if (c == '"') out += '"';
        out += c;
      }
      out += '"';
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace tallyra
