// Making a new table file: built under a temporary name, renamed into place.
#include <sodium.h>
#include <sqlite3.h>

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "data/field_value.h"
#include "data/random_hex.h"
#include "data/table_file.h"
#include "data/table_path.h"
#include "data/table_schema.h"
#include "data/table_sql.h"

namespace tallyra {

using table_schema::CreateStatements;
using table_schema::kApplicationId;
using table_schema::kFormatVersion;
using table_sql::Bind;
using table_sql::ComputeVerifier;
using table_sql::kSaltBytes;
using table_sql::kVerifierBytes;
using table_sql::NameOf;
using table_sql::Quoted;
using table_sql::Statement;

int TableFile::Create(const std::string& path, const std::vector<FieldDef>& fields,
                      std::string_view password, std::string* error) {
  const auto fail = [&](int code, const std::string& reason) {
    if (error) *error = "无法创建表文件" + Quoted(path) + "：" + reason;
    return code;
  };
  std::set<std::string> names;
  for (const FieldDef& field : fields) {
    if (field.name.empty() || !names.insert(field.name).second) {
      return fail(kStoreBadValue, "字段名为空或重复");
    }
    if (field.type == FieldType::kText && field.size <= 0) {
      return fail(kStoreBadValue, "文本字段" + Quoted(field.name) + "的长度无效");
    }
  }
  if (fields.empty()) return fail(kStoreBadValue, "没有字段");
  std::error_code ec;
  const std::filesystem::path target = PathFromUtf8(path);
  if (std::filesystem::exists(target, ec)) return fail(kStoreIoError, "文件已存在");
  if (sodium_init() < 0) return fail(kStoreIoError, "无法初始化加密库");

  const std::string temporary = path + ".new-" + RandomHex(8);

  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  const std::string schema =
      "PRAGMA synchronous=FULL;BEGIN;PRAGMA application_id=" + std::to_string(kApplicationId) +
      ";PRAGMA user_version=" + std::to_string(kFormatVersion) + ";" + CreateStatements(fields);
  // The field list as a load reads it back, with every size as stored.
  std::vector<FieldDef> stored = fields;
  for (FieldDef& field : stored) field.size = ByteSizeOf(field);
  RecordChecksum checksum;
  Blob salt, verifier;
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    Statement insert(db, "INSERT INTO fields(number, name, type, size) VALUES(?, ?, ?, ?)");
    rc = insert.PrepareCode();
    for (std::size_t i = 0; rc == SQLITE_OK && i < fields.size(); ++i) {
      sqlite3_bind_int64(insert.Get(), 1, static_cast<sqlite3_int64>(i + 1));
      Bind(insert.Get(), 2, fields[i].name);
      sqlite3_bind_text(insert.Get(), 3, NameOf(fields[i].type).name, -1, SQLITE_STATIC);
      sqlite3_bind_int(insert.Get(), 4, ByteSizeOf(fields[i]));
      rc = sqlite3_step(insert.Get()) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
      sqlite3_reset(insert.Get());
    }
  }
  if (rc == SQLITE_OK && !password.empty()) {
    salt.resize(kSaltBytes);
    verifier.resize(kVerifierBytes);
    randombytes_buf(salt.data(), salt.size());
    ComputeVerifier(password, salt.data(), verifier.data());
    Statement insert(db, "INSERT INTO protection(salt, verifier) VALUES(?, ?)");
    rc = insert.PrepareCode();
    if (rc == SQLITE_OK) {
      Bind(insert.Get(), 1, salt);
      Bind(insert.Get(), 2, verifier);
      rc = sqlite3_step(insert.Get()) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
    }
  }
  if (rc == SQLITE_OK) {
    Statement insert(db,
                     "INSERT INTO checks(fields, protection, records, name) VALUES(?, ?, ?, ?)");
    rc = insert.PrepareCode();
    if (rc == SQLITE_OK) {
      const std::string name = TableNameOf(path);
      sqlite3_bind_int64(insert.Get(), 1, checksum.OfNamedFields(stored, name));
      Bind(insert.Get(), 4, name);
      sqlite3_bind_int64(insert.Get(), 2, checksum.OfProtection(salt, verifier));
      checksum.BeginTable();  // no records yet
      sqlite3_bind_int64(insert.Get(), 3, checksum.FinishTable());
      rc = sqlite3_step(insert.Get()) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
    }
  }
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  const std::string sqliteMessage = db ? sqlite3_errmsg(db) : "out of memory";
  sqlite3_close(db);
  const std::filesystem::path temporaryPath = PathFromUtf8(temporary);
  if (rc != SQLITE_OK) {
    std::filesystem::remove(temporaryPath, ec);
    return fail(kStoreIoError, sqliteMessage);
  }
  // Another copy of the program may have created the file meanwhile: keep its file.
  if (std::filesystem::exists(target, ec)) {
    std::filesystem::remove(temporaryPath, ec);
    return fail(kStoreIoError, "文件已存在");
  }
  std::filesystem::rename(temporaryPath, target, ec);
  if (ec) {
    std::filesystem::remove(temporaryPath, ec);
    return fail(kStoreIoError, ec.message());
  }
  return kStoreOk;
}

}  // namespace tallyra
