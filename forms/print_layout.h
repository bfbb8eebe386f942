#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A form's print layout as data: the page, and the items printed on it in order.
// Positions and paper sizes are in 0.1 mm, x to the right and y downward from the page's
// top-left corner.
namespace tallyra {

enum class PaperOrientation { kPortrait, kLandscape };

struct PaperSpec {
  int width = 0;   // 0.1 mm
  int height = 0;  // 0.1 mm
  PaperOrientation orientation = PaperOrientation::kPortrait;

  friend bool operator==(const PaperSpec&, const PaperSpec&) = default;
};

struct PrintFont {
  std::string face;
  double points = 0;

  friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

// What is done to a source text before it is printed.
enum class Preparation {
  kNone,
  kAccountOf,     // the account number after the first "|"
  kBreakAfter,    // CR LF after the first breakBytes GBK bytes
  kFormatAmount,  // the text's numeric value with two decimals and "," groups
  kYearFigures,   // year of a date text "yyyy-MM-dd", as plain figures
  kMonthFigures,  // month, without a leading zero
  kDayFigures,    // day, without a leading zero
};

// Which entries of the form's offset list move an item: the forms with one offset pair
// pass {dx, dy}; the deposit slip passes its 34 offsets and names one per axis and item.
struct OffsetRef {
  std::size_t x = 0;
  std::size_t y = 1;

  friend bool operator==(const OffsetRef&, const OffsetRef&) = default;
};

// One cell of an amount written digit by digit, with the cell's own x offset.
struct DigitColumn {
  std::string source;  // the digit box's control name
  int x = 0;
  std::size_t xOffset = 0;

  friend bool operator==(const DigitColumn&, const DigitColumn&) = default;
};

struct LayoutItem {
  std::optional<PrintFont> font = {};  // none: the current font stays
  bool italic = false;                 // on for this item only
  int x = 0;
  int y = 0;
  OffsetRef offset = {};
  std::string source = {};  // the control whose text is printed
  // When not empty, the item is a digit row: source and x are not used, each column
  // has its own x.
  std::vector<DigitColumn> digitRow = {};
  Preparation preparation = Preparation::kNone;
  std::size_t breakBytes = 0;  // kBreakAfter only
};

struct PrintLayout {
  std::string jobName;
  PaperSpec paper;
  std::vector<LayoutItem> items;
};

// The control names a layout reads, each once, in order of first use: the fields a
// window hands to the print engine.
std::vector<std::string> SourceNames(const PrintLayout& layout);

}  // namespace tallyra
