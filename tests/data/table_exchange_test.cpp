// Values from outside the keyboard: the cell rules, import plans, paste plans and the
// one-transaction write of many records.
#include "data/table_exchange.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/cell_value.h"
#include "data/table_batch.h"
#include "data/table_file.h"
#include "data/table_paste.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

const FieldDef kName{"名称", FieldType::kText, 6};
const FieldDef kNote{"备注", FieldType::kText, 20};
const FieldDef kAmount{"金额", FieldType::kDouble, 0};
const FieldDef kCount{"件数", FieldType::kShort, 0};

TEST(CellValueTest, AValueFromOutsideFollowsTheRulesOfTyping) {
  const struct {
    const char* name;
    FieldDef field;
    std::string text;
    Value value;
    bool cut;
    bool dropped;
    bool refused;
  } cases[] = {
      {"fits", kName, "甲乙丙", std::string("甲乙丙"), false, false, false},
      {"cut at a character", kName, "甲乙丙a", std::string("甲乙丙"), true, false, false},
      {"cut before a split character", kName, "ab甲乙丙", std::string("ab甲乙"), true, false,
       false},
      {"line breaks and tab are spaces", kNote, "a\r\nb\nc\td", std::string("a b c d"), false,
       false, false},
      {"other control characters go", kNote,
       "a\x01\x1F\x7F"
       "b",
       std::string("ab"), false, false, false},
      {"GBK cannot encode it", kNote,
       "A\xF0\x9F\x98\x80"
       "B",
       std::string("AB"), false, true, false},
      {"the euro sign is GBK", kNote, "€5", std::string("€5"), false, false, false},
      {"a number", kAmount, " 12.5 ", 12.5, false, false, false},
      {"blank is 0", kAmount, "", 0.0, false, false, false},
      {"not a number", kAmount, "12元", Value(), false, false, true},
      {"an integer field truncates", kCount, "7.9", std::int64_t{7}, false, false, false},
      {"out of range", kCount, "70000", Value(), false, false, true},
  };
  for (const auto& c : cases) {
    const CellFit fit = FitCellValue(c.field, c.text);
    EXPECT_EQ(fit.refused, c.refused) << c.name;
    if (!c.refused) {
      EXPECT_EQ(fit.value, c.value) << c.name;
    }
    EXPECT_EQ(fit.cut, c.cut) << c.name;
    EXPECT_EQ(fit.dropped, c.dropped) << c.name;
  }
}

const std::vector<FieldDef> kAccountFields = {{"账号说明", FieldType::kText, 8},
                                              {"银行账号", FieldType::kText, 20}};

std::vector<std::vector<Value>> Texts(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::vector<Value>> records;
  for (const auto& row : rows) records.emplace_back(row.begin(), row.end());
  return records;
}

TEST(ImportPlanTest, MatchesColumnsByTheHeaderElseInFieldOrder) {
  const struct {
    const char* name;
    std::string file;
    bool header;
    std::vector<std::vector<std::string>> records;
    std::vector<std::size_t> emptyFields;
  } cases[] = {
      {"header in field order",
       "账号说明,银行账号\r\n基本户,123\r\n",
       true,
       {{"基本户", "123"}},
       {}},
      {"header in another order",
       "银行账号,账号说明\r\n123,基本户\r\n",
       true,
       {{"基本户", "123"}},
       {}},
      {"a field without a column",
       "银行账号\r\n123\r\n456\r\n",
       true,
       {{"", "123"}, {"", "456"}},
       {0}},
      {"no header", "基本户,123\r\n一般户,456", false, {{"基本户", "123"}, {"一般户", "456"}}, {}},
      {"a short row", "基本户\r\n", false, {{"基本户", ""}}, {}},
      {"empty values beyond the fields", "基本户,123,,\r\n", false, {{"基本户", "123"}}, {}},
      {"a nameless empty column",
       "账号说明,银行账号,\r\n基本户,123,\r\n",
       true,
       {{"基本户", "123"}},
       {}},
      {"names with spaces around",
       " 账号说明 ,银行账号\r\n基本户,1\r\n",
       true,
       {{"基本户", "1"}},
       {}},
  };
  for (const auto& c : cases) {
    ImportPlan plan;
    std::string error;
    ASSERT_TRUE(PlanImport(c.file, kAccountFields, &plan, &error)) << c.name << ": " << error;
    EXPECT_EQ(plan.header, c.header) << c.name;
    EXPECT_EQ(plan.records, Texts(c.records)) << c.name;
    EXPECT_EQ(plan.emptyFields, c.emptyFields) << c.name;
  }
}

TEST(ImportPlanTest, WhatCannotBeImportedIsRefusedWithAMessage) {
  const struct {
    const char* name;
    std::string file;
    std::vector<FieldDef> fields;
    std::string message;
  } cases[] = {
      {"a header with an unknown column", "账号说明,开户行\r\n基本户,工行\r\n", kAccountFields,
       "文件第1行第2列的栏名“开户行”在表中没有对应的栏（表中的栏：账号说明、银行账号）。"
       "没有导入任何记录。"},
      {"a column twice", "银行账号,银行账号\r\n1,2\r\n", kAccountFields,
       "文件中有两列的栏名都是“银行账号”。没有导入任何记录。"},
      {"a value in no column", "基本户,123,多余\r\n", kAccountFields,
       "文件第1行第3列的值“多余”没有对应的栏。没有导入任何记录。"},
      {"a value under a nameless column", "账号说明,\r\n基本户,x\r\n", kAccountFields,
       "文件第2行第2列的值“x”没有对应的栏。没有导入任何记录。"},
      {"not a number",
       "金额\r\n12\r\n十二\r\n",
       {kAmount},
       "文件第3行“金额”栏的值“十二”不能存入这一栏。没有导入任何记录。"},
      {"an unclosed quote", "账号说明\r\n\"基本户\r\n", kAccountFields,
       "文件第2行开始的引号没有配对，无法读取。没有导入任何记录。"},
      {"neither UTF-8 nor GBK", "\xFF\xFE\xFF", kAccountFields,
       "文件既不是UTF-8也不是GBK编码的文本，无法读取。没有导入任何记录。"},
      {"only a header", "账号说明,银行账号\r\n", kAccountFields, "文件中没有要导入的记录。"},
      {"nothing", "", kAccountFields, "文件中没有要导入的记录。"},
  };
  for (const auto& c : cases) {
    ImportPlan plan;
    std::string error;
    EXPECT_FALSE(PlanImport(c.file, c.fields, &plan, &error)) << c.name;
    EXPECT_EQ(error, c.message) << c.name;
  }
}

TEST(ImportPlanTest, NamesTheValuesItCutsOrStripsByTheirRowInTheFile) {
  ImportPlan plan;
  std::string error;
  const std::string file =
      "账号说明,银行账号\r\n基本户,1\r\n非常长的说明文字,2\r\n\"一般\xF0\x9F\x98\x80户\",3\r\n"
      "\"又一个太长的\",4\r\n";
  ASSERT_TRUE(PlanImport(file, kAccountFields, &plan, &error)) << error;
  ASSERT_EQ(plan.records.size(), 4u);
  EXPECT_EQ(plan.records[1][0], Value(std::string("非常长的")));
  EXPECT_EQ(plan.records[2][0], Value(std::string("一般户")));
  ASSERT_EQ(plan.cut.size(), 2u);
  EXPECT_EQ(plan.cut[0].line, 3);
  EXPECT_EQ(plan.cut[0].field, 0u);
  EXPECT_EQ(plan.cut[0].given, "非常长的说明文字");
  EXPECT_EQ(plan.cut[1].line, 5);
  ASSERT_EQ(plan.dropped.size(), 1u);
  EXPECT_EQ(plan.dropped[0].line, 4);
}

TEST(ImportPlanTest, AGbkAndAUtf8FileOfTheSameContentGiveTheSameRecords) {
  const std::string utf8 = "账号说明,银行账号\r\n\"基本,户\",123\r\n";
  const std::string gbk =
      "\xD5\xCB\xBA\xC5\xCB\xB5\xC3\xF7,\xD2\xF8\xD0\xD0\xD5\xCB\xBA\xC5\r\n"
      "\"\xBB\xF9\xB1\xBE,\xBB\xA7\",123\r\n";
  ImportPlan fromUtf8;
  ImportPlan fromGbk;
  std::string error;
  ASSERT_TRUE(PlanImport(utf8, kAccountFields, &fromUtf8, &error)) << error;
  ASSERT_TRUE(PlanImport(gbk, kAccountFields, &fromGbk, &error)) << error;
  EXPECT_EQ(fromGbk.encoding, CsvEncoding::kGbk);
  EXPECT_TRUE(fromGbk.header);
  EXPECT_EQ(fromGbk.records, Texts({{"基本,户", "123"}}));
  EXPECT_EQ(fromGbk.records, fromUtf8.records);
}

TEST(ImportPlanTest, AnExportedTableImportsAsItWas) {
  const std::vector<FieldDef> fields = {kNote, kAmount, {"标记", FieldType::kBool, 0}};
  const std::vector<std::vector<Value>> records = {
      {std::string("a,\"b\""), 12.25, true},
      {std::string(""), 0.0, false},
      {std::string("甲"), -3e-7, false},
  };
  const std::string csv = TableToCsv(fields, records);
  EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(csv.substr(3, csv.find("\r\n") - 3), "备注,金额,标记");
  ImportPlan plan;
  std::string error;
  ASSERT_TRUE(PlanImport(csv, fields, &plan, &error)) << error;
  EXPECT_EQ(plan.records, records);
  EXPECT_EQ(TableToCsv(fields, plan.records), csv);
}

TEST(ImportPlanTest, OnlyTablesWithoutAPasswordAreExchanged) {
  EXPECT_TRUE(IsExchangeableTable("C:\\程序\\bsf\\Szzkm.bsf"));
  EXPECT_TRUE(IsExchangeableTable("/tmp/bsf/Other.bsf"));
  for (const char* file : {"Zhgl.bsf", "bsf\\TZZTWZ.bsf", "/x/bsf/Tzjzd.bsf"}) {
    EXPECT_FALSE(IsExchangeableTable(file)) << file;
  }
}

TEST(PastePlanTest, ABlockOverwritesFromTheCursorAndAppendsPastTheEnd) {
  const std::vector<FieldDef> fields = {kName, kNote, kAmount};
  PastePlan plan;
  std::string error;
  // Cursor on row 2 of 3, column 2: two rows overwrite, one is appended.
  ASSERT_TRUE(
      PlanPaste("x\t5\r\n超长的名称\t6\textra\r\n\"q\tr\"\t\r\n", fields, 3, 1, 1, &plan, &error))
      << error;
  EXPECT_EQ(plan.batch.firstRow, 1u);
  EXPECT_EQ(plan.rows, 3);
  EXPECT_EQ(plan.appended, 1);
  EXPECT_FALSE(plan.single);
  EXPECT_EQ(plan.outside, 1);
  using Row = std::vector<std::optional<Value>>;
  EXPECT_EQ(plan.batch.rows, (std::vector<Row>{
                                 {std::nullopt, std::string("x"), 5.0},
                                 {std::nullopt, std::string("超长的名称"), 6.0},
                                 {std::nullopt, std::string("q r"), 0.0},
                             }));
  EXPECT_EQ(plan.cut, 0) << "备注 holds 20 bytes";

  ASSERT_TRUE(PlanPaste("甲乙丙丁\n😀乙\n", fields, 0, 0, 0, &plan, &error));
  EXPECT_EQ(plan.appended, 2);
  EXPECT_EQ(plan.cut, 1);
  ASSERT_TRUE(plan.firstCut);
  EXPECT_EQ(plan.firstCut->row, 1);
  EXPECT_EQ(plan.dropped, 1);
  EXPECT_EQ(plan.firstDropped->row, 2);
  EXPECT_EQ(plan.batch.rows[0][0], Value(std::string("甲乙丙")));

  ASSERT_TRUE(PlanPaste("one\r\n", fields, 5, 4, 0, &plan, &error));
  EXPECT_TRUE(plan.single);
  EXPECT_EQ(plan.appended, 0);

  EXPECT_FALSE(PlanPaste("a\t1\nb\tx", fields, 0, 0, 1, &plan, &error));
  EXPECT_EQ(error, "第2行“金额”栏不能存入“x”。没有粘贴任何内容。");
}

class TableBatchTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    MakeNames("T.bsf", {"a", "b", "c"});
    fields_ = {{"名称", FieldType::kText, 20}};
  }
  TableBatch Batch(std::optional<std::size_t> first, std::vector<std::string> names) {
    TableBatch batch;
    batch.fields = fields_;
    batch.firstRow = first;
    for (auto& name : names) batch.rows.push_back({Value(name)});
    return batch;
  }
  std::vector<std::string> Names() {
    RecordStore store(Location());
    EXPECT_TRUE(store.Open("bsf\\T.bsf"));
    return AllNames(store);
  }
  std::vector<FieldDef> fields_;
};

TEST_F(TableBatchTest, OverwritesAppendsOrReplacesInOneWrite) {
  std::string error;
  ASSERT_EQ(WriteTableBatch(TablePath("T.bsf"), Batch(1, {"B", "C", "D"}), "", &error), kStoreOk)
      << error;
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "B", "C", "D"}));
  ASSERT_EQ(WriteTableBatch(TablePath("T.bsf"), Batch(std::nullopt, {"E"}), "", &error), kStoreOk);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "B", "C", "D", "E"}));
  TableBatch replace = Batch(std::nullopt, {"x", "y"});
  replace.replaceAll = true;
  ASSERT_EQ(WriteTableBatch(TablePath("T.bsf"), replace, "", &error), kStoreOk);
  EXPECT_EQ(Names(), (std::vector<std::string>{"x", "y"}));
}

TEST_F(TableBatchTest, WritesNothingWhenTheFileNoLongerHoldsWhatTheWriterSaw) {
  const struct {
    const char* name;
    std::size_t count;
    std::vector<std::string> seen;
  } cases[] = {{"a record more or less", 4, {"b"}}, {"another value", 3, {"b2"}}};
  for (const auto& c : cases) {
    TableBatch batch = Batch(1, {"X", "Y", "Z"});
    batch.seenCount = c.count;
    for (const auto& name : c.seen) batch.seenRows.push_back({Value(name)});
    std::string error;
    EXPECT_EQ(WriteTableBatch(TablePath("T.bsf"), batch, "", &error), kStoreRecordGone) << c.name;
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"})) << c.name;
  }
  TableBatch batch = Batch(1, {"X"});
  batch.seenCount = 3;
  batch.seenRows = {{Value(std::string("b"))}};
  std::string error;
  EXPECT_EQ(WriteTableBatch(TablePath("T.bsf"), batch, "", &error), kStoreOk) << error;
  batch.fields[0].size = 10;
  EXPECT_EQ(WriteTableBatch(TablePath("T.bsf"), batch, "", &error), kStoreRecordGone)
      << "other fields";
}

TEST_F(TableBatchTest, TheDaysBackupHoldsTheTableAsItWasBeforeTheFirstBatch) {
  std::string error;
  ASSERT_EQ(WriteTableBatch(TablePath("T.bsf"), Batch(0, {"A"}), "2026-12-11", &error), kStoreOk)
      << error;
  ASSERT_EQ(WriteTableBatch(TablePath("T.bsf"), Batch(0, {"AA"}), "2026-12-11", &error), kStoreOk);
  const std::string backup = Utf8Of(root_ / "bsf" / "backup" / "2026-12-11" / "T.bsf");
  RecordStore store(Location());
  ASSERT_TRUE(store.Open(backup)) << store.LastErrorText();
  EXPECT_EQ(AllNames(store), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"AA", "b", "c"}));

  // A day whose backup cannot be made: the table is not touched.
  std::ofstream(root_ / "bsf" / "backup" / "2026-12-12") << "a file where the folder goes";
  EXPECT_EQ(WriteTableBatch(TablePath("T.bsf"), Batch(0, {"Q"}), "2026-12-12", &error),
            kStoreIoError);
  EXPECT_NE(error.find("未能先备份，表文件没有改变"), std::string::npos) << error;
  EXPECT_EQ(Names(), (std::vector<std::string>{"AA", "b", "c"}));
}

}  // namespace
}  // namespace tallyra
