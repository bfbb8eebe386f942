#include "forms/print_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "forms/cheque_layout.h"
#include "forms/print_device.h"
#include "tests/support/filled_cheque.h"
#include "tests/support/print_operation_printer.h"
#include "tests/support/recording_print_device.h"

namespace tallyra {

namespace {

using Kind = PrintOperation::Kind;

std::vector<PrintOperation> Texts(const std::vector<PrintOperation>& operations) {
  std::vector<PrintOperation> texts;
  for (const PrintOperation& op : operations) {
    if (op.kind == Kind::kText) texts.push_back(op);
  }
  return texts;
}

// The digit boxes 编辑框4 (亿) … 编辑框14 (分) from a row of eleven texts.
FieldValues DigitFields(const std::vector<std::string>& digits) {
  FieldValues fields;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    fields["编辑框" + std::to_string(4 + k)] = digits[k];
  }
  return fields;
}

// One row of the cheque's layout table with the texts the filled-in cheque prints there.
struct ChequeRow {
  const char* face;
  double points;
  bool italic;
  int y;
  std::vector<std::pair<int, std::string>> texts;  // x, text
};

const std::vector<ChequeRow>& FilledChequeRows() {
  static const std::vector<ChequeRow> rows = {
      {"宋体", 10, false, 150, {{800, "贰零壹壹"}}},
      {"宋体", 10, false, 150, {{1000, "零壹"}}},
      {"宋体", 10, false, 150, {{1150, "零伍"}}},
      {"宋体", 10, false, 190, {{650, "上海东方机电设备有限公司"}}},
      {"宋体", 10, true, 200, {{1570, "1234567890"}}},
      {"楷体_GB2312", 11, false, 280, {{670, "壹仟贰佰叁拾肆元伍角整"}}},
      {"宋体",
       10,
       true,
       300,
       {{1730, "￥"},
        {1770, "1"},
        {1810, "2"},
        {1850, "3"},
        {1890, "4"},
        {1930, "5"},
        {1970, "0"}}},
      {"宋体", 10, false, 320, {{0, "ABCDEFGHIJKLMNOPQRSTUVWX\r\n附加"}}},
      {"宋体", 10, false, 370, {{610, "货款"}}},
      {"宋体", 10, false, 370, {{1470, "8866123456781234"}}},
      {"宋体", 10, false, 430, {{120, "2011"}}},
      {"宋体", 10, false, 430, {{250, "1"}}},
      {"宋体", 10, false, 430, {{330, "5"}}},
      {"宋体", 10, false, 490, {{100, "上海东方机电设备有\r\n限公司"}}},
      {"宋体", 10, true, 590, {{100, "1,234.50"}}},
      {"宋体", 10, false, 640, {{100, "货款"}}},
  };
  return rows;
}

TEST(PrintEngineTest, FilledChequeFillsEverySourceOfTheLayout) {
  std::set<std::string> filled;
  for (const auto& [name, text] : FilledCheque()) filled.insert(name);
  const std::vector<std::string> names = SourceNames(ChequeLayout());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), filled);
  EXPECT_EQ(names.size(), filled.size()) << "each name once";
}

TEST(PrintEngineTest, ChequeItemsStandAtTheirPositionsPlusTheTruncatedOffsets) {
  const struct {
    double storedDx, storedDy;
    int dx, dy;
  } cases[] = {{0, 0, 0, 0}, {-15, 20, -15, 20}, {2.7, -2.7, 2, -2}, {-2.7, 2.7, -2, 2}};
  for (const auto& c : cases) {
    std::vector<PrintOperation> expected;
    for (const ChequeRow& row : FilledChequeRows()) {
      expected.push_back(PrintOperation::SetFont(row.face, row.points));
      if (row.italic) expected.push_back(PrintOperation::SetItalic(true));
      for (const auto& [x, text] : row.texts) {
        expected.push_back(PrintOperation::Text(x + c.dx, row.y + c.dy, text));
      }
      if (row.italic) expected.push_back(PrintOperation::SetItalic(false));
    }
    const PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {c.storedDx, c.storedDy});
    EXPECT_EQ(run.jobName, "支票打印");
    EXPECT_EQ(run.paper, (PaperSpec{2660, 1660, PaperOrientation::kPortrait}));
    EXPECT_EQ(run.operations, expected) << "offsets " << c.storedDx << ", " << c.storedDy;
  }
}

TEST(PrintEngineTest, DigitRowPutsTheYuanSignLeftOfLeadingDigits) {
  const struct {
    const char* what;
    std::vector<std::string> digits;  // 亿 千 百 十 万 千 百 十 元 角 分
    std::vector<std::pair<int, std::string>> printed;
  } cases[] = {
      {"1234.56 in 千 … 分",
       {"", "", "", "", "", "1", "2", "3", "4", "5", "6"},
       {{1730, "￥"},
        {1770, "1"},
        {1810, "2"},
        {1850, "3"},
        {1890, "4"},
        {1930, "5"},
        {1970, "6"}}},
      {"only 角 and 分",
       {"", "", "", "", "", "", "", "", "", "5", "0"},
       {{1890, "￥"}, {1930, "5"}, {1970, "0"}}},
      {"highest cell filled, no gaps",
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1"},
       {{1570, "1"},
        {1610, "2"},
        {1650, "3"},
        {1690, "4"},
        {1730, "5"},
        {1770, "6"},
        {1810, "7"},
        {1850, "8"},
        {1890, "9"},
        {1930, "0"},
        {1970, "1"}}},
      {"万 and 百 with 千 empty",
       {"", "", "", "", "5", "", "3", "0", "0", "", ""},
       {{1690, "￥"}, {1730, "5"}, {1770, "￥"}, {1810, "3"}, {1850, "0"}, {1890, "0"}}},
      {"leading 0", {"", "", "", "", "", "", "", "", "0", "5", ""}, {{1890, "0"}, {1930, "5"}}},
      {"minus sign", {"", "", "", "", "", "", "-", "1", "", "", ""}, {{1810, "-"}, {1850, "1"}}},
      {"all empty", {"", "", "", "", "", "", "", "", "", "", ""}, {}},
  };
  for (const auto& c : cases) {
    std::vector<PrintOperation> expected;
    for (const auto& [x, text] : c.printed) expected.push_back(PrintOperation::Text(x, 300, text));
    EXPECT_EQ(Texts(PreparePrintRun(ChequeLayout(), DigitFields(c.digits), {0, 0}).operations),
              expected)
        << c.what;
  }
}

TEST(PrintEngineTest, EmptySourcesPrintNothingButFontsAreStillSet) {
  const PrintRun run = PreparePrintRun(ChequeLayout(), {}, {0, 0});
  EXPECT_TRUE(Texts(run.operations).empty());
  int fonts = 0;
  for (const PrintOperation& op : run.operations) fonts += op.kind == Kind::kSetFont ? 1 : 0;
  EXPECT_EQ(fonts, 16);
}

TEST(PrintEngineTest, PreparationsOfASingleItem) {
  using P = Preparation;
  const struct {
    Preparation preparation;
    std::size_t breakBytes;
    std::string source;
    std::string printed;  // empty: no text operation
  } cases[] = {
      {P::kNone, 0, "原样", "原样"},
      {P::kAccountOf, 0, "基本户|1234567890", "1234567890"},
      {P::kAccountOf, 0, "1234567890", "1234567890"},
      {P::kAccountOf, 0, "基本户|", ""},
      {P::kBreakAfter, 24, "abcdefghijklmnopqrstuvwxyz0123", "abcdefghijklmnopqrstuvwx\r\nyz0123"},
      {P::kBreakAfter, 24, "abcdefghijklmnopqrst", "abcdefghijklmnopqrst\r\n"},
      {P::kFormatAmount, 0, "1234.5", "1,234.50"},
      {P::kFormatAmount, 0, "999999999.99", "999,999,999.99"},
      {P::kFormatAmount, 0, ".", "0.00"},  // the figures box of an empty amount
      {P::kYearFigures, 0, "2011-01-05", "2011"},
      {P::kMonthFigures, 0, "2011-01-05", "1"},
      {P::kDayFigures, 0, "2011-01-05", "5"},
      {P::kDayFigures, 0, "2011-12-31", "31"},
      {P::kYearFigures, 0, "2011/01/05", ""},
      {P::kMonthFigures, 0, "2011-13-05", ""},
      {P::kDayFigures, 0, "2011-01-05x", ""},
  };
  for (const auto& c : cases) {
    const PrintLayout layout{"试",
                             {100, 100, PaperOrientation::kPortrait},
                             {{.x = 10,
                               .y = 20,
                               .source = "框",
                               .preparation = c.preparation,
                               .breakBytes = c.breakBytes}}};
    const std::vector<PrintOperation> texts =
        Texts(PreparePrintRun(layout, {{"框", c.source}}, {}).operations);
    std::vector<PrintOperation> expected;
    if (!c.printed.empty()) expected.push_back(PrintOperation::Text(10, 20, c.printed));
    EXPECT_EQ(texts, expected) << c.source;
  }
}

TEST(PrintEngineTest, EachItemTakesItsOwnOffsetsAndMissingOnesCountAsZero) {
  const PrintLayout layout{
      "试",
      {2660, 1660, PaperOrientation::kPortrait},
      {{.x = 100, .y = 200, .offset = {2, 0}, .source = "甲"},
       {.y = 300, .offset = {5, 1}, .digitRow = {{"元", 1000, 3}, {"角", 1050, 4}}},
       {.x = 400, .y = 500, .offset = {7, 9}, .source = "甲"}}};
  const std::vector<double> offsets = {10, 20, 30, 40.9, -50.9};
  const std::vector<PrintOperation> expected = {
      PrintOperation::Text(130, 210, "甲"),
      PrintOperation::Text(1040, 320, "￥"),  // the 元 column's offset
      PrintOperation::Text(1000, 320, "5"),
      PrintOperation::Text(400, 500, "甲"),
  };
  EXPECT_EQ(Texts(PreparePrintRun(layout, {{"甲", "甲"}, {"角", "5"}}, offsets).operations),
            expected);
}

TEST(PrintEngineTest, AnItemPrintsItsFallbackWhenItsSourceIsEmpty) {
  // The county, or the city when no county was chosen.
  const PrintLayout layout{"试",
                           {2660, 1660, PaperOrientation::kPortrait},
                           {TextItem(SongFont(9), 10, 20, "县").Or("市")}};
  const struct {
    FieldValues fields;
    std::string printed;
  } cases[] = {
      {{{"县", "浦东新区"}, {"市", "上海市"}}, "浦东新区"},
      {{{"县", ""}, {"市", "上海市"}}, "上海市"},
      {{{"市", "上海市"}}, "上海市"},
      {{{"县", ""}, {"市", ""}}, ""},
  };
  for (const auto& c : cases) {
    std::vector<PrintOperation> expected;
    if (!c.printed.empty()) expected.push_back(PrintOperation::Text(10, 20, c.printed));
    EXPECT_EQ(Texts(PreparePrintRun(layout, c.fields, {}).operations), expected) << c.printed;
  }
  EXPECT_EQ(SourceNames(layout), (std::vector<std::string>{"县", "市"}));
}

TEST(PrintEngineTest, OffsetsTruncateTowardZeroAndStayBounded) {
  const struct {
    double stored;
    int used;
  } cases[] = {{2.7, 2},           {-2.7, -2},           {-15, -15},
               {0.99, 0},          {-0.99, 0},           {999999, 999999},
               {1e300, 1'000'000}, {-1e300, -1'000'000}, {std::nan(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(TruncateOffset(c.stored), c.used) << c.stored;
}

TEST(PrintDeviceTest, FaceNamesOfNoneOrMoreThan31BytesSelectSong) {
  const struct {
    std::string face;
    std::string used;
  } cases[] = {
      {"", "宋体"},
      {std::string(31, 'a'), std::string(31, 'a')},
      {std::string(32, 'a'), "宋体"},
      {"楷体_GB2312", "楷体_GB2312"},
      {"一二三四五六七八九十一二三四五a", "一二三四五六七八九十一二三四五a"},  // 31 bytes
      {"一二三四五六七八九十一二三四五六", "宋体"},                            // 32 bytes
  };
  for (const auto& c : cases) {
    RecordingPrintDevice device;
    ASSERT_TRUE(device.BeginPrintJob({2660, 1660, PaperOrientation::kPortrait}, "试"));
    device.SetPrintFont(c.face, 9);
    EXPECT_EQ(device.job->operations, std::vector{PrintOperation::SetFont(c.used, 9)}) << c.face;
  }
}

TEST(PrintDeviceTest, ExecutesARunFromBeginToEnd) {
  const PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {-15, 20});
  RecordingPrintDevice device;
  EXPECT_TRUE(ExecutePrintRun(run, device));
  ASSERT_TRUE(device.job.has_value());
  EXPECT_EQ(*device.job, (RecordedJob{"支票打印", run.paper, run.operations, true}));
  EXPECT_FALSE(device.Started());
}

TEST(PrintDeviceTest, AJobThatDoesNotStartDrawsNothing) {
  RecordingPrintDevice device;
  device.beginAnswer = false;
  EXPECT_FALSE(ExecutePrintRun(PreparePrintRun(ChequeLayout(), FilledCheque(), {0, 0}), device));
  device.SetPrintFont("宋体", 10);
  device.PrintText(1, 2, "x");
  device.EndPrintJob();
  EXPECT_FALSE(device.job.has_value());
}

}  // namespace
}  // namespace tallyra
