#include "forms/capitals.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tallyra {
namespace {

TEST(CapitalsTest, AmountToCapitals) {
  const struct {
    double yuan;
    std::string text;
  } cases[] = {
      {0, "零"},
      {0.004, "零"},
      {-0.004, "零"},
      {0.005, "壹分"},
      {0.05, "伍分"},
      {0.5, "伍角整"},
      {0.55, "伍角伍分"},
      {1, "壹元整"},
      {1.01, "壹元零壹分"},
      {1.005, "壹元零壹分"},
      {2.675, "贰元陆角捌分"},
      {10, "壹拾元整"},
      {10.05, "壹拾元零伍分"},
      {10.5, "壹拾元零伍角整"},
      {100.5, "壹佰元零伍角整"},
      {256.025, "贰佰伍拾陆元零叁分"},
      {1005, "壹仟零伍元整"},
      {12345.67, "壹万贰仟叁佰肆拾伍元陆角柒分"},
      {15000, "壹万伍仟元整"},
      {105000, "壹拾万零伍仟元整"},
      {1000000.01, "壹佰万元零壹分"},
      {10005000, "壹仟万零伍仟元整"},
      {100005000, "壹亿零伍仟元整"},
      {1000000000, "壹拾亿元整"},
      {123456789.12, "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元壹角贰分"},
      {999999999.99, "玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
      {9999999999999.99, "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
      {1000000000000, "壹万亿元整"},
      {9999999999999.998, "溢出"},
      {10000000000000, "溢出"},
      {1e300, "溢出"},
      {-12.5, "负壹拾贰元伍角整"},
      {-1e300, "溢出"},
      {std::numeric_limits<double>::quiet_NaN(), "溢出"},
      {std::numeric_limits<double>::infinity(), "溢出"},
      {-std::numeric_limits<double>::infinity(), "溢出"},
      {std::numeric_limits<double>::denorm_min(), "零"},
  };
  for (const auto& c : cases) EXPECT_EQ(AmountToCapitals(c.yuan), c.text) << c.yuan;
}

// Every x.xx5 below 10 000 yuan, parsed from the text the operator typed, must round up
// to the next fen, whichever side of the half its double lies on.
TEST(CapitalsTest, EveryHalfFenRoundsUp) {
  int wrong = 0;
  for (int whole = 0; whole < 10000; ++whole) {
    for (int cents = 0; cents < 100; ++cents) {
      const std::string base =
          std::to_string(whole) + "." + (cents < 10 ? "0" : "") + std::to_string(cents);
      const std::string half = base + "5";
      double halfValue = 0;
      std::from_chars(half.data(), half.data() + half.size(), halfValue);
      const double roundedUp = (whole * 100.0 + cents + 1) / 100.0;
      if (AmountToCapitals(halfValue) != AmountToCapitals(roundedUp)) {
        if (++wrong <= 5) ADD_FAILURE() << half << " did not round up";
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(CapitalsTest, NumberToCapitals) {
  const struct {
    double value;
    std::string text;
  } cases[] = {
      {0, "零"},
      {10, "壹拾"},
      {11, "壹拾壹"},
      {20, "贰拾"},
      {2011, "贰仟零壹拾壹"},
      {100000, "壹拾万"},
      {123456789, "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖"},
      {0.5, "零点伍"},
      {1.05, "壹点零伍"},
      {2.675, "贰点陆捌"},
      {0.999, "壹"},
      {-12.5, "负壹拾贰点伍"},
      {-0.001, "零"},
      {9999999999999, "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖"},
      {10000000000000, "溢出"},
      {std::numeric_limits<double>::quiet_NaN(), "溢出"},
      {-std::numeric_limits<double>::infinity(), "溢出"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberToCapitals(c.value), c.text) << c.value;
}

TEST(CapitalsTest, DateToCapitals) {
  const struct {
    Date date;
    DateTexts capitals;
  } cases[] = {
      {{2011, 1, 5}, {"贰零壹壹", "零壹", "零伍"}},
      {{2011, 11, 20}, {"贰零壹壹", "壹拾壹", "零贰拾"}},
      {{2011, 12, 31}, {"贰零壹壹", "壹拾贰", "叁拾壹"}},
      {{2011, 10, 20}, {"贰零壹壹", "零壹拾", "零贰拾"}},
      {{2020, 2, 10}, {"贰零贰零", "零贰", "零壹拾"}},
      {{2026, 3, 11}, {"贰零贰陆", "叁", "壹拾壹"}},
      {{2026, 9, 19}, {"贰零贰陆", "玖", "壹拾玖"}},
      {{2026, 12, 30}, {"贰零贰陆", "壹拾贰", "零叁拾"}},
      {{2026, 12, 21}, {"贰零贰陆", "壹拾贰", "贰拾壹"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateToCapitals(c.date), c.capitals)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
}

}  // namespace
}  // namespace tallyra
