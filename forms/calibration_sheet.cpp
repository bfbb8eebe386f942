#include "forms/calibration_sheet.h"

#include <algorithm>
#include <array>
#include <optional>

#include "data/gbk_text.h"
#include "forms/print_engine.h"

namespace tallyra {
namespace {

constexpr int kGridGray = 200;
constexpr int kGridPen = 8;
constexpr int kRulerPen = 10;
constexpr int kRulerGray = 0;
constexpr double kNotePoints = 9;
constexpr int kNoteLine = 45;        // the corner note's line pitch
constexpr int kNoteMinWidth = 1000;  // room kept for the corner note at least
constexpr int kNoteInset = 80;       // from the page's edges, clear of the rulers
constexpr int kNumberGap = 6;        // between a tick and its number
// What an item's cross and name cover, from the cross's centre.
constexpr int kMarkLeft = kCrossArm;
constexpr int kMarkRight = 160;
constexpr int kMarkBelow = 45;

// The page as drawn: a landscape page lies with its long edge along x.
Extent PageExtent(const PaperSpec& paper) {
  if (paper.orientation == PaperOrientation::kLandscape) return {paper.height, paper.width};
  return {paper.width, paper.height};
}

}  // namespace

Extent RulerReach(Extent page) {
  return {page.width - kUnprintableReserve, page.height - kUnprintableReserve};
}

namespace {

void AddGrid(std::vector<PrintOperation>& ops, Extent page) {
  for (int x = kGridStep; x < page.width; x += kGridStep) {
    ops.push_back(PrintOperation::Line(x, 0, x, page.height, kGridPen, kGridGray));
  }
  for (int y = kGridStep; y < page.height; y += kGridStep) {
    ops.push_back(PrintOperation::Line(0, y, page.width, y, kGridPen, kGridGray));
  }
}

// A tick every millimetre, longer at 5 mm and 10 mm, and the centimetres' numbers in mm.
int TickLength(int at) {
  if (at % 100 == 0) return 30;
  return at % 50 == 0 ? 20 : 10;
}

// Whether an item's cross or name reaches into the rectangle.
bool Covers(int left, int top, int width, int height, const ItemPlace& place) {
  return place.x + kMarkRight > left && place.x - kMarkLeft < left + width &&
         place.y + kMarkBelow > top && place.y - kCrossArm < top + height;
}

// A text's width in 0.1 mm, its longest line's: half an em per GBK byte.
int TextWidth(const std::string& text, double points) {
  constexpr double kTenthsPerPoint = 254.0 / 72.0;
  std::size_t widest = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    widest = std::max(widest, GbkLength(std::string_view(text).substr(start, end - start)));
    start = end + 1;
  }
  return static_cast<int>(static_cast<double>(widest) * points * kTenthsPerPoint / 2 + 0.5);
}

// Where a number may stand along a ruler that reaches this far: after its tick, or before
// it where it would run past the reach; nothing where neither fits.
std::optional<int> NumberStart(int tick, int length, int reach) {
  if (tick + kNumberGap + length <= reach) return tick + kNumberGap;
  if (tick <= reach && tick - kNumberGap - length >= 0) return tick - kNumberGap - length;
  return std::nullopt;
}

void AddRulers(std::vector<PrintOperation>& ops, Extent page,
               const std::vector<ItemPlace>& places) {
  for (int x = kRulerTick; x < page.width; x += kRulerTick) {
    ops.push_back(PrintOperation::Line(x, 0, x, TickLength(x), kRulerPen, kRulerGray));
  }
  for (int y = kRulerTick; y < page.height; y += kRulerTick) {
    ops.push_back(PrintOperation::Line(0, y, TickLength(y), y, kRulerPen, kRulerGray));
  }
  // A number is left out where a mark stands: the mark matters, the next number tells.
  const Extent reach = RulerReach(page);
  const auto number = [&](int x, int y, int width, int height, int mm) {
    const bool free = std::none_of(places.begin(), places.end(), [&](const ItemPlace& place) {
      return Covers(x, y, width, height, place);
    });
    if (free) ops.push_back(PrintOperation::Text(x, y, std::to_string(mm)));
  };
  ops.push_back(PrintOperation::SetFont("宋体", kRulerPoints));
  for (int x = kGridStep; x < page.width; x += kGridStep) {
    const int width = TextWidth(std::to_string(x / 10), kRulerPoints);
    if (const auto left = NumberStart(x, width, reach.width)) {
      number(*left, 12, width, kRulerNumberHeight, x / 10);
    }
  }
  for (int y = kGridStep; y < page.height; y += kGridStep) {
    if (const auto top = NumberStart(y, kRulerNumberHeight, reach.height)) {
      number(12, *top, TextWidth(std::to_string(y / 10), kRulerPoints), kRulerNumberHeight, y / 10);
    }
  }
}

void AddMarks(std::vector<PrintOperation>& ops, const std::vector<ItemPlace>& places, Extent page) {
  ops.push_back(PrintOperation::SetFont("宋体", kNamePoints));
  for (const ItemPlace& place : places) {
    const int x = place.x;
    const int y = place.y;
    ops.push_back(PrintOperation::Line(x - kCrossArm, y, x + kCrossArm, y, kCrossPen));
    ops.push_back(PrintOperation::Line(x, y - kCrossArm, x, y + kCrossArm, kCrossPen));
    // Right of the cross; left of it where the name would run off the page.
    const int width = TextWidth(place.name, kNamePoints);
    const bool fits = x + kNameGap + width <= page.width - kNameGap;
    ops.push_back(
        PrintOperation::Text(fits ? x + kNameGap : x - kNameGap - width, y + kNameGap, place.name));
  }
}

// The corner with the fewest marks in the note's rectangle, bottom right first.
std::array<int, 2> NoteCorner(Extent page, int width, int height,
                              const std::vector<ItemPlace>& places) {
  const int right = page.width - kNoteInset - width;
  const int bottom = page.height - kNoteInset - height;
  const std::array<std::array<int, 2>, 4> corners = {
      {{right, bottom}, {right, kNoteInset}, {kNoteInset, bottom}, {kNoteInset, kNoteInset}}};
  std::array<int, 2> best = corners[0];
  auto bestCount = places.size() + 1;
  for (const auto& corner : corners) {
    const auto count = std::count_if(places.begin(), places.end(), [&](const ItemPlace& p) {
      return Covers(corner[0], corner[1], width, height, p);
    });
    if (static_cast<std::size_t>(count) < bestCount) {
      bestCount = static_cast<std::size_t>(count);
      best = corner;
    }
  }
  return best;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// What offset k moves, in the words of the layout: "十 左右", "年、月、日 上下".
std::string OffsetUse(const PrintLayout& layout, std::size_t k) {
  std::vector<std::string> across;
  std::vector<std::string> down;
  for (const LayoutItem& item : layout.items) {
    if (item.offset.y == k) down.push_back(item.name.empty() ? "小写金额" : item.name);
    if (item.digitRow.empty()) {
      if (item.offset.x == k) across.push_back(item.name);
      continue;
    }
    // A digit row's columns move sideways each by their own offset.
    const std::vector<std::string> places = PlaceNames(item.digitRow.size());
    for (std::size_t c = 0; c < item.digitRow.size() && c < places.size(); ++c) {
      if (item.digitRow[c].xOffset == k) across.push_back(places[c]);
    }
  }
  const auto join = [](const std::vector<std::string>& names, const char* axis) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : "、") + name;
    return text.empty() ? text : text + " " + axis;
  };
  std::string use = join(across, "左右");
  const std::string vertical = join(down, "上下");
  if (!use.empty() && !vertical.empty()) use += "，";
  use += vertical;
  return use.empty() ? "未用" : use;
}

}  // namespace

std::string CalibrationJobName(std::string_view formName) {
  return std::string(formName) + "测试打印";
}

std::string DescribeOffsets(const PrintLayout& layout, const std::vector<double>& offsets) {
  if (offsets.size() == 2) {
    return "左右 " + std::to_string(TruncateOffset(offsets[0])) + "  上下 " +
           std::to_string(TruncateOffset(offsets[1]));
  }
  std::string text;
  int listed = 0;
  for (std::size_t k = 0; k < offsets.size(); ++k) {
    const int value = TruncateOffset(offsets[k]);
    if (value == 0) continue;
    text += (listed == 0 ? "" : listed % 2 == 0 ? "\n" : "  ");
    text +=
        "第" + std::to_string(k + 1) + "项（" + OffsetUse(layout, k) + "）" + std::to_string(value);
    ++listed;
  }
  return listed == 0 ? "全部为 0" : text;
}

PrintRun PrepareCalibrationSheet(const PrintLayout& layout, const std::vector<double>& offsets,
                                 std::string_view formName, const Date& date) {
  PrintRun run{CalibrationJobName(formName), layout.paper, {}};
  const Extent page = PageExtent(layout.paper);
  const std::vector<ItemPlace> places = PlaceItems(layout, offsets);
  AddGrid(run.operations, page);
  AddRulers(run.operations, page, places);
  AddMarks(run.operations, places, page);

  const std::string offsetText = DescribeOffsets(layout, offsets);
  const int offsetLines =
      1 + static_cast<int>(std::count(offsetText.begin(), offsetText.end(), '\n'));
  const std::string note = std::string(formName) +
                           " 测试打印（十字中心＝各项文字的左上角）\n偏移（0.1毫米）：" +
                           offsetText + "\n日期：" + std::to_string(date.year) + "-" +
                           TwoDigits(date.month) + "-" + TwoDigits(date.day);
  const int width = std::max(kNoteMinWidth, TextWidth(note, kNotePoints));
  const auto corner = NoteCorner(page, width, (3 + offsetLines) * kNoteLine, places);
  run.operations.push_back(PrintOperation::SetFont("宋体", kNotePoints));
  run.operations.push_back(PrintOperation::Text(corner[0], corner[1], note));
  return run;
}

}  // namespace tallyra
