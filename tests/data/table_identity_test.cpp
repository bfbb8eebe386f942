// Table files that are not what they claim: a schema other than the one their format
// writes, another table's file in a table's place, a read-only data folder.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "data/record_store.h"
#include "data/table_file.h"
#include "data/table_path.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

namespace fs = std::filesystem;

const std::string kAccount = "0200004509200123456";

// Replaces bytes of a file in place, as a bad sector or a stray write would.
void Patch(const std::string& path, std::size_t at, const std::string& bytes) {
  std::fstream file(PathFromUtf8(path), std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(at));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class TableIdentityTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    std::string error;
    ASSERT_TRUE(CreateMissingTables(Location(), &error)) << error;
    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\Bfzh.bsf"));
    ASSERT_TRUE(store.Append({std::string("基本户"), kAccount}));
  }
  // The byte offset of a text in the file; the text must be in it once.
  std::size_t Find(std::string_view file, const std::string& text) {
    const std::string bytes = ReadBytes(file);
    const std::size_t at = bytes.find(text);
    EXPECT_NE(at, std::string::npos) << text;
    EXPECT_EQ(bytes.find(text, at + 1), std::string::npos) << text;
    return at;
  }
};

TEST_F(TableIdentityTest, AFileWhoseSchemaIsNotWhatItsFormatWritesIsRefusedAndNeverWritten) {
  const std::string path = TablePath("Bfzh.bsf");
  const std::string good = ReadBytes("Bfzh.bsf");
  const struct {
    const char* what;
    std::function<void()> damage;
  } cases[] = {
      // The account column would lose its text affinity: the next write drops the leading 0.
      {"a column's type flipped", [&] { Patch(path, Find("Bfzh.bsf", "f2 TEXT") + 6, "U"); }},
      {"a checksum column's type flipped",
       [&] { Patch(path, Find("Bfzh.bsf", "records INTEGER") + 14, "S"); }},
      {"an index of someone else's", [&] { ExecSql(path, "CREATE INDEX extra ON records(f2)"); }},
      {"a trigger that rewrites the records",
       [&] {
         ExecSql(path,
              "CREATE TRIGGER rewrite AFTER UPDATE ON records BEGIN"
              " UPDATE records SET f2 = 'x'; END");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(PathFromUtf8(path), std::ios::binary | std::ios::trunc) << good;
    c.damage();
    const std::string damaged = ReadBytes("Bfzh.bsf");
    ASSERT_NE(damaged, good);
    RecordStore store(Location());
    EXPECT_FALSE(store.Open("bsf\\Bfzh.bsf"));
    EXPECT_EQ(store.LastError(), kStoreDamagedFile);
    EXPECT_NE(store.LastErrorText().find(path), std::string::npos) << store.LastErrorText();
    EXPECT_FALSE(store.Modify({std::nullopt, Value(kAccount)}));
    std::string error;
    EXPECT_NE(TableFile::Check(path, &error), kStoreOk);
    EXPECT_TRUE(ReadBytes("Bfzh.bsf") == damaged);
  }
}

// A page Open never reads (the index of the field names) is damaged: the records are
// served, but the first write is refused as the backup would refuse the file.
TEST_F(TableIdentityTest, AFileTheBackupCheckRefusesTakesNoWrite) {
  const std::string path = TablePath("Bfzh.bsf");
  int page = 0;
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name LIKE 'sqlite_autoindex%'",
                       -1, &statement, nullptr);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    page = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
  }
  ASSERT_GT(page, 1);
  const std::size_t pageSize = 4096;
  Patch(path, (static_cast<std::size_t>(page) - 1) * pageSize, std::string(8, '\x7f'));
  const std::string damaged = ReadBytes("Bfzh.bsf");

  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Bfzh.bsf")) << store.LastErrorText();
  EXPECT_EQ(store.ReadText(2), kAccount);
  EXPECT_FALSE(store.Modify({std::nullopt, Value(std::string("1"))}));
  EXPECT_EQ(store.LastError(), kStoreDamagedFile);
  EXPECT_NE(store.LastErrorText().find("结构检查未通过"), std::string::npos);
  EXPECT_FALSE(store.Append({std::string("一般户"), kAccount}));
  EXPECT_TRUE(ReadBytes("Bfzh.bsf") == damaged);
  std::string error;
  EXPECT_NE(TableFile::Check(path, &error), kStoreOk);
}

// What a hand restore does when it takes the wrong file: the pairs of tables of the same
// fields, and a subject table of one voucher in the place of another's.
TEST_F(TableIdentityTest, AnotherTablesFileInATablesPlaceIsRefusedNamingBoth) {
  const struct {
    const char* copied;
    const char* over;
  } cases[] = {{"Dfzh", "Bfzh"}, {"Dfqc", "Bfqc"}, {"Bfdd", "Dfdd"}, {"Fzzkm", "Szzkm"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.over);
    const std::string target = TablePath(std::string(c.over) + ".bsf");
    // Removed first: MinGW's copy_file refuses to overwrite, whatever its options say.
    fs::remove(PathFromUtf8(target));
    fs::copy_file(PathFromUtf8(TablePath(std::string(c.copied) + ".bsf")), PathFromUtf8(target));
    const std::string bytes = ReadBytes(std::string(c.over) + ".bsf");
    RecordStore store(Location());
    bool offered = false;
    store.SetDamageHandler([&](const std::string&, const std::string&) { return offered = true; });
    EXPECT_FALSE(store.Open("bsf\\" + std::string(c.over) + ".bsf"));
    const std::string& text = store.LastErrorText();
    EXPECT_EQ(store.LastError(), kStoreDamagedFile);
    EXPECT_NE(text.find(target), std::string::npos) << text;
    EXPECT_NE(text.find("存放的是表“" + std::string(c.copied) + "”"), std::string::npos) << text;
    EXPECT_NE(text.find("需要的是表“" + std::string(c.over) + "”"), std::string::npos) << text;
    EXPECT_TRUE(offered);  // the offer of this table's own backup
    EXPECT_TRUE(ReadBytes(std::string(c.over) + ".bsf") == bytes);
    std::string error;
    EXPECT_NE(TableFile::Check(target, &error), kStoreOk);
  }
  // The name is under the checksum: rewritten by hand, the file is damaged, not another's.
  ExecSql(TablePath("Kxlyk.bsf"), "UPDATE checks SET name = 'Bfzh'");
  RecordStore store(Location());
  EXPECT_FALSE(store.Open("bsf\\Kxlyk.bsf"));
  EXPECT_NE(store.LastErrorText().find("表名的校验和不符"), std::string::npos)
      << store.LastErrorText();
}

// Read-only files in it, or writable files beside which SQLite can make no journal.
TEST_F(TableIdentityTest, AReadOnlyDataFolderIsReadButNothingIsSaved) {
  if (!ReadOnlyFolder::Supported()) GTEST_SKIP() << "no read-only folders to make here";
  for (const bool filesToo : {true, false}) {
    SCOPED_TRACE(filesToo ? "read-only files" : "writable files");
    const std::string bytes = ReadBytes("Bfzh.bsf");
    const std::string folder = Utf8Of(root_ / "bsf");
    ReadOnlyFolder readOnly(root_, root_ / "bsf", filesToo);
    RecordStore store(Location());
    bool offered = false;
    store.SetDamageHandler([&](const std::string&, const std::string&) { return offered = true; });
    ASSERT_TRUE(store.Open("bsf\\Bfzh.bsf")) << store.LastErrorText();
    EXPECT_EQ(store.CurrentIsReadOnly(), filesToo);
    EXPECT_EQ(store.ReadText(2), kAccount);
    const std::function<bool()> writes[] = {
        [&] {
          return store.Modify({std::nullopt, Value(std::string("1"))});
        },
        [&] { return store.AppendEmpty(); },
        [&] { return store.MarkDeleted(); },
        [&] { return store.DeleteAt(0); },
    };
    for (const auto& write : writes) {
      EXPECT_FALSE(write());
      EXPECT_EQ(store.LastError(), kStoreReadOnly);
      EXPECT_NE(store.LastErrorText().find("数据文件夹“" + folder + "”是只读的"), std::string::npos)
          << store.LastErrorText();
      EXPECT_NE(store.LastErrorText().find("可以读取"), std::string::npos);
    }
    EXPECT_EQ(store.RecordCount(), 1);
    // The operator table too, which is protected and opened at every start.
    store.CloseAll();
    EXPECT_TRUE(store.Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword))
        << store.LastErrorText();
    EXPECT_FALSE(offered);
    EXPECT_TRUE(ReadBytes("Bfzh.bsf") == bytes);
  }
}

}  // namespace
}  // namespace tallyra
