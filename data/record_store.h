#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/table_backups.h"

namespace tallyra {

enum class FieldType {
  kByte,
  kShort,
  kInt,
  kLong,
  kFloat,
  kDouble,
  kBool,
  kDateTime,
  kText,
  kMemo,
  kBinary
};

struct FieldDef {
  std::string name;
  FieldType type = FieldType::kText;
  int size = 0;  // byte size of a text field (GBK bytes); ignored for other types
};

using Blob = std::vector<std::uint8_t>;

// A field value. Integers (byte, short, int, long, date-time as seconds) are int64,
// float and double are double, text and memo are UTF-8 strings.
using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string, Blob>;

// Last-error codes of RecordStore (LastError); 0 is success. The fatal errors of Read
// carry kStoreNoCurrentTable, kStoreNoSuchField or kStoreWrongFieldType as their code.
inline constexpr int kStoreOk = 0;
inline constexpr int kStoreNoCurrentTable = 1;
inline constexpr int kStoreEmptyName = 2;
inline constexpr int kStoreAlreadyOpen = 3;
inline constexpr int kStoreFileMissing = 4;
inline constexpr int kStoreWrongPassword = 5;  // wrong, missing, or given to an unprotected table
inline constexpr int kStoreDamagedFile = 6;    // not a valid table file; left untouched
inline constexpr int kStoreNotFound = 7;       // SelectCurrent: no such table; Search: no match
inline constexpr int kStoreNoRecord = 8;       // the pointer is not on a record
inline constexpr int kStoreCannotMove = 9;     // Skip at either end or in an empty table
inline constexpr int kStoreTypeMismatch = 10;  // a value of another type than its field's
inline constexpr int kStoreBadValue = 11;      // a number the field cannot hold, non-GBK text
inline constexpr int kStoreNoSuchField = 12;
inline constexpr int kStoreWrongFieldType = 13;
inline constexpr int kStoreRecordGone = 14;  // another program removed the record at the pointer
inline constexpr int kStoreIoError = 15;     // the file could not be read or written
inline constexpr int kStoreReadOnly = 16;    // the file or its folder can be read, not written

// Daily backups of the changed tables (see TableBackups): today gives the day as
// "YYYY-MM-DD"; reportFailure hears, once, the first backup that could not be made (the
// change itself has succeeded). Without today no backups are made.
struct BackupPolicy {
  std::function<std::string()> today;
  std::function<void(const std::string& reason)> reportFailure;
};

// Told by Open of a damaged table file (its path and why); true when it put a sound file
// in its place (a restore), and Open then tries once more.
using DamageHandler = std::function<bool(const std::string& path, const std::string& reason)>;

class RecordStore;
// Evaluated with the record being examined as the current record; reads it with Read.
using Condition = std::function<bool(RecordStore&)>;

// Where table paths resolve: programDir is the program's folder (the absolute paths
// windows build are programDir + "\bsf\" + file), dataDir the folder that really holds
// the table files (programDir/bsf when it exists, else the per-user data folder + /bsf).
struct TableLocation {
  std::string programDir;
  std::string dataDir;
};

// The embedded table-file database: a list of open tables, one current table and its
// record pointer (-1 .. count). Every change is durable when the call returns.
class RecordStore final {
 public:
  explicit RecordStore(TableLocation location);
  ~RecordStore();
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  const TableLocation& Location() const;
  // The real file a table path names ("bsf\Zhgl.bsf", an absolute path below
  // programDir\bsf, or any other path).
  std::string ResolvePath(std::string_view fileName) const;

  // Fails (LastError, LastErrorText naming the file) when the table is already open, the
  // file is missing or not a valid table file, or the password does not fit. A file the
  // catalogue knows (FindTableDef of its file name) must also have every field listed
  // for it, by name and of its kind (text or numeric), else it counts as damaged.
  bool Open(std::string_view fileName, std::string_view password = {});
  bool SelectCurrent(std::string_view name);
  // SelectCurrent with the absolute path, else Open with the relative path.
  bool MakeCurrent(std::string_view file, std::string_view password = {});
  void Close();
  void CloseAll();

  // Another program's committed changes are taken in by Open, SelectCurrent, MakeCurrent,
  // First, RecordCount and every change (Append .. Purge); the pointer stays on its
  // record. Skip, Read, Search and RecordNumber work on what the last of those saw, so a
  // walk costs no query per record and sees one consistent table.
  void First();
  bool Skip(int count = 1);
  int RecordNumber() const;
  int RecordCount() const;

  // Fatal (RaiseFatalError) with no current table or an unknown field.
  Value Read(std::string_view fieldName);
  Value Read(int fieldNumber);
  // Read of a field that must be text (or memo): fatal when it is of another type.
  std::string ReadText(std::string_view fieldName);
  std::string ReadText(int fieldNumber);
  // Read of a field that must be numeric: fatal when it is of another type.
  double ReadNumber(int fieldNumber);

  bool Search(const Condition& condition);
  bool Append(const std::vector<Value>& values);
  bool Modify(const std::vector<std::optional<Value>>& values);
  bool MarkDeleted(const Condition& condition = nullptr);
  bool UnmarkDeleted(const Condition& condition = nullptr);
  bool Purge();

  // Random access by 0-based record index over the records Read sees, for a grid. Each
  // fails with kStoreNoCurrentTable without a table, kStoreNoRecord for an index outside
  // 0 .. RecordCount() - 1, kStoreRecordGone when another program removed that record.
  // Field fieldNumber (1-based) of record `record` into *value; the pointer stays put.
  bool ReadAt(int record, int fieldNumber, Value* value);
  // Modify of record `record`; the pointer moves to it.
  bool ModifyAt(int record, const std::vector<std::optional<Value>>& values);
  // Removes record `record` from the file at once; the pointer moves to the one after it.
  bool DeleteAt(int record);
  // Appends a record with every field empty or zero; the pointer moves to it.
  bool AppendEmpty();

  // The resolved path of the current table ('/' separators), empty with none; unlike
  // SelectCurrent it takes in nothing, so a grid can check its table without a refresh.
  std::string CurrentPath() const;
  // Whether the current table was opened for reading only (it or its folder cannot be
  // written); its writes then fail with kStoreReadOnly.
  bool CurrentIsReadOnly() const;

  std::string FieldName(int fieldNumber) const;
  int FieldSize(int fieldNumber) const;
  int FieldCount() const;
  FieldType FieldTypeOf(int fieldNumber) const;
  bool IsMarkedDeleted() const;  // the mark of the record at the pointer

  // The first change of a table each day leaves a checked copy of it, as changed, in
  // backup/YYYY-MM-DD/ beside it; older day folders beyond the last 30 are removed.
  void SetBackupPolicy(BackupPolicy policy);
  void SetDamageHandler(DamageHandler handler);
  // The newest backup of a table file (named as Open names it) that checks out.
  std::optional<TableBackup> NewestBackup(std::string_view fileName) const;
  // RestoreTableFile for a table file that is not open; kStoreAlreadyOpen if it is.
  bool RestoreBackup(std::string_view fileName, const TableBackup& backup, std::string_view stamp);

  int LastError() const;
  // Why the last Open failed, naming the file, for the caller to show.
  const std::string& LastErrorText() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tallyra
