#pragma once

#include <string>
#include <string_view>

namespace tallyra {

// A one-line value without control characters (U+0000..U+001F, U+007F): CR, LF, a CR LF
// pair and tab each become one space, any other control character is dropped.
std::string CleanOneLine(std::string_view utf8);

}  // namespace tallyra
