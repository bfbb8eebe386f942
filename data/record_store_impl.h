#pragma once

// The record store's private part, shared by the files that implement it.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/daily_backup.h"
#include "data/record_store.h"
#include "data/table_file.h"

namespace tallyra {
namespace store_detail {

inline constexpr char kNoCurrentTableText[] = "未指定当前数据库或者指定数据库未打开";
inline constexpr char kNoSuchFieldText[] = "指定字段不存在";
#ifdef _WIN32
// None on Windows: an open SQLite handle forbids deleting or renaming its file, so a kept
// connection would stop another program (or a hand restore) from replacing the table.
inline constexpr std::size_t kClosedTablesKept = 0;
#else
// Every table of the catalogue fits.
inline constexpr std::size_t kClosedTablesKept = 32;
#endif

struct OpenTable {
  std::string path;  // resolved, '/' separators
  std::string name;  // file name without folder and extension
  std::unique_ptr<TableFile> file;
  int pointer = 0;  // -1 .. count

  int Count() const { return static_cast<int>(file->Records().size()); }
  bool OnRecord() const { return pointer >= 0 && pointer < Count(); }
};

// A write that is rolled back unless committed, also when a condition throws.
class WriteScope {
 public:
  explicit WriteScope(TableFile& file) : file_(file) {}
  ~WriteScope() {
    if (open_) file_.Rollback();
  }
  WriteScope(const WriteScope&) = delete;
  WriteScope& operator=(const WriteScope&) = delete;
  int Begin(bool* reloaded, std::string* error) {
    const int code = file_.BeginWrite(reloaded, error);
    open_ = code == kStoreOk;
    return code;
  }
  int Commit(std::string* error) {
    open_ = false;
    return file_.Commit(error);
  }

 private:
  TableFile& file_;
  bool open_ = false;
};

// The pointer's record after the snapshot changed under it: the same record when it is
// still there, else the one that now follows its place.
inline int Remap(const std::vector<TableRecord>& records, bool onRecord, bool afterLast,
          std::int64_t anchor, int pointer) {
  if (afterLast) return static_cast<int>(records.size());
  if (!onRecord) return pointer;
  const auto it =
      std::lower_bound(records.begin(), records.end(), anchor,
                       [](const TableRecord& record, std::int64_t id) { return record.id < id; });
  return static_cast<int>(it - records.begin());
}

}  // namespace store_detail

using store_detail::kClosedTablesKept;
using store_detail::kNoCurrentTableText;
using store_detail::kNoSuchFieldText;
using store_detail::OpenTable;
using store_detail::Remap;
using store_detail::WriteScope;

struct RecordStore::Impl {
  RecordStore* owner = nullptr;  // handed to the conditions
  TableLocation location;
  std::vector<std::shared_ptr<OpenTable>> tables;
  std::shared_ptr<OpenTable> current;
  // Closed tables keep their connection and snapshot, most recent first: the windows
  // close every table and open the same ones again at each window and print run.
  std::vector<std::shared_ptr<OpenTable>> closed;
  int lastError = kStoreOk;
  std::string lastErrorText;
  DailyBackup backup;
  DamageHandler damageHandler;
  bool handlingDamage = false;

  // A change of the table was committed: back it up if it is the day's first.
  bool Changed(OpenTable& table) {
    backup.AfterChange(table.path, *table.file);
    return Succeed();
  }

  bool Succeed() {
    lastError = kStoreOk;
    lastErrorText.clear();
    return true;
  }
  bool Fail(int code, std::string text = {}) {
    lastError = code;
    lastErrorText = std::move(text);
    return false;
  }
  // The current table, or null with kStoreNoCurrentTable set.
  OpenTable* Current() {
    if (!current) Fail(kStoreNoCurrentTable, kNoCurrentTableText);
    return current.get();
  }
  // Takes in another program's changes, keeping the pointer on its record.
  bool Revalidate(OpenTable& table) {
    const bool onRecord = table.OnRecord();
    const bool afterLast = table.pointer >= table.Count();
    const std::int64_t anchor = onRecord ? table.file->Records()[table.pointer].id : 0;
    bool reloaded = false;
    std::string error;
    const int code = table.file->Refresh(&reloaded, &error);
    if (reloaded) {
      table.pointer = Remap(table.file->Records(), onRecord, afterLast, anchor, table.pointer);
    }
    return code == kStoreOk ? true : Fail(code, error);
  }
  // Starts a write and says whether the pointer's record is still the one it was.
  int BeginWrite(OpenTable& table, WriteScope& scope, bool* sameRecord) {
    const bool onRecord = table.OnRecord();
    const bool afterLast = table.pointer >= table.Count();
    const std::int64_t anchor = onRecord ? table.file->Records()[table.pointer].id : 0;
    bool reloaded = false;
    std::string error;
    const int code = scope.Begin(&reloaded, &error);
    if (code != kStoreOk) {
      Fail(code, error);
      return code;
    }
    if (reloaded) {
      table.pointer = Remap(table.file->Records(), onRecord, afterLast, anchor, table.pointer);
    }
    *sameRecord =
        !onRecord || (table.OnRecord() && table.file->Records()[table.pointer].id == anchor);
    return kStoreOk;
  }
  const FieldDef* FieldByNumber(const OpenTable& table, int number) const {
    const auto& fields = table.file->Fields();
    return number >= 1 && number <= static_cast<int>(fields.size()) ? &fields[number - 1] : nullptr;
  }
  void Retire(std::shared_ptr<OpenTable> table) {
    closed.insert(closed.begin(), std::move(table));
    if (closed.size() > kClosedTablesKept) closed.pop_back();
  }
  // The connection of a closed table of this path, unless something still holds it.
  std::unique_ptr<TableFile> TakeClosed(const std::string& path) {
    const auto it = std::find_if(closed.begin(), closed.end(),
                                 [&](const auto& table) { return table->path == path; });
    if (it == closed.end()) return nullptr;
    std::shared_ptr<OpenTable> table = std::move(*it);
    closed.erase(it);
    return table.use_count() == 1 ? std::move(table->file) : nullptr;
  }
  bool Mark(const Condition& condition, bool deleted);
  Value ReadField(int index);
  int FieldIndexOf(std::string_view fieldName);
  int FieldIndexOfNumber(int fieldNumber);
  // Puts the pointer on record `record` of the current table, or fails with kStoreNoRecord.
  OpenTable* PositionAt(int record);
};

}  // namespace tallyra
