#pragma once
// Finding the numbers texts of the draw feed by hand: the fixed patterns
// need no regular-expression engine, and a poll runs every few seconds.
// The matches are those that a left-to-right search for non-overlapping
// matches of the equivalent regular expression finds.

#include <cstddef>
#include <cstring>
#include <string_view>

#include "feed/feed_profile.h"

namespace plandesk {
namespace numbers_scan_detail {

inline bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// "-" + exactly five digits + "]". A match can hold no "-", so resuming one
// byte after the "-" or after the whole match finds the same matches.
template <typename Emit>
void scan_five_digits(std::string_view text, Emit emit) {
  constexpr std::size_t match_length = 7;
  const char* const data = text.data();
  std::size_t i = 0;
  while (text.size() - i >= match_length) {
    const void* hit = std::memchr(data + i, '-', text.size() - match_length + 1 - i);
    if (hit == nullptr) return;
    const auto p = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    if (is_digit(data[p + 1]) && is_digit(data[p + 2]) && is_digit(data[p + 3]) && is_digit(data[p + 4]) &&
        is_digit(data[p + 5]) && data[p + 6] == ']') {
      emit(text.substr(p + 1, 5));
      i = p + match_length;
    } else {
      i = p + 1;
    }
  }
}

// How many leading bytes of text[p...] follow the pattern of `groups`
// two-digit groups joined by ","; match_length when it all matches.
inline std::size_t pairs_prefix(const char* at, std::size_t groups) {
  for (std::size_t g = 0; g < groups; ++g) {
    const std::size_t k = g * 3;
    if (!is_digit(at[k])) return k;
    if (!is_digit(at[k + 1])) return k + 1;
    if (g + 1 < groups && at[k + 2] != ',') return k + 2;
  }
  return groups * 3 - 1;
}

// `groups` two-digit groups joined by ",", found like a left-to-right regex
// search for non-overlapping matches: after a match the search resumes right
// behind it; after a failed attempt at p it would resume at p + 1.
// Shortcuts that find the same matches: a match has "," as its third byte,
// so only the bytes two before a "," are tried; and when an attempt got k
// bytes into the pattern, every start before p + k - 1 is bound to fail on
// the same byte, since the pattern repeats every three bytes.
template <typename Emit>
void scan_pairs(std::string_view text, std::size_t groups, Emit emit) {
  const std::size_t match_length = groups * 3 - 1;
  const char* const data = text.data();
  std::size_t p = 0;
  while (text.size() - p >= match_length) {
    const void* comma = std::memchr(data + p + 2, ',', text.size() - match_length + 1 - p);
    if (comma == nullptr) return;
    p = static_cast<std::size_t>(static_cast<const char*>(comma) - data) - 2;
    const std::size_t k = pairs_prefix(data + p, groups);
    if (k == match_length) {
      emit(text.substr(p, match_length));
      p += match_length;
    } else {
      // A group's first digit may start a match only when the failing byte
      // may be its second digit.
      p += k < 2 ? 1 : ((k - 1) % 3 == 1 ? k - 1 : k);
    }
  }
}

}  // namespace numbers_scan_detail

// Calls emit(numbers_text) for every match of the form's pattern, in order:
// for five digits the digits between "-" and "]", else the whole match.
template <typename Emit>
void scan_numbers(std::string_view text, NumbersForm form, Emit emit) {
  using namespace numbers_scan_detail;
  switch (form) {
    case NumbersForm::five_digits:
      scan_five_digits(text, emit);
      return;
    case NumbersForm::ten_pairs:
      scan_pairs(text, 10, emit);
      return;
    case NumbersForm::five_pairs:
      scan_pairs(text, 5, emit);
      return;
  }
}

}  // namespace plandesk
