#include "data/table_file.h"

#include <sodium.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <utility>

#include "data/field_value.h"
#include "data/folder_access.h"
#include "data/table_path.h"
#include "data/table_schema.h"
#include "data/table_sql.h"

namespace tallyra {
namespace {

constexpr int kBusyTimeoutMs = 5000;
}  // namespace

using table_schema::kApplicationId;
using table_schema::kFirstFormat;
using table_schema::kFormatVersion;
using table_schema::kSecondFormat;
using table_sql::Bind;
using table_sql::Column;
using table_sql::ColumnValue;
using table_sql::ComputeVerifier;
using table_sql::IsDamage;
using table_sql::kSaltBytes;
using table_sql::kVerifierBytes;
using table_sql::Quoted;
using table_sql::Statement;
using table_sql::TypeFromName;

TableFile::TableFile(std::string path, sqlite3* db)
    : path_(std::move(path)), expectedName_(TableNameOf(path_)), db_(db) {}

TableFile::~TableFile() {
  if (writing_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_finalize(versionStatement_);
  sqlite3_finalize(insertStatement_);
  sqlite3_close(db_);
}

std::unique_ptr<TableFile> TableFile::Open(const std::string& path, std::string_view password,
                                           int* code, std::string* error) {
  const auto fail = [&](int failure, const std::string& reason) {
    *code = failure;
    if (error) *error = reason;
    return nullptr;
  };
  std::error_code ec;
  const auto size = std::filesystem::file_size(PathFromUtf8(path), ec);
  if (ec) return fail(kStoreFileMissing, "表文件" + Quoted(path) + "不存在或无法访问");
  if (size == 0) return fail(kStoreDamagedFile, "表文件" + Quoted(path) + "已损坏：文件为空");
  // Shorter than the database header: no table file ever is, not even while being written.
  if (size < 100) return fail(kStoreDamagedFile, "表文件" + Quoted(path) + "已损坏：文件被截断");

  sqlite3* db = nullptr;
  // Each connection is used by one thread only, so SQLite's own locking is not needed.
  const int rc =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  std::unique_ptr<TableFile> file(new TableFile(path, db));
  if (rc != SQLITE_OK) {
    *code = file->FailSqlite("打开", error);
    return nullptr;
  }
  // SQLite falls back to reading when the file cannot be written.
  file->readOnly_ = sqlite3_db_readonly(db, "main") == 1;
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  *code = file->OpenForReading(error);
  if (*code == kStoreOk) *code = file->MatchPassword(password, error);
  if (*code == kStoreOk && file->version_ != kFormatVersion) *code = file->Upgrade(error);
  if (*code != kStoreOk) return nullptr;
  // Set after the first read: before it, the pragma would read the schema under a lock
  // of its own.
  if (sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK) {
    *code = file->FailSqlite("设置", error);
    return nullptr;
  }
  return file;
}

int TableFile::Fail(int code, const std::string& reason, std::string* error) const {
  if (error) {
    *error = code == kStoreDamagedFile ? "表文件" + Quoted(path_) + "已损坏：" + reason
                                       : "表文件" + Quoted(path_) + "：" + reason;
  }
  return code;
}

int TableFile::FailSqlite(const std::string& doing, std::string* error) const {
  const int rc = sqlite3_errcode(db_);
  const std::string detail = db_ ? sqlite3_errmsg(db_) : "out of memory";
  if ((rc & 0xFF) == SQLITE_READONLY) {
    if (error) *error = ReadOnlyText(path_);
    return kStoreReadOnly;
  }
  if (IsDamage(rc)) return Fail(kStoreDamagedFile, "不是有效的表文件（" + detail + "）", error);
  return Fail(kStoreIoError, "无法" + doing + "（" + detail + "）", error);
}

int TableFile::Load(std::string* error) {
  if (sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return FailSqlite("读取", error);
  }
  const int code = LoadInTransaction(error);
  sqlite3_exec(db_, code == kStoreOk ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
  return code;
}

// Reads the field list and all records; a file of another shape is damage, not an I/O error.
// With verify, every checksum must match; without (an upgrade), they are computed.
int TableFile::LoadInTransaction(std::string* error, bool verify) {
  const auto pragma = [&](const char* name, std::int64_t* value) {
    Statement statement(db_, std::string("PRAGMA ") + name);
    if (!statement.Prepared() || sqlite3_step(statement.Get()) != SQLITE_ROW) return false;
    *value = sqlite3_column_int64(statement.Get(), 0);
    return true;
  };
  std::int64_t applicationId = 0, version = 0, pageCount = 0, pageSize = 0;
  if (!pragma("application_id", &applicationId)) return FailSqlite("读取", error);
  if (applicationId != kApplicationId) {
    return Fail(kStoreDamagedFile, "这是另一种 SQLite 数据库，不是本程序的表文件", error);
  }
  if (!pragma("user_version", &version) || !pragma("page_count", &pageCount) ||
      !pragma("page_size", &pageSize)) {
    return FailSqlite("读取", error);
  }
  if (version < kFirstFormat || version > kFormatVersion) {
    return Fail(kStoreDamagedFile, "格式版本 " + std::to_string(version) + " 无法识别", error);
  }
  const bool checked = version >= kSecondFormat;
  // Inside a write of our own the file may not have grown yet to its new page count.
  std::error_code ec;
  const auto size = std::filesystem::file_size(PathFromUtf8(path_), ec);
  if (!writing_ && (ec || size < static_cast<std::uintmax_t>(pageCount * pageSize))) {
    return Fail(kStoreDamagedFile, "文件被截断", error);
  }

  std::vector<FieldDef> fields;
  {
    Statement statement(db_, "SELECT number, name, type, size FROM fields ORDER BY number");
    if (!statement.Prepared()) return FailSqlite("读取字段表", error);
    std::set<std::string> names;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.Get())) == SQLITE_ROW) {
      FieldDef field;
      const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement.Get(), 1));
      const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(statement.Get(), 2));
      field.name = name ? name : "";
      field.size = sqlite3_column_int(statement.Get(), 3);
      const bool numbered =
          sqlite3_column_int64(statement.Get(), 0) == static_cast<std::int64_t>(fields.size() + 1);
      if (!numbered || field.name.empty() || !names.insert(field.name).second || !type ||
          !TypeFromName(type, &field.type) || (field.type == FieldType::kText && field.size <= 0)) {
        return Fail(kStoreDamagedFile, "字段表无效", error);
      }
      fields.push_back(std::move(field));
    }
    if (rc != SQLITE_DONE) return FailSqlite("读取字段表", error);
    if (fields.empty()) return Fail(kStoreDamagedFile, "字段表为空", error);
  }
  std::string reason;
  if (!table_schema::MatchesSchema(db_, static_cast<int>(version), fields, &reason)) {
    return reason.empty() ? FailSqlite("读取", error) : Fail(kStoreDamagedFile, reason, error);
  }

  std::int64_t storedFields = 0, storedTableSum = 0;
  std::string name;
  if (checked) {
    const int code = ReadChecks(version, &storedFields, &storedTableSum, &name, error);
    if (code != kStoreOk) return code;
  }
  if (verify && checked) {
    const int code = CheckName(version, fields, name, storedFields, error);
    if (code != kStoreOk) return code;
  }

  std::string select = "SELECT id, deleted";
  for (std::size_t i = 0; i < fields.size(); ++i) select += ", " + Column(i);
  select += " FROM records ORDER BY id";
  std::vector<TableRecord> records;
  std::int64_t tableSum = 0;
  int code = LoadRecords(select, fields, &records, &tableSum, error);
  if (code != kStoreOk) return code;
  if (verify && checked && tableSum != storedTableSum) {
    code = FindDamagedRecord(records, error);
    return code != kStoreOk
               ? code
               : Fail(kStoreDamagedFile, "记录的总校验和不符：有记录缺失、多出或被移动", error);
  }

  if (!versionStatement_ && sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &versionStatement_,
                                               nullptr) != SQLITE_OK) {
    return FailSqlite("读取", error);
  }
  if (sqlite3_step(versionStatement_) != SQLITE_ROW) {
    sqlite3_reset(versionStatement_);
    return FailSqlite("读取", error);
  }
  dataVersion_ = sqlite3_column_int64(versionStatement_, 0);
  sqlite3_reset(versionStatement_);

  if (fields.size() != fields_.size()) {
    sqlite3_finalize(insertStatement_);
    insertStatement_ = nullptr;
  }
  fields_ = std::move(fields);
  records_ = std::move(records);
  version_ = version;
  name_ = std::move(name);
  tableSum_ = tableSum;
  recordsChanged_ = false;
  stale_ = false;
  return kStoreOk;
}

// Reads the records of `select` (id, deleted, the fields) and the checksum of them all.
int TableFile::LoadRecords(const std::string& select, const std::vector<FieldDef>& fields,
                           std::vector<TableRecord>* records, std::int64_t* tableSum,
                           std::string* error) {
  Statement statement(db_, select);
  if (!statement.Prepared()) {
    return Fail(kStoreDamagedFile, std::string("记录表与字段表不符（") + sqlite3_errmsg(db_) + "）",
                error);
  }
  records->reserve(records_.size());
  checksum_.BeginTable();
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(statement.Get())) == SQLITE_ROW) {
    TableRecord record;
    record.id = sqlite3_column_int64(statement.Get(), 0);
    record.deleted = sqlite3_column_int64(statement.Get(), 1) != 0;
    record.values.reserve(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
      record.values.push_back(
          ColumnValue(statement.Get(), static_cast<int>(i + 2), fields[i].type));
    }
    checksum_.AddRecord(record.id, record.deleted, record.values);
    records->push_back(std::move(record));
  }
  *tableSum = checksum_.FinishTable();
  if (rc != SQLITE_DONE) return FailSqlite("读取记录", error);
  return kStoreOk;
}

// After the checksum of all records failed: names the first record whose own checksum
// does not match, else kStoreOk (a record went missing or moved).
int TableFile::FindDamagedRecord(const std::vector<TableRecord>& records, std::string* error) {
  Statement statement(db_, "SELECT sum FROM records ORDER BY id");
  if (!statement.Prepared()) return FailSqlite("读取记录", error);
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (sqlite3_step(statement.Get()) != SQLITE_ROW) break;
    const TableRecord& record = records[i];
    if (checksum_.OfRecord(record.id, record.deleted, record.values) !=
        sqlite3_column_int64(statement.Get(), 0)) {
      return Fail(kStoreDamagedFile,
                  "第 " + std::to_string(i + 1) + " 条记录（编号 " + std::to_string(record.id) +
                      "）的校验和不符，数据已被改变",
                  error);
    }
  }
  return kStoreOk;
}

std::int64_t TableFile::TableSumOf(const std::vector<TableRecord>& records) {
  checksum_.BeginTable();
  for (const TableRecord& record : records) {
    checksum_.AddRecord(record.id, record.deleted, record.values);
  }
  return checksum_.FinishTable();
}

int TableFile::ReadProtection(std::string* error) {
  Statement statement(db_, "SELECT salt, verifier FROM protection");
  if (!statement.Prepared()) return Fail(kStoreDamagedFile, "缺少密码表", error);
  int rows = 0;
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(statement.Get())) == SQLITE_ROW) {
    salt_ = std::get<Blob>(ColumnValue(statement.Get(), 0, FieldType::kBinary));
    verifier_ = std::get<Blob>(ColumnValue(statement.Get(), 1, FieldType::kBinary));
    ++rows;
  }
  if (rc != SQLITE_DONE) return FailSqlite("读取密码", error);
  if (rows == 0) {
    salt_.clear();
    verifier_.clear();
  }
  if (rows > 1 ||
      (rows == 1 && (salt_.size() != kSaltBytes || verifier_.size() != kVerifierBytes))) {
    return Fail(kStoreDamagedFile, "密码表无效", error);
  }
  if (version_ >= kSecondFormat && checksum_.OfProtection(salt_, verifier_) != protectionSum_) {
    return Fail(kStoreDamagedFile, "密码表的校验和不符", error);
  }
  return kStoreOk;
}

int TableFile::MatchPassword(std::string_view password, std::string* error) const {
  if (salt_.empty()) {
    return password.empty() ? kStoreOk
                            : Fail(kStoreWrongPassword, "该表没有密码，却给出了密码", error);
  }
  if (password.empty()) return Fail(kStoreWrongPassword, "该表需要密码", error);
  std::array<unsigned char, kVerifierBytes> computed{};
  if (!ComputeVerifier(password, salt_.data(), computed.data())) {
    return Fail(kStoreIoError, "无法初始化加密库", error);
  }
  if (sodium_memcmp(computed.data(), verifier_.data(), kVerifierBytes) != 0) {
    return Fail(kStoreWrongPassword, "密码不正确", error);
  }
  return kStoreOk;
}

int TableFile::Reuse(std::string_view password, std::string* error) {
  int moved = 0;
  if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || moved) {
    return Fail(kStoreFileMissing, "文件已被移走或替换", error);
  }
  const int code = MatchPassword(password, error);
  if (code != kStoreOk) return code;
  bool reloaded = false;
  return Refresh(&reloaded, error);
}

int TableFile::Refresh(bool* reloaded, std::string* error) {
  *reloaded = false;
  if (!stale_) {
    if (sqlite3_step(versionStatement_) != SQLITE_ROW) {
      sqlite3_reset(versionStatement_);
      return FailSqlite("读取", error);
    }
    const std::int64_t version = sqlite3_column_int64(versionStatement_, 0);
    sqlite3_reset(versionStatement_);
    if (version == dataVersion_) return kStoreOk;
  }
  *reloaded = true;
  return writing_ ? LoadInTransaction(error) : Load(error);
}

int TableFile::BeginWrite(bool* reloaded, std::string* error) {
  *reloaded = false;
  if (readOnly_) {
    if (error) *error = ReadOnlyText(path_);
    return kStoreReadOnly;
  }
  if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return FailSqlite("写入", error);
  }
  writing_ = true;
  int code = CheckStructure(error);
  if (code == kStoreOk) code = Refresh(reloaded, error);
  if (code != kStoreOk) Rollback();
  return code;
}

int TableFile::Insert(const std::vector<Value>& values, std::string* error) {
  if (!insertStatement_) {
    std::string sql = "INSERT INTO records(id, deleted, sum";
    for (std::size_t i = 0; i < fields_.size(); ++i) sql += ", " + Column(i);
    sql += ") VALUES(?, 0, ?";
    for (std::size_t i = 0; i < fields_.size(); ++i) sql += ", ?";
    sql += ")";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &insertStatement_, nullptr) != SQLITE_OK) {
      return FailSqlite("写入", error);
    }
  }
  // The snapshot is current under the write lock, so this is the id SQLite would choose;
  // choosing it here lets the checksum cover it in the same statement.
  const std::int64_t id = records_.empty() ? 1 : records_.back().id + 1;
  const std::int64_t sum = checksum_.OfRecord(id, false, values);
  sqlite3_bind_int64(insertStatement_, 1, id);
  sqlite3_bind_int64(insertStatement_, 2, sum);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    Bind(insertStatement_, static_cast<int>(i + 3), values[i]);
  }
  const int rc = sqlite3_step(insertStatement_);
  sqlite3_reset(insertStatement_);
  sqlite3_clear_bindings(insertStatement_);
  if (rc != SQLITE_DONE) return FailSqlite("写入", error);
  records_.push_back({id, false, values});
  recordsChanged_ = true;
  return kStoreOk;
}

int TableFile::Update(std::size_t index, const std::vector<std::optional<Value>>& values,
                      std::string* error) {
  TableRecord& record = records_[index];
  std::vector<Value> merged = record.values;
  for (std::size_t i = 0; i < values.size() && i < fields_.size(); ++i) {
    if (values[i]) merged[i] = *values[i];
  }
  const std::int64_t sum = checksum_.OfRecord(record.id, record.deleted, merged);
  const int idParameter = static_cast<int>(fields_.size() + 1);
  std::string sql = "UPDATE records SET sum = ?" + std::to_string(idParameter + 1);
  for (std::size_t i = 0; i < values.size() && i < fields_.size(); ++i) {
    if (values[i]) sql += ", " + Column(i) + " = ?" + std::to_string(i + 1);
  }
  sql += " WHERE id = ?" + std::to_string(idParameter);
  Statement statement(db_, sql);
  if (!statement.Prepared()) return FailSqlite("写入", error);
  for (std::size_t i = 0; i < values.size() && i < fields_.size(); ++i) {
    if (values[i]) Bind(statement.Get(), static_cast<int>(i + 1), *values[i]);
  }
  sqlite3_bind_int64(statement.Get(), idParameter, record.id);
  sqlite3_bind_int64(statement.Get(), idParameter + 1, sum);
  if (sqlite3_step(statement.Get()) != SQLITE_DONE) return FailSqlite("写入", error);
  if (sqlite3_changes(db_) != 1) return Fail(kStoreRecordGone, "记录已被删除", error);
  record.values = std::move(merged);
  recordsChanged_ = true;
  return kStoreOk;
}

int TableFile::SetDeleted(std::size_t index, bool deleted, std::string* error) {
  Statement statement(db_, "UPDATE records SET deleted = ?, sum = ? WHERE id = ?");
  if (!statement.Prepared()) return FailSqlite("写入", error);
  TableRecord& record = records_[index];
  const std::int64_t sum = checksum_.OfRecord(record.id, deleted, record.values);
  sqlite3_bind_int(statement.Get(), 1, deleted ? 1 : 0);
  sqlite3_bind_int64(statement.Get(), 2, sum);
  sqlite3_bind_int64(statement.Get(), 3, record.id);
  if (sqlite3_step(statement.Get()) != SQLITE_DONE) return FailSqlite("写入", error);
  if (sqlite3_changes(db_) != 1) return Fail(kStoreRecordGone, "记录已被删除", error);
  record.deleted = deleted;
  recordsChanged_ = true;
  return kStoreOk;
}

int TableFile::DeleteMarked(std::string* error) {
  if (sqlite3_exec(db_, "DELETE FROM records WHERE deleted <> 0", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    return FailSqlite("写入", error);
  }
  recordsChanged_ = true;
  std::erase_if(records_, [](const TableRecord& record) { return record.deleted; });
  return kStoreOk;
}

int TableFile::Delete(std::size_t index, std::string* error) {
  Statement statement(db_, "DELETE FROM records WHERE id = ?");
  if (!statement.Prepared()) return FailSqlite("写入", error);
  sqlite3_bind_int64(statement.Get(), 1, records_[index].id);
  if (sqlite3_step(statement.Get()) != SQLITE_DONE) return FailSqlite("写入", error);
  if (sqlite3_changes(db_) != 1) return Fail(kStoreRecordGone, "记录已被删除", error);
  recordsChanged_ = true;
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  return kStoreOk;
}

int TableFile::Commit(std::string* error) {
  if (recordsChanged_) {
    tableSum_ = TableSumOf(records_);
    Statement statement(db_, "UPDATE checks SET records = ?");
    const bool stored = statement.Prepared() &&
                        sqlite3_bind_int64(statement.Get(), 1, tableSum_) == SQLITE_OK &&
                        sqlite3_step(statement.Get()) == SQLITE_DONE;
    if (!stored) {
      const int code = FailSqlite("写入", error);
      Rollback();
      return code;
    }
    recordsChanged_ = false;
  }
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    const int code = FailSqlite("写入", error);
    Rollback();
    return code;
  }
  writing_ = false;
  // Our own commit leaves data_version as it is; the snapshot already holds the change.
  return kStoreOk;
}

void TableFile::Rollback() {
  if (!writing_) return;
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  writing_ = false;
  // The snapshot holds changes that were undone: take it from the file again.
  stale_ = true;
  Load(nullptr);
}

}  // namespace tallyra
