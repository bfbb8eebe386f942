#include "forms/position_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/catalogue.h"
#include "data/table_path.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

class PositionTableTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    std::string error;
    ASSERT_TRUE(CreateMissingTables(Location(), &error)) << error;
  }

  // Stores one record in a position table: field k holds k + base.
  void StoreValues(const OffsetSource& table, int fields, double base) {
    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\" + std::string(table.table), table.password));
    std::vector<Value> values;
    for (int k = 1; k <= fields; ++k) values.emplace_back(k + base);
    ASSERT_TRUE(store.Append(values));
  }
};

TEST_F(PositionTableTest, OneReaderForThePairsAndTheDepositSlipsThirtyFour) {
  RecordStore store(Location());
  // Without a record every offset is 0.
  EXPECT_EQ(ReadOffsets(store, OffsetsOf(OffsetPair::kCashDepositSlip)),
            (std::vector<double>{0, 0}));
  EXPECT_EQ(ReadOffsets(store, DepositSlipOffsets()), std::vector<double>(34, 0.0));

  store.CloseAll();
  StoreValues(OffsetsOf(OffsetPair::kCheque), kPositionFields, 0.5);
  StoreValues(DepositSlipOffsets(), kDepositSlipPositionFields, -100);
  EXPECT_EQ(ReadOffsets(store, OffsetsOf(OffsetPair::kCheque)), (std::vector<double>{1.5, 2.5}));
  EXPECT_EQ(ReadOffsets(store, OffsetsOf(OffsetPair::kCashDepositSlip)),
            (std::vector<double>{13.5, 14.5}));
  const auto deposit = ReadOffsets(store, DepositSlipOffsets());
  ASSERT_TRUE(deposit);
  ASSERT_EQ(deposit->size(), 34u);
  EXPECT_EQ(deposit->front(), -99);
  EXPECT_EQ(deposit->back(), -66);
}

TEST_F(PositionTableTest, ATableThatCannotBeOpenedGivesNothingAndSaysWhy) {
  std::filesystem::remove(PathFromUtf8(TablePath(kDepositSlipPositionTable)));
  RecordStore store(Location());
  EXPECT_FALSE(ReadOffsets(store, DepositSlipOffsets()));
  EXPECT_NE(store.LastErrorText().find("Tzjzd.bsf"), std::string::npos) << store.LastErrorText();
}

}  // namespace
}  // namespace tallyra
