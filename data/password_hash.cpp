#include "data/password_hash.h"

#include <sodium.h>

#include <string>

namespace tallyra {

HashLimits HashLimits::Interactive() {
  return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

HashLimits HashLimits::Minimum() {
  return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

std::string HashPassword(std::string_view password, HashLimits limits) {
  if (sodium_init() < 0) return {};
  char hash[crypto_pwhash_STRBYTES] = {};
  if (crypto_pwhash_str_alg(hash, password.data(), password.size(), limits.opsLimit,
                            limits.memLimit, crypto_pwhash_ALG_ARGON2ID13) != 0) {
    return {};  // out of memory: an empty hash matches no password
  }
  return hash;
}

bool VerifyPassword(std::string_view hash, std::string_view password) {
  // libsodium reads the hash as a C string of fewer than crypto_pwhash_STRBYTES bytes.
  if (hash.empty() || hash.size() >= crypto_pwhash_STRBYTES ||
      hash.find('\0') != std::string_view::npos || sodium_init() < 0) {
    return false;
  }
  const std::string terminated(hash);
  return crypto_pwhash_str_verify(terminated.c_str(), password.data(), password.size()) == 0;
}

}  // namespace tallyra
