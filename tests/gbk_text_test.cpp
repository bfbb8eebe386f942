#include "data/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyra {
namespace {

TEST(GbkTextTest, LengthCountsOneByteForAsciiAndTwoForOthers) {
  const struct {
    std::string text;
    std::size_t bytes;
  } cases[] = {
      {"", 0}, {"abc", 3}, {"支票打印", 8}, {"基本户|1234567890", 17}, {"￥12", 4}, {"a中b", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(GbkLength(c.text), c.bytes) << c.text;
}

TEST(GbkTextTest, CutNeverSplitsACharacter) {
  const struct {
    std::string text;
    std::size_t maxBytes;
    std::string cut;
  } cases[] = {
      {"支票打印", 8, "支票打印"}, {"支票打印", 7, "支票打"}, {"支票打印", 6, "支票打"},
      {"支票打印", 1, ""},         {"支票打印", 0, ""},       {"ab支票", 3, "ab"},
      {"ab支票", 4, "ab支"},       {"abc", 10, "abc"},        {"", 5, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CutToGbkBytes(c.text, c.maxBytes), c.cut) << c.text << " to " << c.maxBytes;
  }
}

TEST(GbkTextTest, EncodabilityFollowsTheGbkTable) {
  const struct {
    std::string text;
    bool encodable;
  } cases[] = {
      {"", true},
      {"中国工商银行 Account-01", true},
      {"￥壹佰元整", true},
      {"€", true},
      {"\xF0\x9F\x98\x80", false},     // an emoji
      {"abc\xF0\x9F\x98\x80", false},  // an emoji after text
      {"\xEA\xB0\x80", false},         // a Hangul syllable
      {"\xFF\xFE", false},             // not UTF-8 at all
      {"\xE4\xB8", false},             // a truncated sequence
  };
  for (const auto& c : cases) EXPECT_EQ(IsGbkEncodable(c.text), c.encodable) << c.text;
}

TEST(GbkTextTest, EncodabilityOfALongText) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "银行";
  EXPECT_TRUE(IsGbkEncodable(text));
  EXPECT_FALSE(IsGbkEncodable(text + "\xF0\x9F\x98\x80"));
}

TEST(GbkTextTest, NumericValueIsTheLeadingNumericPart) {
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"", 0},
      {".", 0},
      {"abc", 0},
      {"-", 0},
      {"1.-5", 1},
      {"12-3", 12},
      {"-0015", -15},
      {"12345.67", 12345.67},
      {"5.", 5},
      {".5", 0.5},
      {"+3", 3},
      {"  42x", 42},
      {"1.2.3", 1.2},
      {"0.05", 0.05},
      {"999999999.99", 999999999.99},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << c.text;
}

TEST(GbkTextTest, FormatNumberHasThirteenSignificantDigitsAndNoTrailingZeros) {
  const struct {
    double value;
    std::string text;
  } cases[] = {
      {10.5, "10.5"},
      {7.5, "7.5"},
      {0, "0"},
      {300, "300"},
      {1.5, "1.5"},
      {-2.25, "-2.25"},
      {1.0 / 3, "0.3333333333333"},
      {0.1 + 0.2, "0.3"},
      {123456789012.5, "123456789012.5"},
      {-0.0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace tallyra
