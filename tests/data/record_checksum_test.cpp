// Checksums are part of the table file format: a change in how records are fed to the
// hash would turn every stored file into a "damaged" one. The expected values below were
// computed once and must never change.
#include "data/record_checksum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tallyra {
namespace {

struct RecordCase {
  const char* what;
  std::int64_t id;
  bool deleted;
  std::vector<Value> values;
  std::int64_t expected;
};

Blob Bytes(std::size_t size) {
  Blob blob(size);
  for (std::size_t i = 0; i < size; ++i) blob[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return blob;
}

std::vector<RecordCase> RecordCases() {
  return {
      {"no values", 1, false, {}, 5873804781379819907},
      {"deleted", 1, true, {}, 1784983921965111175},
      {"every kind",
       127,
       false,
       {Value{}, true, std::int64_t{29}, 12.25, std::string("上海恒源机电设备有限公司"), Bytes(3)},
       -3741969490642126017},
      {"integers at varint edges",
       128,
       false,
       {std::int64_t{0}, std::int64_t{127}, std::int64_t{128}, std::int64_t{-1},
        std::int64_t{INT64_MIN}, std::int64_t{INT64_MAX}},
       2565839455459452003},
      {"zero of both signs", 2, false, {0.0, -0.0, -3.5, false}, 6911640828986601665},
      {"empty and long text",
       300,
       false,
       {std::string(), std::string(200, 'a'), std::string(20000, 'b'), Blob()},
       -5369747227644985176},
  };
}

TEST(RecordChecksumTest, RecordsKeepTheirStoredChecksums) {
  RecordChecksum checksum;
  for (const RecordCase& c : RecordCases()) {
    EXPECT_EQ(checksum.OfRecord(c.id, c.deleted, c.values), c.expected) << c.what;
  }
}

TEST(RecordChecksumTest, FieldListAndProtectionKeepTheirStoredChecksums) {
  RecordChecksum checksum;
  const std::vector<FieldDef> fields = {{"帐户名", FieldType::kText, 16},
                                        {"序号", FieldType::kLong, 0},
                                        {"金额", FieldType::kDouble, 0},
                                        {"备注", FieldType::kMemo, 0},
                                        {"图片", FieldType::kBinary, 0}};
  EXPECT_EQ(checksum.OfFields(fields), -3965760039330550455);
  EXPECT_EQ(checksum.OfProtection({}, {}), -6348110557736429641);
  EXPECT_EQ(checksum.OfProtection(Bytes(16), Bytes(32)), 2918389911265580737);
}

// Records of every size, from a few bytes to several times the hash's feed, so that
// records straddle every way a piece of the feed can end.
TEST(RecordChecksumTest, TableChecksumOverRecordsOfEverySize) {
  RecordChecksum checksum;
  checksum.BeginTable();
  EXPECT_EQ(checksum.FinishTable(), 5507284858307773189) << "no records";

  checksum.BeginTable();
  for (int i = 0; i < 400; ++i) {
    const auto size = static_cast<std::size_t>((i * i * 37) % 9000);
    checksum.AddRecord(i + 1, i % 5 == 0,
                       {std::string(size, static_cast<char>('a' + i % 26)), std::int64_t{i * 1000},
                        i * 0.5, Bytes(static_cast<std::size_t>(i % 40))});
  }
  EXPECT_EQ(checksum.FinishTable(), -4172145686406274913);

  // OfRecord between two tables leaves the next table's checksum alone.
  checksum.OfRecord(1, false, {std::string("x")});
  checksum.BeginTable();
  checksum.AddRecord(1, false, {std::string("x")});
  EXPECT_EQ(checksum.FinishTable(), -8219636610807951741);
}

}  // namespace
}  // namespace tallyra
