#include "forms/list_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tallyra {
namespace {

std::vector<RecordTexts> Records(const std::vector<std::string>& texts) {
  std::vector<RecordTexts> records;
  for (const std::string& text : texts) records.push_back({text});
  return records;
}

TEST(ListRulesTest, EveryEntryKeepsOrderAndDuplicatesAndSkipsEmptyTexts) {
  const BuiltList list =
      BuildList(ListRule::kEveryEntry, Records({"工商银行", "", "工商银行", "b"}));
  EXPECT_EQ(list.entries, (std::vector<std::string>{"工商银行", "工商银行", "b"}));
  EXPECT_FALSE(list.selected);
}

TEST(ListRulesTest, AccountsJoinDescriptionAndNumberAndSkipAnEmptyDescription) {
  const BuiltList list =
      BuildList(ListRule::kAccount,
                {{"基本户", "1234567890"}, {"", "555"}, {"基本户", "1234567890"}, {"一般户", ""}});
  EXPECT_EQ(list.entries,
            (std::vector<std::string>{"基本户|1234567890", "基本户|1234567890", "一般户|"}));
}

TEST(ListRulesTest, UniquePrefix) {
  const struct {
    const char* name;
    std::vector<std::string> texts;
    std::vector<std::string> entries;
    std::optional<std::size_t> selected;
  } cases[] = {
      {"a text beginning an earlier one selects it", {"银行存款", "银行"}, {"银行存款"}, 0},
      {"the other order lists both", {"银行", "银行存款"}, {"银行", "银行存款"}, std::nullopt},
      {"a repeat selects the first", {"现金", "应收账款", "现金"}, {"现金", "应收账款"}, 0},
      {"letter case is ignored", {"Cash", "CASH", "cASh in bank"}, {"Cash", "cASh in bank"}, 0},
      {"the last match stays selected", {"ab", "abc", "x", "a", "x"}, {"ab", "abc", "x"}, 2},
      // "ab" and "abc" both begin with "a": the first in list order is chosen.
      {"the first in list order of several", {"abc", "ab0", "a"}, {"abc", "ab0"}, 0},
      {"an empty text begins every entry", {"现金", ""}, {"现金"}, 0},
      {"no records", {}, {}, std::nullopt},
  };
  for (const auto& c : cases) {
    const BuiltList list = BuildList(ListRule::kUniquePrefix, Records(c.texts));
    EXPECT_EQ(list.entries, c.entries) << c.name;
    EXPECT_EQ(list.selected, c.selected) << c.name;
  }
}

// The rule as written: search the list so far for an entry beginning with the text.
BuiltList NaiveUniquePrefix(const std::vector<std::string>& texts) {
  const auto folded = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  BuiltList list;
  for (const std::string& text : texts) {
    std::optional<std::size_t> match;
    for (std::size_t k = 0; k < list.entries.size() && !match; ++k) {
      if (folded(list.entries[k]).rfind(folded(text), 0) == 0) match = k;
    }
    if (match) {
      list.selected = match;
    } else {
      list.entries.push_back(text);
    }
  }
  return list;
}

TEST(ListRulesTest, UniquePrefixAgreesWithTheRuleAsWrittenOnManyPrefixes) {
  // Short texts over a small alphabet: prefixes, repeats and case twins everywhere.
  std::mt19937 random(20261210);
  const std::string alphabet = "aAbB";
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> texts(random() % 40);
    for (std::string& text : texts) {
      for (std::size_t n = random() % 4; n > 0; --n) text += alphabet[random() % alphabet.size()];
    }
    const BuiltList built = BuildList(ListRule::kUniquePrefix, Records(texts));
    const BuiltList naive = NaiveUniquePrefix(texts);
    ASSERT_EQ(built.entries, naive.entries) << "round " << round;
    ASSERT_EQ(built.selected, naive.selected) << "round " << round;
  }
}

}  // namespace
}  // namespace tallyra
