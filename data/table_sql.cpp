#include "data/table_sql.h"

#include <sodium.h>

#include <array>

namespace tallyra::table_sql {

namespace {

constexpr std::array<TypeName, 11> kTypeNames = {{
    {FieldType::kByte, "byte", "INTEGER"},
    {FieldType::kShort, "short", "INTEGER"},
    {FieldType::kInt, "int", "INTEGER"},
    {FieldType::kLong, "long", "INTEGER"},
    {FieldType::kFloat, "float", "REAL"},
    {FieldType::kDouble, "double", "REAL"},
    {FieldType::kBool, "bool", "INTEGER"},
    {FieldType::kDateTime, "datetime", "INTEGER"},
    {FieldType::kText, "text", "TEXT"},
    {FieldType::kMemo, "memo", "TEXT"},
    {FieldType::kBinary, "binary", "BLOB"},
}};

}  // namespace

const TypeName& NameOf(FieldType type) {
  for (const TypeName& t : kTypeNames) {
    if (t.type == type) return t;
  }
  return kTypeNames.back();
}

bool TypeFromName(std::string_view name, FieldType* type) {
  for (const TypeName& t : kTypeNames) {
    if (name == t.name) {
      *type = t.type;
      return true;
    }
  }
  return false;
}

std::string Column(std::size_t index) { return "f" + std::to_string(index + 1); }

int Bind(sqlite3_stmt* stmt, int index, const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    return sqlite3_bind_text(stmt, index, text->data(), static_cast<int>(text->size()),
                             SQLITE_TRANSIENT);
  }
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    return sqlite3_bind_int64(stmt, index, *number);
  }
  if (const auto* real = std::get_if<double>(&value))
    return sqlite3_bind_double(stmt, index, *real);
  if (const auto* flag = std::get_if<bool>(&value)) return sqlite3_bind_int(stmt, index, *flag);
  if (const auto* blob = std::get_if<Blob>(&value)) {
    return sqlite3_bind_blob(stmt, index, blob->data(), static_cast<int>(blob->size()),
                             SQLITE_TRANSIENT);
  }
  return sqlite3_bind_null(stmt, index);
}

Value ColumnValue(sqlite3_stmt* stmt, int column, FieldType type) {
  switch (type) {
    case FieldType::kText:
    case FieldType::kMemo: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
      return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)))
                  : std::string();
    }
    case FieldType::kFloat:
    case FieldType::kDouble:
      return sqlite3_column_double(stmt, column);
    case FieldType::kBool:
      return sqlite3_column_int64(stmt, column) != 0;
    case FieldType::kBinary: {
      const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, column));
      const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, column));
      return bytes ? Blob(bytes, bytes + size) : Blob();
    }
    default:
      return static_cast<std::int64_t>(sqlite3_column_int64(stmt, column));
  }
}

bool ComputeVerifier(std::string_view password, const unsigned char* salt, unsigned char* out) {
  if (sodium_init() < 0) return false;
  return crypto_generichash(out, kVerifierBytes,
                            reinterpret_cast<const unsigned char*>(password.data()),
                            password.size(), salt, kSaltBytes) == 0;
}

bool IsDamage(int rc) {
  const int primary = rc & 0xFF;
  return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_ERROR ||
         primary == SQLITE_FORMAT;
}

std::string Quoted(const std::string& path) { return "“" + path + "”"; }

}  // namespace tallyra::table_sql
