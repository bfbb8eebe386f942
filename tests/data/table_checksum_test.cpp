// Checksums of table files: damage is refused by name, files of the first format are
// upgraded after a copy of them was made.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/record_store.h"
#include "data/table_file.h"
#include "data/table_path.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

using TableChecksumTest = StoreTest;

constexpr char kPassword[] = "@天%地*人&";

const std::vector<FieldDef> kFields = {{"帐户名", FieldType::kText, 16},
                                       {"序号", FieldType::kLong, 0},
                                       {"金额", FieldType::kDouble, 0},
                                       {"备注", FieldType::kMemo, 0}};

std::vector<std::vector<Value>> SomeRecords(int count) {
  std::vector<std::vector<Value>> records;
  for (int i = 0; i < count; ++i) {
    records.push_back({std::string("操作员") + std::to_string(i), std::int64_t{29 + i},
                       i * 12.25 - 3.0, std::string(static_cast<std::size_t>(i % 7), 'x')});
  }
  return records;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::int64_t UserVersion(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  std::int64_t version = -1;
  if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW) {
    version = sqlite3_column_int64(statement, 0);
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return version;
}

// Every field of every record of the current table, in order.
std::vector<std::vector<Value>> AllRecords(RecordStore& store) {
  std::vector<std::vector<Value>> records;
  store.First();
  for (int r = 0; r < store.RecordCount(); ++r) {
    std::vector<Value> record;
    for (int f = 1; f <= store.FieldCount(); ++f) {
      Value value;
      store.ReadAt(r, f, &value);
      record.push_back(value);
    }
    records.push_back(record);
  }
  return records;
}

// One byte at a time, all over a protected table file: each Open either refuses the
// file by name and leaves it as it is, or serves exactly the records written.
TEST_F(TableChecksumTest, EveryFlippedByteIsRefusedOrHarmless) {
  const std::vector<std::vector<Value>> written = SomeRecords(60);
  MakeTable("Flip.bsf", kFields, written, kPassword);
  const std::string path = TablePath("Flip.bsf");
  const std::string original = ReadBytes("Flip.bsf");
  // Where the data is: the bytes that are not zero (free space is zero), plus a share
  // of all positions.
  std::vector<std::size_t> dense;
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (original[i] != 0) dense.push_back(i);
  }
  std::mt19937 random(20261210);
  std::vector<std::size_t> positions;
  for (int i = 0; i < 250; ++i) positions.push_back(dense[random() % dense.size()]);
  for (int i = 0; i < 50; ++i) positions.push_back(random() % original.size());

  int refused = 0, harmless = 0;
  for (std::size_t position : positions) {
    std::string flipped = original;
    flipped[position] = static_cast<char>(flipped[position] ^ (1 + random() % 255));
    WriteBytes(path, flipped);
    RecordStore store(Location());
    if (!store.Open("bsf\\Flip.bsf", kPassword)) {
      ++refused;
      EXPECT_NE(store.LastErrorText().find(path), std::string::npos)
          << "byte " << position << ": " << store.LastErrorText();
      EXPECT_TRUE(ReadBytes("Flip.bsf") == flipped) << "byte " << position << " was written";
      continue;
    }
    ++harmless;
    ASSERT_EQ(store.FieldCount(), static_cast<int>(kFields.size())) << "byte " << position;
    for (int f = 1; f <= store.FieldCount(); ++f) {
      ASSERT_EQ(store.FieldName(f), kFields[static_cast<std::size_t>(f - 1)].name);
      ASSERT_EQ(store.FieldTypeOf(f), kFields[static_cast<std::size_t>(f - 1)].type);
    }
    ASSERT_EQ(AllRecords(store), written) << "byte " << position << " served changed data";
  }
  std::printf("flipped %zu bytes: %d refused, %d harmless\n", positions.size(), refused, harmless);
  EXPECT_GT(refused, 0);
}

TEST_F(TableChecksumTest, AChangeMadeBehindTheStoresBackIsRefusedNamingFileAndRecord) {
  const struct {
    const char* change;
    const char* reason;  // part of the reason given
  } cases[] = {
      {"UPDATE records SET f2 = -30 WHERE id = 2", "第 2 条记录"},
      {"UPDATE records SET f1 = '操作员9' WHERE id = 3", "第 3 条记录"},
      {"UPDATE records SET deleted = 1 WHERE id = 1", "第 1 条记录"},
      {"DELETE FROM records WHERE id = 2", "缺失"},
      {"UPDATE records SET id = 9 WHERE id = 1", "第 3 条记录"},
      {"UPDATE fields SET size = 200 WHERE number = 1", "字段表"},
      {"DELETE FROM protection", "密码表"},
      {"DELETE FROM checks", "校验表"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    std::filesystem::remove(PathFromUtf8(TablePath("T.bsf")));
    MakeTable("T.bsf", kFields, SomeRecords(3), kPassword);
    ExecSql(TablePath("T.bsf"), c.change);
    const std::string before = ReadBytes("T.bsf");
    RecordStore store(Location());
    EXPECT_FALSE(store.Open("bsf\\T.bsf", kPassword));
    EXPECT_EQ(store.LastError(), kStoreDamagedFile);
    EXPECT_NE(store.LastErrorText().find(TablePath("T.bsf")), std::string::npos);
    EXPECT_NE(store.LastErrorText().find(c.reason), std::string::npos) << store.LastErrorText();
    EXPECT_TRUE(ReadBytes("T.bsf") == before);
  }
}

TEST_F(TableChecksumTest, EveryWriteKeepsTheChecksumsRight) {
  MakeTable("T.bsf", kFields, SomeRecords(4));
  {
    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\T.bsf"));
    ASSERT_TRUE(store.Append({std::string("新"), std::int64_t{-5}, -0.0, std::string("m")}));
    ASSERT_TRUE(store.ModifyAt(1, {std::nullopt, std::int64_t{7}}));
    store.First();
    ASSERT_TRUE(store.MarkDeleted());
    store.Skip(2);
    ASSERT_TRUE(store.MarkDeleted());
    ASSERT_TRUE(store.UnmarkDeleted());
    ASSERT_TRUE(store.DeleteAt(3));
    ASSERT_TRUE(store.Purge());
    ASSERT_TRUE(store.AppendEmpty());
  }
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf")) << store.LastErrorText();
  EXPECT_EQ(store.RecordCount(), 4);
  std::string error;
  EXPECT_EQ(TableFile::Check(TablePath("T.bsf"), &error), kStoreOk) << error;
}

std::string FixturePath(const std::string& file) {
  return std::string(TALLYRA_FIXTURES) + "/" + file;
}

// Records as an old program wrote them, read with plain SQL.
std::vector<std::string> RawRecords(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  std::vector<std::string> rows;
  sqlite3_prepare_v2(db, "SELECT * FROM records ORDER BY id", -1, &statement, nullptr);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < 5 && c < sqlite3_column_count(statement); ++c) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
      row += std::string(text ? text : "<null>") + "|";
    }
    rows.push_back(row);
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return rows;
}

// Files of the first format (no checksums) and of the second (checksums, no table name).
TEST_F(TableChecksumTest, AFileOfAnEarlierFormatIsUpgradedAfterACopyOfItWasMade) {
  const struct {
    const char* folder;
    const char* file;
    std::string password;
    int version;
  } cases[] = {{"first_format", "Zhgl.bsf", kPassword, 1},
               {"first_format", "Bfzh.bsf", "", 1},
               {"second_format", "Zhgl.bsf", kPassword, 2},
               {"second_format", "Bfzh.bsf", "", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + "/" + c.file);
    const std::string path = TablePath(c.file);
    std::filesystem::remove_all(root_ / "bsf");
    std::filesystem::create_directories(root_ / "bsf");
    std::filesystem::copy_file(PathFromUtf8(FixturePath(std::string(c.folder) + "/" + c.file)),
                               PathFromUtf8(path));
    ASSERT_EQ(UserVersion(path), c.version);
    const std::vector<std::string> old = RawRecords(path);
    ASSERT_FALSE(old.empty());

    // A wrong password opens nothing and upgrades nothing.
    RecordStore store(Location());
    const std::string bytes = ReadBytes(c.file);
    EXPECT_FALSE(store.Open(std::string("bsf\\") + c.file, "wrong"));
    EXPECT_TRUE(ReadBytes(c.file) == bytes);

    ASSERT_TRUE(store.Open(std::string("bsf\\") + c.file, c.password)) << store.LastErrorText();
    EXPECT_EQ(UserVersion(path), 3);
    EXPECT_EQ(store.RecordCount(), static_cast<int>(old.size()));
    const std::string copy = Utf8Of(root_ / "bsf" / "backup" / "upgrade" / c.file);
    EXPECT_EQ(UserVersion(copy), c.version);
    EXPECT_EQ(RawRecords(copy), old);
    std::string error;
    EXPECT_EQ(TableFile::Check(path, &error), kStoreOk) << error;

    // Opened again it is read as it is, and it now knows its table.
    store.CloseAll();
    RecordStore again(Location());
    ASSERT_TRUE(again.Open(std::string("bsf\\") + c.file, c.password)) << again.LastErrorText();
    EXPECT_EQ(again.RecordCount(), static_cast<int>(old.size()));
    again.CloseAll();
    EXPECT_EQ(UserVersion(path), 3);
    const std::string other = Utf8Of(root_ / "bsf" / "Other.bsf");
    std::filesystem::copy_file(PathFromUtf8(path), PathFromUtf8(other));
    EXPECT_NE(TableFile::Check(other, &error), kStoreOk);
    EXPECT_NE(error.find("需要的是表“Other”"), std::string::npos) << error;

    // The upgraded file is protected by its checksums from now on.
    ExecSql(path, "UPDATE records SET f1 = f1 || 'x' WHERE id = 1");
    RecordStore after(Location());
    EXPECT_FALSE(after.Open(std::string("bsf\\") + c.file, c.password));
    EXPECT_EQ(after.LastError(), kStoreDamagedFile);
  }
}

}  // namespace
}  // namespace tallyra
