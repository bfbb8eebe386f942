// Comma- and tab-separated text, and the choice between UTF-8 and GBK files.
#include "data/csv.h"

#include <gtest/gtest.h>

#include "data/text_decoding.h"

namespace tallyra {
namespace {

TEST(CsvTest, SplitsRowsAndValuesAsSpreadsheetsWriteThem) {
  const struct {
    const char* name;
    std::string text;
    char delimiter;
    CsvRows rows;
  } cases[] = {
      {"CR LF lines", "a,b\r\nc,d\r\n", ',', {{"a", "b"}, {"c", "d"}}},
      {"LF and lone CR lines", "a\nb\rc", ',', {{"a"}, {"b"}, {"c"}}},
      {"no break at the end", "a,b", ',', {{"a", "b"}}},
      {"quoted comma", "\"应收,华东\",x\r\n", ',', {{"应收,华东", "x"}}},
      {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\"\"\r\n", ',', {{"say \"hi\"", "\""}}},
      {"line breaks inside quotes",
       "\"a\r\nb\",\"c\nd\"\r\ne,f",
       ',',
       {{"a\r\nb", "c\nd"}, {"e", "f"}}},
      {"empty values", ",a,\r\n", ',', {{"", "a", ""}}},
      {"blank lines at the end give no rows", "a\r\nb\r\n\r\n\n", ',', {{"a"}, {"b"}}},
      {"a blank line inside is an empty row", "a\r\n\r\nb\r\n", ',', {{"a"}, {""}, {"b"}}},
      {"a quoted empty row at the end is a row", "a\r\n\"\"\r\n", ',', {{"a"}, {""}}},
      {"a quote inside a value is a character", "ab\"c,5\"\r\n", ',', {{"ab\"c", "5\""}}},
      {"text after a closing quote is kept", "\"ab\"c,d", ',', {{"abc", "d"}}},
      {"tabs as a spreadsheet copies them",
       "x\t\"y\tz\"\r\n1\t2\r\n",
       '\t',
       {{"x", "y\tz"}, {"1", "2"}}},
      {"commas are plain in tab-separated text", "a,b\tc", '\t', {{"a,b", "c"}}},
      {"nothing", "", ',', {}},
  };
  for (const auto& c : cases) {
    CsvRows rows;
    int line = 0;
    ASSERT_TRUE(ParseDelimited(c.text, c.delimiter, true, &rows, &line)) << c.name;
    EXPECT_EQ(rows, c.rows) << c.name;
  }
}

TEST(CsvTest, AnUnclosedQuoteFailsNamingItsLine) {
  const struct {
    std::string text;
    int line;
  } cases[] = {{"a\r\n\"b,c\r\nd\r\n", 2}, {"a\nb\n\"c,d", 3}, {"\"", 1}};
  for (const auto& c : cases) {
    CsvRows rows;
    int line = 0;
    EXPECT_FALSE(ParseDelimited(c.text, ',', true, &rows, &line)) << c.text;
    EXPECT_EQ(line, c.line) << c.text;
  }
  CsvRows rows;
  ASSERT_TRUE(ParseDelimited("\"a\tb", '\t', false, &rows, nullptr));
  EXPECT_EQ(rows, (CsvRows{{"\"a", "b"}})) << "quotes off";
}

TEST(CsvTest, WritesWithAByteOrderMarkCrLfAndQuotesOnlyWhereNeeded) {
  const CsvRows rows = {
      {"名称", "说明"}, {"a,b", "say \"hi\""}, {"line\r\nbreak", "lf\nonly"}, {"plain", ""}, {""}};
  const std::string expected =
      "\xEF\xBB\xBF名称,说明\r\n\"a,b\",\"say \"\"hi\"\"\"\r\n\"line\r\nbreak\",\"lf\nonly\"\r\n"
      "plain,\r\n\"\"\r\n";
  const std::string written = FormatCsv(rows);
  EXPECT_EQ(written, expected);
  std::string text;
  CsvEncoding encoding{};
  ASSERT_TRUE(DecodeCsvBytes(written, &text, &encoding));
  EXPECT_EQ(encoding, CsvEncoding::kUtf8WithBom);
  CsvRows back;
  ASSERT_TRUE(ParseDelimited(text, ',', true, &back, nullptr));
  EXPECT_EQ(back, rows);
}

TEST(CsvTest, TellsUtf8FromGbkByWhetherTheBytesAreValidUtf8) {
  const std::string content = "科目,\"应收,账款\"\r\n";
  const std::string gbk = "\xBF\xC6\xC4\xBF,\"\xD3\xA6\xCA\xD5,\xD5\xCB\xBF\xEE\"\r\n";
  const struct {
    const char* name;
    std::string bytes;
    CsvEncoding encoding;
  } cases[] = {
      {"UTF-8", content, CsvEncoding::kUtf8},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + content, CsvEncoding::kUtf8WithBom},
      {"GBK", gbk, CsvEncoding::kGbk},
  };
  for (const auto& c : cases) {
    std::string text;
    CsvEncoding encoding{};
    ASSERT_TRUE(DecodeCsvBytes(c.bytes, &text, &encoding)) << c.name;
    EXPECT_EQ(text, content) << c.name;
    EXPECT_EQ(encoding, c.encoding) << c.name;
  }
  std::string text;
  CsvEncoding encoding{};
  EXPECT_TRUE(DecodeCsvBytes("\x80", &text, &encoding)) << "code page 936's euro sign";
  EXPECT_EQ(text, "€");
  EXPECT_FALSE(DecodeCsvBytes("a\xFF\xFF", &text, &encoding)) << "neither UTF-8 nor GBK";
  EXPECT_FALSE(DecodeCsvBytes("\xEF\xBB\xBF\xBF\xC6", &text, &encoding))
      << "a byte-order mark before GBK bytes";
}

TEST(CsvTest, Utf8IsCheckedStrictly) {
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"abc", true},
      {"科目", true},
      {"\xF0\x9F\x98\x80", true},
      {"\xC0\x80", false},
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xE7\xA7", false},
      {"\x80", false},  // cut short, a lone continuation
      {"\xE7\x41\x91", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

}  // namespace
}  // namespace tallyra
