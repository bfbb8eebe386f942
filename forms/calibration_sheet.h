#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/calendar_date.h"
#include "forms/print_layout.h"
#include "forms/print_operation.h"

// A calibration sheet: printed on plain paper of a form's size, it marks where every item
// of the form would print with the given offsets, so that the operator can hold it over a
// blank form against the light and read how far each mark misses its box.
namespace tallyra {

// The sheet's drawing, in 0.1 mm and 0.01 mm for pen widths.
inline constexpr int kCrossArm = 15;  // each arm of an item's cross
inline constexpr int kCrossPen = 20;  // the cross's pen
// From the cross's centre to its name, x and y: the name stands right of the cross, or
// left of it at the page's right edge.
inline constexpr int kNameGap = 5;
inline constexpr double kNamePoints = 6;   // the items' names
inline constexpr int kGridStep = 100;      // the grid's lines
inline constexpr int kRulerTick = 10;      // the rulers' smallest step
inline constexpr double kRulerPoints = 7;  // the rulers' numbers
inline constexpr int kRulerNumberHeight = 25;
// What a printer's unprintable margins may take from the page beyond the printable corner,
// where the sheet starts: two quarter-inch margins.
inline constexpr int kUnprintableReserve = 127;

struct Extent {
  int width;
  int height;
};

// How far from the printable corner a ruler's numbers may reach on a page so large: past
// that a printer's far margin may cut them off.
Extent RulerReach(Extent page);

// The job name of a form's sheet: the form's name followed by 测试打印.
std::string CalibrationJobName(std::string_view formName);

// The sheet for the layout with these offsets (as stored; truncated as printing does): a
// 10 mm grid, millimetre rulers along the top and left edges, a cross centred on every
// item's (and digit column's) top-left corner with its name beside it, and in a corner that
// no item uses the form's name, the offsets and the date.
PrintRun PrepareCalibrationSheet(const PrintLayout& layout, const std::vector<double>& offsets,
                                 std::string_view formName, const Date& date);

// The offsets as the sheet states them, in 0.1 mm as printing uses them: "左右 12  上下 -5"
// for a pair; otherwise each field that is not 0 with what it moves ("第24项（十 左右）25"),
// two to a line.
std::string DescribeOffsets(const PrintLayout& layout, const std::vector<double>& offsets);

}  // namespace tallyra
