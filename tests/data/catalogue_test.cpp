#include "data/catalogue.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/field_value.h"
#include "data/gbk_text.h"
#include "data/password_hash.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

using CatalogueTest = StoreTest;

const TableDef& TableOf(const char* file) {
  const TableDef* table = FindTableDef(file);
  EXPECT_NE(table, nullptr) << file;
  return *table;
}

TEST_F(CatalogueTest, CreateMissingTablesMakesEveryTableWithItsFieldsAndPassword) {
  // An existing table is left exactly as it is.
  MakeNames("Kxlyk.bsf", {"已有"});
  const std::string existing = ReadBytes("Kxlyk.bsf");
  std::string error;
  ASSERT_TRUE(CreateMissingTables(Location(), &error)) << error;
  EXPECT_EQ(ReadBytes("Kxlyk.bsf"), existing);
  ASSERT_TRUE(CreateMissingTables(Location(), &error)) << error;  // nothing left to do

  RecordStore store(Location());
  for (const TableDef& table : Catalogue()) {
    if (table.file == "Kxlyk.bsf") continue;
    EXPECT_TRUE(TableFileExists(Location(), table.file)) << table.file;
    ASSERT_TRUE(store.Open("bsf\\" + table.file, table.password))
        << table.file << ": " << store.LastErrorText();
    EXPECT_EQ(store.RecordCount(), 0) << table.file;
    ASSERT_EQ(store.FieldCount(), static_cast<int>(table.fields.size())) << table.file;
    for (int i = 1; i <= store.FieldCount(); ++i) {
      EXPECT_EQ(store.FieldName(i), table.fields[i - 1].name) << table.file;
      EXPECT_EQ(store.FieldTypeOf(i), table.fields[i - 1].type) << table.file;
      EXPECT_EQ(store.FieldSize(i), ByteSizeOf(table.fields[i - 1])) << table.file;
    }
    store.Close();
  }
}

TEST_F(CatalogueTest, FieldsFitTheBoxesAndTheHashes) {
  const struct {
    const char* file;
    const char* field;
    int atLeast;
  } cases[] = {
      {"Bfqc.bsf", "单位全称", 64},   {"Dfqc.bsf", "单位全称", 64},
      {"Bfzh.bsf", "银行账号", 32},   {"Dfzh.bsf", "账号说明", 32},
      {"Bfyh.bsf", "开户银行", 32},   {"Dfdd.bsf", "县", 8},
      {"Kxlyk.bsf", "款项来源", 32},  {"Sjfkm.bsf", "借方科目", 40},
      {"Fdfkm.bsf", "贷方科目", 40},  {"Smxkm.bsf", "明细科目", 32},
      {"Zdzzkm.bsf", "总帐科目", 28}, {"Zhgl.bsf", "帐户名", 7},
      {"Zhgl.bsf", "管理权限", 10},   {"Zhgl.bsf", "帐户密码", crypto_pwhash_STRBYTES - 1},
  };
  for (const auto& c : cases) {
    const TableDef& table = TableOf(c.file);
    const auto it = std::find_if(table.fields.begin(), table.fields.end(),
                                 [&](const FieldDef& f) { return f.name == c.field; });
    ASSERT_NE(it, table.fields.end()) << c.file << " " << c.field;
    EXPECT_EQ(it->type, FieldType::kText) << c.file << " " << c.field;
    EXPECT_GE(it->size, c.atLeast) << c.file << " " << c.field;
  }
  EXPECT_EQ(TableOf("Zhgl.bsf").fields[0].name, "帐户名");
  EXPECT_EQ(TableOf("Zhgl.bsf").fields[1].name, "帐户密码");
  EXPECT_EQ(TableOf("Zhgl.bsf").password, kOperatorTablePassword);
  EXPECT_EQ(FindTableDef("zhgl.BSF"), &TableOf("Zhgl.bsf"));
  EXPECT_EQ(FindTableDef("Nope.bsf"), nullptr);
  const std::pair<const char*, std::size_t> positions[] = {{"Tzztwz.bsf", 14}, {"Tzjzd.bsf", 34}};
  for (const auto& [file, count] : positions) {
    const TableDef& table = TableOf(file);
    EXPECT_EQ(table.fields.size(), count) << file;
    EXPECT_FALSE(table.password.empty()) << file;
    for (const FieldDef& field : table.fields) EXPECT_EQ(field.type, FieldType::kDouble) << file;
  }
}

TEST_F(CatalogueTest, SampleDataFillsTheReferenceTablesOnce) {
  std::string error;
  ASSERT_TRUE(CreateMissingTables(Location(), &error)) << error;
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Bfqc.bsf"));  // an open table sees the samples too
  ASSERT_TRUE(LoadSampleData(store, &error)) << error;
  EXPECT_GT(store.RecordCount(), 0);
  store.CloseAll();

  std::map<std::string, int> counts;
  for (const TableDef& table : Catalogue()) {
    ASSERT_TRUE(store.Open("bsf\\" + table.file, table.password)) << store.LastErrorText();
    counts[table.file] = store.RecordCount();
    const bool reference = table.password.empty();
    EXPECT_EQ(counts[table.file] > 0, reference) << table.file;
    // Every sample fits its field whole, so none was cut.
    store.First();
    for (int r = 0; r < store.RecordCount(); ++r, store.Skip(1)) {
      for (int f = 1; f <= store.FieldCount(); ++f) {
        const std::string text = store.ReadText(f);
        EXPECT_FALSE(text.empty()) << table.file;
        EXPECT_LT(GbkLength(text), static_cast<std::size_t>(store.FieldSize(f))) << text;
      }
    }
    store.Close();
  }
  // Addresses by province, city and county; the boxes take 8 bytes each.
  ASSERT_TRUE(store.Open("bsf\\Dfdd.bsf"));
  std::map<std::string, std::set<std::string>> cities;
  store.First();
  for (int r = 0; r < store.RecordCount(); ++r, store.Skip(1)) {
    cities[store.ReadText("省")].insert(store.ReadText("市"));
    for (const char* field : {"省", "市", "县"}) EXPECT_LE(GbkLength(store.ReadText(field)), 8u);
  }
  EXPECT_GE(cities.size(), 3u);
  store.CloseAll();

  ASSERT_TRUE(LoadSampleData(store, &error)) << error;
  for (const auto& [file, count] : counts) {
    ASSERT_TRUE(store.Open("bsf\\" + file, TableOf(file.c_str()).password));
    EXPECT_EQ(store.RecordCount(), count) << file << " got the samples twice";
    store.Close();
  }
}

TEST(PasswordHashTest, VerifiesOnlyTheHashedPassword) {
  const std::string hash = HashPassword("密码123", HashLimits::Minimum());
  ASSERT_EQ(hash.rfind("$argon2id$", 0), 0u) << hash;
  EXPECT_EQ(hash.find("密码123"), std::string::npos);
  EXPECT_NE(HashPassword("密码123", HashLimits::Minimum()), hash);  // salted
  const struct {
    std::string hash;
    std::string password;
    bool matches;
  } cases[] = {
      {hash, "密码123", true},
      {hash, "密码124", false},
      {hash, "", false},
      {hash, "密码123 ", false},
      {"", "", false},
      {"密码123", "密码123", false},  // a password stored as typed is no hash
      {hash.substr(0, hash.size() - 1), "密码123", false},
      {hash + std::string(200, 'x'), "密码123", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VerifyPassword(c.hash, c.password), c.matches) << c.hash << " / " << c.password;
  }
}

}  // namespace
}  // namespace tallyra
