#include "data/table_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "data/record_store.h"
#include "data/table_path.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

using TableFileTest = StoreTest;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

TEST_F(TableFileTest, PasswordOpensOnlyTheTableItProtects) {
  const std::string password = "@天%地*人&";
  MakeTable("Locked.bsf", {{"帐户名", FieldType::kText, 16}}, {{std::string("admin")}}, password);
  MakeNames("Open.bsf", {"a"});
  const struct {
    const char* file;
    std::string given;
    bool opens;
  } cases[] = {
      {"bsf\\Locked.bsf", password, true},      {"bsf\\Locked.bsf", "", false},
      {"bsf\\Locked.bsf", "@天%地*人", false},  {"bsf\\Locked.bsf", password + " ", false},
      {"bsf\\Locked.bsf", "@山%水*云&", false}, {"bsf\\Open.bsf", "", true},
      {"bsf\\Open.bsf", password, false},
  };
  for (const auto& c : cases) {
    RecordStore store(Location());
    EXPECT_EQ(store.Open(c.file, c.given), c.opens) << c.file << " with " << c.given;
    EXPECT_EQ(store.LastError(), c.opens ? kStoreOk : kStoreWrongPassword) << c.file;
    if (!c.opens) {
      EXPECT_NE(store.LastErrorText().find(c.file + 4), std::string::npos);
    }
  }
  // The file keeps a salted verifier, never the password itself.
  EXPECT_EQ(ReadBytes("Locked.bsf").find(password), std::string::npos);
}

TEST_F(TableFileTest, AClosedTableReopensOnlyWithItsPasswordToo) {
  MakeTable("Locked.bsf", {{"帐户名", FieldType::kText, 16}}, {}, "pw");
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Locked.bsf", "pw"));
  store.CloseAll();  // the store keeps the connection for the next Open
  EXPECT_FALSE(store.Open("bsf\\Locked.bsf", "wrong"));
  EXPECT_EQ(store.LastError(), kStoreWrongPassword);
  EXPECT_FALSE(store.Open("bsf\\Locked.bsf"));
  EXPECT_TRUE(store.Open("bsf\\Locked.bsf", "pw"));
}

TEST_F(TableFileTest, DamagedFilesFailToOpenAndAreLeftAsTheyAre) {
  MakeTable("Good.bsf", {{"名称", FieldType::kText, 64}},
            std::vector<std::vector<Value>>(300, {std::string(40, 'x')}));
  const std::string good = ReadBytes("Good.bsf");
  ASSERT_GT(good.size(), 8192u);
  std::mt19937 random(7);
  std::string noise(8192, '\0');
  for (char& c : noise) c = static_cast<char>(random());

  const std::string own = TablePath("Good.bsf");
  const struct {
    const char* what;
    const char* file;  // Bfzh.bsf is a catalogue table: it must have 账号说明 and 银行账号
    std::function<void(const std::string& path)> make;
    std::string reason;
  } cases[] = {
      {"empty", "Damaged.bsf", [](const std::string& p) { WriteBytes(p, ""); }, "文件为空"},
      {"random bytes", "Damaged.bsf", [&](const std::string& p) { WriteBytes(p, noise); },
       "不是有效的表文件"},
      {"SQLite header then noise", "Damaged.bsf",
       [&](const std::string& p) { WriteBytes(p, std::string("SQLite format 3", 16) + noise); },
       "不是有效的表文件"},
      {"cut inside the header", "Damaged.bsf",
       [&](const std::string& p) { WriteBytes(p, good.substr(0, 60)); }, "截断"},
      {"cut after the first page", "Damaged.bsf",
       [&](const std::string& p) { WriteBytes(p, good.substr(0, 4096)); }, "malformed"},
      {"cut in half", "Damaged.bsf",
       [&](const std::string& p) { WriteBytes(p, good.substr(0, good.size() / 2)); }, "malformed"},
      {"last byte missing", "Damaged.bsf",
       [&](const std::string& p) { WriteBytes(p, good.substr(0, good.size() - 1)); }, "截断"},
      {"another SQLite database", "Damaged.bsf",
       [](const std::string& p) { ExecSql(p, "CREATE TABLE people(name TEXT, age INTEGER)"); },
       "另一种 SQLite 数据库"},
      {"records without a field column", "Damaged.bsf",
       [&](const std::string& p) {
         WriteBytes(p, good);
         ExecSql(p, "ALTER TABLE records DROP COLUMN f1");
       },
       "记录表与字段表不符"},
      {"no field list", "Damaged.bsf",
       [&](const std::string& p) {
         WriteBytes(p, good);
         ExecSql(p, "DROP TABLE fields");
       },
       "fields"},
      {"catalogue table without a field it needs", "Bfzh.bsf",
       [&](const std::string& p) {
         std::string error;
         TableFile::Create(p, {{"账号说明", FieldType::kText, 32}}, "", &error);
       },
       "缺少字段“银行账号”"},
      {"catalogue field of the wrong kind", "Bfzh.bsf",
       [&](const std::string& p) {
         std::string error;
         TableFile::Create(
             p, {{"账号说明", FieldType::kText, 32}, {"银行账号", FieldType::kDouble, 0}}, "",
             &error);
       },
       "缺少字段“银行账号”"},
  };
  for (const auto& c : cases) {
    const std::string path = TablePath(c.file);
    std::filesystem::remove(PathFromUtf8(path));
    c.make(path);
    const std::string before = ReadBytes(c.file);
    RecordStore store(Location());
    EXPECT_FALSE(store.Open("bsf\\" + std::string(c.file))) << c.what;
    const std::string& text = store.LastErrorText();
    EXPECT_EQ(store.LastError(), kStoreDamagedFile) << c.what << ": " << text;
    EXPECT_NE(text.find(path), std::string::npos) << c.what << ": " << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << c.what << ": " << text;
    EXPECT_EQ(ReadBytes(c.file), before) << c.what << " was changed";
  }
  // The undamaged original still opens.
  RecordStore store(Location());
  EXPECT_TRUE(store.Open(own)) << store.LastErrorText();
  EXPECT_EQ(store.RecordCount(), 300);
}

TEST(TablePathTest, TablePathsResolveAgainstTheDataFolderOnly) {
  const TableLocation portable{"/opt/Tallyra", "/opt/Tallyra/bsf"};
  const TableLocation perUser{"C:\\Program Files\\Tallyra", "/home/li/.local/share/Tallyra/bsf"};
  const struct {
    TableLocation location;
    std::string given;
    std::string resolved;
  } cases[] = {
      {portable, "bsf\\Zhgl.bsf", "/opt/Tallyra/bsf/Zhgl.bsf"},
      {portable, "bsf/Zhgl.bsf", "/opt/Tallyra/bsf/Zhgl.bsf"},
      {portable, "/opt/Tallyra\\bsf\\Zhgl.bsf", "/opt/Tallyra/bsf/Zhgl.bsf"},
      {portable, "Zhgl.bsf", "/opt/Tallyra/Zhgl.bsf"},
      {portable, "/srv/other/Zhgl.bsf", "/srv/other/Zhgl.bsf"},
      {portable, "bsf/../bsf//Zhgl.bsf", "/opt/Tallyra/bsf/Zhgl.bsf"},
      {perUser, "bsf\\Zhgl.bsf", "/home/li/.local/share/Tallyra/bsf/Zhgl.bsf"},
      {perUser, "BSF\\Zhgl.bsf", "/home/li/.local/share/Tallyra/bsf/Zhgl.bsf"},
      {perUser, "C:\\Program Files\\Tallyra\\bsf\\Zhgl.bsf",
       "/home/li/.local/share/Tallyra/bsf/Zhgl.bsf"},
      {perUser, "c:/program files/TALLYRA/bsf/Zhgl.bsf",
       "/home/li/.local/share/Tallyra/bsf/Zhgl.bsf"},
      {perUser, "C:\\Program Files\\Tallyra\\help.chm", "C:/Program Files/Tallyra/help.chm"},
      {perUser, "C:\\Program Files\\Tallyra2\\bsf\\Zhgl.bsf",
       "C:/Program Files/Tallyra2/bsf/Zhgl.bsf"},
      {{"/opt/Tallyra/", "/data/bsf/"}, "/opt/Tallyra/bsf/Tzjzd.bsf", "/data/bsf/Tzjzd.bsf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveTablePath(c.location, c.given), c.resolved) << c.given;
  }
}

TEST_F(TableFileTest, TheRelativePathIgnoresTheCurrentDirectory) {
  MakeNames("T.bsf", {"mine"});
  const auto previous = std::filesystem::current_path();
  std::filesystem::create_directories(root_ / "cwd" / "bsf");
  MakeTableAt(Utf8Of(root_ / "cwd" / "bsf" / "T.bsf"), {{"名称", FieldType::kText, 20}},
              {{std::string("not mine")}});
  std::filesystem::current_path(root_ / "cwd");
  RecordStore store(Location());
  const bool opened = store.Open("bsf\\T.bsf");
  std::filesystem::current_path(previous);
  ASSERT_TRUE(opened);
  EXPECT_EQ(store.ReadText(1), "mine");
}

TEST_F(TableFileTest, AnotherConnectionsChangesAreSeenAtTheNextOperation) {
  MakeNames("T.bsf", {"a", "b", "c"});
  RecordStore reader(Location());
  RecordStore writer(Location());
  ASSERT_TRUE(reader.Open("bsf\\T.bsf"));
  ASSERT_TRUE(writer.Open("bsf\\T.bsf"));

  reader.Skip(1);                     // on b
  ASSERT_TRUE(writer.MarkDeleted());  // a
  ASSERT_TRUE(writer.Purge());
  ASSERT_TRUE(writer.Append({std::string("d")}));
  EXPECT_EQ(reader.RecordCount(), 3);
  EXPECT_EQ(reader.ReadText(1), "b");  // the pointer stayed on its record
  EXPECT_EQ(reader.RecordNumber(), 1);

  // A record the other program removed is not rewritten in its stead.
  writer.First();
  ASSERT_TRUE(writer.MarkDeleted());  // b
  ASSERT_TRUE(writer.Purge());
  EXPECT_FALSE(reader.Modify({Value(std::string("x"))}));
  EXPECT_EQ(reader.LastError(), kStoreRecordGone);
  EXPECT_EQ(AllNames(reader), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(AllNames(writer), (std::vector<std::string>{"c", "d"}));

  // A closed and reopened table sees changes made while it was closed.
  reader.CloseAll();
  ASSERT_TRUE(writer.Append({std::string("e")}));
  ASSERT_TRUE(reader.Open("bsf\\T.bsf"));
  EXPECT_EQ(AllNames(reader), (std::vector<std::string>{"c", "d", "e"}));
}

TEST_F(TableFileTest, AReplacedFileIsReadAfreshOnTheNextOpen) {
  MakeNames("T.bsf", {"old"});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  store.Close();
  std::filesystem::remove(PathFromUtf8(TablePath("T.bsf")));
  MakeNames("T.bsf", {"new", "newer"});
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  EXPECT_EQ(AllNames(store), (std::vector<std::string>{"new", "newer"}));
  store.Close();
  std::filesystem::remove(PathFromUtf8(TablePath("T.bsf")));
  EXPECT_FALSE(store.Open("bsf\\T.bsf"));
  EXPECT_EQ(store.LastError(), kStoreFileMissing);
}

TEST_F(TableFileTest, CreateRefusesAnExistingFileAndBadFieldLists) {
  MakeNames("T.bsf", {"kept"});
  const std::string before = ReadBytes("T.bsf");
  std::string error;
  EXPECT_NE(TableFile::Create(TablePath("T.bsf"), {{"x", FieldType::kText, 4}}, "", &error),
            kStoreOk);
  EXPECT_EQ(ReadBytes("T.bsf"), before);
  const std::vector<std::vector<FieldDef>> bad = {
      {},
      {{"", FieldType::kText, 4}},
      {{"a", FieldType::kText, 0}},
      {{"a", FieldType::kText, 4}, {"a", FieldType::kInt, 0}},
  };
  for (const auto& fields : bad) {
    EXPECT_EQ(TableFile::Create(TablePath("New.bsf"), fields, "", &error), kStoreBadValue);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(TablePath("New.bsf"))));
  }
  // Nothing but the one table is left in the folder (no temporary files).
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_ / "bsf")) {
    ++files;
  }
  EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace tallyra
