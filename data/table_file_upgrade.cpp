// The parts of TableFile that make and check whole-file copies: the upgrade of a file of
// the first format, and the read-only check of a copy.
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "data/table_copy.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

constexpr int kBusyTimeoutMs = 5000;

// A statement run once with int64 parameters; SQLITE_DONE on success.
int RunWith(sqlite3* db, const char* sql, std::initializer_list<std::int64_t> parameters) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  int index = 1;
  for (std::int64_t parameter : parameters) {
    if (rc == SQLITE_OK) rc = sqlite3_bind_int64(statement, index++, parameter);
  }
  if (rc == SQLITE_OK) rc = sqlite3_step(statement);
  sqlite3_finalize(statement);
  return rc;
}

// backup/upgrade/NAME in the file's folder, or NAME.2, NAME.3 … when that exists; UTF-8.
std::string UpgradeCopyPath(const std::string& path) {
  const std::string first =
      path.substr(0, path.find_last_of('/')) + "/backup/upgrade/" + FileNameOf(path);
  std::string candidate = first;
  std::error_code ec;
  for (int n = 2; std::filesystem::exists(PathFromUtf8(candidate), ec); ++n) {
    candidate = first + "." + std::to_string(n);
  }
  return candidate;
}

}  // namespace

int TableFile::Check(const std::string& path, std::string* error) {
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  TableFile file(path, db);
  if (rc != SQLITE_OK) return file.FailSqlite("打开", error);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return file.FailSqlite("读取", error);
  }
  sqlite3_stmt* statement = nullptr;
  bool sound =
      sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW &&
      std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) == "ok";
  sqlite3_finalize(statement);
  int code = sound ? file.LoadInTransaction(error)
                   : file.Fail(kStoreDamagedFile, "数据库结构检查未通过", error);
  if (code == kStoreOk) code = file.ReadProtection(error);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return code;
}

int TableFile::CopyTo(const std::string& target, std::string* error) {
  return CopyTableFile(db_, target, error);
}

// Under the write lock: a copy of the file as it is, then the checksums, in one
// transaction. Another program may have upgraded the file first; then it is only loaded.
int TableFile::UpgradeFromFirstFormat(std::string* error) {
  if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return FailSqlite("升级", error);
  }
  writing_ = true;
  int code = LoadInTransaction(error, false);
  if (code == kStoreOk && version_ == 1) {
    // A second connection reads the committed file while this one holds the write lock.
    sqlite3* source = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &source,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(source, kBusyTimeoutMs);
    std::string reason;
    code = rc == SQLITE_OK ? CopyTableFile(source, UpgradeCopyPath(path_), &reason)
                           : FailSqlite("升级", &reason);
    sqlite3_close(source);
    if (code != kStoreOk) code = Fail(kStoreIoError, "无法升级文件格式：" + reason, error);
    if (code == kStoreOk) code = WriteUpgrade(error);
  }
  if (code != kStoreOk) {
    Rollback();
    return code;
  }
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    code = FailSqlite("升级", error);
    Rollback();
    return code;
  }
  writing_ = false;
  // Read back as any later open would, checksums and all.
  code = Load(error);
  if (code == kStoreOk) code = ReadProtection(error);
  return code;
}

int TableFile::WriteUpgrade(std::string* error) {
  const char* schema =
      "ALTER TABLE records ADD COLUMN sum INTEGER NOT NULL DEFAULT 0;"
      "CREATE TABLE checks(fields INTEGER NOT NULL, protection INTEGER NOT NULL,"
      " records INTEGER NOT NULL);"
      "INSERT INTO checks(fields, protection, records) VALUES(0, 0, 0);"
      "PRAGMA user_version=2;";
  if (sqlite3_exec(db_, schema, nullptr, nullptr, nullptr) != SQLITE_OK) {
    return FailSqlite("升级", error);
  }
  // Without verifying: the sums are computed here from the values as they load.
  int code = LoadInTransaction(error, false);
  for (const TableRecord& record : records_) {
    if (code != kStoreOk) break;
    const std::int64_t sum = checksum_.OfRecord(record.id, record.deleted, record.values);
    if (RunWith(db_, "UPDATE records SET sum = ? WHERE id = ?", {sum, record.id}) != SQLITE_DONE) {
      code = FailSqlite("升级", error);
    }
  }
  if (code != kStoreOk) return code;
  protectionSum_ = checksum_.OfProtection(salt_, verifier_);
  if (RunWith(db_, "UPDATE checks SET fields = ?, protection = ?, records = ?",
              {checksum_.OfFields(fields_), protectionSum_, tableSum_}) != SQLITE_DONE) {
    return FailSqlite("升级", error);
  }
  return kStoreOk;
}

}  // namespace tallyra
