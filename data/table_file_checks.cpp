// The parts of TableFile's load that tell a file of ours from one that only looks like it:
// the checks row, the table's name, and SQLite's own structure check before a write.
#include <sqlite3.h>

#include <string>

#include "data/table_file.h"
#include "data/table_path.h"
#include "data/table_schema.h"
#include "data/table_sql.h"

namespace tallyra {

using table_schema::kFormatVersion;
using table_sql::Quoted;
using table_sql::Statement;

int TableFile::OpenForReading(std::string* error) {
  // Shape, protection and records are read under one lock, which keeps Open cheap.
  if (sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return FailSqlite("读取", error);
  }
  int code = LoadInTransaction(error);
  if (code == kStoreOk) code = ReadProtection(error);
  sqlite3_exec(db_, code == kStoreOk ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
  return code;
}

int TableFile::ReadChecks(std::int64_t version, std::int64_t* storedFields,
                          std::int64_t* storedTableSum, std::string* name, std::string* error) {
  const bool named = version >= kFormatVersion;
  Statement statement(db_, named ? "SELECT fields, protection, records, name FROM checks"
                                 : "SELECT fields, protection, records FROM checks");
  if (!statement.Prepared() || sqlite3_step(statement.Get()) != SQLITE_ROW) {
    return Fail(kStoreDamagedFile, "缺少校验表", error);
  }
  *storedFields = sqlite3_column_int64(statement.Get(), 0);
  protectionSum_ = sqlite3_column_int64(statement.Get(), 1);
  *storedTableSum = sqlite3_column_int64(statement.Get(), 2);
  if (named) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.Get(), 3));
    *name = text ? text : "";
  }
  if (sqlite3_step(statement.Get()) != SQLITE_DONE) {
    return Fail(kStoreDamagedFile, "校验表无效", error);
  }
  return kStoreOk;
}

// The name is checked after its checksum, so a damaged name is reported as damage and
// a sound one naming another table as the wrong file.
int TableFile::CheckName(std::int64_t version, const std::vector<FieldDef>& fields,
                         const std::string& name, std::int64_t storedFields, std::string* error) {
  const bool named = version >= kFormatVersion;
  const std::int64_t sum =
      named ? checksum_.OfNamedFields(fields, name) : checksum_.OfFields(fields);
  if (sum != storedFields) {
    return Fail(kStoreDamagedFile, named ? "字段表或表名的校验和不符" : "字段表的校验和不符",
                error);
  }
  if (named && !expectedName_.empty() && !EqualsIgnoringCase(name, expectedName_)) {
    if (error) {
      *error = "表文件" + Quoted(path_) + "不是这个表的文件：它存放的是表“" + name +
               "”的数据，这里需要的是表“" + expectedName_ + "”。";
    }
    return kStoreDamagedFile;
  }
  return kStoreOk;
}

// Under the write lock, once per connection: what the daily backup checks, so no write
// ever lands in a file whose backup would be refused.
int TableFile::CheckStructure(std::string* error) {
  if (structureChecked_) return kStoreOk;
  Statement statement(db_, "PRAGMA quick_check");
  const bool ran = statement.Prepared() && sqlite3_step(statement.Get()) == SQLITE_ROW;
  const auto* result = ran ? sqlite3_column_text(statement.Get(), 0) : nullptr;
  if (!result) return FailSqlite("检查", error);
  if (std::string(reinterpret_cast<const char*>(result)) != "ok") {
    return Fail(kStoreDamagedFile, "数据库结构检查未通过", error);
  }
  structureChecked_ = true;
  return kStoreOk;
}

}  // namespace tallyra
