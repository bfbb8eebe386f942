#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "data/record_store.h"

namespace tallyra {

// Many records written into one table file at once: a paste over the grid, an import.
struct TableBatch {
  // The fields the values were converted for; the file must still have exactly these.
  std::vector<FieldDef> fields;
  bool replaceAll = false;  // every record is removed first
  // The record the first row overwrites (0-based); rows past the last record are
  // appended. None: every row is appended after the last record.
  std::optional<std::size_t> firstRow;
  // One value per field, converted for it; none leaves an overwritten field as it is and
  // an appended one empty.
  std::vector<std::vector<std::optional<Value>>> rows;
  // What the writer saw when it made the batch: the record count and the records the
  // rows overwrite. When given and the file holds something else, nothing is written.
  std::optional<std::size_t> seenCount;
  std::vector<std::vector<Value>> seenRows;
};

// Writes the batch in one transaction: all of it lands, or nothing does. First, when
// `today` ("YYYY-MM-DD") is given and the table has no backup of that day yet, a copy of
// the file as it is goes to the day's backup folder (TableBackups); without one the write
// does not start. kStoreOk; kStoreRecordGone when the file no longer holds what the
// writer saw; another kStore* code with a reason naming the file.
int WriteTableBatch(const std::string& path, const TableBatch& batch, const std::string& today,
                    std::string* error);

}  // namespace tallyra
