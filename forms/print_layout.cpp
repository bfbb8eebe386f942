#include "forms/print_layout.h"

#include <algorithm>
#include <iterator>

namespace tallyra {

std::vector<std::string> SourceNames(const PrintLayout& layout) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (const LayoutItem& item : layout.items) {
    if (!item.constant.empty()) continue;
    if (item.digitRow.empty()) {
      add(item.source);
      if (!item.fallback.empty()) add(item.fallback);
    } else {
      for (const DigitColumn& column : item.digitRow) add(column.source);
    }
  }
  return names;
}

LayoutItem LayoutItem::Italic() const { return ItalicFrom().ItalicUntil(); }

LayoutItem LayoutItem::ItalicFrom() const {
  LayoutItem item = *this;
  item.italicOn = true;
  return item;
}

LayoutItem LayoutItem::ItalicUntil() const {
  LayoutItem item = *this;
  item.italicOff = true;
  return item;
}

LayoutItem LayoutItem::Prepared(Preparation how) const {
  LayoutItem item = *this;
  item.preparation = how;
  return item;
}

LayoutItem LayoutItem::BrokenAfter(std::size_t bytes) const {
  LayoutItem item = Prepared(Preparation::kBreakAfter);
  item.breakBytes = bytes;
  return item;
}

LayoutItem LayoutItem::Or(std::string otherSource) const {
  LayoutItem item = *this;
  item.fallback = std::move(otherSource);
  return item;
}

LayoutItem LayoutItem::MovedBy(OffsetRef ref) const {
  LayoutItem item = *this;
  item.offset = ref;
  return item;
}

LayoutItem LayoutItem::Named(std::string itemName) const {
  LayoutItem item = *this;
  item.name = std::move(itemName);
  return item;
}

std::vector<std::string> PlaceNames(std::size_t count) {
  static const char* const kPlaces[] = {"亿", "千", "百", "十", "万", "千",
                                        "百", "十", "元", "角", "分"};
  constexpr std::size_t kCount = std::size(kPlaces);
  count = std::min(count, kCount);
  return std::vector<std::string>(std::begin(kPlaces) + (kCount - count), std::end(kPlaces));
}

LayoutItem TextItem(const PrintFont& font, int x, int y, std::string source) {
  LayoutItem item = TextItem(x, y, std::move(source));
  item.font = font;
  return item;
}

LayoutItem TextItem(int x, int y, std::string source) {
  LayoutItem item;
  item.x = x;
  item.y = y;
  item.source = std::move(source);
  return item;
}

LayoutItem CaptionItem(const PrintFont& font, int x, int y, std::string text) {
  LayoutItem item = CaptionItem(x, y, std::move(text));
  item.font = font;
  return item;
}

LayoutItem CaptionItem(int x, int y, std::string text) {
  LayoutItem item = TextItem(x, y, std::string());
  item.constant = std::move(text);
  return item;
}

LayoutItem DigitRowItem(const PrintFont& font, int y, std::vector<DigitColumn> columns) {
  LayoutItem item = DigitRowItem(y, std::move(columns));
  item.font = font;
  return item;
}

LayoutItem DigitRowItem(int y, std::vector<DigitColumn> columns) {
  LayoutItem item;
  item.y = y;
  item.digitRow = std::move(columns);
  return item;
}

std::vector<std::string> NumberedNames(const std::string& prefix, int first, int count, int step) {
  std::vector<std::string> names;
  for (int k = 0; k < count; ++k) names.push_back(prefix + std::to_string(first + k * step));
  return names;
}

std::vector<DigitColumn> EvenColumns(const std::vector<std::string>& names, int x, int step,
                                     std::size_t xOffset) {
  std::vector<DigitColumn> columns;
  for (const std::string& name : names) {
    columns.push_back({name, x, xOffset});
    x += step;
  }
  return columns;
}

}  // namespace tallyra
