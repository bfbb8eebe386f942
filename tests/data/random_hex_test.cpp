#include "data/random_hex.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tallyra {
namespace {

// The text ends up in file names: exactly two hex digits a byte, no terminating zero.
TEST(RandomHexTest, TwoLowerCaseHexDigitsPerByte) {
  for (std::size_t bytes : {1u, 6u, 8u}) {
    const std::string hex = RandomHex(bytes);
    EXPECT_EQ(hex.size(), 2 * bytes) << bytes;
    EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos) << hex;
  }
}

TEST(RandomHexTest, NamesDoNotRepeat) {
  std::set<std::string> seen;
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(seen.insert(RandomHex(6)).second);
}

}  // namespace
}  // namespace tallyra
