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
  // The platform's default user-interface face instead of `face`: the font a printer
  // starts with when the form gives it none of its own.
  bool systemFace = false;

  friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

// The two faces the forms print in.
inline PrintFont SongFont(double points) { return {"宋体", points}; }
inline PrintFont KaiFont(double points) { return {"楷体_GB2312", points}; }
inline PrintFont SystemFont(double points) { return {"", points, true}; }

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
  bool italicOn = false;               // italic switched on before the item
  bool italicOff = false;              // and off after it
  int x = 0;
  int y = 0;
  OffsetRef offset = {};
  std::string source = {};    // the control whose text is printed
  std::string fallback = {};  // printed instead when the source's text is empty
  std::string constant = {};  // a caption printed as it is: source and fallback unused
  // When not empty, the item is a digit row: source and x are not used, each column
  // has its own x.
  std::vector<DigitColumn> digitRow = {};
  Preparation preparation = Preparation::kNone;
  std::size_t breakBytes = 0;  // kBreakAfter only
  // What the item is called on a calibration sheet (收款人, 大写金额, …). A digit row's
  // columns are called by their places instead.
  std::string name = {};

  // Small modifiers, so that a layout table reads one row per item.
  // Italic for this item only.
  LayoutItem Italic() const;
  // Italic switched on before the item and left on; ItalicUntil switches it off after
  // the item. Items between them print in italic without switching.
  LayoutItem ItalicFrom() const;
  LayoutItem ItalicUntil() const;
  LayoutItem Prepared(Preparation how) const;
  LayoutItem BrokenAfter(std::size_t bytes) const;
  LayoutItem Or(std::string otherSource) const;
  LayoutItem MovedBy(OffsetRef ref) const;
  LayoutItem Named(std::string itemName) const;
};

// A text item: the source's text in the font at (x, y).
LayoutItem TextItem(const PrintFont& font, int x, int y, std::string source);
// Without a font, an item prints in the font the items before it left.
LayoutItem TextItem(int x, int y, std::string source);
// A caption the form prints whatever the window holds.
LayoutItem CaptionItem(const PrintFont& font, int x, int y, std::string text);
LayoutItem CaptionItem(int x, int y, std::string text);
// A digit row at y, one column per cell.
LayoutItem DigitRowItem(const PrintFont& font, int y, std::vector<DigitColumn> columns);
LayoutItem DigitRowItem(int y, std::vector<DigitColumn> columns);
// Control names prefix + first, prefix + (first + step), … (count of them).
std::vector<std::string> NumberedNames(const std::string& prefix, int first, int count,
                                       int step = 1);
// One column per named cell at x, x + step, …, all moved by the same x offset.
std::vector<DigitColumn> EvenColumns(const std::vector<std::string>& names, int x, int step,
                                     std::size_t xOffset = 0);

// The place names of the last `count` cells of an amount ending in 分, highest first:
// 3 gives 元, 角, 分. At most 11 (亿 … 分); the places repeat 千 百 十 above 万, as the
// forms' own cell captions do.
std::vector<std::string> PlaceNames(std::size_t count);

struct PrintLayout {
  std::string jobName;
  PaperSpec paper;
  std::vector<LayoutItem> items;
};

// The control names a layout reads, each once, in order of first use: the fields a
// window hands to the print engine.
std::vector<std::string> SourceNames(const PrintLayout& layout);

}  // namespace tallyra
