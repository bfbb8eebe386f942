#pragma once

#include <ostream>

#include "forms/print_operation.h"

namespace tallyra {

// Readable print operations in test failures.
inline void PrintTo(const PrintOperation& operation, std::ostream* out) {
  *out << Describe(operation);
}

}  // namespace tallyra
