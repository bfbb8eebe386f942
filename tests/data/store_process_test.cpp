// Two programs on one table file, and a program killed in the middle of its writes.
// The other program is a fork of this one, and Windows has no fork: compiled out there.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "data/record_store.h"
#include "tests/support/child_process.h"
#include "tests/support/store_test_support.h"

namespace tallyra {
namespace {

using StoreProcessTest = StoreTest;

const std::vector<FieldDef> kFields = {
    {"序号", FieldType::kLong, 0}, {"名称", FieldType::kText, 40}, {"金额", FieldType::kDouble, 0}};

std::string NameOf(std::int64_t i) { return "第" + std::to_string(i) + "条记录的名称"; }

// Reads one int64 the other process wrote; false at end of file.
bool ReadNumber(int fd, std::int64_t* value) {
  char* out = reinterpret_cast<char*>(value);
  std::size_t got = 0;
  while (got < sizeof *value) {
    const ssize_t n = read(fd, out + got, sizeof *value - got);
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

void WriteNumber(int fd, std::int64_t value) {
  if (write(fd, &value, sizeof value) != static_cast<ssize_t>(sizeof value)) _exit(3);
}

// The child: appends records numbered from `first` on and reports, before each Append,
// the number it is about to write and, after it returned true, the same number again.
[[noreturn]] void AppendForever(const TableLocation& location, std::int64_t first, int report) {
  RecordStore store(location);
  if (!store.Open("bsf\\Crash.bsf")) _exit(2);
  for (std::int64_t i = first;; ++i) {
    WriteNumber(report, i);
    if (!store.Append({i, NameOf(i), static_cast<double>(i) * 0.5})) _exit(4);
    WriteNumber(report, i);
  }
}

TEST_F(StoreProcessTest, AKilledWriterLeavesExactlyTheRecordsWhoseAppendReturned) {
  MakeTable("Crash.bsf", kFields);
  std::mt19937 random(std::random_device{}());
  std::int64_t confirmed = 0;  // records whose Append returned, over all runs
  int killedInFlight = 0;
  for (int run = 0; run < 20; ++run) {
    ChildProcess child([&](int, int report) { AppendForever(Location(), confirmed, report); });
    ASSERT_TRUE(child.Started());
    // Let it write a record or two, then kill it at a random moment of the next ones.
    std::int64_t number = 0;
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(ReadNumber(child.Reports(), &number));
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
    const int status = child.Kill();
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, status " << status;

    // Every number comes twice: announced, then confirmed. A lone last one was in flight.
    std::vector<std::int64_t> reports;
    while (ReadNumber(child.Reports(), &number)) reports.push_back(number);
    const std::size_t pairs = (reports.size() + 2) / 2;  // the two read above form one pair
    const bool inFlight = reports.size() % 2 == 1;
    killedInFlight += inFlight ? 1 : 0;
    confirmed += static_cast<std::int64_t>(pairs);
    const std::int64_t maximum = confirmed + (inFlight ? 1 : 0);

    RecordStore store(Location());
    ASSERT_TRUE(store.Open("bsf\\Crash.bsf")) << "run " << run << ": " << store.LastErrorText();
    const int count = store.RecordCount();
    ASSERT_GE(count, confirmed) << "run " << run << ": a returned Append was lost";
    ASSERT_LE(count, maximum) << "run " << run << ": a record nobody appended";
    store.First();
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(store.Read(1), Value(std::int64_t{i})) << "run " << run;
      ASSERT_EQ(store.ReadText(2), NameOf(i)) << "run " << run;
      ASSERT_EQ(store.ReadNumber(3), i * 0.5) << "run " << run;
      store.Skip(1);
    }
    confirmed = count;  // the in-flight one, if it made it, is there from now on
  }
  // Else no run tested a kill in the middle of a write.
  EXPECT_GT(killedInFlight, 0);
}

TEST_F(StoreProcessTest, AnAppendOfOneProgramIsSeenByTheOthersNextRecordCount) {
  MakeTable("Crash.bsf", kFields, {{std::int64_t{0}, NameOf(0), 0.0}});
  // Forked before this process opens the table.
  ChildProcess child([&](int go, int done) {
    std::int64_t ignored = 0;
    if (!ReadNumber(go, &ignored)) _exit(5);
    RecordStore other(Location());
    const bool ok = other.Open("bsf\\Crash.bsf") && other.Append({std::int64_t{1}, NameOf(1), 0.5});
    WriteNumber(done, ok ? 1 : 0);
  });
  ASSERT_TRUE(child.Started());
  RecordStore store(Location());
  ASSERT_TRUE(store.Open("bsf\\Crash.bsf"));
  ASSERT_EQ(store.RecordCount(), 1);
  store.First();

  WriteNumber(child.Input(), 1);
  std::int64_t ok = 0;
  ASSERT_TRUE(ReadNumber(child.Reports(), &ok));
  ASSERT_EQ(ok, 1);
  child.Wait();

  EXPECT_EQ(store.RecordCount(), 2);
  store.Skip(1);
  EXPECT_EQ(store.ReadText(2), NameOf(1));
}

}  // namespace
}  // namespace tallyra

#endif  // _WIN32
