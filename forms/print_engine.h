#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/print_layout.h"
#include "forms/print_operation.h"

// Turns a form's layout, the texts of its window and its stored offsets into a print run.
namespace tallyra {

// Control name to the control's text (UTF-8). A date box gives its date as "yyyy-MM-dd"
// (QDate::toString(Qt::ISODate)). A name that is missing counts as an empty text.
using FieldValues = std::map<std::string, std::string, std::less<>>;

// A stored offset in 0.1 mm as printing uses it: truncated toward zero (2.7 gives 2,
// -2.7 gives -2). A value that is not a number, or beyond ±1 000 000, gives 0 and the
// nearest bound: it cannot come from the position windows.
int TruncateOffset(double stored);

// Where an item's text starts, in 0.1 mm with its offsets added, and what it is called.
struct ItemPlace {
  std::string name;  // the item's name; a digit column's place (万, 元, 分, …)
  int x = 0;
  int y = 0;

  friend bool operator==(const ItemPlace&, const ItemPlace&) = default;
};

// The places of one item: one for a text, one per column for a digit row. The print run
// and the calibration sheet both place items by it, so the two cannot disagree.
std::vector<ItemPlace> PlaceItem(const LayoutItem& item, const std::vector<double>& offsets);
// The places of every item of the layout, in order.
std::vector<ItemPlace> PlaceItems(const PrintLayout& layout, const std::vector<double>& offsets);

// The operations printing the layout's items in order: for each item its font, italic on
// if the item switches it on, its texts at the item's position plus its offsets, and
// italic off if the item switches it off. An
// empty source text prints nothing. An offset index beyond the list counts as 0, as a
// position table without records gives.
PrintRun PreparePrintRun(const PrintLayout& layout, const FieldValues& fields,
                         const std::vector<double>& offsets);

}  // namespace tallyra
