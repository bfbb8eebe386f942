#include "forms/deposit_slip_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data/gbk_text.h"
#include "forms/print_engine.h"
#include "tests/support/filled_deposit_slip.h"

namespace tallyra {

void PrintTo(const PrintOperation& operation, std::ostream* out);

namespace {

// One printed text of the filled slip: where the table puts it and which offset fields
// move it (fx left/right, fy up/down).
struct SlipText {
  const char* face;
  double points;
  bool italic;
  int x, y;
  int fx, fy;
  std::string text;
};

const std::vector<SlipText>& FilledSlipTexts() {
  static const std::vector<SlipText> texts = [] {
    std::vector<SlipText> rows = {
        {"宋体", 10, false, 500, 220, 2, 1, "2011"},
        {"宋体", 10, false, 700, 220, 3, 1, "1"},
        {"宋体", 10, false, 850, 220, 4, 1, "5"},
        // 40 bytes: the first 32 on the line, 8 below.
        {"宋体", 8, false, 260, 280, 6, 5, "上海东方机电设备制造有限公司浦东\r\n新分公司"},
        {"宋体", 8, false, 1060, 280, 7, 5, "北京华北电力工程有限公司\r\n"},
        {"宋体", 10, true, 260, 360, 9, 8, "1234567890"},
        {"宋体", 10, true, 1060, 360, 10, 8, "6222020200001234"},
        {"宋体", 10, false, 260, 440, 12, 11, "工商银行浦东支行"},
        {"宋体", 10, false, 1060, 440, 13, 11, "建设银行西城支行"},
        {"楷体_GB2312", 11, false, 240, 540, 16, 14, "壹仟贰佰叁拾肆元伍角整"},
    };
    // The digit row: "￥" in the 万 column (f21), then 千 … 分 (f22 … f27), y by f15.
    rows.push_back({"宋体", 10, true, 1260, 570, 21, 15, "￥"});
    const char* digits[] = {"1", "2", "3", "4", "5", "0"};
    for (int k = 0; k < 6; ++k)
      rows.push_back({"宋体", 10, true, 1310 + 50 * k, 570, 22 + k, 15, digits[k]});
    rows.push_back({"宋体", 10, false, 260, 630, 29, 28, "转账支票"});
    rows.push_back({"宋体", 10, false, 700, 630, 30, 28, "2"});
    rows.push_back(
        {"楷体_GB2312", 11, false, 820, 630, 34, 32,
         "货款一二三四五六七八九十一二三四五六七\r\n八九十一二三四五六七八九十一二三四五六"});
    rows.push_back({"宋体", 10, false, 260, 690, 33, 31, "10203040"});
    return rows;
  }();
  return texts;
}

std::vector<PrintOperation> TextsOf(const PrintRun& run) {
  std::vector<PrintOperation> texts;
  for (const PrintOperation& op : run.operations) {
    if (op.kind == PrintOperation::Kind::kText) texts.push_back(op);
  }
  return texts;
}

TEST(DepositSlipLayoutTest, TheFilledSlipFillsEverySourceOfTheLayout) {
  std::set<std::string> printed;
  for (const std::string& name : SourceNames(DepositSlipLayout())) printed.insert(name);
  for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "小写编辑框5"}) {
    EXPECT_EQ(printed.count(name), 0u) << name << " is shown, not printed";
  }
  EXPECT_EQ(DepositSlipLayout().jobName, "进帐单打印");
  EXPECT_EQ(DepositSlipLayout().paper, (PaperSpec{2660, 1660, PaperOrientation::kPortrait}));
  EXPECT_EQ(GbkLength(FilledDepositSlip().at("用途编辑框1")), 76u);
  EXPECT_EQ(GbkLength(FilledDepositSlip().at("出全称组合框2")), 40u);
}

TEST(DepositSlipLayoutTest, EveryTextStandsAtItsPlacePlusItsOwnOffsets) {
  // Offsets of zero, and then each field N holding 10 N + 0.7 (used as 10 N), so that an
  // item moved by a wrong field shows.
  for (bool distinct : {false, true}) {
    std::vector<double> offsets(34, 0.0);
    if (distinct) {
      for (int field = 1; field <= 34; ++field) offsets[field - 1] = 10 * field + 0.7;
    }
    const auto f = [&](int field) { return distinct ? 10 * field : 0; };
    std::vector<PrintOperation> expected;
    for (const SlipText& t : FilledSlipTexts()) {
      expected.push_back(PrintOperation::Text(t.x + f(t.fx), t.y + f(t.fy), t.text));
    }
    EXPECT_EQ(TextsOf(PreparePrintRun(DepositSlipLayout(), FilledDepositSlip(), offsets)), expected)
        << (distinct ? "distinct offsets" : "zero offsets");
  }
}

TEST(DepositSlipLayoutTest, FontsAndItalicAsTheTableSays) {
  const PrintRun run = PreparePrintRun(DepositSlipLayout(), FilledDepositSlip(), {});
  PrintFont font;
  bool italic = false;
  std::size_t next = 0;
  for (const PrintOperation& op : run.operations) {
    if (op.kind == PrintOperation::Kind::kSetFont) font = {op.face, op.points};
    if (op.kind == PrintOperation::Kind::kSetItalic) italic = op.italic;
    if (op.kind != PrintOperation::Kind::kText) continue;
    ASSERT_LT(next, FilledSlipTexts().size());
    const SlipText& t = FilledSlipTexts()[next++];
    EXPECT_EQ(font, (PrintFont{t.face, t.points})) << t.text;
    EXPECT_EQ(italic, t.italic) << t.text;  // items 12 to 15 upright after the digits
  }
  EXPECT_EQ(next, FilledSlipTexts().size());
}

TEST(DepositSlipLayoutTest, TheDigitRowMovesByF15AndOneColumnByItsOwnField) {
  FieldValues fields = FilledDepositSlip();
  // Only 十 (of yuan) filled, so its "￥" stands in the 百 column; then 5 in 十 alone.
  for (int k = 4; k <= 14; ++k) fields["编辑框" + std::to_string(k)] = "";
  fields["编辑框11"] = "5";
  const auto digitTexts = [&](const std::vector<double>& offsets) {
    std::vector<PrintOperation> row;
    for (const PrintOperation& op :
         TextsOf(PreparePrintRun(DepositSlipLayout(), fields, offsets))) {
      if (op.y >= 540 && op.y < 620 && op.x >= 1000 && op.x < 1700) row.push_back(op);
    }
    return row;
  };
  std::vector<double> offsets(34, 0.0);
  EXPECT_EQ(digitTexts(offsets),
            (std::vector<PrintOperation>{PrintOperation::Text(1360, 570, "￥"),
                                         PrintOperation::Text(1410, 570, "5")}));
  offsets[15 - 1] = -15;  // up/down of the whole row
  EXPECT_EQ(digitTexts(offsets),
            (std::vector<PrintOperation>{PrintOperation::Text(1360, 555, "￥"),
                                         PrintOperation::Text(1410, 555, "5")}));
  offsets[15 - 1] = 0;
  offsets[24 - 1] = 20;  // the 十 column alone
  EXPECT_EQ(digitTexts(offsets),
            (std::vector<PrintOperation>{PrintOperation::Text(1360, 570, "￥"),
                                         PrintOperation::Text(1430, 570, "5")}));
  offsets[24 - 1] = 0;
  offsets[23 - 1] = 20;  // the 百 column: the "￥" printed in it moves with it
  EXPECT_EQ(digitTexts(offsets),
            (std::vector<PrintOperation>{PrintOperation::Text(1380, 570, "￥"),
                                         PrintOperation::Text(1410, 570, "5")}));
}

}  // namespace
}  // namespace tallyra
