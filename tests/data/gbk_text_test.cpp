#include "data/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyra {
namespace {

std::string Utf8Of(char32_t code) {
  const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (code < 0x80) return {byte(code)};
  if (code < 0x800) return {byte(0xC0 | (code >> 6)), byte(0x80 | (code & 0x3F))};
  if (code < 0x10000) {
    return {byte(0xE0 | (code >> 12)), byte(0x80 | ((code >> 6) & 0x3F)),
            byte(0x80 | (code & 0x3F))};
  }
  return {byte(0xF0 | (code >> 18)), byte(0x80 | ((code >> 12) & 0x3F)),
          byte(0x80 | ((code >> 6) & 0x3F)), byte(0x80 | (code & 0x3F))};
}

// Code page 936 writes "€" as the one byte 0x80.
TEST(GbkTextTest, LengthCountsOneByteForAsciiAndTheEuroSignAndTwoForOthers) {
  const struct {
    std::string text;
    std::size_t bytes;
  } cases[] = {
      {"", 0},  {"abc", 3},   {"支票打印", 8}, {"基本户|1234567890", 17}, {"￥12", 4}, {"a中b", 4},
      {"€", 1}, {"€€中€", 5}, {"¤·", 4},  // Latin-1 signs GBK has
  };
  for (const auto& c : cases) EXPECT_EQ(GbkLength(c.text), c.bytes) << c.text;
}

TEST(GbkTextTest, CutNeverSplitsACharacter) {
  const struct {
    std::string text;
    std::size_t maxBytes;
    std::string cut;
  } cases[] = {
      {"支票打印", 8, "支票打印"},
      {"支票打印", 7, "支票打"},
      {"支票打印", 6, "支票打"},
      {"支票打印", 1, ""},
      {"支票打印", 0, ""},
      {"ab支票", 3, "ab"},
      {"ab支票", 4, "ab支"},
      {"abc", 10, "abc"},
      {"", 5, ""},
      {"€€€", 2, "€€"},
      {"a€中", 3, "a€"},
      {"a€中", 4, "a€中"},
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

// The byte rules must agree with the encoder character by character, on every platform.
TEST(GbkTextTest, EveryEncodableCharacterCountsTheBytesTheEncoderWrites) {
  std::string mismatches;
  int encodable = 0;
  for (char32_t code = 1; code < 0x30000; ++code) {
    if (code >= 0xD800 && code < 0xE000) continue;
    const std::string utf8 = Utf8Of(code);
    const auto encoded = EncodeGbk(utf8);
    if (!encoded) continue;
    ++encodable;
    if (encoded->size() != GbkLength(utf8) && mismatches.size() < 200) {
      mismatches += utf8 + " ";
    }
  }
  EXPECT_EQ(mismatches, "");
  EXPECT_GT(encodable, 21000) << "the encoder knows GBK's characters";
  EXPECT_EQ(EncodeGbk("a€中"), std::string("a\x80\xD6\xD0"));
}

TEST(GbkTextTest, OneLineTextHoldsNoControlCharacter) {
  const struct {
    std::string text;
    std::string oneLine;
    std::string multiLine;
  } cases[] = {
      {"北京公司\r\n上海分部", "北京公司 上海分部", "北京公司\r\n上海分部"},
      {"a\rb\nc\td", "a b c d", "a\rb\ncd"},
      {"a\n\nb", "a  b", "a\n\nb"},  // two breaks are two spaces
      {"a\r\r\nb", "a  b", "a\r\r\nb"},
      {"AB\001CD\177\037", "ABCD", "ABCD"},
      {std::string("A\0B", 3), "AB", "AB"},
      {"\t", " ", ""},
      {"中文 €~", "中文 €~", "中文 €~"},  // spaces, printable ASCII and the rest stay
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CleanOneLine(c.text), c.oneLine) << c.text;
    EXPECT_EQ(CleanMultiLine(c.text), c.multiLine) << c.text;
  }
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
