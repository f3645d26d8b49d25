#include "plans/issue_math.h"

#include <algorithm>
#include <limits>

#include "text/leading_int.h"

namespace plandesk {
namespace {

std::int64_t saturating_add(std::int64_t a, std::int64_t b) {
  constexpr auto max = std::numeric_limits<std::int64_t>::max();
  constexpr auto min = std::numeric_limits<std::int64_t>::min();
  if (b > 0 && a > max - b) return max;
  if (b < 0 && a < min - b) return min;
  return a + b;
}

}  // namespace

std::string_view last_chars(std::string_view text, std::size_t n) {
  if (text.size() <= n) return text;
  std::size_t start = text.size() - n;
  while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) ++start;
  return text.substr(start);
}

std::optional<std::int64_t> issue_number(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos || text[first] < '0' || text[first] > '9') return std::nullopt;
  return leading_int(text);
}

std::optional<std::int64_t> day_issue(std::string_view issue) {
  return issue_number(last_chars(issue, 3));
}

std::optional<std::int64_t> running_issue(std::string_view issue) {
  return issue_number(issue);
}

bool is_last_issue_of_day(std::string_view issue) {
  return issue.size() >= 3 && last_chars(issue, 3) == "120";
}

std::optional<IssueFrame> issue_frame(PlanLottery lottery, std::string_view issue, std::int64_t cycle) {
  const bool by_day = uses_day_issue(lottery);
  const auto n = by_day ? day_issue(issue) : running_issue(issue);
  if (!n) return std::nullopt;
  IssueFrame frame;
  frame.newest = *n;
  frame.next = saturating_add(*n, 1);
  frame.plan_first = frame.next;
  frame.plan_last = saturating_add(*n, cycle);
  if (by_day) {
    if (is_last_issue_of_day(issue)) {
      // The next issue is the first of the next day.
      frame.next = 1;
      frame.plan_first = 1;
      frame.plan_last = cycle;
    }
    frame.plan_last = std::min(frame.plan_last, last_issue_of_day);
  }
  return frame;
}

}  // namespace plandesk
