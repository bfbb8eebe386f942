#include "bench/bench_tables.h"

#include "data/catalogue.h"
#include "data/table_file.h"

namespace tallyra {

std::string FillTable(const TableLocation& location, const std::string& file,
                      const std::vector<std::vector<Value>>& records) {
  const TableDef* def = FindTableDef(file);
  if (!def) return "no such table: " + file;
  const std::string path = location.dataDir + "/" + file;
  std::string error;
  int code = kStoreOk;
  auto table = TableFile::Open(path, def->password, &code, &error);
  if (!table) return error;
  bool reloaded = false;
  if (table->BeginWrite(&reloaded, &error) != kStoreOk) return error;
  for (const auto& record : records) {
    if (table->Insert(record, &error) != kStoreOk) {
      table->Rollback();
      return error;
    }
  }
  return table->Commit(&error) == kStoreOk ? std::string() : error;
}

}  // namespace tallyra
