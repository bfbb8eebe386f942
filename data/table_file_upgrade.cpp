// The parts of TableFile that make and check whole-file copies: the upgrade of a file of
// an earlier format, and the read-only check of a copy.
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "data/catalogue.h"
#include "data/folder_access.h"
#include "data/table_copy.h"
#include "data/table_file.h"
#include "data/table_path.h"
#include "data/table_schema.h"
#include "data/table_sql.h"

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

using table_schema::kFirstFormat;
using table_schema::kFormatVersion;
using table_schema::kSecondFormat;
using table_schema::UpgradeStatements;

int TableFile::Check(const std::string& path, const std::string& table, std::string* error) {
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  TableFile file(path, db);
  file.expectedName_ = table;
  if (rc != SQLITE_OK) return file.FailSqlite("打开", error);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return file.FailSqlite("读取", error);
  }
  int code = file.CheckStructure(error);
  if (code == kStoreOk) code = file.LoadInTransaction(error);
  if (code == kStoreOk) code = file.ReadProtection(error);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return code;
}

int TableFile::CopyTo(const std::string& target, std::string* error) {
  return CopyTableFile(db_, target, expectedName_, error);
}

// Under the write lock: a copy of the file as it is, then the new format, in one
// transaction. Another program may have upgraded the file first; then it is only loaded.
// A file that cannot be written is read as it is: nothing can change it anyway.
int TableFile::Upgrade(std::string* error) {
  if (!readOnly_ && !FolderIsWritable(path_.substr(0, path_.find_last_of('/')))) readOnly_ = true;
  if (readOnly_) return kStoreOk;
  std::string missing;
  if (!HasCatalogueFields(FileNameOf(path_), fields_, &missing)) {
    return Fail(kStoreDamagedFile,
                "缺少表“" + expectedName_ + "”的字段“" + missing + "”或其类型不符，未升级格式",
                error);
  }
  if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return FailSqlite("升级", error);
  }
  writing_ = true;
  int code = LoadInTransaction(error);
  if (code == kStoreOk && version_ != kFormatVersion) {
    // A second connection reads the committed file while this one holds the write lock.
    sqlite3* source = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &source,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(source, kBusyTimeoutMs);
    std::string reason;
    code = rc == SQLITE_OK ? CopyTableFile(source, UpgradeCopyPath(path_), expectedName_, &reason)
                           : FailSqlite("升级", &reason);
    sqlite3_close(source);
    if (code != kStoreOk) code = Fail(kStoreIoError, "无法升级文件格式：" + reason, error);
    // The copy passed the structure check the backups pass.
    if (code == kStoreOk) structureChecked_ = true;
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
  if (version_ == kFirstFormat) {
    if (sqlite3_exec(db_, UpgradeStatements(kSecondFormat).c_str(), nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
      return FailSqlite("升级", error);
    }
    // Without verifying: the sums are computed here from the values as they load.
    int code = LoadInTransaction(error, false);
    for (const TableRecord& record : records_) {
      if (code != kStoreOk) break;
      const std::int64_t sum = checksum_.OfRecord(record.id, record.deleted, record.values);
      if (RunWith(db_, "UPDATE records SET sum = ? WHERE id = ?", {sum, record.id}) !=
          SQLITE_DONE) {
        code = FailSqlite("升级", error);
      }
    }
    if (code != kStoreOk) return code;
    protectionSum_ = checksum_.OfProtection(salt_, verifier_);
    if (RunWith(db_, "UPDATE checks SET protection = ?, records = ?",
                {protectionSum_, tableSum_}) != SQLITE_DONE) {
      return FailSqlite("升级", error);
    }
  }
  if (sqlite3_exec(db_, UpgradeStatements(kFormatVersion).c_str(), nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    return FailSqlite("升级", error);
  }
  table_sql::Statement statement(db_, "UPDATE checks SET name = ?, fields = ?");
  const bool stored =
      statement.Prepared() && table_sql::Bind(statement.Get(), 1, expectedName_) == SQLITE_OK &&
      sqlite3_bind_int64(statement.Get(), 2, checksum_.OfNamedFields(fields_, expectedName_)) ==
          SQLITE_OK &&
      sqlite3_step(statement.Get()) == SQLITE_DONE;
  return stored ? kStoreOk : FailSqlite("升级", error);
}

}  // namespace tallyra
