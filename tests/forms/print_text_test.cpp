#include "forms/print_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallyra {
namespace {

TEST(PrintTextTest, AccountOf) {
  const struct {
    std::string entry;
    std::string account;
  } cases[] = {
      {"基本户|1234567890", "1234567890"},
      {"1234567890", "1234567890"},
      {"基本户|", ""},
      {"", ""},
      {"a|b|c", "b|c"},
  };
  for (const auto& c : cases) EXPECT_EQ(AccountOf(c.entry), c.account) << c.entry;
}

TEST(PrintTextTest, BreakAfter) {
  const struct {
    std::string text;
    std::size_t maxBytes;
    std::string broken;
  } cases[] = {
      // 30 bytes: the first 24 on line one, the rest below.
      {"abcdefghijklmnopqrstuvwxyz0123", 24, "abcdefghijklmnopqrstuvwx\r\nyz0123"},
      {"abcdefghijklmnopqrst", 24, "abcdefghijklmnopqrst\r\n"},
      {"abcdefghijklmnopqrstuvwx", 24, "abcdefghijklmnopqrstuvwx\r\n"},
      {"", 24, "\r\n"},
      // A break after byte 2 or 4 would split 支 or 票: it moves before that character.
      {"a支票打印", 2, "a\r\n支票打印"},
      {"a支票打印", 3, "a支\r\n票打印"},
      {"a支票打印", 4, "a支\r\n票打印"},
      {"a支票打印", 5, "a支票\r\n打印"},
      {"支票打印单", 6, "支票打\r\n印单"},
      // "€" is one byte: three of them fit in three bytes.
      {"€€€€", 3, "€€€\r\n€"},
      {"€中文", 3, "€中\r\n文"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BreakAfter(c.text, c.maxBytes), c.broken) << c.text << " after " << c.maxBytes;
  }
}

TEST(PrintTextTest, FormatAmount) {
  const struct {
    double yuan;
    std::string text;
  } cases[] = {
      {1234.5, "1,234.50"},      {0, "0.00"},
      {1000000, "1,000,000.00"}, {999999999.99, "999,999,999.99"},
      {0.005, "0.01"},           {2.675, "2.68"},
      {256.025, "256.03"},       {999.995, "1,000.00"},
      {100, "100.00"},           {-1234.5, "-1,234.50"},
      {-0.001, "0.00"},          {12, "12.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.yuan), c.text) << c.yuan;
}

TEST(PrintTextTest, DateFigures) {
  EXPECT_EQ(DateFigures({2011, 1, 5}), (DateTexts{"2011", "1", "5"}));
  EXPECT_EQ(DateFigures({2026, 12, 31}), (DateTexts{"2026", "12", "31"}));
}

// Boxes from 亿 to 分: 亿 千 百 十 万 千 百 十 元 角 分, one cell 100 apart.
constexpr int kBoxes = 11;
std::vector<int> CellXs() {
  std::vector<int> xs;
  for (int k = 0; k < kBoxes; ++k) xs.push_back(1000 + 100 * k);
  return xs;
}
std::vector<std::string> Row(const std::vector<std::pair<int, std::string>>& filled) {
  std::vector<std::string> row(kBoxes);
  for (const auto& [box, text] : filled) row[box] = text;
  return row;
}

TEST(PrintTextTest, PlaceDigitRowPutsTheYuanMarkLeftOfLeadingDigits) {
  const struct {
    const char* name;
    std::vector<std::string> row;
    std::vector<PlacedText> placed;
  } cases[] = {
      {"1234.56 in 千..分",
       Row({{5, "1"}, {6, "2"}, {7, "3"}, {8, "4"}, {9, "5"}, {10, "6"}}),
       {{1400, "￥"},
        {1500, "1"},
        {1600, "2"},
        {1700, "3"},
        {1800, "4"},
        {1900, "5"},
        {2000, "6"}}},
      {"only 角 and 分", Row({{9, "5"}, {10, "0"}}), {{1800, "￥"}, {1900, "5"}, {2000, "0"}}},
      {"highest box filled, no gaps",
       Row({{0, "1"},
            {1, "0"},
            {2, "0"},
            {3, "0"},
            {4, "0"},
            {5, "0"},
            {6, "0"},
            {7, "0"},
            {8, "0"},
            {9, "0"},
            {10, "0"}}),
       {{1000, "1"},
        {1100, "0"},
        {1200, "0"},
        {1300, "0"},
        {1400, "0"},
        {1500, "0"},
        {1600, "0"},
        {1700, "0"},
        {1800, "0"},
        {1900, "0"},
        {2000, "0"}}},
      {"万 and 百 with 千 empty",
       Row({{4, "3"}, {6, "7"}}),
       {{1300, "￥"}, {1400, "3"}, {1500, "￥"}, {1600, "7"}}},
      {"leading zero", Row({{8, "0"}, {9, "5"}}), {{1800, "0"}, {1900, "5"}}},
      {"minus sign gets no mark", Row({{8, "-"}, {9, "5"}}), {{1800, "-"}, {1900, "5"}}},
      {"empty row", Row({}), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceDigitRow(c.row, CellXs()), c.placed) << c.name;
}

TEST(PrintTextTest, PlaceDigitRowWantsOnePositionPerBox) {
  EXPECT_THROW(PlaceDigitRow(Row({}), {1, 2, 3}), std::invalid_argument);
}

}  // namespace
}  // namespace tallyra
