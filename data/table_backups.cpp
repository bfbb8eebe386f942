#include "data/table_backups.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "data/record_store.h"
#include "data/table_copy.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

namespace fs = std::filesystem;

// "YYYY-MM-DD": the only folders the backups consist of.
bool IsDay(const std::string& name) {
  if (name.size() != 10 || name[4] != '-' || name[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

bool HoldsBackup(const fs::path& folder) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.is_regular_file(ec) && !IsUnfinishedCopy(entry.path().filename().string())) {
      return true;
    }
  }
  return false;
}

}  // namespace

TableBackups::TableBackups(std::string tableFolder) : tableFolder_(std::move(tableFolder)) {}

std::string TableBackups::Folder() const { return tableFolder_ + "/backup"; }

std::string TableBackups::PathFor(const std::string& day, const std::string& fileName) const {
  return Folder() + "/" + day + "/" + fileName;
}

bool TableBackups::Has(const std::string& day, const std::string& fileName) const {
  std::error_code ec;
  return fs::is_regular_file(PathFromUtf8(PathFor(day, fileName)), ec);
}

std::vector<std::string> TableBackups::Days() const {
  std::vector<std::string> days;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(PathFromUtf8(Folder()), ec)) {
    const std::string name = entry.path().filename().string();
    if (IsDay(name) && entry.is_directory(ec)) days.push_back(name);
  }
  std::sort(days.rbegin(), days.rend());
  return days;
}

void TableBackups::Prune(const std::string& today) const {
  int kept = 0;
  std::error_code ec;
  for (const std::string& day : Days()) {
    const fs::path folder = PathFromUtf8(Folder() + "/" + day);
    if (day != today) {
      for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (IsUnfinishedCopy(entry.path().filename().string())) fs::remove(entry.path(), ec);
      }
    }
    if (!HoldsBackup(folder)) {
      if (day != today) fs::remove(folder, ec);  // only if empty
      continue;
    }
    if (++kept > kKeptDays) fs::remove_all(folder, ec);
  }
}

std::optional<TableBackup> TableBackups::NewestSound(const std::string& fileName) const {
  for (const std::string& day : Days()) {
    if (!Has(day, fileName)) continue;
    std::string reason;
    if (TableFile::Check(PathFor(day, fileName), TableNameOf(fileName), &reason) == kStoreOk) {
      return TableBackup{PathFor(day, fileName), day};
    }
  }
  return std::nullopt;
}

int RestoreTableFile(const std::string& tablePath, const TableBackup& backup,
                     const std::string& stamp, std::string* movedTo, std::string* error) {
  // Paths stay UTF-8 text for SQLite and the messages; PathFromUtf8 only for the file system.
  const std::string asideText = tablePath + ".damaged-" + stamp;
  const std::string incomingText = tablePath + ".restoring";
  const fs::path table = PathFromUtf8(tablePath);
  const fs::path aside = PathFromUtf8(asideText);
  const fs::path incoming = PathFromUtf8(incomingText);
  const auto fail = [&](const std::string& reason) {
    std::error_code ignored;
    fs::remove(incoming, ignored);
    if (error) *error = "无法用备份“" + backup.path + "”恢复表文件“" + tablePath + "”：" + reason;
    return kStoreIoError;
  };
  std::error_code ec;
  if (fs::exists(aside, ec)) return fail("“" + asideText + "”已存在");
  fs::remove(incoming, ec);
  // Through SQLite, so the copy is synced to disk and checked before it is used.
  sqlite3* source = nullptr;
  int code =
      sqlite3_open_v2(backup.path.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
          ? kStoreOk
          : kStoreIoError;
  std::string reason = source ? sqlite3_errmsg(source) : "out of memory";
  if (code == kStoreOk) code = CopyTableFile(source, incomingText, TableNameOf(tablePath), &reason);
  sqlite3_close(source);
  if (code != kStoreOk) return fail(reason);
  fs::rename(table, aside, ec);
  if (ec) return fail(ec.message());
  fs::rename(incoming, table, ec);
  if (ec) {
    std::error_code ignored;
    fs::rename(aside, table, ignored);  // put the damaged file back: nothing is lost
    return fail(ec.message());
  }
  if (movedTo) *movedTo = asideText;
  return kStoreOk;
}

}  // namespace tallyra
