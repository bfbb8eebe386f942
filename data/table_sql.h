#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "data/record_store.h"

// How table files map fields and values onto SQLite, shared by the table file's parts.
namespace tallyra::table_sql {

inline constexpr std::size_t kSaltBytes = 16;
inline constexpr std::size_t kVerifierBytes = 32;

struct TypeName {
  FieldType type;
  const char* name;    // in the field list
  const char* column;  // the column's declared type
};

const TypeName& NameOf(FieldType type);
bool TypeFromName(std::string_view name, FieldType* type);
// The column of field index (0-based): f1, f2, …
std::string Column(std::size_t index);

// A prepared statement that finalizes itself.
class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) {
    rc_ = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  bool Prepared() const { return rc_ == SQLITE_OK; }
  int PrepareCode() const { return rc_; }
  sqlite3_stmt* Get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
};

int Bind(sqlite3_stmt* stmt, int index, const Value& value);
// The column's value as the field's type reads it; NULL reads as the empty value.
Value ColumnValue(sqlite3_stmt* stmt, int column, FieldType type);
// The salted BLAKE2b verifier of a password (32 bytes into out, 16-byte salt).
bool ComputeVerifier(std::string_view password, const unsigned char* salt, unsigned char* out);
// Whether an SQLite error means the file is not a sound table file.
bool IsDamage(int rc);
std::string Quoted(const std::string& path);

}  // namespace tallyra::table_sql
