#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/record_store.h"
#include "data/table_batch.h"

namespace tallyra {

// A cell a pasted value changed: its grid row (1-based) and field index.
struct PastedCell {
  int row = 0;
  std::size_t field = 0;
};

struct PastePlan {
  TableBatch batch;     // the rows from the cursor row down; the caller adds what it saw
  int rows = 0;         // rows written
  int appended = 0;     // of which new records
  bool single = false;  // one value into one cell
  int cut = 0;          // values longer than their field
  std::optional<PastedCell> firstCut;
  int dropped = 0;  // values that held characters GBK cannot encode
  std::optional<PastedCell> firstDropped;
  int outside = 0;  // values right of the last field, not pasted
};

// A block copied from a spreadsheet (tab-separated values, one line per row, a value
// holding a tab or line break in quotes) laid over a table of `rowCount` records from
// the cursor cell (0-based) down and to the right; rows past the end are appended.
// False, with a message, for a value a field cannot hold.
bool PlanPaste(std::string_view text, const std::vector<FieldDef>& fields, int rowCount,
               int cursorRow, int cursorColumn, PastePlan* plan, std::string* error);

}  // namespace tallyra
