#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tallyra {

enum class FieldType {
  kByte, kShort, kInt, kLong, kFloat, kDouble, kBool, kDateTime, kText, kMemo, kBinary
};

struct FieldDef {
  std::string name;
  FieldType type = FieldType::kText;
  int size = 0;  // byte size of a text field (GBK bytes); ignored for other types
};

using Blob = std::vector<std::uint8_t>;

// A field value. Integers (byte, short, int, long, date-time as seconds) are int64,
// float and double are double, text and memo are UTF-8 strings.
using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string, Blob>;

class RecordStore;
// Evaluated with the record being examined as the current record; reads it with Read.
using Condition = std::function<bool(RecordStore&)>;

// Where table paths resolve: programDir is the program's folder (the absolute paths
// windows build are programDir + "\bsf\" + file), dataDir the folder that really holds
// the table files (programDir/bsf when it exists, else the per-user data folder + /bsf).
struct TableLocation {
  std::string programDir;
  std::string dataDir;
};

// The embedded table-file database: a list of open tables, one current table and its
// record pointer (-1 .. count). Every change is durable when the call returns.
class RecordStore final {
 public:
  explicit RecordStore(TableLocation location);
  ~RecordStore();
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  const TableLocation& Location() const;
  // The real file a table path names ("bsf\Zhgl.bsf", an absolute path below
  // programDir\bsf, or any other path).
  std::string ResolvePath(std::string_view fileName) const;

  bool Open(std::string_view fileName, std::string_view password = {});
  bool SelectCurrent(std::string_view name);
  // SelectCurrent with the absolute path, else Open with the relative path.
  bool MakeCurrent(std::string_view file, std::string_view password = {});
  void Close();
  void CloseAll();

  void First();
  bool Skip(int count = 1);
  int RecordNumber() const;
  int RecordCount() const;

  // Fatal (RaiseFatalError) with no current table or an unknown field.
  Value Read(std::string_view fieldName);
  Value Read(int fieldNumber);
  // Read of a field that must be text (or memo): fatal when it is of another type.
  std::string ReadText(std::string_view fieldName);
  std::string ReadText(int fieldNumber);
  // Read of a field that must be numeric: fatal when it is of another type.
  double ReadNumber(int fieldNumber);

  bool Search(const Condition& condition);
  bool Append(const std::vector<Value>& values);
  bool Modify(const std::vector<std::optional<Value>>& values);
  bool MarkDeleted(const Condition& condition = nullptr);
  bool UnmarkDeleted(const Condition& condition = nullptr);
  bool Purge();

  std::string FieldName(int fieldNumber) const;
  int FieldSize(int fieldNumber) const;
  int FieldCount() const;
  FieldType FieldTypeOf(int fieldNumber) const;
  bool IsMarkedDeleted() const;  // the mark of the record at the pointer

  int LastError() const;
  // Why the last Open failed, naming the file, for the caller to show.
  const std::string& LastErrorText() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tallyra
