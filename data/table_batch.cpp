#include "data/table_batch.h"

#include "data/field_value.h"
#include "data/table_backups.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

bool SameFields(const std::vector<FieldDef>& a, const std::vector<FieldDef>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.name == y.name && x.type == y.type && x.size == y.size;
  });
}

// Whether the file still holds what the writer saw.
bool StillAsSeen(const TableFile& file, const TableBatch& batch) {
  const auto& records = file.Records();
  if (batch.seenCount && records.size() != *batch.seenCount) return false;
  const std::size_t first = batch.firstRow.value_or(records.size());
  for (std::size_t i = 0; i < batch.seenRows.size(); ++i) {
    if (first + i >= records.size() || records[first + i].values != batch.seenRows[i]) {
      return false;
    }
  }
  return true;
}

// The day's first backup of the table, made before it changes.
int BackUpBefore(TableFile& file, const std::string& today, std::string* error) {
  const std::string& path = file.Path();
  TableBackups backups(path.substr(0, path.find_last_of('/')));
  const std::string name = FileNameOf(path);
  if (backups.Has(today, name)) return kStoreOk;
  std::string reason;
  if (file.CopyTo(backups.PathFor(today, name), &reason) != kStoreOk) {
    if (error) *error = "未能先备份，表文件没有改变：" + reason;
    return kStoreIoError;
  }
  backups.Prune(today);
  return kStoreOk;
}

int WriteRows(TableFile& file, const TableBatch& batch, std::string* error) {
  int code = kStoreOk;
  if (batch.replaceAll) {
    for (std::size_t i = file.Records().size(); i > 0 && code == kStoreOk; --i) {
      code = file.Delete(i - 1, error);
    }
  }
  const std::size_t first = batch.firstRow.value_or(file.Records().size());
  for (std::size_t r = 0; r < batch.rows.size() && code == kStoreOk; ++r) {
    const auto& row = batch.rows[r];
    if (first + r < file.Records().size()) {
      code = file.Update(first + r, row, error);
      continue;
    }
    std::vector<Value> values(batch.fields.size());
    for (std::size_t f = 0; f < values.size(); ++f) {
      values[f] = f < row.size() && row[f] ? *row[f] : EmptyValueOf(batch.fields[f].type);
    }
    code = file.Insert(values, error);
  }
  return code;
}

}  // namespace

int WriteTableBatch(const std::string& path, const TableBatch& batch, const std::string& today,
                    std::string* error) {
  int code = kStoreOk;
  const auto file = TableFile::Open(path, "", &code, error);
  if (!file) return code;
  if (!SameFields(file->Fields(), batch.fields)) {
    if (error) *error = "表文件“" + path + "”的字段已被另一程序改变";
    return kStoreRecordGone;
  }
  if (!today.empty() && (code = BackUpBefore(*file, today, error)) != kStoreOk) return code;
  bool reloaded = false;
  if ((code = file->BeginWrite(&reloaded, error)) != kStoreOk) return code;
  if (!StillAsSeen(*file, batch)) {
    file->Rollback();
    if (error) *error = "表文件“" + path + "”已被另一程序改变";
    return kStoreRecordGone;
  }
  code = WriteRows(*file, batch, error);
  if (code == kStoreOk) return file->Commit(error);
  file->Rollback();
  return code;
}

}  // namespace tallyra
