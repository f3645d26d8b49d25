#include "feed/feed_cycle.h"

#include <utility>

#include "text/gbk.h"

namespace plandesk {
namespace {

// Byte length of the UTF-8 character at the start of `s` (1 for a stray byte).
std::size_t char_length(std::string_view s) {
  std::size_t n = 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return n;
}

// The longest head of a text that takes at most `bytes` GBK bytes, never
// cutting a character in two.
std::string gbk_left(std::string_view text, std::size_t bytes) {
  std::size_t used = 0, end = 0;
  while (end < text.size()) {
    const auto n = char_length(text.substr(end));
    const auto width = gbk_length(text.substr(end, n));
    if (used + width > bytes) break;
    used += width;
    end += n;
  }
  return std::string(text.substr(0, end));
}

// The longest tail of a text that takes at most `bytes` GBK bytes.
std::string gbk_right(std::string_view text, std::size_t bytes) {
  std::size_t used = 0, begin = text.size();
  while (begin > 0) {
    auto start = begin - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    const auto width = gbk_length(text.substr(start, begin - start));
    if (used + width > bytes) break;
    used += width;
    begin = start;
  }
  return std::string(text.substr(begin));
}

std::string issue_caption(LotteryCode lottery, const std::string& issue) {
  std::string caption = "当前期号：";
  switch (lottery) {
    case LotteryCode::cqssc:
    case LotteryCode::jxssc:
      caption += gbk_left(issue, 8) + "-" + gbk_right(issue, 3);
      break;
    case LotteryCode::hsssc:
    case LotteryCode::x11x5:
      caption += issue;
      break;
    case LotteryCode::pk10:
      caption += issue + "  【前5车开奖号】";
      break;
  }
  return caption;
}

}  // namespace

LotteryGroup lottery_group(LotteryCode lottery) {
  switch (lottery) {
    case LotteryCode::cqssc:
    case LotteryCode::jxssc:
      return LotteryGroup::cqssc_jxssc;
    case LotteryCode::hsssc:
      return LotteryGroup::hsssc;
    case LotteryCode::pk10:
      return LotteryGroup::pk10;
    case LotteryCode::x11x5:
      return LotteryGroup::x11x5;
  }
  return LotteryGroup::cqssc_jxssc;
}

void note_selection(FeedState& state, LotteryCode lottery) {
  state.forced_refresh = true;
  state.selected_lottery = lottery;
  state.notice_shown = false;
}

void note_dispatch_failed(FeedState& state, LotteryCode lottery) {
  state.last_seen(lottery).clear();
}

DrawDisplay draw_display(LotteryCode lottery, const PollResult& poll) {
  DrawDisplay display;
  if (poll.draws.empty()) return display;
  const auto& newest = poll.draws.front();
  display.issue_caption = issue_caption(lottery, newest.issue);
  if (is_five_digit(lottery)) {
    display.numbers_point_size = 42;
    display.numbers_caption = newest.numbers;
  } else {
    // The first five numbers of a race, all five of a pick-five draw.
    display.numbers_point_size = 22;
    display.numbers_caption = gbk_left(newest.numbers, 14);
  }
  display.history.reserve(poll.draws.size());
  for (std::size_t i = 0; i < poll.draws.size(); ++i)
    display.history.push_back({std::to_string(i + 1), poll.draws[i].issue, poll.draws[i].numbers});
  return display;
}

CycleDecision decide_feed_cycle(FeedState& state, LotteryCode lottery, const PollResult& poll,
                                const PlanSettings& settings) {
  CycleDecision decision;
  if (!poll.usable()) {
    // hsssc keeps its screen; the others tell the user why nothing moves.
    if (lottery != LotteryCode::hsssc) {
      decision.show_notice = true;
      state.notice_shown = true;
    }
    return decision;
  }

  const auto& newest = poll.draws.front();
  auto& last_seen = state.last_seen(lottery);
  const bool is_new = newest.issue != last_seen;
  const bool recover = std::exchange(state.notice_shown, false);
  const bool forced = state.forced_refresh;

  bool show = false, run = false;
  switch (lottery) {
    case LotteryCode::cqssc:
    case LotteryCode::jxssc:
      show = run = is_new || forced || recover;
      break;
    case LotteryCode::hsssc:
      show = true;
      run = is_new || forced || recover;
      break;
    case LotteryCode::pk10:
    case LotteryCode::x11x5:
      // A forced cycle shows the poll until a new issue is dispatched; a new
      // issue is processed whether forced or not, so the display never freezes.
      show = is_new || forced || recover;
      run = is_new || recover;
      break;
  }

  if (show) decision.display = draw_display(lottery, poll);
  if (run) {
    last_seen = newest.issue;
    decision.dispatch = true;
    decision.steps = dispatch_steps(lottery, settings);
    decision.issue = newest.issue;
    decision.numbers = newest.numbers;
    state.forced_refresh = false;
  }
  return decision;
}

}  // namespace plandesk
