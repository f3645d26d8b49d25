#include "feed/parse_draws.h"

#include <cstddef>
#include <limits>
#include <vector>

#include "feed/ascii_scan.h"
#include "feed/extract_between.h"
#include "feed/feed_profile.h"
#include "feed/numbers_scan.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

std::string to_utf8(std::string_view gbk) {
  return is_ascii(gbk) ? std::string(gbk) : gbk_to_utf8(gbk);
}

}  // namespace

PollResult parse_draws(std::string_view gbk_reply, LotteryCode lottery) {
  const FeedProfile profile = feed_profile(lottery);
  std::vector<std::string_view> issues;
  issues.reserve(64);
  collect_between(gbk_reply, "[", "-", true, profile.longest_issue, 0, issues);

  // Numbers texts beyond the issues count as matches but are not kept.
  std::vector<std::string_view> numbers;
  numbers.reserve(issues.size());
  std::size_t matches = 0;
  scan_numbers(gbk_reply, profile.numbers, [&](std::string_view text) {
    if (matches < issues.size()) numbers.push_back(text);
    ++matches;
  });

  PollResult result;
  constexpr auto int_max = static_cast<std::size_t>(std::numeric_limits<int>::max());
  result.match_count = static_cast<int>(matches < int_max ? matches : int_max);
  result.draws.reserve(issues.size());
  const bool ascii = all_ascii(gbk_reply);
  for (std::size_t i = 0; i < issues.size(); ++i) {
    // Numbers texts are digits and commas: the same in GBK and UTF-8.
    result.draws.push_back({ascii ? std::string(issues[i]) : to_utf8(issues[i]),
                            i < numbers.size() ? std::string(numbers[i]) : std::string()});
  }
  return result;
}

}  // namespace plandesk
