#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/record_store.h"

struct sqlite3;

// The exact SQL schema each format of a table file has: what Create writes, what an
// upgrade turns an older file into, and what a load insists on. A file whose schema
// differs in any table, column, declared type, constraint or index is not one of ours,
// even when SQLite would read it: a column that lost its type would turn account
// numbers into integers at the next write.
namespace tallyra::table_schema {

// Marks our files in the SQLite header ("Tlry"), so a foreign database is told apart at once.
inline constexpr int kApplicationId = 0x546C7279;
// 1: no checksums; 2: checksums of records, field list and protection row; 3: the file
// also records the name of its table, covered by the field list's checksum.
inline constexpr int kFirstFormat = 1;
inline constexpr int kSecondFormat = 2;
inline constexpr int kFormatVersion = 3;

// One row of sqlite_master; sql is empty for SQLite's own index of a UNIQUE column.
struct SchemaRow {
  std::string type;
  std::string name;
  std::string table;
  std::optional<std::string> sql;
};

// The rows of a file of this format with these fields, in the order Create makes them.
std::vector<SchemaRow> ExpectedSchema(int version, const std::vector<FieldDef>& fields);
// The statements that make the tables of the current format.
std::string CreateStatements(const std::vector<FieldDef>& fields);
// The statements that turn a file of the format before into one of `version`.
std::string UpgradeStatements(int version);

// Whether the file's sqlite_master is exactly ExpectedSchema; false with a reason
// ("" when SQLite could not read it: the caller asks SQLite why).
bool MatchesSchema(sqlite3* db, int version, const std::vector<FieldDef>& fields,
                   std::string* reason);

}  // namespace tallyra::table_schema
