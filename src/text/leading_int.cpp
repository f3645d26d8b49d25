#include "text/leading_int.h"

#include <limits>

namespace plandesk {

std::int64_t leading_int(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr auto max = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value > (max - digit) / 10) return negative ? std::numeric_limits<std::int64_t>::min() : max;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace plandesk
