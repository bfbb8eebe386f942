#include "vouchers/voucher_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/amounts.h"
#include "forms/print_device.h"
#include "forms/print_engine.h"

namespace tallyra {
namespace {

// A text as it lands on paper: where, in which font and whether italic.
struct Printed {
  int x, y;
  std::string text;
  std::string face;  // "(system)" for the platform's user-interface face
  double points;
  bool italic;
};

// Plays a run the way a device does, from the printer's initial font, upright.
std::vector<Printed> Play(const PrintRun& run) {
  std::vector<Printed> printed;
  std::string face(kDefaultPrintFace);
  double points = kInitialPrintPoints;
  bool italic = false;
  for (const PrintOperation& op : run.operations) {
    switch (op.kind) {
      case PrintOperation::Kind::kSetFont:
        face = op.systemFace ? "(system)" : op.face;
        points = op.points;
        break;
      case PrintOperation::Kind::kSetItalic:
        italic = op.italic;
        break;
      case PrintOperation::Kind::kText:
        printed.push_back({op.x, op.y, op.text, face, points, italic});
        break;
      case PrintOperation::Kind::kLine:  // the forms draw no lines
        break;
    }
  }
  return printed;
}

std::optional<Printed> At(const std::vector<Printed>& printed, int x, int y) {
  for (const Printed& p : printed) {
    if (p.x == x && p.y == y) return p;
  }
  return std::nullopt;
}

struct Voucher {
  VoucherKind kind;
  const PrintLayout& (*layout)();
  const char* name;
};

const Voucher kVouchers[] = {{VoucherKind::kReceipt, &ReceiptVoucherLayout, "receipt"},
                             {VoucherKind::kPayment, &PaymentVoucherLayout, "payment"},
                             {VoucherKind::kTransfer, &TransferVoucherLayout, "transfer"}};

bool IsTransfer(const Voucher& v) { return v.kind == VoucherKind::kTransfer; }

// Every field of the voucher filled: line k's texts carry k, its amount is 9 … 0 less k.
FieldValues Filled(const Voucher& v) {
  FieldValues fields = {{"编辑框1", "C1"}, {"编辑框2", "M2"}, {"日期框2", "2011-03-05"},
                        {"编辑框85", "7"}, {"编辑框74", "L"}, {"编辑框73", "R"}};
  if (!IsTransfer(v)) fields["组合框1"] = "现金";
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames line = VoucherLine(v.kind, k);
    const std::string n = std::to_string(k + 1);
    fields[line.counterparty] = "cp" + n;
    fields[line.summary] = "su" + n;
    for (std::size_t s = 0; s < line.subjects.size(); ++s) {
      fields[line.subjects[s]] = "sj" + n + std::to_string(s);
    }
    for (int j = 0; j < kVoucherAmountCells; ++j) fields[line.cells[j]] = std::to_string(j);
    fields[line.leftMark] = "a" + n;
    fields[line.rightMark] = "b" + n;
  }
  const std::vector<std::string> totals = VoucherTotalCells();
  for (std::size_t j = 0; j < totals.size(); ++j) fields[totals[j]] = std::to_string(9 - j);
  return fields;
}

TEST(VoucherLayoutTest, PaperAndJobName) {
  const std::string jobs[] = {"收款凭证打印", "付款凭证打印", "转帐凭证打印"};
  for (std::size_t i = 0; i < 3; ++i) {
    const PrintLayout& layout = kVouchers[i].layout();
    EXPECT_EQ(layout.jobName, jobs[i]);
    EXPECT_EQ(layout.paper, (PaperSpec{1250, 2660, PaperOrientation::kLandscape}));
  }
}

TEST(VoucherLayoutTest, HeaderItemsAndTheCashiersFont) {
  const struct {
    const char* text;
    int receiptX, transferX, y;
  } header[] = {{"C1", 2230, 2230, 400},
                {"2011", 1100, 1100, 500},
                {"3", 1280, 1280, 500},
                {"5", 1450, 1450, 500},
                {"M2", 2230, 2240, 500}};
  for (const Voucher& v : kVouchers) {
    SCOPED_TRACE(v.name);
    const std::vector<Printed> printed = Play(PreparePrintRun(v.layout(), Filled(v), {}));
    for (const auto& item : header) {
      const auto p = At(printed, IsTransfer(v) ? item.transferX : item.receiptX, item.y);
      ASSERT_TRUE(p) << item.text;
      EXPECT_EQ(p->text, item.text);
      EXPECT_FALSE(p->italic) << item.text;
      if (item.y == 400) continue;
      EXPECT_EQ(p->face, "宋体");
      EXPECT_EQ(p->points, 8);
    }
    const auto cashier = At(printed, 2230, 400);
    // The receipt's printer starts in 宋体 7.5; the other two set the size 8 in the
    // platform's face before the first item.
    EXPECT_EQ(cashier->face, v.kind == VoucherKind::kReceipt ? "宋体" : "(system)");
    EXPECT_EQ(cashier->points, v.kind == VoucherKind::kReceipt ? 7.5 : 8);
    const auto subject = At(printed, 490, 500);
    if (IsTransfer(v)) {
      EXPECT_FALSE(subject) << "no header subject";
    } else {
      ASSERT_TRUE(subject);
      EXPECT_EQ(subject->text, "现金");
    }
  }
}

TEST(VoucherLayoutTest, FiveLinesAtTheirHeightsWithUprightTextsAndItalicAmounts) {
  for (const Voucher& v : kVouchers) {
    SCOPED_TRACE(v.name);
    const std::vector<Printed> printed = Play(PreparePrintRun(v.layout(), Filled(v), {}));
    const std::vector<int> ys = IsTransfer(v) ? std::vector<int>{730, 810, 880, 960, 1040}
                                              : std::vector<int>{710, 790, 870, 950, 1030};
    const std::vector<int> textXs = IsTransfer(v)
                                        ? std::vector<int>{250, 590, 1040, 1270, 1500, 1730}
                                        : std::vector<int>{260, 630, 1340, 1650};
    const int cellXs[] = {1950, 1990, 2040, 2080, 2120, 2160, 2200, 2240, 2280, 2330};
    for (int k = 0; k < kVoucherLines; ++k) {
      const std::string n = std::to_string(k + 1);
      const int y = ys[static_cast<std::size_t>(k)];
      std::vector<std::string> texts = {"cp" + n, "su" + n};
      for (std::size_t s = 0; s + 2 < textXs.size(); ++s)
        texts.push_back("sj" + n + std::to_string(s));
      for (std::size_t i = 0; i < textXs.size(); ++i) {
        const auto p = At(printed, textXs[i], y);
        ASSERT_TRUE(p) << "line " << n << " x " << textXs[i];
        EXPECT_EQ(p->text, texts[i] + "\r\n") << "the break after the text prints nothing";
        EXPECT_FALSE(p->italic) << p->text;
      }
      for (int j = 0; j < kVoucherAmountCells; ++j) {
        const auto p = At(printed, cellXs[j], y);
        ASSERT_TRUE(p) << "line " << n << " cell " << j;
        EXPECT_EQ(p->text, std::to_string(j)) << "one character, no ￥";
        EXPECT_TRUE(p->italic);
      }
      EXPECT_EQ(At(printed, 2370, y)->text, "a" + n);
      EXPECT_TRUE(At(printed, 2370, y)->italic);
      EXPECT_EQ(At(printed, 2420, y)->text, "b" + n);
      EXPECT_TRUE(At(printed, 2420, y)->italic);
    }
  }
}

TEST(VoucherLayoutTest, TheAttachmentCountAndTheItalicSwitches) {
  for (const Voucher& v : kVouchers) {
    SCOPED_TRACE(v.name);
    const PrintRun run = PreparePrintRun(v.layout(), Filled(v), {});
    const std::vector<Printed> printed = Play(run);
    // Receipt and payment: italic at line 3's height; transfer: upright at 890.
    const auto count = At(printed, 2470, IsTransfer(v) ? 890 : 870);
    ASSERT_TRUE(count);
    EXPECT_EQ(count->text, "7");
    EXPECT_EQ(count->italic, !IsTransfer(v));
    EXPECT_EQ(count->points, 8);
    std::vector<bool> switches;
    for (const PrintOperation& op : run.operations) {
      if (op.kind == PrintOperation::Kind::kSetItalic) switches.push_back(op.italic);
    }
    // Receipt and payment: on for each line, off after lines 1, 3, 4, the attachment
    // count and the totals; transfer: on and off around each line and the totals.
    const std::vector<bool> expected =
        IsTransfer(v)
            ? std::vector<bool>{true, false, true, false, true, false,
                                true, false, true, false, true, false}
            : std::vector<bool>{true, false, true, false, true, false, true, false, true, false};
    EXPECT_EQ(switches, expected);
  }
}

TEST(VoucherLayoutTest, TotalsRowMarksAndCaption) {
  for (const Voucher& v : kVouchers) {
    SCOPED_TRACE(v.name);
    const std::vector<Printed> printed = Play(PreparePrintRun(v.layout(), Filled(v), {}));
    const int y = IsTransfer(v) ? 1120 : 1110;
    const auto left = At(printed, 2370, y);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->text, "L");
    // The receipt and payment vouchers' right total mark stands at 2410, the lines' at 2420.
    const auto right = At(printed, IsTransfer(v) ? 2420 : 2410, y);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->text, "R");
    EXPECT_TRUE(right->italic);
    EXPECT_FALSE(At(printed, IsTransfer(v) ? 2410 : 2420, y));
    const auto caption = At(printed, 250, 1120);
    if (IsTransfer(v)) {
      ASSERT_TRUE(caption);
      EXPECT_EQ(caption->text, "      合    计    ");
      EXPECT_FALSE(caption->italic);
    } else {
      EXPECT_FALSE(caption);
    }
  }
}

TEST(VoucherLayoutTest, TheYuanSignStandsLeftOfTheTotalsLeadingDigit) {
  const struct {
    double fen;
    std::optional<int> signX;  // none: no sign
  } cases[] = {{5, 2280},
               {1, 2280},
               {9, 2280},
               {10, 2240},
               {50, 2240},
               {99, 2240},
               {1000000000, std::nullopt},
               {49999999995, std::nullopt}};
  for (const Voucher& v : kVouchers) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(v.name) + " " + std::to_string(c.fen));
      FieldValues fields;
      const std::vector<std::string> names = VoucherTotalCells();
      const std::vector<std::string> cells = TotalIntoCells(c.fen, names.size());
      for (std::size_t j = 0; j < names.size(); ++j) fields[names[j]] = cells[j];
      const int y = IsTransfer(v) ? 1120 : 1110;
      int signs = 0;
      for (const Printed& p : Play(PreparePrintRun(v.layout(), fields, {}))) {
        if (p.text != "￥") continue;
        ++signs;
        EXPECT_EQ(p.y, y);
        EXPECT_TRUE(p.italic);
        if (c.signX) {
          EXPECT_EQ(p.x, *c.signX);
        }
      }
      EXPECT_EQ(signs, c.signX ? 1 : 0);
    }
  }
}

TEST(VoucherLayoutTest, OffsetsMoveEveryItem) {
  for (const Voucher& v : kVouchers) {
    SCOPED_TRACE(v.name);
    const std::vector<Printed> still = Play(PreparePrintRun(v.layout(), Filled(v), {}));
    const std::vector<Printed> moved = Play(PreparePrintRun(v.layout(), Filled(v), {30, -20}));
    ASSERT_EQ(moved.size(), still.size());
    for (std::size_t i = 0; i < still.size(); ++i) {
      EXPECT_EQ(moved[i].x, still[i].x + 30) << moved[i].text;
      EXPECT_EQ(moved[i].y, still[i].y - 20) << moved[i].text;
    }
    EXPECT_EQ(At(moved, 2260, 380)->text, "C1");
    const auto rightTotal = IsTransfer(v) ? At(moved, 2450, 1100) : At(moved, 2440, 1090);
    ASSERT_TRUE(rightTotal);
    EXPECT_EQ(rightTotal->text, "R");
  }
}

TEST(VoucherLayoutTest, LongTextsWrapAtTheirWidths) {
  const std::string twelve = "一二三四五六七八九十甲乙";
  const std::string twenty = twelve + "丙丁戊己庚辛壬癸";
  const std::string ten = "一二三四五六七八九十";
  for (const Voucher& v : kVouchers) {
    SCOPED_TRACE(v.name);
    const VoucherLineNames line = VoucherLine(v.kind, 0);
    FieldValues fields = {{line.counterparty, twelve}, {line.summary, twenty}};
    fields[line.subjects[0]] = ten;
    const std::vector<Printed> printed = Play(PreparePrintRun(v.layout(), fields, {}));
    const int y = IsTransfer(v) ? 730 : 710;
    EXPECT_EQ(At(printed, IsTransfer(v) ? 250 : 260, y)->text, "一二三四五六七八九十甲\r\n乙");
    EXPECT_EQ(At(printed, IsTransfer(v) ? 590 : 630, y)->text,
              IsTransfer(v) ? twenty.substr(0, 42) + "\r\n" + twenty.substr(42) : twenty + "\r\n");
    EXPECT_EQ(At(printed, IsTransfer(v) ? 1040 : 1340, y)->text,
              IsTransfer(v) ? ten.substr(0, 21) + "\r\n" + ten.substr(21)
                            : ten.substr(0, 24) + "\r\n" + ten.substr(24));
  }
}

}  // namespace
}  // namespace tallyra
