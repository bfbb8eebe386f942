#include "data/control_characters.h"

namespace tallyra {

std::string CleanOneLine(std::string_view utf8) {
  std::string clean;
  clean.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;  // the LF counts
    if (c == '\r' || c == '\n' || c == '\t') {
      clean += ' ';
    } else if (c >= 0x20 && c != 0x7F) {
      clean += static_cast<char>(c);
    }
  }
  return clean;
}

}  // namespace tallyra
