#pragma once
// A fast test for replies that hold no byte of a double-byte character,
// which lets the feed parsing search bytes instead of walking characters.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace plandesk {

// True when every byte is below 0x80. Tests eight bytes per step.
inline bool all_ascii(std::string_view text) {
  constexpr std::uint64_t high_bits = 0x8080808080808080u;
  const char* p = text.data();
  std::size_t left = text.size();
  std::uint64_t any = 0;
  for (; left >= 8; p += 8, left -= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    any |= word;
  }
  for (; left > 0; ++p, --left) any |= static_cast<unsigned char>(*p);
  return (any & high_bits) == 0;
}

}  // namespace plandesk
