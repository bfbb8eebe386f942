#pragma once

#include <cstddef>
#include <string>

namespace tallyra {

// `bytes` random bytes as lower-case hex: what makes a temporary file's name unique among
// the programs writing into the same folder.
std::string RandomHex(std::size_t bytes);

}  // namespace tallyra
