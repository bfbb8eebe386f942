#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/record_checksum.h"
#include "data/record_store.h"
#include "data/table_path.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tallyra {

struct TableRecord {
  std::int64_t id = 0;  // the record's place in the file's order; grows with every append
  bool deleted = false;
  std::vector<Value> values;  // one per field, of the field's type
};

// One table file: an SQLite database holding the field list, the records in order with
// their deleted marks and, for a protected table, a salted verifier of its password.
// Every record, the field list and the protection row carry a checksum written in the
// same transaction, and so does one checksum of all records in order, which is what a
// load checks (it also catches a record that went missing); on a mismatch the records'
// own checksums name the damaged record and the file is refused as damaged.
// The file records the name of its table ("Bfzh"), and Open refuses a file that holds
// another table's data or whose SQL schema is not exactly what its format writes.
// Files of an earlier format (no checksums, or no table name) are upgraded at Open,
// after a copy of them was made in backup/upgrade below the file's folder.
// A file that cannot be written (or whose folder cannot) opens for reading; every write
// then fails with kStoreReadOnly and a text saying so.
// The records are kept in memory as a snapshot, so reads cost no query; Refresh and
// BeginWrite bring the snapshot up to date when another connection (another copy of the
// program) has committed a change since. Every write is one transaction, synced to disk
// (synchronous FULL) before Commit returns. Operations return a kStore* code and, on
// failure, a reason that names the file.
class TableFile final {
 public:
  // Creates a new table file with these fields; an empty password leaves it unprotected.
  // The file is built under a temporary name and renamed into place, so a crash never
  // leaves a half-made table behind. Fails when the file exists.
  static int Create(const std::string& path, const std::vector<FieldDef>& fields,
                    std::string_view password, std::string* error);
  // Opens an existing table file for reading and writing. A file that is not a valid
  // table (empty, truncated, not SQLite, SQLite of another shape, another table's file)
  // gives kStoreDamagedFile and is left as it is; a wrong or missing password, or one
  // given for an unprotected table, gives kStoreWrongPassword. The table's name is the
  // file's name without extension.
  static std::unique_ptr<TableFile> Open(const std::string& path, std::string_view password,
                                         int* code, std::string* error);
  // Opens the file again through this connection after the table was closed: the
  // password is checked once more and the snapshot refreshed. kStoreFileMissing when the
  // file was deleted or replaced since; the caller then opens it anew.
  int Reuse(std::string_view password, std::string* error);
  // Opens a file read-only and checks all of it (the database's own structure, every
  // checksum) without asking for its password: kStoreOk when it is a sound table file
  // of the table `table` (any table when empty; a file too old to name its table passes).
  static int Check(const std::string& path, const std::string& table, std::string* error);
  // Check for the table the file is named after.
  static int Check(const std::string& path, std::string* error) {
    return Check(path, TableNameOf(path), error);
  }
  // Copies the file as it is now committed to `target` (see CopyTableFile).
  int CopyTo(const std::string& target, std::string* error);
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  const std::string& Path() const { return path_; }
  const std::vector<FieldDef>& Fields() const { return fields_; }
  const std::vector<TableRecord>& Records() const { return records_; }
  // Opened for reading only: the file or its folder cannot be written.
  bool ReadOnly() const { return readOnly_; }

  // Reloads the snapshot when the file changed since it was taken; *reloaded says so.
  int Refresh(bool* reloaded, std::string* error);

  // A write: BeginWrite takes the file's write lock and refreshes the snapshot; each
  // change applies to the snapshot at once; Commit makes them durable, Rollback undoes
  // them (and reloads the snapshot). Values are already converted, one per field.
  int BeginWrite(bool* reloaded, std::string* error);
  int Insert(const std::vector<Value>& values, std::string* error);
  int Update(std::size_t index, const std::vector<std::optional<Value>>& values,
             std::string* error);
  int SetDeleted(std::size_t index, bool deleted, std::string* error);
  int DeleteMarked(std::string* error);
  int Delete(std::size_t index, std::string* error);
  int Commit(std::string* error);
  void Rollback();

 private:
  TableFile(std::string path, sqlite3* db);
  int Load(std::string* error);
  int LoadInTransaction(std::string* error, bool verify = true);
  int LoadRecords(const std::string& select, const std::vector<FieldDef>& fields,
                  std::vector<TableRecord>* records, std::int64_t* tableSum, std::string* error);
  int FindDamagedRecord(const std::vector<TableRecord>& records, std::string* error);
  std::int64_t TableSumOf(const std::vector<TableRecord>& records);
  int ReadChecks(std::int64_t version, std::int64_t* storedFields, std::int64_t* storedTableSum,
                 std::string* name, std::string* error);
  int CheckName(std::int64_t version, const std::vector<FieldDef>& fields, const std::string& name,
                std::int64_t storedFields, std::string* error);
  int CheckStructure(std::string* error);
  int OpenForReading(std::string* error);
  int Upgrade(std::string* error);
  int WriteUpgrade(std::string* error);
  int ReadProtection(std::string* error);
  int MatchPassword(std::string_view password, std::string* error) const;
  int Fail(int code, const std::string& reason, std::string* error) const;
  int FailSqlite(const std::string& doing, std::string* error) const;

  std::string path_;
  std::string expectedName_;  // the table the file must hold; empty: any
  std::string name_;          // the table the file holds; empty in files of older formats
  sqlite3* db_ = nullptr;
  std::vector<FieldDef> fields_;
  std::vector<TableRecord> records_;
  Blob salt_;  // empty for an unprotected table
  Blob verifier_;
  std::int64_t dataVersion_ = -1;
  std::int64_t version_ = 0;        // user_version of the file as last loaded
  std::int64_t protectionSum_ = 0;  // as stored in the checks row
  std::int64_t tableSum_ = 0;       // checksum of all records in order, as last loaded
  bool recordsChanged_ = false;     // a write changed the records; Commit stores tableSum_
  RecordChecksum checksum_;
  bool stale_ = false;  // after a failed write the snapshot must be reloaded
  bool writing_ = false;
  bool readOnly_ = false;
  bool structureChecked_ = false;  // PRAGMA quick_check passed on this connection
  sqlite3_stmt* versionStatement_ = nullptr;
  sqlite3_stmt* insertStatement_ = nullptr;
};

}  // namespace tallyra
