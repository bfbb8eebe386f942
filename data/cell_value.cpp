#include "data/cell_value.h"

#include <charconv>
#include <cstdio>

#include "data/field_value.h"
#include "data/gbk_text.h"

namespace tallyra {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool ParseNumber(std::string_view text, double* number) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

CellFit FitCellValue(const FieldDef& field, std::string_view text) {
  CellFit fit;
  const std::string clean = CleanOneLine(text);
  Value given;
  if (IsTextType(field.type)) {
    std::string kept = KeepGbkCharacters(clean, &fit.dropped);
    if (field.type == FieldType::kText) {
      const std::string_view cut = CutToGbkBytes(kept, static_cast<std::size_t>(field.size));
      fit.cut = cut.size() < kept.size();
      kept.resize(cut.size());
    }
    given = std::move(kept);
  } else if (const std::string_view trimmed = Trimmed(clean); trimmed.empty()) {
    given = std::monostate();
  } else if (field.type == FieldType::kBool) {
    fit.refused = trimmed != "0" && trimmed != "1";
    given = trimmed == "1";
  } else {
    double number = 0;
    fit.refused = !IsNumericType(field.type) || !ParseNumber(trimmed, &number);
    given = number;
  }
  if (!fit.refused) fit.refused = ConvertForField(field, given, &fit.value) != kStoreOk;
  return fit;
}

std::string CellTextOf(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
  if (const auto* number = std::get_if<double>(&value)) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", *number);
    return buffer;
  }
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "1" : "0";
  return {};
}

}  // namespace tallyra
