#include "forms/print_engine.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "data/gbk_text.h"
#include "forms/calendar_date.h"
#include "forms/print_text.h"

namespace tallyra {

namespace {

constexpr double kOffsetBound = 1'000'000;  // 100 m: far beyond any page

std::string_view FieldText(const FieldValues& fields, std::string_view name) {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string_view() : std::string_view(found->second);
}

int OffsetAt(const std::vector<double>& offsets, std::size_t index) {
  return index < offsets.size() ? TruncateOffset(offsets[index]) : 0;
}

// "yyyy-MM-dd"; one- or two-digit month and day are accepted.
std::optional<Date> ParseDate(std::string_view text) {
  int parts[3] = {0, 0, 0};
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (int k = 0; k < 3; ++k) {
    const auto [next, error] = std::from_chars(at, end, parts[k]);
    if (error != std::errc() || next == at || parts[k] <= 0) return std::nullopt;
    at = next;
    if (k < 2) {
      if (at == end || *at != '-') return std::nullopt;
      ++at;
    }
  }
  if (at != end || parts[1] > 12 || parts[2] > 31) return std::nullopt;
  return Date{parts[0], parts[1], parts[2]};
}

std::string Prepare(const LayoutItem& item, std::string_view text) {
  switch (item.preparation) {
    case Preparation::kNone:
      return std::string(text);
    case Preparation::kAccountOf:
      return AccountOf(text);
    case Preparation::kBreakAfter:
      return BreakAfter(text, item.breakBytes);
    case Preparation::kFormatAmount:
      return FormatAmount(NumericValue(text));
    case Preparation::kYearFigures:
    case Preparation::kMonthFigures:
    case Preparation::kDayFigures: {
      const std::optional<Date> date = ParseDate(text);
      if (!date) return "";
      const DateTexts figures = DateFigures(*date);
      if (item.preparation == Preparation::kYearFigures) return figures.year;
      return item.preparation == Preparation::kMonthFigures ? figures.month : figures.day;
    }
  }
  return "";
}

void AddText(std::vector<PrintOperation>& operations, int x, int y, std::string text) {
  if (!text.empty()) operations.push_back(PrintOperation::Text(x, y, std::move(text)));
}

}  // namespace

int TruncateOffset(double stored) {
  if (std::isnan(stored)) return 0;
  if (stored >= kOffsetBound) return static_cast<int>(kOffsetBound);
  if (stored <= -kOffsetBound) return -static_cast<int>(kOffsetBound);
  return static_cast<int>(stored);  // conversion truncates toward zero
}

std::vector<ItemPlace> PlaceItem(const LayoutItem& item, const std::vector<double>& offsets) {
  const int y = item.y + OffsetAt(offsets, item.offset.y);
  if (item.digitRow.empty()) return {{item.name, item.x + OffsetAt(offsets, item.offset.x), y}};
  const std::vector<std::string> places = PlaceNames(item.digitRow.size());
  std::vector<ItemPlace> columns;
  for (std::size_t k = 0; k < item.digitRow.size(); ++k) {
    const DigitColumn& column = item.digitRow[k];
    // A row longer than the places has no name for its highest columns.
    const std::size_t missing = item.digitRow.size() - places.size();
    std::string place = k < missing ? std::string() : places[k - missing];
    columns.push_back({std::move(place), column.x + OffsetAt(offsets, column.xOffset), y});
  }
  return columns;
}

std::vector<ItemPlace> PlaceItems(const PrintLayout& layout, const std::vector<double>& offsets) {
  std::vector<ItemPlace> places;
  for (const LayoutItem& item : layout.items) {
    for (ItemPlace& place : PlaceItem(item, offsets)) places.push_back(std::move(place));
  }
  return places;
}

PrintRun PreparePrintRun(const PrintLayout& layout, const FieldValues& fields,
                         const std::vector<double>& offsets) {
  PrintRun run{layout.jobName, layout.paper, {}};
  std::vector<PrintOperation>& operations = run.operations;
  for (const LayoutItem& item : layout.items) {
    if (item.font) {
      operations.push_back(item.font->systemFace
                               ? PrintOperation::SetSystemFont(item.font->points)
                               : PrintOperation::SetFont(item.font->face, item.font->points));
    }
    if (item.italicOn) operations.push_back(PrintOperation::SetItalic(true));

    const std::vector<ItemPlace> places = PlaceItem(item, offsets);
    if (item.digitRow.empty()) {
      std::string_view source =
          item.constant.empty() ? FieldText(fields, item.source) : std::string_view(item.constant);
      if (source.empty() && !item.fallback.empty()) source = FieldText(fields, item.fallback);
      if (!source.empty()) {
        AddText(operations, places.front().x, places.front().y, Prepare(item, source));
      }
    } else {
      std::vector<std::string> digits;
      std::vector<int> xs;
      for (std::size_t k = 0; k < item.digitRow.size(); ++k) {
        digits.emplace_back(FieldText(fields, item.digitRow[k].source));
        xs.push_back(places[k].x);
      }
      for (PlacedText& placed : PlaceDigitRow(digits, xs)) {
        AddText(operations, placed.x, places.front().y, std::move(placed.text));
      }
    }

    if (item.italicOff) operations.push_back(PrintOperation::SetItalic(false));
  }
  return run;
}

}  // namespace tallyra
