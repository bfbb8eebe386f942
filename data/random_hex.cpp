#include "data/random_hex.h"

#include <sodium.h>

#include <vector>

namespace tallyra {

std::string RandomHex(std::size_t bytes) {
  std::vector<unsigned char> nonce(bytes);
  randombytes_buf(nonce.data(), nonce.size());
  std::string hex(2 * bytes + 1, '\0');  // sodium_bin2hex writes a terminating zero
  sodium_bin2hex(hex.data(), hex.size(), nonce.data(), nonce.size());
  hex.pop_back();
  return hex;
}

}  // namespace tallyra
