#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/csv.h"
#include "data/record_store.h"

// A reference table to and from a CSV file.
namespace tallyra {

// Whether a table's records may be exported or imported: never those of a table kept
// under a password (the operators, the print positions).
bool IsExchangeableTable(std::string_view fileName);

// The table as a CSV file: a header row of the field names, then every record in order.
std::string TableToCsv(const std::vector<FieldDef>& fields,
                       const std::vector<std::vector<Value>>& records);

// A value of the file that will not be stored as it stands.
struct ImportNote {
  int line = 0;           // the file's row, 1-based, as a spreadsheet numbers it
  std::size_t field = 0;  // index into the fields
  std::string given;      // the value in the file
};

// What an import will do, worked out before anything is written.
struct ImportPlan {
  CsvEncoding encoding = CsvEncoding::kUtf8;
  bool header = false;                      // the first row names the columns
  std::vector<std::size_t> filledFields;    // fields a column fills, in field order
  std::vector<std::size_t> emptyFields;     // fields no column fills: empty in every record
  std::vector<std::vector<Value>> records;  // one value per field, converted
  std::vector<ImportNote> cut;              // longer than the field
  std::vector<ImportNote> dropped;          // held characters GBK cannot encode
};

// Reads a CSV file's bytes for a table of these fields. The first row is a header when
// one of its values is a field's name; then every column must name a field (a column
// without a name and without values is ignored), else the columns are the fields in
// order. Values go through FitCellValue. False, with a message, for a file that is not
// UTF-8 or GBK text, an unclosed quote, a column that matches no field, a value in no
// column, a value a field cannot hold, or a file without data rows.
bool PlanImport(std::string_view bytes, const std::vector<FieldDef>& fields, ImportPlan* plan,
                std::string* error);

// The whole file; false with a message naming it.
bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error);
// Writes the file under a temporary name in the same folder and renames it into place,
// so the target is never left half written. False with a message naming it.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace tallyra
