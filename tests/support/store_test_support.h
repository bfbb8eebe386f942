#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/fatal_error.h"
#include "data/record_store.h"

namespace tallyra {

// What the throwing fatal-error handler of the tests throws.
struct FatalErrorRaised {
  int code;
  std::string text;
};

// Installs a fatal-error handler that throws FatalErrorRaised; puts the previous one back.
class ThrowingFatalErrors {
 public:
  ThrowingFatalErrors();
  ~ThrowingFatalErrors();
  ThrowingFatalErrors(const ThrowingFatalErrors&) = delete;
  ThrowingFatalErrors& operator=(const ThrowingFatalErrors&) = delete;

 private:
  FatalErrorHandler previous_;
};

// A path as UTF-8 text, as the store takes it (path::string() would use the ANSI code page
// on Windows and lose every character outside it).
std::string Utf8Of(const std::filesystem::path& path);

// Runs SQL on a table file behind the store's back, as another program or a damage would.
void ExecSql(const std::string& path, const std::string& sql);

// A fresh program folder per test, with the table files in its bsf folder. Its name holds
// Chinese characters, as a Windows user's temporary folder often does.
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The folders in the system's own form (backslashes on Windows), as the program gets them.
  TableLocation Location() const;
  // A table file's path with '/' separators, as the store names it in its messages.
  std::string TablePath(std::string_view file) const;
  // Creates bsf/<file> with these fields and records, written in one transaction.
  void MakeTable(std::string_view file, const std::vector<FieldDef>& fields,
                 const std::vector<std::vector<Value>>& records = {},
                 std::string_view password = {});
  void MakeTableAt(const std::string& path, const std::vector<FieldDef>& fields,
                   const std::vector<std::vector<Value>>& records = {},
                   std::string_view password = {});
  // A table of one text field 名称 (20 bytes) holding these names.
  void MakeNames(std::string_view file, const std::vector<std::string>& names);
  std::string ReadBytes(std::string_view file) const;

  std::filesystem::path root_;
  ThrowingFatalErrors fatalErrors_;
};

// The names of field 1 of every record of the current table, in order.
std::vector<std::string> AllNames(RecordStore& store);

}  // namespace tallyra
