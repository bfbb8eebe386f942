// Daily backups of the changed tables, and restoring a damaged table from one.
#include "data/table_backups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/record_store.h"
#include "data/table_file.h"
#include "data/table_path.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

namespace fs = std::filesystem;

std::string ReadBytesAt(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytesAt(const std::string& path, const std::string& bytes) {
  std::ofstream(PathFromUtf8(path), std::ios::binary | std::ios::trunc) << bytes;
}

// Changes a text in a table file's bytes, as a bad sector or a stray write would.
void Garble(const std::string& path, const std::string& from, const std::string& to) {
  std::string bytes = ReadBytesAt(path);
  const std::size_t at = bytes.find(from);
  ASSERT_NE(at, std::string::npos) << from << " in " << path;
  bytes.replace(at, from.size(), to);
  WriteBytesAt(path, bytes);
}

// A store with daily backups on a day the test sets, and the failures it reported.
class TableBackupsTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    MakeNames("T.bsf", {"a", "b", "c"});
    MakeNames("U.bsf", {"x"});
  }
  std::unique_ptr<RecordStore> Store() {
    auto store = std::make_unique<RecordStore>(Location());
    store->SetBackupPolicy({[this] { return today_; },
                            [this](const std::string& reason) { reports_.push_back(reason); }});
    return store;
  }
  std::string BackupOf(const std::string& day, const std::string& file) const {
    return Utf8Of(root_ / "bsf" / "backup" / day / file);
  }
  std::vector<std::string> NamesIn(const std::string& path) {
    RecordStore store(Location());
    if (!store.Open(path)) return {"cannot open: " + store.LastErrorText()};
    return AllNames(store);
  }

  std::string today_ = "2026-12-10";
  std::vector<std::string> reports_;
};

TEST_F(TableBackupsTest, TheFirstChangeOfADayLeavesACheckedCopyOfTheChangedTableOnly) {
  auto store = Store();
  ASSERT_TRUE(store->Open("bsf\\U.bsf"));
  ASSERT_TRUE(store->Open("bsf\\T.bsf"));
  EXPECT_FALSE(fs::exists(root_ / "bsf" / "backup"));  // opening changes nothing

  ASSERT_TRUE(store->ModifyAt(0, {Value(std::string("a1"))}));
  const std::string first = BackupOf("2026-12-10", "T.bsf");
  EXPECT_EQ(NamesIn(first), (std::vector<std::string>{"a1", "b", "c"}));
  std::string error;
  EXPECT_EQ(TableFile::Check(first, &error), kStoreOk) << error;
  EXPECT_FALSE(fs::exists(PathFromUtf8(BackupOf("2026-12-10", "U.bsf"))));

  // Later changes of the day leave the day's backup as it is, in this program or another.
  ASSERT_TRUE(store->ModifyAt(1, {Value(std::string("b1"))}));
  auto other = Store();
  ASSERT_TRUE(other->Open("bsf\\T.bsf"));
  ASSERT_TRUE(other->AppendEmpty());
  EXPECT_EQ(NamesIn(first), (std::vector<std::string>{"a1", "b", "c"}));

  today_ = "2026-12-11";
  ASSERT_TRUE(store->DeleteAt(0));
  EXPECT_EQ(NamesIn(BackupOf("2026-12-11", "T.bsf")), (std::vector<std::string>{"b1", "c", ""}));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(TableBackupsTest, OnlyTheLast30DaysWithABackupAreKept) {
  // 40 old days with a backup (09-01 .. 10-10), one without, and an unfinished copy.
  for (int d = 0; d < 40; ++d) {
    const int month = d < 30 ? 9 : 10, dayOfMonth = d < 30 ? d + 1 : d - 29;
    const std::string day = "2026-" + std::string(month < 10 ? "0" : "") + std::to_string(month) +
                            "-" + (dayOfMonth < 10 ? "0" : "") + std::to_string(dayOfMonth);
    fs::create_directories(PathFromUtf8(BackupOf(day, "T.bsf")).parent_path());
    fs::copy_file(PathFromUtf8(TablePath("T.bsf")), PathFromUtf8(BackupOf(day, "T.bsf")));
  }
  fs::create_directories(PathFromUtf8(BackupOf("2026-11-30", "x")).parent_path());
  std::ofstream(PathFromUtf8(BackupOf("2026-10-10", "T.bsf.partial-123"))) << "half";
  auto store = Store();
  ASSERT_TRUE(store->Open("bsf\\T.bsf"));
  ASSERT_TRUE(store->AppendEmpty());

  const std::vector<std::string> days = TableBackups(TablePath("")).Days();
  ASSERT_EQ(days.size(), 30u);
  EXPECT_EQ(days.front(), "2026-12-10");
  EXPECT_EQ(days.back(), "2026-09-12");  // today and the 29 newest of the old days
  EXPECT_TRUE(fs::exists(PathFromUtf8(BackupOf("2026-10-10", "T.bsf"))));
  EXPECT_FALSE(fs::exists(PathFromUtf8(BackupOf("2026-10-10", "T.bsf.partial-123"))));
  EXPECT_FALSE(fs::exists(PathFromUtf8(BackupOf("2026-11-30", ""))));
}

TEST_F(TableBackupsTest, ADamagedTableIsRestoredFromTheNewestBackupThatChecksOut) {
  auto store = Store();
  ASSERT_TRUE(store->Open("bsf\\T.bsf"));
  ASSERT_TRUE(store->ModifyAt(0, {Value(std::string("day1"))}));
  today_ = "2026-12-11";
  ASSERT_TRUE(store->ModifyAt(0, {Value(std::string("day2"))}));
  store = Store();  // a program started after the damage, which reads the file afresh
  // The newest backup is damaged too: the one before it is offered.
  Garble(BackupOf("2026-12-11", "T.bsf"), "day2", "dax2");
  Garble(TablePath("T.bsf"), "day2", "DAY2");
  const std::string table = ReadBytes("T.bsf");

  std::vector<std::string> told;
  std::optional<TableBackup> offered;
  bool accept = false;
  store->SetDamageHandler([&](const std::string& path, const std::string& reason) {
    told.push_back(path + " " + reason);
    offered = store->NewestBackup(path);
    return accept && offered && store->RestoreBackup(path, *offered, "20261211-093000");
  });

  // No: nothing changes.
  EXPECT_FALSE(store->Open("bsf\\T.bsf"));
  EXPECT_EQ(store->LastError(), kStoreDamagedFile);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(TablePath("T.bsf")), std::string::npos);
  ASSERT_TRUE(offered);
  EXPECT_EQ(offered->day, "2026-12-10");
  EXPECT_TRUE(ReadBytes("T.bsf") == table);

  // Yes: the damaged file is moved aside, the backup put in, and Open goes on.
  accept = true;
  ASSERT_TRUE(store->Open("bsf\\T.bsf")) << store->LastErrorText();
  EXPECT_EQ(AllNames(*store), (std::vector<std::string>{"day1", "b", "c"}));
  EXPECT_TRUE(ReadBytesAt(TablePath("T.bsf.damaged-20261211-093000")) == table);
}

// A backup folder holding another table's file under this table's name (a hand copy gone
// wrong): the offer passes it over, and a restore from it is refused.
TEST_F(TableBackupsTest, TheRestoreOfferNeverCopiesInAnotherTablesBackup) {
  auto store = Store();
  ASSERT_TRUE(store->Open("bsf\\T.bsf"));
  ASSERT_TRUE(store->ModifyAt(0, {Value(std::string("a1"))}));  // the backup of 12-10
  const std::string wrong = BackupOf("2026-12-11", "T.bsf");
  fs::create_directories(PathFromUtf8(wrong).parent_path());
  fs::copy_file(PathFromUtf8(TablePath("U.bsf")), PathFromUtf8(wrong));
  store = Store();
  Garble(TablePath("T.bsf"), "a1", "A1");
  const std::string damaged = ReadBytes("T.bsf");

  const auto offered = store->NewestBackup("bsf\\T.bsf");
  ASSERT_TRUE(offered);
  EXPECT_EQ(offered->day, "2026-12-10");
  EXPECT_FALSE(store->RestoreBackup("bsf\\T.bsf", {wrong, "2026-12-11"}, "20261211-093000"));
  EXPECT_NE(store->LastErrorText().find("存放的是表“U”"), std::string::npos)
      << store->LastErrorText();
  EXPECT_TRUE(ReadBytes("T.bsf") == damaged);
  EXPECT_FALSE(fs::exists(PathFromUtf8(TablePath("T.bsf.damaged-20261211-093000"))));

  fs::remove_all(PathFromUtf8(BackupOf("2026-12-10", "")));
  EXPECT_FALSE(store->NewestBackup("bsf\\T.bsf"));
}

TEST_F(TableBackupsTest, WithoutABackupNothingIsOfferedAndAnOpenTableIsNotReplaced) {
  auto store = Store();
  EXPECT_FALSE(store->NewestBackup("bsf\\T.bsf"));
  ASSERT_TRUE(store->Open("bsf\\T.bsf"));
  ASSERT_TRUE(store->AppendEmpty());
  const auto backup = store->NewestBackup("bsf\\T.bsf");
  ASSERT_TRUE(backup);
  EXPECT_FALSE(store->RestoreBackup("bsf\\T.bsf", *backup, "20261210-120000"));
  EXPECT_EQ(store->LastError(), kStoreAlreadyOpen);
  EXPECT_FALSE(fs::exists(PathFromUtf8(TablePath("T.bsf.damaged-20261210-120000"))));
}

}  // namespace
}  // namespace tallyra
