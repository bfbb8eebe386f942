#include "data/table_schema.h"

#include <sqlite3.h>

#include <algorithm>

#include "data/table_sql.h"

namespace tallyra::table_schema {
namespace {

constexpr char kFields[] =
    "CREATE TABLE fields(number INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
    " type TEXT NOT NULL, size INTEGER NOT NULL)";
constexpr char kProtection[] =
    "CREATE TABLE protection(salt BLOB NOT NULL, verifier BLOB NOT NULL)";
// The columns each upgrade adds: ALTER TABLE … ADD COLUMN puts them before the closing
// parenthesis, so an upgraded file ends up with the very text Create writes.
constexpr char kChecksColumns[] =
    "fields INTEGER NOT NULL, protection INTEGER NOT NULL, records INTEGER NOT NULL";
constexpr char kNameColumn[] = "name TEXT NOT NULL DEFAULT ''";
constexpr char kSumColumn[] = "sum INTEGER NOT NULL DEFAULT 0";

std::string Records(int version, const std::vector<FieldDef>& fields) {
  std::string sql =
      "CREATE TABLE records(id INTEGER PRIMARY KEY, deleted INTEGER NOT NULL DEFAULT 0";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    sql += ", " + table_sql::Column(i) + " " + table_sql::NameOf(fields[i].type).column;
  }
  if (version >= kSecondFormat) sql += std::string(", ") + kSumColumn;
  return sql + ")";
}

std::string Checks(int version) {
  std::string sql = std::string("CREATE TABLE checks(") + kChecksColumns;
  if (version >= kFormatVersion) sql += std::string(", ") + kNameColumn;
  return sql + ")";
}

}  // namespace

std::vector<SchemaRow> ExpectedSchema(int version, const std::vector<FieldDef>& fields) {
  std::vector<SchemaRow> rows = {
      {"table", "fields", "fields", kFields},
      {"index", "sqlite_autoindex_fields_1", "fields", std::nullopt},
      {"table", "protection", "protection", kProtection},
  };
  if (version >= kSecondFormat) rows.push_back({"table", "checks", "checks", Checks(version)});
  rows.push_back({"table", "records", "records", Records(version, fields)});
  return rows;
}

std::string CreateStatements(const std::vector<FieldDef>& fields) {
  std::string statements;
  for (const SchemaRow& row : ExpectedSchema(kFormatVersion, fields)) {
    if (row.sql) statements += *row.sql + ";";
  }
  return statements;
}

std::string UpgradeStatements(int version) {
  if (version == kSecondFormat) {
    return std::string("ALTER TABLE records ADD COLUMN ") + kSumColumn + ";" + Checks(version) +
           ";INSERT INTO checks(fields, protection, records) VALUES(0, 0, 0);"
           "PRAGMA user_version=2;";
  }
  return std::string("ALTER TABLE checks ADD COLUMN ") + kNameColumn +
         ";PRAGMA user_version=" + std::to_string(version) + ";";
}

bool MatchesSchema(sqlite3* db, int version, const std::vector<FieldDef>& fields,
                   std::string* reason) {
  std::vector<SchemaRow> expected = ExpectedSchema(version, fields);
  const auto byName = [](const SchemaRow& a, const SchemaRow& b) { return a.name < b.name; };
  std::sort(expected.begin(), expected.end(), byName);
  table_sql::Statement statement(db, "SELECT type, name, tbl_name, sql FROM sqlite_master");
  if (!statement.Prepared()) {
    reason->clear();
    return false;
  }
  std::vector<SchemaRow> found;
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(statement.Get())) == SQLITE_ROW) {
    const auto text = [&](int column) {
      const auto* value =
          reinterpret_cast<const char*>(sqlite3_column_text(statement.Get(), column));
      return value ? std::optional<std::string>(value) : std::nullopt;
    };
    found.push_back({text(0).value_or(""), text(1).value_or(""), text(2).value_or(""), text(3)});
  }
  if (rc != SQLITE_DONE) {
    reason->clear();
    return false;
  }
  std::sort(found.begin(), found.end(), byName);
  for (std::size_t i = 0; i < std::max(found.size(), expected.size()); ++i) {
    const SchemaRow* have = i < found.size() ? &found[i] : nullptr;
    const SchemaRow* want = i < expected.size() ? &expected[i] : nullptr;
    if (have && want && have->type == want->type && have->name == want->name &&
        have->table == want->table && have->sql == want->sql) {
      continue;
    }
    // Names the first difference by the object of ours it concerns.
    const std::string name = want && (!have || have->name >= want->name) ? want->name : have->name;
    *reason = name == "records" ? "记录表与字段表不符（表结构不是本程序写入的）"
                                : "表结构不是本程序写入的（“" + name + "”）";
    return false;
  }
  return true;
}

}  // namespace tallyra::table_schema
