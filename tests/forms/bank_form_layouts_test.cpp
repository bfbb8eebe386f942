// The wire-transfer voucher and the cash deposit slip, filled in, against their layout
// tables: every item's font, position plus the truncated offsets, and prepared text.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "forms/cash_deposit_layout.h"
#include "forms/print_engine.h"
#include "forms/wire_transfer_layout.h"
#include "tests/support/print_operation_printer.h"

namespace tallyra {

namespace {

// One row of a layout table with the texts a filled form prints there.
struct Row {
  const char* face;  // nullptr: the font of the row before stays
  double points;
  bool italic;
  int y;
  std::vector<std::pair<int, std::string>> texts;  // x, text
};

std::vector<PrintOperation> Expected(const std::vector<Row>& rows, int dx, int dy) {
  std::vector<PrintOperation> expected;
  for (const Row& row : rows) {
    if (row.face) expected.push_back(PrintOperation::SetFont(row.face, row.points));
    if (row.italic) expected.push_back(PrintOperation::SetItalic(true));
    for (const auto& [x, text] : row.texts) {
      expected.push_back(PrintOperation::Text(x + dx, row.y + dy, text));
    }
    if (row.italic) expected.push_back(PrintOperation::SetItalic(false));
  }
  return expected;
}

const struct {
  double storedDx, storedDy;
  int dx, dy;
} kOffsets[] = {{0, 0, 0, 0}, {-15, 20, -15, 20}, {2.7, -2.7, 2, -2}};

// A voucher issued 2030-10-20 for 1234.50 (千 … 分), a 40-byte remitter name, a 20-byte
// payee name, an account typed without "|", a remitter county and no payee county.
FieldValues FilledWireTransfer() {
  FieldValues fields = {
      {"日期框1", "2030-10-20"},
      {"汇全称组合框2", "上海东方机电设备进出口有限公司第一分公司"},
      {"收全称编辑框2", "北京华联商贸有限公司"},
      {"汇账号组合框3", "基本户|1234567890"},
      {"收账号编辑框3", "6222020200112233"},
      {"汇省组合框1", "浙江省"},
      {"汇市组合框1", "杭州市"},
      {"汇市县组合框2", "西湖区"},
      {"收省组合框3", "江苏省"},
      {"收市组合框3", "南京市"},
      {"收市县组合框4", ""},
      {"汇开户行组合框4", "工商银行杭州分行"},
      {"收开户行编辑框4", "建设银行南京分行"},
      {"大写编辑框2", "壹仟贰佰叁拾肆元伍角整"},
      {"密码编辑框3", "8866123456781234"},
      {"附加编辑框4", "货款"},
  };
  const char* const digits[] = {"", "", "", "", "", "1", "2", "3", "4", "5", "0"};
  for (int k = 0; k < 11; ++k) fields["编辑框" + std::to_string(4 + k)] = digits[k];
  return fields;
}

TEST(BankFormLayoutsTest, WireTransferItemsStandAtTheirPositionsPlusTheOffsets) {
  const std::vector<Row> rows = {
      {"宋体", 8, false, 200, {{700, "2030"}}},
      {"宋体", 8, false, 200, {{880, "10"}}},
      {"宋体", 8, false, 200, {{950, "20"}}},
      {"宋体", 8, false, 260, {{300, "上海东方机电设备进出口有限公司第\r\n一分公司"}}},
      {"宋体", 8, false, 260, {{1100, "北京华联商贸有限公司\r\n"}}},
      {"宋体", 10, true, 330, {{300, "1234567890"}}},
      {"宋体", 10, true, 330, {{1100, "6222020200112233"}}},
      {"宋体", 10, false, 390, {{300, "浙江省"}}},
      {"宋体", 10, false, 390, {{520, "西湖区"}}},
      {"宋体", 10, false, 390, {{1100, "江苏省"}}},
      {"宋体", 10, false, 390, {{1350, "南京市"}}},
      {"宋体", 10, false, 460, {{300, "工商银行杭州分行"}}},
      {"宋体", 10, false, 460, {{1100, "建设银行南京分行"}}},
      {"楷体_GB2312", 11, false, 550, {{200, "壹仟贰佰叁拾肆元伍角整"}}},
      {"宋体",
       10,
       true,
       560,
       {{1320, "￥"},
        {1370, "1"},
        {1430, "2"},
        {1480, "3"},
        {1530, "4"},
        {1590, "5"},
        {1640, "0"}}},
      {"宋体", 10, false, 610, {{1100, "8866123456781234"}}},
      {"宋体", 10, false, 690, {{1050, "货款\r\n"}}},
  };
  for (const auto& c : kOffsets) {
    const PrintRun run =
        PreparePrintRun(WireTransferLayout(), FilledWireTransfer(), {c.storedDx, c.storedDy});
    EXPECT_EQ(run.jobName, "电汇凭证打印");
    EXPECT_EQ(run.paper, (PaperSpec{2660, 1660, PaperOrientation::kPortrait}));
    EXPECT_EQ(run.operations, Expected(rows, c.dx, c.dy)) << c.storedDx << ", " << c.storedDy;
  }
}

TEST(BankFormLayoutsTest, WireTransferPrintsTheCityWhenNoCountyIsGiven) {
  FieldValues fields = FilledWireTransfer();
  fields["汇市县组合框2"] = "";
  fields["收市县组合框4"] = "鼓楼区";
  std::vector<std::string> at390;
  for (const PrintOperation& op :
       PreparePrintRun(WireTransferLayout(), fields, {0, 0}).operations) {
    if (op.kind == PrintOperation::Kind::kText && op.y == 390) at390.push_back(op.text);
  }
  EXPECT_EQ(at390, (std::vector<std::string>{"浙江省", "杭州市", "江苏省", "鼓楼区"}));
}

// A slip dated 2011-01-05 with 3 × 100元, 1 × 50元, 2 × 1元 and 150 coins: 353.50.
FieldValues FilledCashDeposit() {
  FieldValues fields = {
      {"日期框1", "2011-01-05"},
      {"收单位组合框1", "北京华联商贸有限公司"},
      {"收账号组合框2", "基本户|1234567890"},
      {"开户行组合框3", "工商银行"},
      {"来源组合框1", "货款"},
      {"交单位组合框4", "上海东方机电"},
      {"大写编辑框1", "叁佰伍拾叁元伍角整"},
      {"编辑框11", "3"},
      {"编辑框19", "300"},
      {"编辑框12", "1"},
      {"编辑框20", "50"},
      {"编辑框17", "2"},
      {"编辑框25", "2"},
      {"编辑框18", "150"},
      {"编辑框26", "1.5"},
  };
  const char* const cells[] = {"", "", "", "", "", "3", "5", "3", "5", "0"};  // 千万 … 分
  for (int k = 0; k < 10; ++k) fields["编辑框" + std::to_string(10 - k)] = cells[k];
  return fields;
}

TEST(BankFormLayoutsTest, CashDepositItemsStandAtTheirPositionsPlusTheOffsets) {
  const std::vector<Row> rows = {
      {"宋体", 9, false, 250, {{750, "2011"}}},
      {"宋体", 9, false, 250, {{870, "1"}}},
      {"宋体", 9, false, 250, {{970, "5"}}},
      {"宋体", 9, false, 340, {{380, "北京华联商贸有限公司"}}},
      {"宋体", 9, false, 340, {{1150, "1234567890"}}},
      {"宋体", 9, false, 410, {{380, "工商银行"}}},
      {"宋体", 9, false, 410, {{940, "货款"}}},
      {"宋体", 9, false, 410, {{1320, "上海东方机电"}}},
      {"楷体_GB2312", 12, false, 500, {{380, "叁佰伍拾叁元伍角整"}}},
      {"宋体",
       9,
       true,
       530,
       {{1320, "￥"}, {1380, "3"}, {1440, "5"}, {1500, "3"}, {1560, "5"}, {1620, "0"}}},
      {"宋体", 9, false, 660, {{380, "3"}, {500, "300"}}},
      {"宋体", 9, false, 730, {{380, "1"}, {500, "50"}}},
      {"宋体", 9, false, 800, {{900, "2"}, {1000, "2"}}},
      {"宋体", 9, false, 870, {{900, "150"}, {1000, "1.5"}}},
  };
  for (const auto& c : kOffsets) {
    const PrintRun run =
        PreparePrintRun(CashDepositLayout(), FilledCashDeposit(), {c.storedDx, c.storedDy});
    EXPECT_EQ(run.jobName, "现金交款单打印");
    EXPECT_EQ(run.paper, (PaperSpec{2660, 1660, PaperOrientation::kPortrait}));
    EXPECT_EQ(run.operations, Expected(rows, c.dx, c.dy)) << c.storedDx << ", " << c.storedDy;
  }
}

TEST(BankFormLayoutsTest, CashDepositTablePrintsEachBoxInItsColumn) {
  // Every count and amount box with its own number, to catch a box in the wrong place.
  FieldValues fields;
  for (int box = 11; box <= 26; ++box) fields["编辑框" + std::to_string(box)] = std::to_string(box);
  std::map<std::pair<int, int>, std::string> printed;
  for (const PrintOperation& op : PreparePrintRun(CashDepositLayout(), fields, {0, 0}).operations) {
    if (op.kind == PrintOperation::Kind::kText && op.y >= 660) printed[{op.x, op.y}] = op.text;
  }
  const std::map<std::pair<int, int>, std::string> expected = {
      {{380, 660}, "11"}, {{500, 660}, "19"}, {{900, 660}, "15"}, {{1000, 660}, "23"},
      {{380, 730}, "12"}, {{500, 730}, "20"}, {{900, 730}, "16"}, {{1000, 730}, "24"},
      {{380, 800}, "13"}, {{500, 800}, "21"}, {{900, 800}, "17"}, {{1000, 800}, "25"},
      {{380, 870}, "14"}, {{500, 870}, "22"}, {{900, 870}, "18"}, {{1000, 870}, "26"},
  };
  EXPECT_EQ(printed, expected);
}

}  // namespace
}  // namespace tallyra
