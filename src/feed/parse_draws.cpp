#include "feed/parse_draws.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

#include "feed/extract_between.h"
#include "feed/feed_profile.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

bool is_digit(char c) {
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

// `groups` two-digit groups joined by ",". Like a left-to-right search for
// non-overlapping matches: a failed attempt at p resumes at p + 1, a match
// resumes right behind itself.
template <typename Emit>
void scan_pairs(std::string_view text, std::size_t groups, Emit emit) {
  const std::size_t match_length = groups * 3 - 1;
  const char* const data = text.data();
  std::size_t p = 0;
  while (text.size() - p >= match_length) {
    std::size_t k = 0;
    for (;;) {
      if (!is_digit(data[p + k]) || !is_digit(data[p + k + 1])) break;
      k += 2;
      if (k == match_length) break;
      if (data[p + k] != ',') break;
      ++k;
    }
    if (k == match_length) {
      emit(text.substr(p, match_length));
      p += match_length;
    } else {
      ++p;
    }
  }
}

template <typename Emit>
void scan_numbers(std::string_view text, NumbersForm form, Emit emit) {
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

std::string to_utf8(std::string_view gbk) {
  return is_ascii(gbk) ? std::string(gbk) : gbk_to_utf8(gbk);
}

}  // namespace

PollResult parse_draws(std::string_view gbk_reply, LotteryCode lottery) {
  const FeedProfile profile = feed_profile(lottery);
  std::vector<std::string_view> issues;
  issues.reserve(64);
  collect_between(gbk_reply, "[", "-", true, profile.longest_issue, 0, issues);

  PollResult result;
  result.draws.reserve(issues.size());
  for (const auto issue : issues) result.draws.push_back({to_utf8(issue), {}});

  std::size_t matches = 0;
  scan_numbers(gbk_reply, profile.numbers, [&](std::string_view numbers) {
    if (matches < result.draws.size()) result.draws[matches].numbers.assign(numbers);  // digits: ASCII
    ++matches;
  });
  constexpr auto int_max = static_cast<std::size_t>(std::numeric_limits<int>::max());
  result.match_count = static_cast<int>(matches < int_max ? matches : int_max);
  return result;
}

}  // namespace plandesk
