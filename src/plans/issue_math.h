#pragma once
// Issue arithmetic of the plan kinds. cqssc and jxssc number their issues
// 1 to 120 within each day (`day_issue`, read from the issue text's last
// three characters); hsssc, pk10 and 11x5 number them on without a daily
// restart (`running_issue`, read from the whole text).

#include <cstdint>
#include <optional>
#include <string_view>

#include "plans/plan_type.h"

namespace plandesk {

inline constexpr std::int64_t last_issue_of_day = 120;

// The text's last `n` bytes, or the whole text when it is shorter. Never
// starts inside a UTF-8 sequence.
std::string_view last_chars(std::string_view text, std::size_t n);

// The leading decimal number of an issue text (blanks before it allowed);
// nullopt when the text does not start with a digit, so that an empty or
// garbled issue is never taken for issue 0.
std::optional<std::int64_t> issue_number(std::string_view text);

// cqssc / jxssc: the value of the last three characters ("...023" -> 23).
std::optional<std::int64_t> day_issue(std::string_view issue);

// hsssc / pk10 / 11x5: the value of the whole issue text.
std::optional<std::int64_t> running_issue(std::string_view issue);

// The day's last issue of cqssc / jxssc: its last three characters are "120".
bool is_last_issue_of_day(std::string_view issue);

// What one plan step of a lottery works with.
struct IssueFrame {
  std::int64_t newest = 0;      // n: the newest issue's number
  std::int64_t next = 0;        // the issue after it
  std::int64_t plan_first = 0;  // range of a plan opened now, both ends included
  std::int64_t plan_last = 0;
};

// The frame of `issue` for a lottery and cycle; nullopt when the issue text
// holds no number. Day games: the plan covers n + 1 to n + cycle, cut at 120;
// after the day's last issue it covers 1 to min(cycle, 120) of the next day.
// Other games: n + 1 to n + cycle. Sums saturate instead of overflowing.
std::optional<IssueFrame> issue_frame(PlanLottery lottery, std::string_view issue, std::int64_t cycle);

}  // namespace plandesk
