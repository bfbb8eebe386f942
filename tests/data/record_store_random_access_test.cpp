// Random access by record index, as a grid over the store uses it.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/record_store.h"
#include "data/table_path.h"
#include "tests/support/store_test_support.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/child_process.h"
#endif

namespace tallyra {
namespace {

using RandomAccessTest = StoreTest;

const std::vector<FieldDef> kFields = {{"名称", FieldType::kText, 20},
                                       {"金额", FieldType::kDouble, 0}};
const std::vector<std::string> kNames = {"甲", "乙", "丙", "丁", "戊"};

// Every record as "name:amount", read by a fresh store, so only what reached the file counts.
std::vector<std::string> FileContents(const TableLocation& location) {
  RecordStore store(location);
  std::vector<std::string> rows;
  if (!store.Open("bsf\\T.bsf")) return {"open failed: " + store.LastErrorText()};
  for (int r = 0; r < store.RecordCount(); ++r) {
    Value name, amount;
    if (!store.ReadAt(r, 1, &name) || !store.ReadAt(r, 2, &amount)) return {"read failed"};
    rows.push_back(std::get<std::string>(name) + ":" +
                   std::to_string(static_cast<int>(std::get<double>(amount))));
  }
  return rows;
}

// T.bsf: five records 甲 .. 戊 with amounts 1 .. 5.
class RandomAccessFixture : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    MakeFive();
  }
  void MakeFive() {
    std::vector<std::vector<Value>> records;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      records.push_back({kNames[i], static_cast<double>(i + 1)});
    }
    MakeTable("T.bsf", kFields, records);
  }
};

TEST_F(RandomAccessFixture, ReadModifyAndDeleteAtFirstMiddleAndLast) {
  const struct {
    int record;
    std::vector<std::string> afterModify;
    std::vector<std::string> afterDelete;
    int pointerAfterDelete;  // RecordNumber: the record that followed, or after the last
  } cases[] = {
      {0, {"甲:9", "乙:2", "丙:3", "丁:4", "戊:5"}, {"乙:2", "丙:3", "丁:4", "戊:5"}, 1},
      {2, {"甲:1", "乙:2", "丙:9", "丁:4", "戊:5"}, {"甲:1", "乙:2", "丁:4", "戊:5"}, 3},
      {4, {"甲:1", "乙:2", "丙:3", "丁:4", "戊:9"}, {"甲:1", "乙:2", "丙:3", "丁:4"}, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("record " + std::to_string(c.record));
    std::filesystem::remove(PathFromUtf8(TablePath("T.bsf")));
    MakeFive();
    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\T.bsf"));
    store.Skip(1);  // ReadAt must leave the pointer where it is

    Value name, amount;
    ASSERT_TRUE(store.ReadAt(c.record, 1, &name));
    ASSERT_TRUE(store.ReadAt(c.record, 2, &amount));
    EXPECT_EQ(name, Value(kNames[static_cast<std::size_t>(c.record)]));
    EXPECT_EQ(amount, Value(c.record + 1.0));
    EXPECT_EQ(store.RecordNumber(), 2);
    EXPECT_EQ(store.ReadText(1), "乙");

    // The name is omitted, so it keeps its value.
    ASSERT_TRUE(store.ModifyAt(c.record, {std::nullopt, Value(9.0)})) << store.LastErrorText();
    EXPECT_EQ(store.RecordNumber(), c.record + 1);
    EXPECT_EQ(FileContents(Location()), c.afterModify);

    ASSERT_TRUE(store.DeleteAt(c.record)) << store.LastErrorText();
    EXPECT_EQ(store.RecordCount(), 4);
    EXPECT_EQ(store.RecordNumber(), c.pointerAfterDelete);
    EXPECT_EQ(FileContents(Location()), c.afterDelete);
  }
}

TEST_F(RandomAccessFixture, AnIndexOutsideTheTableFailsAndChangesNothing) {
  MakeTable("E.bsf", kFields);
  const std::string before = ReadBytes("T.bsf");
  const struct {
    const char* file;
    int record;
  } cases[] = {
      {"bsf\\T.bsf", -1},      {"bsf\\T.bsf", 5}, {"bsf\\T.bsf", INT_MIN},
      {"bsf\\T.bsf", INT_MAX}, {"bsf\\E.bsf", 0}, {"bsf\\E.bsf", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " record " + std::to_string(c.record));
    RecordStore store(Location());
    ASSERT_TRUE(store.Open(c.file));
    store.Skip(1);
    const int pointer = store.RecordNumber();
    Value value(std::string("untouched"));
    EXPECT_FALSE(store.ReadAt(c.record, 1, &value));
    EXPECT_EQ(store.LastError(), kStoreNoRecord);
    EXPECT_EQ(value, Value(std::string("untouched")));
    EXPECT_FALSE(store.ModifyAt(c.record, {Value(std::string("x"))}));
    EXPECT_EQ(store.LastError(), kStoreNoRecord);
    EXPECT_FALSE(store.DeleteAt(c.record));
    EXPECT_EQ(store.LastError(), kStoreNoRecord);
    EXPECT_EQ(store.RecordNumber(), pointer);
  }
  EXPECT_EQ(ReadBytes("T.bsf"), before);
}

TEST_F(RandomAccessFixture, AFieldOutsideTheTableOrNoCurrentTableFailsWithoutAFatalError) {
  RecordStore store(Location());
  Value value;
  EXPECT_FALSE(store.ReadAt(0, 1, &value));
  EXPECT_EQ(store.LastError(), kStoreNoCurrentTable);
  EXPECT_FALSE(store.ModifyAt(0, {}));
  EXPECT_EQ(store.LastError(), kStoreNoCurrentTable);
  EXPECT_FALSE(store.DeleteAt(0));
  EXPECT_EQ(store.LastError(), kStoreNoCurrentTable);
  EXPECT_FALSE(store.AppendEmpty());
  EXPECT_EQ(store.LastError(), kStoreNoCurrentTable);

  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  for (int field : {INT_MIN, -1, 0, 3, INT_MAX}) {
    EXPECT_FALSE(store.ReadAt(0, field, &value)) << field;
    EXPECT_EQ(store.LastError(), kStoreNoSuchField) << field;
  }
}

// The field number was turned into an index by subtracting 1 first, which overflows for
// INT_MIN (UBSan stops there); every bad number must be the fatal "no such field".
TEST_F(RandomAccessFixture, ReadOfAFieldNumberOutsideTheTableIsFatalForEveryInt) {
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  for (int field : {INT_MIN, INT_MIN + 1, -1, 0, 3, INT_MAX}) {
    for (const auto& read : std::vector<std::function<void()>>{[&] { store.Read(field); },
                                                               [&] { store.ReadText(field); },
                                                               [&] { store.ReadNumber(field); }}) {
      try {
        read();
        ADD_FAILURE() << "field " << field << " was read";
      } catch (const FatalErrorRaised& raised) {
        EXPECT_EQ(raised.code, kStoreNoSuchField) << field;
      }
    }
  }
}

TEST_F(RandomAccessTest, AppendEmptyAddsAnEmptyRecordAtTheEndAndPointsAtIt) {
  MakeTable("E.bsf", {{"名称", FieldType::kText, 20},
                      {"序号", FieldType::kLong, 0},
                      {"金额", FieldType::kDouble, 0}});
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\E.bsf"));
  ASSERT_TRUE(store.AppendEmpty());
  EXPECT_EQ(store.RecordCount(), 1);
  EXPECT_EQ(store.RecordNumber(), 1);
  ASSERT_TRUE(store.ModifyAt(0, {Value(std::string("first"))}));
  ASSERT_TRUE(store.AppendEmpty());
  EXPECT_EQ(store.RecordNumber(), 2);

  RecordStore fresh(Location());
  ASSERT_TRUE(fresh.Open("bsf\\E.bsf"));
  ASSERT_EQ(fresh.RecordCount(), 2);
  const Value expected[2][3] = {{std::string("first"), std::int64_t{0}, 0.0},
                                {std::string(), std::int64_t{0}, 0.0}};
  for (int r = 0; r < 2; ++r) {
    for (int f = 1; f <= 3; ++f) {
      Value value;
      ASSERT_TRUE(fresh.ReadAt(r, f, &value));
      EXPECT_EQ(value, expected[r][f - 1]) << "record " << r << " field " << f;
    }
  }
}

// The other program below is a fork of this one; Windows has no fork.
#ifndef _WIN32

// Runs `work` in a child process once the parent has opened the table, and waits for it.
// Made before the parent opens anything.
class OtherProgram {
 public:
  explicit OtherProgram(const std::function<bool()>& work)
      : child_([&work](int go, int) {
          char byte = 0;
          if (read(go, &byte, 1) != 1) _exit(2);
          _exit(work() ? 0 : 1);
        }) {}
  // True when the child ran `work` and it returned true.
  bool Run() {
    const char byte = 1;
    if (!child_.Started() || write(child_.Input(), &byte, 1) != 1) return false;
    const int status = child_.Wait();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  ChildProcess child_;
};

TEST_F(RandomAccessFixture, ARecordAnotherProgramDeletedIsGoneAndNoOtherRecordIsWritten) {
  const TableLocation location = Location();
  // The other program removes 乙 (index 1) after this one has read the table.
  OtherProgram other([location] {
    RecordStore store(location);
    return store.Open("bsf\\T.bsf") && store.DeleteAt(1);
  });
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  ASSERT_EQ(store.RecordCount(), 5);
  ASSERT_TRUE(other.Run());

  // Index 1 still means 乙 to this program until it refreshes: the write must not land on 丙.
  EXPECT_FALSE(store.ModifyAt(1, {Value(std::string("改")), Value(9.0)}));
  EXPECT_EQ(store.LastError(), kStoreRecordGone);
  EXPECT_EQ(FileContents(location), (std::vector<std::string>{"甲:1", "丙:3", "丁:4", "戊:5"}));

  // Indexes are those of the records this program saw last; the refresh above re-read them.
  EXPECT_EQ(store.RecordCount(), 4);
  ASSERT_TRUE(store.ModifyAt(1, {std::nullopt, Value(7.0)})) << store.LastErrorText();
  EXPECT_EQ(FileContents(location), (std::vector<std::string>{"甲:1", "丙:7", "丁:4", "戊:5"}));
}

TEST_F(RandomAccessFixture, ARecordStillThereIsFoundByWhatItIsNotByItsOldIndex) {
  const TableLocation location = Location();
  OtherProgram other([location] {
    RecordStore store(location);
    return store.Open("bsf\\T.bsf") && store.DeleteAt(0);
  });
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  ASSERT_TRUE(other.Run());

  // Index 2 was 丙 when this program read the table; 丙 is now at index 1.
  ASSERT_TRUE(store.ModifyAt(2, {std::nullopt, Value(9.0)})) << store.LastErrorText();
  EXPECT_EQ(store.ReadText(1), "丙");
  EXPECT_EQ(FileContents(location), (std::vector<std::string>{"乙:2", "丙:9", "丁:4", "戊:5"}));
  // That write took in the other program's change: index 1 is 丙 from now on.
  ASSERT_TRUE(store.DeleteAt(1));
  EXPECT_EQ(FileContents(location), (std::vector<std::string>{"乙:2", "丁:4", "戊:5"}));
}

TEST_F(RandomAccessFixture, DeleteAtOfARecordAnotherProgramDeletedFailsAsGone) {
  const TableLocation location = Location();
  OtherProgram other([location] {
    RecordStore store(location);
    return store.Open("bsf\\T.bsf") && store.DeleteAt(4);
  });
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\T.bsf"));
  ASSERT_TRUE(other.Run());
  EXPECT_FALSE(store.DeleteAt(4));
  EXPECT_EQ(store.LastError(), kStoreRecordGone);
  EXPECT_EQ(FileContents(location), (std::vector<std::string>{"甲:1", "乙:2", "丙:3", "丁:4"}));
}

#endif  // _WIN32

}  // namespace
}  // namespace tallyra
