#include "forms/calibration_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "forms/cash_deposit_layout.h"
#include "forms/cheque_layout.h"
#include "forms/deposit_slip_layout.h"
#include "forms/print_engine.h"
#include "forms/wire_transfer_layout.h"
#include "vouchers/voucher_layout.h"

namespace tallyra {
namespace {

using Kind = PrintOperation::Kind;

struct SheetCase {
  const char* form;
  const PrintLayout& (*layout)();
  std::vector<double> offsets;
};

// Offsets that differ per field, so that an item moved by the wrong one shows.
std::vector<double> DistinctOffsets(int count) {
  std::vector<double> offsets;
  for (int k = 0; k < count; ++k) offsets.push_back((k % 2 ? -1 : 1) * (7.9 + 3 * k));
  return offsets;
}

std::vector<SheetCase> Cases() {
  return {
      {"支票", &ChequeLayout, {37.6, -12.2}},
      {"进帐单", &DepositSlipLayout, DistinctOffsets(34)},
      {"电汇凭证", &WireTransferLayout, {-20, 15}},
      {"现金交款单", &CashDepositLayout, {5, -5}},
      {"收款凭证", &ReceiptVoucherLayout, {12, 30}},
      {"付款凭证", &PaymentVoucherLayout, {-8, 4}},
      {"转帐凭证", &TransferVoucherLayout, {60, -25}},
  };
}

void PrintTo(const SheetCase& c, std::ostream* out) { *out << c.form; }

class SheetTest : public ::testing::TestWithParam<SheetCase> {};

// Every text the form can print, filled in: a date text also reads as a number, an account
// and a digit, so every item prints something.
FieldValues EveryFieldFilled(const PrintLayout& layout) {
  FieldValues fields;
  for (const std::string& name : SourceNames(layout)) fields[name] = "2011-11-25";
  return fields;
}

TEST_P(SheetTest, ThePrintRunWritesEveryTextWhereItsItemIsPlaced) {
  const SheetCase& c = GetParam();
  const PrintLayout& layout = c.layout();
  std::vector<std::pair<int, int>> printed;
  for (const PrintOperation& op :
       PreparePrintRun(layout, EveryFieldFilled(layout), c.offsets).operations) {
    if (op.kind == Kind::kText) printed.emplace_back(op.x, op.y);
  }
  std::vector<std::pair<int, int>> placed;
  for (const ItemPlace& place : PlaceItems(layout, c.offsets))
    placed.emplace_back(place.x, place.y);
  EXPECT_EQ(printed, placed);
}

TEST_P(SheetTest, EveryItemHasANameAndACrossAndTheNoteStandsClearOfThem) {
  const SheetCase& c = GetParam();
  const PrintLayout& layout = c.layout();
  const std::vector<ItemPlace> places = PlaceItems(layout, c.offsets);
  const PrintRun sheet = PrepareCalibrationSheet(layout, c.offsets, c.form, {2011, 11, 25});
  EXPECT_EQ(sheet.paper, layout.paper);
  EXPECT_EQ(sheet.jobName, std::string(c.form) + "测试打印");

  std::multiset<std::pair<int, int>> crossCentres;
  std::vector<PrintOperation> texts;
  for (const PrintOperation& op : sheet.operations) {
    if (op.kind == Kind::kText) texts.push_back(op);
    if (op.kind == Kind::kLine && op.width == kCrossPen && op.y == op.y2) {
      crossCentres.emplace((op.x + op.x2) / 2, op.y);
    }
  }
  for (const ItemPlace& place : places) {
    EXPECT_FALSE(place.name.empty()) << c.form << " item at " << place.x << ',' << place.y;
    EXPECT_EQ(crossCentres.count({place.x, place.y}), 1u) << place.name;
  }
  EXPECT_EQ(crossCentres.size(), places.size());

  // The note is the last text: form, offsets and date, and no mark under it.
  const PrintOperation& note = texts.back();
  EXPECT_NE(note.text.find(c.form), std::string::npos);
  EXPECT_NE(note.text.find(DescribeOffsets(layout, c.offsets)), std::string::npos);
  EXPECT_NE(note.text.find("2011-11-25"), std::string::npos);
  const int lines = 1 + static_cast<int>(std::count(note.text.begin(), note.text.end(), '\n'));
  for (const ItemPlace& place : places) {
    // A mark's name runs up to 16 mm right of its cross and 4.5 mm below it.
    const bool inside = place.x >= note.x - 160 && place.x <= note.x + 1000 &&
                        place.y >= note.y - 45 && place.y <= note.y + 45 * lines + 15;
    EXPECT_FALSE(inside) << place.name << " at " << place.x << ',' << place.y;
  }
}

// The sheet starts at the printable corner, and the paper's far edge lies a printer's
// unprintable margins nearer than the page's size: no ruler number may reach past that.
TEST_P(SheetTest, EveryRulerNumberStaysOnThePrintableAreaBesideItsTick) {
  const SheetCase& c = GetParam();
  const PrintLayout& layout = c.layout();
  const PaperSpec& paper = layout.paper;
  const Extent page = paper.orientation == PaperOrientation::kLandscape
                          ? Extent{paper.height, paper.width}
                          : Extent{paper.width, paper.height};
  const Extent reach = RulerReach(page);
  const PrintRun sheet = PrepareCalibrationSheet(layout, c.offsets, c.form, {2011, 11, 25});
  double points = 0;
  int numbers = 0;
  int lastAcross = 0;
  int lastDown = 0;
  for (const PrintOperation& op : sheet.operations) {
    if (op.kind == Kind::kSetFont) points = op.points;
    if (op.kind != Kind::kText || points != kRulerPoints) continue;
    ++numbers;
    const int tick = std::stoi(op.text) * 10;
    // Half an em a digit, as the sheet measures them.
    const int width =
        static_cast<int>(static_cast<double>(op.text.size()) * kRulerPoints * 254 / 72 / 2 + 0.5);
    const bool across = op.y < 100;  // the top ruler's, else the left ruler's
    const int start = across ? op.x : op.y;
    const int length = across ? width : kRulerNumberHeight;
    EXPECT_LE(start + length, across ? reach.width : reach.height) << op.text;
    EXPECT_TRUE(start == tick + 6 || start + length == tick - 6) << op.text << " beside its tick";
    (across ? lastAcross : lastDown) = std::max(across ? lastAcross : lastDown, tick);
  }
  EXPECT_GT(numbers, 20);
  // The last numbers stand within a centimetre of the reach.
  EXPECT_GT(lastAcross, reach.width - 200);
  EXPECT_GT(lastDown, reach.height - 200);
}

INSTANTIATE_TEST_SUITE_P(Forms, SheetTest, ::testing::ValuesIn(Cases()));

TEST(CalibrationSheetTest, OffsetsAreStatedAsPrintingUsesThem) {
  EXPECT_EQ(DescribeOffsets(ChequeLayout(), {2.7, -2.7}), "左右 2  上下 -2");
  std::vector<double> slip(34, 0.0);
  EXPECT_EQ(DescribeOffsets(DepositSlipLayout(), slip), "全部为 0");
  // Each field that is not 0 with what it moves, two to a line.
  slip[0] = 20;
  slip[1] = -0.5;  // truncated to 0: not listed
  slip[14] = 12;
  slip[23] = 25;
  slip[33] = -15.9;
  EXPECT_EQ(DescribeOffsets(DepositSlipLayout(), slip),
            "第1项（年、月、日 上下）20  第15项（小写金额 上下）12\n"
            "第24项（十 左右）25  第34项（备注 左右）-15");
}

TEST(CalibrationSheetTest, DigitColumnsAreNamedByTheirPlaces) {
  const auto places = PlaceItems(ChequeLayout(), {0, 0});
  std::vector<std::string> row;
  for (const ItemPlace& place : places) {
    if (place.y == 300) row.push_back(place.name);
  }
  EXPECT_EQ(row, (std::vector<std::string>{"亿", "千", "百", "十", "万", "千", "百", "十", "元",
                                           "角", "分"}));
}

}  // namespace
}  // namespace tallyra
