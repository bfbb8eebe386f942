#pragma once

#include <string>

namespace tallyra {

// A non-negative amount rounded half up to hundredths.
struct Hundredths {
  std::string whole;  // decimal digits of the integer part, no leading zeros ("0" for none)
  int cents = 0;      // 0..99
};

// Rounds |value| half up to hundredths on its shortest round-trip decimal text, i.e. on
// what the operator typed: 256.025 gives 256.03 and 2.675 gives 2.68, although both are
// stored a hair below the half. The value must be finite.
Hundredths RoundToHundredths(double value);

}  // namespace tallyra
