#include "tests/fuzz/fuzz_tables.h"

#include "data/catalogue.h"

namespace tallyra::fuzz {

bool TableContent::operator==(const TableContent& other) const {
  if (fields.size() != other.fields.size()) return false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDef& a = fields[i];
    const FieldDef& b = other.fields[i];
    if (a.name != b.name || a.type != b.type || a.size != b.size) return false;
  }
  return records == other.records && deleted == other.deleted;
}

TableContent ReadWhole(RecordStore& store) {
  TableContent content;
  for (int f = 1; f <= store.FieldCount(); ++f) {
    content.fields.push_back({store.FieldName(f), store.FieldTypeOf(f), store.FieldSize(f)});
  }
  store.First();
  const int count = store.RecordCount();
  for (int r = 0; r < count; ++r) {
    std::vector<Value> values;
    for (int f = 1; f <= store.FieldCount(); ++f) values.push_back(store.Read(f));
    content.records.push_back(std::move(values));
    content.deleted.push_back(store.IsMarkedDeleted());
    store.Skip(1);
  }
  return content;
}

std::string TableFileOf(const std::string& seedName) {
  return seedName.substr(0, seedName.find('.')) + ".bsf";
}

std::string PasswordOf(const std::string& tableFile) {
  const TableDef* table = FindTableDef(tableFile);
  return table ? table->password : std::string();
}

}  // namespace tallyra::fuzz
