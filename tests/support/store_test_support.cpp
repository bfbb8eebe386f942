#include "tests/support/store_test_support.h"

#include <sodium.h>
#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include "data/random_hex.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {

void ExecSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
      << sqlite3_errmsg(db);
  sqlite3_close(db);
}

ThrowingFatalErrors::ThrowingFatalErrors()
    : previous_(SetFatalErrorHandler([](int code, const std::string& text) {
        throw FatalErrorRaised{code, text};
      })) {}

ThrowingFatalErrors::~ThrowingFatalErrors() { SetFatalErrorHandler(previous_); }

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void StoreTest::SetUp() {
  ASSERT_GE(sodium_init(), 0);
  root_ = std::filesystem::temp_directory_path() / PathFromUtf8("表格-" + RandomHex(8));
  std::filesystem::create_directories(root_ / "bsf");
}

void StoreTest::TearDown() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

TableLocation StoreTest::Location() const { return {Utf8Of(root_), Utf8Of(root_ / "bsf")}; }

std::string StoreTest::TablePath(std::string_view file) const {
  const std::u8string path = (root_ / "bsf" / PathFromUtf8(file)).generic_u8string();
  return std::string(path.begin(), path.end());
}

void StoreTest::MakeTable(std::string_view file, const std::vector<FieldDef>& fields,
                          const std::vector<std::vector<Value>>& records,
                          std::string_view password) {
  MakeTableAt(TablePath(file), fields, records, password);
}

void StoreTest::MakeTableAt(const std::string& path, const std::vector<FieldDef>& fields,
                            const std::vector<std::vector<Value>>& records,
                            std::string_view password) {
  std::string error;
  ASSERT_EQ(TableFile::Create(path, fields, password, &error), kStoreOk) << error;
  if (records.empty()) return;
  int code = kStoreOk;
  auto table = TableFile::Open(path, password, &code, &error);
  ASSERT_TRUE(table) << error;
  bool reloaded = false;
  ASSERT_EQ(table->BeginWrite(&reloaded, &error), kStoreOk) << error;
  for (const auto& record : records) ASSERT_EQ(table->Insert(record, &error), kStoreOk) << error;
  ASSERT_EQ(table->Commit(&error), kStoreOk) << error;
}

void StoreTest::MakeNames(std::string_view file, const std::vector<std::string>& names) {
  std::vector<std::vector<Value>> records;
  for (const std::string& name : names) records.push_back({name});
  MakeTable(file, {{"名称", FieldType::kText, 20}}, records);
}

std::string StoreTest::ReadBytes(std::string_view file) const {
  std::ifstream in(PathFromUtf8(TablePath(file)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> AllNames(RecordStore& store) {
  std::vector<std::string> names;
  store.First();
  const int count = store.RecordCount();
  for (int i = 0; i < count; ++i) {
    names.push_back(store.ReadText(1));
    store.Skip(1);
  }
  return names;
}

}  // namespace tallyra
