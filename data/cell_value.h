#pragma once

#include <string>
#include <string_view>

#include "data/record_store.h"

// What a cell of a table shows, and the one set of rules for a value that reaches a cell
// from outside the keyboard (pasted, imported).
namespace tallyra {

struct CellFit {
  Value value;           // what the field stores, already converted
  bool cut = false;      // longer than the field: cut at a character boundary
  bool dropped = false;  // characters GBK cannot encode were left out
  bool refused = false;  // nothing the field can hold (not a number for a numeric field)
};

// A text for the field: control characters as in a one-line box, characters GBK cannot
// encode left out, a text field's value cut to its byte size; a numeric field takes a
// number (blank is 0), a yes/no field 1 or 0.
CellFit FitCellValue(const FieldDef& field, std::string_view text);

// A stored value as the grid shows it and a file holds it: numbers with up to 15
// significant digits, yes/no as 1 or 0.
std::string CellTextOf(const Value& value);

}  // namespace tallyra
