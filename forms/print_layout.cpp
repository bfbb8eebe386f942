#include "forms/print_layout.h"

#include <algorithm>

namespace tallyra {

std::vector<std::string> SourceNames(const PrintLayout& layout) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (const LayoutItem& item : layout.items) {
    if (item.digitRow.empty()) {
      add(item.source);
    } else {
      for (const DigitColumn& column : item.digitRow) add(column.source);
    }
  }
  return names;
}

}  // namespace tallyra
