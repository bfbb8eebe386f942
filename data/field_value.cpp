#include "data/field_value.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "data/gbk_text.h"

namespace tallyra {
namespace {

struct IntegerRange {
  std::int64_t min;
  std::int64_t max;
};

IntegerRange RangeOf(FieldType type) {
  switch (type) {
    case FieldType::kByte:
      return {0, 255};
    case FieldType::kShort:
      return {std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
    case FieldType::kInt:
      return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    default:
      return {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
  }
}

int ToInteger(FieldType type, const Value& value, Value* stored) {
  const IntegerRange range = RangeOf(type);
  std::int64_t number = 0;
  if (const auto* i = std::get_if<std::int64_t>(&value)) {
    number = *i;
  } else {
    const double d = std::trunc(std::get<double>(value));
    // 2^63 is exactly representable; anything at or beyond it does not fit an int64.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(d) || d >= kLimit || d < -kLimit) return kStoreBadValue;
    number = static_cast<std::int64_t>(d);
  }
  if (number < range.min || number > range.max) return kStoreBadValue;
  *stored = number;
  return kStoreOk;
}

int ToReal(FieldType type, const Value& value, Value* stored) {
  double number = 0;
  if (const auto* i = std::get_if<std::int64_t>(&value)) {
    number = static_cast<double>(*i);
  } else {
    number = std::get<double>(value);
  }
  // SQLite keeps no NaN and the program has no use for infinities.
  if (!std::isfinite(number)) return kStoreBadValue;
  if (type == FieldType::kFloat) {
    if (std::fabs(number) > std::numeric_limits<float>::max()) return kStoreBadValue;
    number = static_cast<double>(static_cast<float>(number));
  }
  *stored = number;
  return kStoreOk;
}

}  // namespace

bool IsTextType(FieldType type) { return type == FieldType::kText || type == FieldType::kMemo; }

bool IsNumericType(FieldType type) {
  switch (type) {
    case FieldType::kByte:
    case FieldType::kShort:
    case FieldType::kInt:
    case FieldType::kLong:
    case FieldType::kFloat:
    case FieldType::kDouble:
    case FieldType::kDateTime:
      return true;
    default:
      return false;
  }
}

Value EmptyValueOf(FieldType type) {
  switch (type) {
    case FieldType::kText:
    case FieldType::kMemo:
      return std::string();
    case FieldType::kFloat:
    case FieldType::kDouble:
      return 0.0;
    case FieldType::kBool:
      return false;
    case FieldType::kBinary:
      return Blob();
    default:
      return std::int64_t{0};
  }
}

int ByteSizeOf(const FieldDef& field) {
  switch (field.type) {
    case FieldType::kText:
      return field.size;
    case FieldType::kBool:
    case FieldType::kByte:
      return 1;
    case FieldType::kShort:
      return 2;
    case FieldType::kInt:
    case FieldType::kFloat:
      return 4;
    case FieldType::kLong:
    case FieldType::kDouble:
    case FieldType::kDateTime:
      return 8;
    default:
      return 0;
  }
}

int ConvertForField(const FieldDef& field, const Value& value, Value* stored) {
  if (std::holds_alternative<std::monostate>(value)) {
    *stored = EmptyValueOf(field.type);
    return kStoreOk;
  }
  if (IsTextType(field.type)) {
    const auto* text = std::get_if<std::string>(&value);
    if (text == nullptr) return kStoreTypeMismatch;
    if (!IsGbkEncodable(*text)) return kStoreBadValue;
    if (field.type == FieldType::kMemo) {
      *stored = *text;
    } else {
      *stored = std::string(CutToGbkBytes(*text, static_cast<std::size_t>(field.size)));
    }
    return kStoreOk;
  }
  if (IsNumericType(field.type)) {
    const bool isNumber =
        std::holds_alternative<std::int64_t>(value) || std::holds_alternative<double>(value);
    if (!isNumber) return kStoreTypeMismatch;
    if (field.type == FieldType::kFloat || field.type == FieldType::kDouble) {
      return ToReal(field.type, value, stored);
    }
    return ToInteger(field.type, value, stored);
  }
  if (field.type == FieldType::kBool) {
    if (!std::holds_alternative<bool>(value)) return kStoreTypeMismatch;
    *stored = value;
    return kStoreOk;
  }
  if (!std::holds_alternative<Blob>(value)) return kStoreTypeMismatch;
  *stored = value;
  return kStoreOk;
}

}  // namespace tallyra
