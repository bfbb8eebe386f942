#include "data/record_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

using RecordStoreTest = StoreTest;

Condition NameIs(const std::string& name) {
  return [name](RecordStore& s) { return s.ReadText(1) == name; };
}

TEST_F(RecordStoreTest, FailedOpenChangesNothing) {
  MakeNames("Alpha.bsf", {"alpha"});
  MakeNames("Beta.bsf", {"beta"});
  const std::string program = Location().programDir;
  const struct {
    std::string fileName;
    int code;
  } cases[] = {
      {"", kStoreEmptyName},
      {"bsf\\Missing.bsf", kStoreFileMissing},
      {"bsf\\Alpha.bsf", kStoreAlreadyOpen},
      {"bsf/ALPHA.BSF", kStoreAlreadyOpen},
      {program + "\\bsf\\Alpha.bsf", kStoreAlreadyOpen},
      {program + "/BSF/alpha.bsf", kStoreAlreadyOpen},
      {"bsf\\Beta.bsf", kStoreAlreadyOpen},
  };
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Alpha.bsf"));
  ASSERT_TRUE(store.Open("bsf\\Beta.bsf"));
  for (const auto& c : cases) {
    EXPECT_FALSE(store.Open(c.fileName)) << c.fileName;
    EXPECT_EQ(store.LastError(), c.code) << c.fileName;
    // The current table is still the last one opened.
    EXPECT_EQ(store.ReadText(1), "beta") << c.fileName;
  }
}

TEST_F(RecordStoreTest, SkipMovesBetweenBeforeTheFirstAndAfterTheLastRecord) {
  MakeNames("T.bsf", {"a", "b", "c"});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  EXPECT_EQ(store.RecordNumber(), 1);  // Open puts the pointer on the first record
  const struct {
    int count;
    bool moved;
    int recordNumber;
    std::string read;
  } steps[] = {
      {1, true, 2, "b"},  {1, true, 3, "c"},  {1, true, 4, ""},   {1, false, 4, ""},
      {-1, true, 3, "c"}, {-10, true, 0, ""}, {-1, false, 0, ""}, {0, true, 0, ""},
      {2, true, 2, "b"},  {10, true, 4, ""},  {0, true, 4, ""},
  };
  store.First();
  EXPECT_EQ(store.RecordNumber(), 1);
  for (const auto& s : steps) {
    EXPECT_EQ(store.Skip(s.count), s.moved) << "Skip(" << s.count << ") to " << s.recordNumber;
    EXPECT_EQ(store.RecordNumber(), s.recordNumber) << "Skip(" << s.count << ")";
    EXPECT_EQ(store.ReadText(1), s.read) << "Skip(" << s.count << ")";
  }
}

TEST_F(RecordStoreTest, EmptyTable) {
  MakeTable("E.bsf", {{"名称", FieldType::kText, 20}, {"金额", FieldType::kDouble, 0}});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\E.bsf"));
  store.First();
  EXPECT_EQ(store.RecordCount(), 0);
  EXPECT_EQ(store.RecordNumber(), 1);
  EXPECT_FALSE(store.Skip(1));
  EXPECT_FALSE(store.Skip(-1));
  EXPECT_TRUE(store.Skip(0));
  EXPECT_EQ(store.Read("名称"), Value(std::string()));
  EXPECT_EQ(store.Read(2), Value(0.0));
  EXPECT_FALSE(store.Modify({Value(std::string("x"))}));
  EXPECT_EQ(store.LastError(), kStoreNoRecord);

  // Values beyond the fields are ignored, missing ones are empty.
  ASSERT_TRUE(store.Append({std::string("甲"), 1.5, std::string("extra")}));
  EXPECT_EQ(store.RecordNumber(), 1);
  ASSERT_TRUE(store.Append({std::string("乙")}));
  EXPECT_EQ(store.RecordNumber(), 2);
  EXPECT_EQ(store.ReadNumber(2), 0.0);
  EXPECT_EQ(store.RecordCount(), 2);
}

TEST_F(RecordStoreTest, SearchStopsAtTheFirstMatchAtOrAfterThePointerElseStaysPut) {
  MakeNames("T.bsf", {"a", "b", "a", "c"});
  const struct {
    int skipFromFirst;  // where the pointer is before Search
    std::string name;
    bool found;
    int recordNumber;
  } cases[] = {
      {0, "a", true, 1},  {1, "a", true, 3},  {3, "a", false, 4}, {2, "x", false, 3},
      {-1, "a", true, 1}, {4, "c", false, 5}, {2, "c", true, 4},
  };
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  for (const auto& c : cases) {
    store.First();
    store.Skip(c.skipFromFirst);
    EXPECT_EQ(store.Search(NameIs(c.name)), c.found) << c.skipFromFirst << " " << c.name;
    EXPECT_EQ(store.RecordNumber(), c.recordNumber) << c.skipFromFirst << " " << c.name;
  }
}

TEST_F(RecordStoreTest, MarkedRecordsAreCountedReadAndFoundUntilPurge) {
  MakeNames("T.bsf", {"a", "b", "c", "d"});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  store.Skip(1);
  ASSERT_TRUE(store.MarkDeleted());  // b, at the pointer
  EXPECT_TRUE(store.IsMarkedDeleted());
  store.Skip(2);  // on d
  ASSERT_TRUE(store.MarkDeleted(NameIs("c")));
  EXPECT_EQ(store.RecordNumber(), 4);  // the pointer is back where it was
  ASSERT_TRUE(store.MarkDeleted(NameIs("d")));
  ASSERT_TRUE(store.UnmarkDeleted(NameIs("d")));

  EXPECT_EQ(store.RecordCount(), 4);
  EXPECT_EQ(AllNames(store), (std::vector<std::string>{"a", "b", "c", "d"}));
  store.First();
  EXPECT_TRUE(store.Search(NameIs("c")));
  EXPECT_TRUE(store.IsMarkedDeleted());

  store.Skip(-1);  // on b: it goes, so the pointer moves on to what follows it
  ASSERT_TRUE(store.Purge());
  EXPECT_EQ(store.RecordCount(), 2);
  EXPECT_EQ(store.ReadText(1), "d");
  EXPECT_EQ(AllNames(store), (std::vector<std::string>{"a", "d"}));

  // The marks and the purge are in the file, not only in this store.
  RecordStore other(Location());
  ASSERT_TRUE(other.Open("bsf\\T.bsf"));
  EXPECT_EQ(AllNames(other), (std::vector<std::string>{"a", "d"}));
  other.First();
  EXPECT_FALSE(other.IsMarkedDeleted());
}

TEST_F(RecordStoreTest, MarkingWithoutAConditionNeedsTheRecordAtThePointer) {
  MakeNames("T.bsf", {"a"});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  store.Skip(1);
  EXPECT_FALSE(store.MarkDeleted());
  EXPECT_EQ(store.LastError(), kStoreNoRecord);
  EXPECT_FALSE(store.UnmarkDeleted());
  store.First();
  EXPECT_FALSE(store.IsMarkedDeleted());
}

TEST_F(RecordStoreTest, TextIsCutToItsByteSizeWithoutSplittingACharacter) {
  MakeTable("T.bsf", {{"名称", FieldType::kText, 10}});
  const struct {
    std::string given;
    std::string stored;
  } cases[] = {
      {"一二三四五六七", "一二三四五"},  // 14 bytes: the first five characters
      {"abcdefghij", "abcdefghij"},      // exactly 10 bytes, read back whole
      {"abcdefghijk", "abcdefghij"},
      {"abc一二三四", "abc一二三"},  // 11 bytes: the fourth character would split
      {"短", "短"},
      {"", ""},
  };
  {
    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\T.bsf"));
    for (const auto& c : cases) ASSERT_TRUE(store.Append({c.given})) << c.given;
  }
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  const std::vector<std::string> names = AllNames(store);
  ASSERT_EQ(names.size(), std::size(cases));
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], cases[i].stored);

  // Modify cuts the same way.
  store.First();
  ASSERT_TRUE(store.Modify({Value(std::string("金额大写壹佰元整"))}));
  EXPECT_EQ(store.ReadText(1), "金额大写壹");
}

TEST_F(RecordStoreTest, NumbersConvertAndAnyOtherMismatchWritesNothing) {
  const std::vector<FieldDef> fields = {{"名称", FieldType::kText, 20},
                                        {"次数", FieldType::kInt, 0},
                                        {"金额", FieldType::kDouble, 0},
                                        {"有效", FieldType::kBool, 0},
                                        {"位", FieldType::kByte, 0}};
  const struct {
    int field;
    Value given;
    int code;
    Value stored;
  } cases[] = {
      {2, std::int64_t{7}, kStoreOk, std::int64_t{7}},
      {2, 3.9, kStoreOk, std::int64_t{3}},
      {2, -3.9, kStoreOk, std::int64_t{-3}},
      {3, std::int64_t{12}, kStoreOk, 12.0},
      {3, 0.25, kStoreOk, 0.25},
      {4, true, kStoreOk, true},
      {5, std::int64_t{255}, kStoreOk, std::int64_t{255}},
      {1, std::int64_t{5}, kStoreTypeMismatch, {}},
      {2, std::string("5"), kStoreTypeMismatch, {}},
      {3, true, kStoreTypeMismatch, {}},
      {4, std::int64_t{1}, kStoreTypeMismatch, {}},
      {1, Blob{1, 2}, kStoreTypeMismatch, {}},
      {2, 1e30, kStoreBadValue, {}},
      {2, std::int64_t{1} << 40, kStoreBadValue, {}},
      {5, std::int64_t{256}, kStoreBadValue, {}},
      {3, std::numeric_limits<double>::quiet_NaN(), kStoreBadValue, {}},
      {1, std::string("\xF0\x9F\x98\x80"), kStoreBadValue, {}},  // an emoji: not GBK
  };
  MakeTable("T.bsf", fields, {{std::string("原"), std::int64_t{1}, 1.0, false, std::int64_t{1}}});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  for (const auto& c : cases) {
    const std::string what =
        "field " + std::to_string(c.field) + " case " + std::to_string(&c - cases);
    // Field 1 gets a good value, so a failure must also keep it from being written.
    std::vector<Value> values = {std::string("新"), std::int64_t{2}, 2.0, true, std::int64_t{2}};
    values[c.field - 1] = c.given;
    std::vector<std::optional<Value>> changes(fields.size());
    changes[0] = Value(std::string("改"));
    changes[c.field - 1] = c.given;

    const int before = store.RecordCount();
    EXPECT_EQ(store.Append(values), c.code == kStoreOk) << what;
    EXPECT_EQ(store.LastError(), c.code) << what;
    store.First();
    EXPECT_EQ(store.Modify(changes), c.code == kStoreOk) << what;
    EXPECT_EQ(store.LastError(), c.code) << what;

    RecordStore reader(Location());
    ASSERT_TRUE(reader.Open("bsf\\T.bsf"));
    if (c.code == kStoreOk) {
      EXPECT_EQ(reader.RecordCount(), before + 1) << what;
      EXPECT_EQ(reader.Read(c.field), c.stored) << what;  // the modified first record
      reader.Skip(reader.RecordCount() - 1);
      EXPECT_EQ(reader.Read(c.field), c.stored) << what;  // the appended last record
      store.First();
      ASSERT_TRUE(store.Modify({Value(std::string("原"))}));
    } else {
      EXPECT_EQ(reader.RecordCount(), before) << what;
      EXPECT_EQ(reader.ReadText(1), "原") << what;
    }
  }
}

TEST_F(RecordStoreTest, ModifyRewritesTheGivenFieldsOnlyAndKeepsMarkAndPointer) {
  MakeTable("T.bsf", {{"甲", FieldType::kText, 8}, {"乙", FieldType::kText, 8}},
            {{std::string("a1"), std::string("b1")}, {std::string("a2"), std::string("b2")}});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  store.Skip(1);
  ASSERT_TRUE(store.MarkDeleted());
  ASSERT_TRUE(store.Modify({std::nullopt, Value(std::string("新"))}));
  EXPECT_EQ(store.RecordNumber(), 2);
  EXPECT_TRUE(store.IsMarkedDeleted());

  RecordStore reader(Location());
  ASSERT_TRUE(reader.Open("bsf\\T.bsf"));
  reader.Skip(1);
  EXPECT_EQ(reader.ReadText("甲"), "a2");
  EXPECT_EQ(reader.ReadText("乙"), "新");
  EXPECT_TRUE(reader.IsMarkedDeleted());
  reader.First();
  EXPECT_EQ(reader.ReadText("乙"), "b1");
}

TEST_F(RecordStoreTest, MakeCurrentSelectsAnOpenTableOrOpensIt) {
  MakeNames("A.bsf", {"a1", "a2"});
  MakeNames("B.bsf", {"b1"});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\A.bsf"));
  store.Skip(1);
  ASSERT_TRUE(store.MakeCurrent("B.bsf"));  // not open yet: opened, pointer on record 1
  EXPECT_EQ(store.ReadText(1), "b1");
  ASSERT_TRUE(store.MakeCurrent("A.bsf"));  // open: selected, its pointer where it was
  EXPECT_EQ(store.ReadText(1), "a2");
  EXPECT_EQ(store.LastError(), kStoreOk);
  store.CloseAll();
  EXPECT_TRUE(store.MakeCurrent("A.bsf"));
  EXPECT_EQ(store.RecordNumber(), 1);
}

TEST_F(RecordStoreTest, SelectCurrentLooksUpNamesNewestFirstThenPaths) {
  MakeNames("Same.bsf", {"in bsf"});
  MakeNames("Other.bsf", {"other"});
  std::filesystem::create_directories(root_ / "elsewhere");
  const std::string elsewhere = Utf8Of(root_ / "elsewhere" / "SAME.bsf");
  MakeTableAt(elsewhere, {{"名称", FieldType::kText, 20}}, {{std::string("elsewhere")}});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Same.bsf"));
  ASSERT_TRUE(store.Open(elsewhere));
  ASSERT_TRUE(store.Open("bsf\\Other.bsf"));
  const struct {
    std::string name;
    bool found;
    std::string current;  // what the current table holds afterwards
  } cases[] = {
      {"same", true, "elsewhere"},  // by name, the newer of the two
      {"OTHER", true, "other"},
      {Location().programDir + "\\bsf\\same.bsf", true, "in bsf"},  // by path
      {"bsf\\Other.bsf", true, "other"},
      {elsewhere, true, "elsewhere"},
      {"Missing", false, "in bsf"},  // the current table stays
      {"", false, "in bsf"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(store.SelectCurrent(store.ResolvePath("bsf/Same.bsf")));
    EXPECT_EQ(store.SelectCurrent(c.name), c.found) << c.name;
    EXPECT_EQ(store.ReadText(1), c.current) << c.name;
  }
}

TEST_F(RecordStoreTest, WithoutACurrentTableOperationsFailAndReadIsFatal) {
  MakeNames("T.bsf", {"a"});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  store.Close();
  const std::pair<const char*, std::function<bool()>> operations[] = {
      {"Skip", [&] { return store.Skip(1); }},
      {"Search", [&] { return store.Search(NameIs("a")); }},
      {"Append", [&] { return store.Append({std::string("b")}); }},
      {"Modify", [&] { return store.Modify({Value(std::string("b"))}); }},
      {"MarkDeleted", [&] { return store.MarkDeleted(); }},
      {"UnmarkDeleted", [&] { return store.UnmarkDeleted(NameIs("a")); }},
      {"Purge", [&] { return store.Purge(); }},
  };
  for (const auto& [name, operation] : operations) {
    EXPECT_FALSE(operation()) << name;
    EXPECT_EQ(store.LastError(), kStoreNoCurrentTable) << name;
  }
  store.First();
  EXPECT_EQ(store.LastError(), kStoreNoCurrentTable);
  EXPECT_EQ(store.RecordCount(), 0);
  EXPECT_EQ(store.RecordNumber(), 0);
  try {
    store.Read(1);
    ADD_FAILURE() << "Read without a current table returned";
  } catch (const FatalErrorRaised& e) {
    EXPECT_EQ(e.code, kStoreNoCurrentTable);
    EXPECT_EQ(e.text, "未指定当前数据库或者指定数据库未打开");
  }
  // Nothing was written by the failed operations.
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  EXPECT_EQ(AllNames(store), std::vector<std::string>{"a"});
}

TEST_F(RecordStoreTest, ReadingAFieldTheTableLacksOrOfTheWrongTypeIsFatal) {
  MakeTable("T.bsf", {{"名称", FieldType::kText, 20}, {"金额", FieldType::kDouble, 0}},
            {{std::string("a"), 2.5}});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  const struct {
    const char* what;
    std::function<void()> read;
    int code;
    std::string text;
    bool exact;  // else the text must name the field
  } cases[] = {
      {"unknown name", [&] { store.Read("名"); }, kStoreNoSuchField, "指定字段不存在", true},
      {"number 0", [&] { store.Read(0); }, kStoreNoSuchField, "指定字段不存在", true},
      {"number 3", [&] { store.ReadText(3); }, kStoreNoSuchField, "指定字段不存在", true},
      {"text of a number", [&] { store.ReadText("金额"); }, kStoreWrongFieldType, "金额", false},
      {"number of a text", [&] { store.ReadNumber(1); }, kStoreWrongFieldType, "名称", false},
  };
  for (const auto& c : cases) {
    try {
      c.read();
      ADD_FAILURE() << c.what << " returned";
    } catch (const FatalErrorRaised& e) {
      EXPECT_EQ(e.code, c.code) << c.what;
      if (c.exact) {
        EXPECT_EQ(e.text, c.text) << c.what;
      } else {
        EXPECT_NE(e.text.find(c.text), std::string::npos) << e.text;
      }
    }
  }
  EXPECT_EQ(store.ReadText("名称"), "a");
  EXPECT_EQ(store.ReadNumber(2), 2.5);
}

TEST_F(RecordStoreTest, FieldNamesAndSizes) {
  const std::vector<FieldDef> fields = {
      {"文本", FieldType::kText, 37}, {"字节", FieldType::kByte, 0},
      {"短", FieldType::kShort, 0},   {"整", FieldType::kInt, 0},
      {"长", FieldType::kLong, 0},    {"单", FieldType::kFloat, 0},
      {"双", FieldType::kDouble, 0},  {"真假", FieldType::kBool, 0},
      {"时", FieldType::kDateTime, 0}};
  const int sizes[] = {37, 1, 2, 4, 8, 4, 8, 1, 8};
  MakeTable("T.bsf", fields);
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  ASSERT_EQ(store.FieldCount(), static_cast<int>(fields.size()));
  for (int i = 1; i <= store.FieldCount(); ++i) {
    EXPECT_EQ(store.FieldName(i), fields[i - 1].name);
    EXPECT_EQ(store.FieldSize(i), sizes[i - 1]) << fields[i - 1].name;
    EXPECT_EQ(store.FieldTypeOf(i), fields[i - 1].type);
  }
  EXPECT_EQ(store.FieldName(10), "");
  EXPECT_EQ(store.LastError(), kStoreNoSuchField);
}

TEST(FatalErrorTest, TheDefaultHandlerPrintsTheMessageAndEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(RaiseFatalError(12, "指定字段不存在"), ::testing::ExitedWithCode(1),
              "运行时出错!\n\n错误代码：12\n\n错误信息：指定字段不存在");
}

TEST(FatalErrorTest, SetReturnsThePreviousHandler) {
  int calls = 0;
  const FatalErrorHandler original = SetFatalErrorHandler([&](int, const std::string&) {
    ++calls;
    throw 1;
  });
  const FatalErrorHandler counting = SetFatalErrorHandler(original);
  ASSERT_TRUE(counting);
  EXPECT_THROW(counting(1, ""), int);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace tallyra
