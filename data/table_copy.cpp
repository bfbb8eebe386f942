#include "data/table_copy.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include "data/random_hex.h"
#include "data/record_store.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

constexpr char kPartialMark[] = ".partial-";
constexpr int kBusyRetries = 100;  // 20 ms apart: another program's write takes less
constexpr int kRetryMs = 20;

// Runs the online backup into an open destination; SQLITE_DONE on success.
int RunBackup(sqlite3* destination, sqlite3* source) {
  sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
  if (backup == nullptr) return sqlite3_errcode(destination);
  int rc = SQLITE_OK;
  for (int attempt = 0; attempt < kBusyRetries; ++attempt) {
    rc = sqlite3_backup_step(backup, -1);
    if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
  }
  const int finished = sqlite3_backup_finish(backup);
  return rc == SQLITE_DONE && finished == SQLITE_OK ? SQLITE_DONE
                                                    : (rc == SQLITE_DONE ? finished : rc);
}

}  // namespace

bool IsUnfinishedCopy(const std::string& fileName) {
  return fileName.find(kPartialMark) != std::string::npos;
}

int CopyTableFile(sqlite3* source, const std::string& target, const std::string& table,
                  std::string* error) {
  const std::filesystem::path targetPath = PathFromUtf8(target);
  const std::string temporary = target + kPartialMark + RandomHex(6);
  const std::filesystem::path temporaryPath = PathFromUtf8(temporary);
  const auto fail = [&](const std::string& reason) {
    std::error_code ignored;
    std::filesystem::remove(temporaryPath, ignored);
    if (error) *error = "无法写入备份“" + target + "”：" + reason;
    return kStoreIoError;
  };
  std::error_code ec;
  std::filesystem::create_directories(targetPath.parent_path(), ec);
  if (ec) return fail(ec.message());

  sqlite3* destination = nullptr;
  int rc =
      sqlite3_open_v2(temporary.c_str(), &destination,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_exec(destination, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  }
  if (rc == SQLITE_OK)
    rc = RunBackup(destination, source) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
  const std::string detail = destination ? sqlite3_errmsg(destination) : "out of memory";
  const int closed = sqlite3_close(destination);
  if (rc != SQLITE_OK || closed != SQLITE_OK) return fail(detail);

  std::string reason;
  if (TableFile::Check(temporary, table, &reason) != kStoreOk)
    return fail("副本校验失败：" + reason);
  std::filesystem::rename(temporaryPath, targetPath, ec);
  if (ec) return fail(ec.message());
  return kStoreOk;
}

}  // namespace tallyra
