// Makes a data folder with every table and one super administrator, so that the program
// starts straight at its login window: prepare_tables DIR NAME PASSWORD
#include <cstdio>
#include <string>

#include "data/catalogue.h"
#include "data/password_hash.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: prepare_tables DIR NAME PASSWORD\n");
    return 2;
  }
  using namespace tallyra;
  const std::string dir = argv[1];
  RecordStore store({dir, dir + "/bsf"});
  std::string error;
  if (!CreateMissingTables(store.Location(), &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!store.Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword) ||
      !store.Append({std::string(argv[2]), HashPassword(argv[3]), std::string("超级管理员")})) {
    std::fprintf(stderr, "%s\n", store.LastErrorText().c_str());
    return 1;
  }
  store.CloseAll();
  return LoadSampleData(store, &error) ? 0 : 1;
}
