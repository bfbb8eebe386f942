#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallyra {

// Argon2id cost of a hash; the defaults are libsodium's interactive limits.
struct HashLimits {
  std::uint64_t opsLimit;
  std::size_t memLimit;
  static HashLimits Interactive();
  static HashLimits Minimum();  // for tests only
};

// An operator password as stored in the operator table, never the password itself.
std::string HashPassword(std::string_view password, HashLimits limits = HashLimits::Interactive());
bool VerifyPassword(std::string_view hash, std::string_view password);

}  // namespace tallyra
