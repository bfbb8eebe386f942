#include "data/record_store.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "data/catalogue.h"
#include "data/daily_backup.h"
#include "data/fatal_error.h"
#include "data/field_value.h"
#include "data/record_store_impl.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {

RecordStore::RecordStore(TableLocation location) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->location = std::move(location);
}

RecordStore::~RecordStore() = default;

const TableLocation& RecordStore::Location() const { return impl_->location; }

std::string RecordStore::ResolvePath(std::string_view fileName) const {
  return ResolveTablePath(impl_->location, fileName);
}

bool RecordStore::Open(std::string_view fileName, std::string_view password) {
  if (fileName.empty()) return impl_->Fail(kStoreEmptyName, "没有给出表文件名");
  const std::string path = ResolvePath(fileName);
  for (const auto& table : impl_->tables) {
    if (EqualsIgnoringCase(table->path, path)) {
      return impl_->Fail(kStoreAlreadyOpen, "表文件“" + path + "”已经打开");
    }
  }
  int code = kStoreOk;
  std::string error;
  std::unique_ptr<TableFile> file = impl_->TakeClosed(path);
  if (file) {
    code = file->Reuse(password, &error);
    if (code == kStoreWrongPassword) {
      auto kept = std::make_shared<OpenTable>();
      kept->path = path;
      kept->file = std::move(file);
      impl_->Retire(std::move(kept));
      return impl_->Fail(code, error);
    }
    // Moved, replaced or unreadable: a fresh open says what is wrong with it.
    if (code != kStoreOk) file.reset();
  }
  if (!file) file = TableFile::Open(path, password, &code, &error);
  std::string missing;
  if (file && !HasCatalogueFields(FileNameOf(file->Path()), file->Fields(), &missing)) {
    file.reset();
    code = kStoreDamagedFile;
    error = "表文件“" + path + "”已损坏：缺少字段“" + missing + "”或其类型不符";
  }
  if (!file) {
    if (code != kStoreDamagedFile || !impl_->damageHandler || impl_->handlingDamage) {
      return impl_->Fail(code, error);
    }
    // Once: a restored file that is damaged too is reported as it is.
    impl_->handlingDamage = true;
    const bool replaced = impl_->damageHandler(path, error);
    const bool opened = replaced ? Open(fileName, password) : impl_->Fail(code, error);
    impl_->handlingDamage = false;
    return opened;
  }
  auto table = std::make_shared<OpenTable>();
  table->path = path;
  table->name = TableNameOf(path);
  table->file = std::move(file);
  impl_->tables.push_back(table);
  impl_->current = std::move(table);
  return impl_->Succeed();
}

bool RecordStore::SelectCurrent(std::string_view name) {
  const auto select = [&](const std::shared_ptr<OpenTable>& table) {
    impl_->current = table;
    return impl_->Revalidate(*table) && impl_->Succeed();
  };
  for (auto it = impl_->tables.rbegin(); it != impl_->tables.rend(); ++it) {
    if (EqualsIgnoringCase((*it)->name, name)) return select(*it);
  }
  const std::string path = ResolvePath(name);
  for (auto it = impl_->tables.rbegin(); it != impl_->tables.rend(); ++it) {
    if (EqualsIgnoringCase((*it)->path, path)) return select(*it);
  }
  return impl_->Fail(kStoreNotFound, "没有打开名为“" + std::string(name) + "”的表");
}

bool RecordStore::MakeCurrent(std::string_view file, std::string_view password) {
  const std::string absolute = impl_->location.programDir + "\\bsf\\" + std::string(file);
  if (SelectCurrent(absolute)) return true;
  return Open("bsf\\" + std::string(file), password);
}

void RecordStore::Close() {
  if (!impl_->Current()) return;
  std::erase(impl_->tables, impl_->current);
  impl_->Retire(std::move(impl_->current));
  impl_->current.reset();
  impl_->Succeed();
}

void RecordStore::CloseAll() {
  impl_->current.reset();
  for (auto& table : impl_->tables) impl_->Retire(std::move(table));
  impl_->tables.clear();
  impl_->Succeed();
}

void RecordStore::First() {
  OpenTable* table = impl_->Current();
  if (!table) return;
  table->pointer = 0;
  if (impl_->Revalidate(*table)) impl_->Succeed();
}

bool RecordStore::Skip(int count) {
  OpenTable* table = impl_->Current();
  if (!table) return false;
  const std::int64_t records = table->Count();
  const std::int64_t pointer = table->pointer;
  if (count > 0 && (records == 0 || pointer >= records)) {
    return impl_->Fail(kStoreCannotMove, "已在最后一条记录之后");
  }
  if (count < 0 && (records == 0 || pointer <= -1)) {
    return impl_->Fail(kStoreCannotMove, "已在第一条记录之前");
  }
  table->pointer = static_cast<int>(std::clamp<std::int64_t>(pointer + count, -1, records));
  return impl_->Succeed();
}

int RecordStore::RecordNumber() const { return impl_->current ? impl_->current->pointer + 1 : 0; }

int RecordStore::RecordCount() const {
  OpenTable* table = impl_->Current();
  if (!table) return 0;
  if (impl_->Revalidate(*table)) impl_->Succeed();
  return table->Count();
}

int RecordStore::Impl::FieldIndexOf(std::string_view fieldName) {
  if (!current) RaiseFatalError(kStoreNoCurrentTable, kNoCurrentTableText);
  const auto& fields = current->file->Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == fieldName) return static_cast<int>(i);
  }
  RaiseFatalError(kStoreNoSuchField, kNoSuchFieldText);
}

// Checks the number before turning it into an index: fieldNumber - 1 overflows for INT_MIN.
int RecordStore::Impl::FieldIndexOfNumber(int fieldNumber) {
  if (!current) RaiseFatalError(kStoreNoCurrentTable, kNoCurrentTableText);
  if (fieldNumber < 1 || fieldNumber > static_cast<int>(current->file->Fields().size())) {
    RaiseFatalError(kStoreNoSuchField, kNoSuchFieldText);
  }
  return fieldNumber - 1;
}

Value RecordStore::Impl::ReadField(int index) {
  if (!current) RaiseFatalError(kStoreNoCurrentTable, kNoCurrentTableText);
  const auto& fields = current->file->Fields();
  if (index < 0 || index >= static_cast<int>(fields.size())) {
    RaiseFatalError(kStoreNoSuchField, kNoSuchFieldText);
  }
  Succeed();
  if (!current->OnRecord()) return EmptyValueOf(fields[index].type);
  return current->file->Records()[current->pointer].values[index];
}

Value RecordStore::Read(std::string_view fieldName) {
  return impl_->ReadField(impl_->FieldIndexOf(fieldName));
}

Value RecordStore::Read(int fieldNumber) {
  return impl_->ReadField(impl_->FieldIndexOfNumber(fieldNumber));
}

namespace {

std::string TextOf(const FieldDef& field, Value value) {
  if (!IsTextType(field.type)) {
    RaiseFatalError(kStoreWrongFieldType,
                    "字段“" + field.name + "”不是文本型字段，无法作为文本读取");
  }
  return std::get<std::string>(std::move(value));
}

}  // namespace

std::string RecordStore::ReadText(std::string_view fieldName) {
  const int index = impl_->FieldIndexOf(fieldName);
  return TextOf(impl_->current->file->Fields()[index], impl_->ReadField(index));
}

std::string RecordStore::ReadText(int fieldNumber) {
  const int index = impl_->FieldIndexOfNumber(fieldNumber);
  return TextOf(impl_->current->file->Fields()[index], impl_->ReadField(index));
}

double RecordStore::ReadNumber(int fieldNumber) {
  const int index = impl_->FieldIndexOfNumber(fieldNumber);
  const Value value = impl_->ReadField(index);
  const FieldDef& field = impl_->current->file->Fields()[index];
  if (!IsNumericType(field.type)) {
    RaiseFatalError(kStoreWrongFieldType,
                    "字段“" + field.name + "”不是数值型字段，无法作为数值读取");
  }
  if (const auto* real = std::get_if<double>(&value)) return *real;
  return static_cast<double>(std::get<std::int64_t>(value));
}

bool RecordStore::Search(const Condition& condition) {
  // Held so that a condition that closes the table cannot pull it away under the loop.
  const std::shared_ptr<OpenTable> table = impl_->current;
  if (!table) return impl_->Fail(kStoreNoCurrentTable, kNoCurrentTableText);
  const int start = table->pointer;
  for (int i = std::max(start, 0); i < table->Count(); ++i) {
    table->pointer = i;
    if (condition(*this)) return impl_->Succeed();
  }
  table->pointer = start;
  return impl_->Fail(kStoreNotFound, "没有符合条件的记录");
}

bool RecordStore::Append(const std::vector<Value>& values) {
  OpenTable* table = impl_->Current();
  if (!table) return false;
  const auto& fields = table->file->Fields();
  std::vector<Value> stored(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int code =
        ConvertForField(fields[i], i < values.size() ? values[i] : Value(), &stored[i]);
    if (code != kStoreOk)
      return impl_->Fail(code, "字段“" + fields[i].name + "”的值不符合字段类型");
  }
  WriteScope scope(*table->file);
  bool sameRecord = true;
  if (impl_->BeginWrite(*table, scope, &sameRecord) != kStoreOk) return false;
  // Another program may have changed the fields since the values were converted.
  if (table->file->Fields().size() != stored.size()) {
    return impl_->Fail(kStoreIoError, "表文件的字段已被另一程序改变");
  }
  std::string error;
  int code = table->file->Insert(stored, &error);
  if (code == kStoreOk) code = scope.Commit(&error);
  if (code != kStoreOk) return impl_->Fail(code, error);
  table->pointer = table->Count() - 1;
  return impl_->Changed(*table);
}

bool RecordStore::Modify(const std::vector<std::optional<Value>>& values) {
  OpenTable* table = impl_->Current();
  if (!table) return false;
  if (!table->OnRecord()) return impl_->Fail(kStoreNoRecord, "记录指针不在记录上");
  const auto& fields = table->file->Fields();
  std::vector<std::optional<Value>> stored(std::min(values.size(), fields.size()));
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (!values[i]) continue;
    stored[i].emplace();
    const int code = ConvertForField(fields[i], *values[i], &*stored[i]);
    if (code != kStoreOk)
      return impl_->Fail(code, "字段“" + fields[i].name + "”的值不符合字段类型");
  }
  WriteScope scope(*table->file);
  bool sameRecord = true;
  if (impl_->BeginWrite(*table, scope, &sameRecord) != kStoreOk) return false;
  if (!sameRecord) return impl_->Fail(kStoreRecordGone, "该记录已被另一程序删除");
  std::string error;
  int code = table->file->Update(static_cast<std::size_t>(table->pointer), stored, &error);
  if (code == kStoreOk) code = scope.Commit(&error);
  return code == kStoreOk ? impl_->Changed(*table) : impl_->Fail(code, error);
}

bool RecordStore::Impl::Mark(const Condition& condition, bool deleted) {
  const std::shared_ptr<OpenTable> table = current;
  if (!table) return Fail(kStoreNoCurrentTable, kNoCurrentTableText);
  if (!condition && !table->OnRecord()) return Fail(kStoreNoRecord, "记录指针不在记录上");
  WriteScope scope(*table->file);
  bool sameRecord = true;
  if (BeginWrite(*table, scope, &sameRecord) != kStoreOk) return false;
  std::vector<std::size_t> chosen;
  if (condition) {
    // The condition is evaluated under the write lock, so no other program changes the
    // records between the evaluation and the marking.
    const int saved = table->pointer;
    struct Restore {
      OpenTable& t;
      int p;
      ~Restore() { t.pointer = p; }
    } restore{*table, saved};
    for (int i = 0; i < table->Count(); ++i) {
      table->pointer = i;
      if (condition(*owner)) chosen.push_back(static_cast<std::size_t>(i));
    }
  } else {
    if (!sameRecord) return Fail(kStoreRecordGone, "该记录已被另一程序删除");
    chosen.push_back(static_cast<std::size_t>(table->pointer));
  }
  std::string error;
  int code = kStoreOk;
  for (std::size_t index : chosen) {
    if (code == kStoreOk) code = table->file->SetDeleted(index, deleted, &error);
  }
  if (code == kStoreOk) code = scope.Commit(&error);
  return code == kStoreOk ? Changed(*table) : Fail(code, error);
}

bool RecordStore::MarkDeleted(const Condition& condition) { return impl_->Mark(condition, true); }

bool RecordStore::UnmarkDeleted(const Condition& condition) {
  return impl_->Mark(condition, false);
}

bool RecordStore::Purge() {
  OpenTable* table = impl_->Current();
  if (!table) return false;
  WriteScope scope(*table->file);
  bool sameRecord = true;
  if (impl_->BeginWrite(*table, scope, &sameRecord) != kStoreOk) return false;
  const bool onRecord = table->OnRecord();
  const bool afterLast = table->pointer >= table->Count();
  const std::int64_t anchor = onRecord ? table->file->Records()[table->pointer].id : 0;
  std::string error;
  int code = table->file->DeleteMarked(&error);
  if (code == kStoreOk) code = scope.Commit(&error);
  if (code != kStoreOk) return impl_->Fail(code, error);
  table->pointer = Remap(table->file->Records(), onRecord, afterLast, anchor, table->pointer);
  return impl_->Changed(*table);
}

bool RecordStore::AppendEmpty() { return Append({}); }

void RecordStore::SetBackupPolicy(BackupPolicy policy) {
  impl_->backup.SetPolicy(std::move(policy));
}

void RecordStore::SetDamageHandler(DamageHandler handler) {
  impl_->damageHandler = std::move(handler);
}

std::optional<TableBackup> RecordStore::NewestBackup(std::string_view fileName) const {
  const std::string path = ResolvePath(fileName);
  return TableBackups(path.substr(0, path.find_last_of('/'))).NewestSound(FileNameOf(path));
}

bool RecordStore::RestoreBackup(std::string_view fileName, const TableBackup& backup,
                                std::string_view stamp) {
  const std::string path = ResolvePath(fileName);
  for (const auto& table : impl_->tables) {
    if (EqualsIgnoringCase(table->path, path)) {
      return impl_->Fail(kStoreAlreadyOpen, "表文件“" + path + "”已经打开，无法恢复");
    }
  }
  // A kept connection would hold the damaged file (on Windows it could not be moved).
  std::erase_if(impl_->closed, [&](const auto& table) { return table->path == path; });
  std::string error;
  const int code = RestoreTableFile(path, backup, std::string(stamp), nullptr, &error);
  return code == kStoreOk ? impl_->Succeed() : impl_->Fail(code, error);
}

int RecordStore::LastError() const { return impl_->lastError; }

const std::string& RecordStore::LastErrorText() const { return impl_->lastErrorText; }

}  // namespace tallyra
