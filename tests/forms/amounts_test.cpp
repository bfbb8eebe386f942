#include "forms/amounts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/print_text.h"

namespace tallyra {
namespace {

using Cells = std::vector<std::string>;

// Ten cells 千万 … 分 with the given texts from the 分 cell leftward.
Cells TenCells(const std::vector<std::pair<int, std::string>>& filled) {
  Cells cells(10);
  for (const auto& [index, text] : filled) cells[static_cast<std::size_t>(index)] = text;
  return cells;
}

TEST(AmountsTest, FigureOfTheBankDigitRow) {
  const struct {
    Cells cells;
    std::string figure;
  } cases[] = {
      {{"", "", "", "", "1", "2", "3", "4", "5", "6", "7"}, "12345.67"},
      {{"", "", "", "", "5", "", "", "", "", "", ""}, "5."},
      {{"", "", "", "", "", "", "", "", "1", "-", "5"}, "1.-5"},
      {Cells(11), "."},
  };
  for (const auto& c : cases) EXPECT_EQ(FigureOfCells(c.cells), c.figure) << c.figure;
}

TEST(AmountsTest, VoucherLineAmountInFen) {
  const struct {
    const char* name;
    Cells cells;
    double fen;
  } cases[] = {
      {"1 in 千, 5 in 十, the cells between empty", TenCells({{4, "1"}, {8, "5"}}), 15},
      {"5 元 0 角 0 分", TenCells({{7, "5"}, {8, "0"}, {9, "0"}}), 500},
      {"the largest line", Cells(10, "9"), 9'999'999'999},
      {"a leading minus sign", TenCells({{6, "-"}, {7, "5"}, {8, "0"}, {9, "0"}}), -500},
      {"a minus sign after a digit ends the number", TenCells({{7, "1"}, {8, "-"}, {9, "5"}}), 1},
      {"empty", Cells(10), 0},
      {"only a minus sign", TenCells({{9, "-"}}), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LineAmountInFen(c.cells), c.fen) << c.name;
}

TEST(AmountsTest, TotalsStandRightAlignedInTheTenCellsAndSayWhetherTheyFit) {
  const struct {
    double total;
    Cells cells;
    bool fits;
  } cases[] = {
      // Line 1 = 5 元, line 2 = 1 000 元: 1 0 0 5 0 0 in 千 … 分.
      {100'500, TenCells({{4, "1"}, {5, "0"}, {6, "0"}, {7, "5"}, {8, "0"}, {9, "0"}}), true},
      {15, TenCells({{8, "1"}, {9, "5"}}), true},
      {0, TenCells({{9, "0"}}), true},
      {-500, TenCells({{6, "-"}, {7, "5"}, {8, "0"}, {9, "0"}}), true},
      {9'999'999'999, Cells(10, "9"), true},
      {-999'999'999, Cells{"-", "9", "9", "9", "9", "9", "9", "9", "9", "9"}, true},
      // The sign is what is lost here.
      {-1'000'000'000, Cells{"1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, false},
      {10'000'000'000, Cells(10, "0"), false},
      // Five lines of 9 999 999 999 fen: only the last ten digits show.
      {49'999'999'995, Cells{"9", "9", "9", "9", "9", "9", "9", "9", "9", "5"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TotalIntoCells(c.total, 10), c.cells) << c.total;
    EXPECT_EQ(TotalFitsCells(c.total, 10), c.fits) << c.total;
  }
}

TEST(AmountsTest, TheYuanSignStandsLeftOfTheTotalByItsSize) {
  std::vector<int> xs;
  for (int k = 0; k < 10; ++k) xs.push_back(100 * k);  // column k at x 100k
  const struct {
    double fen;
    int signColumn;  // -1: no sign
  } cases[] = {
      {7, 8},               // 1–9 fen: in the 角 column
      {50, 7},              // 50 fen: in the 元 column
      {99, 7},              // 10–99 fen
      {100'500, 3},         // 1 005.00 元: in the 万 column
      {1'000'000'000, -1},  // ten digits fill the row
      {9'999'999'999, -1},
      {0, -1},  // a single 0 gets none
  };
  for (const auto& c : cases) {
    int sign = -1;
    for (const PlacedText& placed : PlaceDigitRow(TotalIntoCells(c.fen, 10), xs)) {
      if (placed.text == "￥") sign = placed.x / 100;
    }
    EXPECT_EQ(sign, c.signColumn) << c.fen;
  }
}

TEST(AmountsTest, CashSlipTotalCells) {
  const struct {
    double total;
    std::string text;
    Cells cells;
  } cases[] = {
      // 3 × 100, 1 × 50, 2 × 1 and 150 coins of 0.01.
      {353.5, "353.50", TenCells({{5, "3"}, {6, "5"}, {7, "3"}, {8, "5"}, {9, "0"}})},
      {0.07, "0.07", TenCells({{7, "0"}, {8, "0"}, {9, "7"}})},
      {0, "0.00", TenCells({{7, "0"}, {8, "0"}, {9, "0"}})},
      {2.675, "2.68", TenCells({{7, "2"}, {8, "6"}, {9, "8"}})},
      // 100 000 000 yuan loses its highest digit in ten cells.
      {100'000'000, "100000000.00", Cells(10, "0")},
      {-3, "-3.00", TenCells({{6, "-"}, {7, "3"}, {8, "0"}, {9, "0"}})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TwoDecimalText(c.total), c.text);
    EXPECT_EQ(TwoDecimalsIntoCells(c.text, 10), c.cells) << c.text;
  }
}

}  // namespace
}  // namespace tallyra
