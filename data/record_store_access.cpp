// The record store by record number, and what it tells of the current table's fields.
#include <string>
#include <vector>

#include "data/field_value.h"
#include "data/record_store.h"
#include "data/record_store_impl.h"

namespace tallyra {

OpenTable* RecordStore::Impl::PositionAt(int record) {
  OpenTable* table = Current();
  if (!table) return nullptr;
  if (record < 0 || record >= table->Count()) {
    Fail(kStoreNoRecord, "没有第 " + std::to_string(record + 1LL) + " 条记录");
    return nullptr;
  }
  table->pointer = record;
  return table;
}

bool RecordStore::ReadAt(int record, int fieldNumber, Value* value) {
  OpenTable* table = impl_->Current();
  if (!table) return false;
  if (fieldNumber < 1 || fieldNumber > static_cast<int>(table->file->Fields().size())) {
    return impl_->Fail(kStoreNoSuchField, kNoSuchFieldText);
  }
  const int saved = table->pointer;
  if (!impl_->PositionAt(record)) return false;
  *value = impl_->ReadField(fieldNumber - 1);
  table->pointer = saved;
  return true;
}

bool RecordStore::ModifyAt(int record, const std::vector<std::optional<Value>>& values) {
  return impl_->PositionAt(record) && Modify(values);
}

bool RecordStore::DeleteAt(int record) {
  OpenTable* table = impl_->PositionAt(record);
  if (!table) return false;
  WriteScope scope(*table->file);
  bool sameRecord = true;
  if (impl_->BeginWrite(*table, scope, &sameRecord) != kStoreOk) return false;
  if (!sameRecord) return impl_->Fail(kStoreRecordGone, "该记录已被另一程序删除");
  std::string error;
  int code = table->file->Delete(static_cast<std::size_t>(table->pointer), &error);
  if (code == kStoreOk) code = scope.Commit(&error);
  return code == kStoreOk ? impl_->Changed(*table) : impl_->Fail(code, error);
}

std::string RecordStore::CurrentPath() const {
  return impl_->current ? impl_->current->path : std::string();
}

bool RecordStore::CurrentIsReadOnly() const {
  return impl_->current && impl_->current->file->ReadOnly();
}

std::string RecordStore::FieldName(int fieldNumber) const {
  if (!impl_->Current()) return {};
  const FieldDef* field = impl_->FieldByNumber(*impl_->current, fieldNumber);
  if (!field) return impl_->Fail(kStoreNoSuchField, kNoSuchFieldText), std::string();
  impl_->Succeed();
  return field->name;
}

int RecordStore::FieldSize(int fieldNumber) const {
  if (!impl_->Current()) return 0;
  const FieldDef* field = impl_->FieldByNumber(*impl_->current, fieldNumber);
  if (!field) return impl_->Fail(kStoreNoSuchField, kNoSuchFieldText), 0;
  impl_->Succeed();
  return ByteSizeOf(*field);
}

int RecordStore::FieldCount() const {
  return impl_->current ? static_cast<int>(impl_->current->file->Fields().size()) : 0;
}

FieldType RecordStore::FieldTypeOf(int fieldNumber) const {
  const FieldDef* field =
      impl_->current ? impl_->FieldByNumber(*impl_->current, fieldNumber) : nullptr;
  return field ? field->type : FieldType::kText;
}

bool RecordStore::IsMarkedDeleted() const {
  const OpenTable* table = impl_->current.get();
  return table && table->OnRecord() && table->file->Records()[table->pointer].deleted;
}

}  // namespace tallyra
