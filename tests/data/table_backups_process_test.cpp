// Backups under a program killed in the middle of one, and under a full disk (setrlimit).
// Both need fork and POSIX resource limits, which Windows lacks: compiled out there.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "data/record_store.h"
#include "data/table_copy.h"
#include "data/table_file.h"
#include "data/table_path.h"
#include "tests/support/child_process.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 1000;

class BackupProcessTest : public StoreTest {
 protected:
  void MakeBigTable(const std::string& file) {
    std::vector<std::vector<Value>> records;
    for (int i = 0; i < kRecords; ++i) {
      records.push_back({std::string("北京华信达科技有限公司第") + std::to_string(i) + "分公司"});
    }
    MakeTable(file, {{"名称", FieldType::kText, 60}}, records);
  }
};

// Day n after 2020-01-01 as "YYYY-MM-DD".
std::string Day(int n) {
  using namespace std::chrono;
  const year_month_day date{sys_days{year{2020} / January / 1} + days{n}};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

// The child: changes the table forever, each change on a new day, so each one makes a
// backup; it writes one byte to `report` after the first.
[[noreturn]] void ChangeEveryDay(const TableLocation& location, int firstDay, int report) {
  RecordStore store(location);
  int day = firstDay;
  store.SetBackupPolicy({[&day] { return Day(day++); }, [](const std::string&) { _exit(3); }});
  if (!store.Open("bsf\\Crash.bsf")) _exit(2);
  for (int i = 0;; ++i) {
    if (!store.ModifyAt(i % kRecords, {Value(std::string("改") + std::to_string(i))})) _exit(4);
    if (i == 0 && write(report, "x", 1) != 1) _exit(5);
  }
}

TEST_F(BackupProcessTest, AProgramKilledDuringABackupLeavesNoHalfBackupAndNoDamage) {
  MakeBigTable("Crash.bsf");
  std::mt19937 random(std::random_device{}());
  int unfinishedSeen = 0;
  for (int run = 0; run < 20; ++run) {
    ChildProcess child([&](int, int report) { ChangeEveryDay(Location(), run * 100, report); });
    ASSERT_TRUE(child.Started());
    char byte = 0;
    ASSERT_EQ(read(child.Reports(), &byte, 1), 1) << "run " << run << ": the child made no backup";
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    const int status = child.Kill();
    ASSERT_TRUE(WIFSIGNALED(status)) << "run " << run << ": status " << status;

    // Every file under a backup's own name is a sound table file.
    bool unfinished = false;
    for (const auto& entry : fs::recursive_directory_iterator(root_ / "bsf" / "backup")) {
      if (!entry.is_regular_file()) continue;
      const std::string name = Utf8Of(entry.path().filename());
      if (IsUnfinishedCopy(name)) {
        unfinished = true;
        continue;
      }
      std::string error;
      ASSERT_EQ(TableFile::Check(Utf8Of(entry.path()), &error), kStoreOk)
          << "run " << run << ": " << error;
    }
    unfinishedSeen += unfinished ? 1 : 0;
    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\Crash.bsf")) << "run " << run << ": " << store.LastErrorText();
    ASSERT_EQ(store.RecordCount(), kRecords);
  }
  // Else no kill fell in the middle of a backup, and the test proved nothing.
  EXPECT_GT(unfinishedSeen, 0);
  std::printf("killed in the middle of a backup in %d of 20 runs\n", unfinishedSeen);
}

// The disk is full for the backup: a file size limit of half the table lets the
// table's own writes through (in place, at its first pages, and a small journal) and
// stops the copy halfway with a write error, as a full disk would.
TEST_F(BackupProcessTest, ABackupThatCannotBeWrittenLosesNothingAndIsReportedOnce) {
  MakeBigTable("Full.bsf");
  const auto size = fs::file_size(PathFromUtf8(TablePath("Full.bsf")));
  ChildProcess child([&](int, int report) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{size / 2, size / 2};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    RecordStore store(Location());
    std::string reports;
    int count = 0;
    store.SetBackupPolicy({[] { return std::string("2026-12-10"); },
                           [&](const std::string& reason) {
                             ++count;
                             reports = reason;
                           }});
    const bool changed = store.Open("bsf\\Full.bsf") &&
                         store.ModifyAt(0, {Value(std::string("第一次修改"))}) &&
                         store.ModifyAt(1, {Value(std::string("第二次修改"))});
    const std::string out = std::to_string(changed) + " " + std::to_string(count) + " " + reports;
    if (write(report, out.data(), out.size()) < 0) _exit(3);
  });
  ASSERT_TRUE(child.Started());
  const std::string out = child.ReadAll();
  const int status = child.Wait();
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  // Every change went through; the failure was reported once, naming the backup.
  ASSERT_EQ(out.substr(0, 4), "1 1 ") << out;
  EXPECT_NE(out.find("backup/2026-12-10/Full.bsf"), std::string::npos) << out;
  // No backup was kept, not even a half one.
  for (const auto& entry : fs::recursive_directory_iterator(root_ / "bsf" / "backup")) {
    EXPECT_FALSE(entry.is_regular_file()) << entry.path();
  }
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Full.bsf")) << store.LastErrorText();
  EXPECT_EQ(store.RecordCount(), kRecords);
  EXPECT_EQ(AllNames(store)[0], "第一次修改");
  EXPECT_EQ(AllNames(store)[1], "第二次修改");
}

}  // namespace
}  // namespace tallyra

#endif  // _WIN32
