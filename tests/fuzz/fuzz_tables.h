#pragma once

#include <string>
#include <vector>

#include "data/record_store.h"

// What the fuzz target and its seed maker share: the tables of the seed corpus and how a
// table is read in full.
namespace tallyra::fuzz {

// A table as the store serves it: the fields, then every record with its deleted mark.
struct TableContent {
  std::vector<FieldDef> fields;
  std::vector<std::vector<Value>> records;
  std::vector<bool> deleted;
  bool operator==(const TableContent& other) const;
};

// The current table of the store, read from the first record to the last.
TableContent ReadWhole(RecordStore& store);

// The table file a seed stands for: "Bfzh.v1.bsf" is an old Bfzh.bsf.
std::string TableFileOf(const std::string& seedName);
// The password the program opens that table with (empty for none).
std::string PasswordOf(const std::string& tableFile);

}  // namespace tallyra::fuzz
