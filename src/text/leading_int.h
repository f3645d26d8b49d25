#pragma once
// Reading a number out of a text the way the program reads typed boxes and
// issue texts.

#include <cstdint>
#include <string_view>

namespace plandesk {

// The text's leading decimal number: optional blanks, an optional sign, then
// digits. 0 when there is none ("abc" -> 0, "12ab" -> 12, "-3" -> -3).
// Values beyond the 64-bit range saturate instead of overflowing.
std::int64_t leading_int(std::string_view text);

}  // namespace plandesk
