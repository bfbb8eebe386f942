// Writes the seed corpus of the fuzz target: table files as the program writes them
// (with text, Chinese, deleted marks, a protected table, numbers, an empty table), and
// the files of the two earlier formats from the test fixtures.
//   make_fuzz_seeds SEED_FOLDER FIXTURE_FOLDER
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "data/table_file.h"
#include "tests/fuzz/fuzz_tables.h"

namespace tallyra::fuzz {
namespace {

namespace fs = std::filesystem;

bool Make(const fs::path& folder, const std::string& file,
          const std::vector<std::vector<Value>>& records, const std::vector<int>& deleted) {
  const TableDef* table = FindTableDef(file);
  const std::string path = (folder / file).string();
  std::string error;
  int code = TableFile::Create(path, table->fields, table->password, &error);
  std::unique_ptr<TableFile> opened;
  if (code == kStoreOk) opened = TableFile::Open(path, table->password, &code, &error);
  bool reloaded = false;
  if (code == kStoreOk) code = opened->BeginWrite(&reloaded, &error);
  for (std::size_t i = 0; code == kStoreOk && i < records.size(); ++i) {
    code = opened->Insert(records[i], &error);
  }
  for (std::size_t i = 0; code == kStoreOk && i < deleted.size(); ++i) {
    code = opened->SetDeleted(static_cast<std::size_t>(deleted[i]), true, &error);
  }
  if (code == kStoreOk) code = opened->Commit(&error);
  if (code != kStoreOk) std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
  return code == kStoreOk;
}

int Run(const fs::path& seeds, const fs::path& fixtures) {
  fs::create_directories(seeds);
  std::vector<std::vector<Value>> accounts;
  for (int i = 0; i < 30; ++i) {
    accounts.push_back({"账户" + std::to_string(i) + (i % 7 == 0 ? std::string(20, 'x') : ""),
                        "02000045092" + std::to_string(10000000 + i * 7919)});
  }
  std::vector<Value> offsets;
  for (int i = 0; i < 14; ++i) offsets.push_back(i * 2.5 - 10);
  const bool made =
      Make(seeds, "Bfzh.bsf", accounts, {3, 17}) &&
      Make(seeds, "Zhgl.bsf",
           {{std::string("admin"), std::string("$argon2id$v=19$m=8,t=1,p=1$c2FsdA$aGFzaA"),
             std::string("超级管理员")},
            {std::string("王会计"), std::string("$argon2id$v=19$m=8,t=1,p=1$c2FsdA$aGFzaA"),
             std::string("管理员")}},
           {}) &&
      Make(seeds, "Tzztwz.bsf", {offsets}, {}) && Make(seeds, "Kxlyk.bsf", {}, {});
  if (!made) return 1;
  for (const char* format : {"first_format", "second_format"}) {
    for (const char* file : {"Bfzh", "Zhgl"}) {
      const std::string tag = format[0] == 'f' ? ".v1.bsf" : ".v2.bsf";
      fs::copy_file(fixtures / format / (std::string(file) + ".bsf"), seeds / (file + tag),
                    fs::copy_options::overwrite_existing);
    }
  }
  return 0;
}

}  // namespace
}  // namespace tallyra::fuzz

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_fuzz_seeds SEED_FOLDER FIXTURE_FOLDER\n");
    return 2;
  }
  return tallyra::fuzz::Run(argv[1], argv[2]);
}
