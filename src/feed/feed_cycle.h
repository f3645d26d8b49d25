#pragma once
// The decisions of one feed cycle: given a poll of the selected lottery, what
// the plans tab shows, whether the plan text area is emptied and which plan
// kinds run. Plain data in, plain data out; the window applies the result.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "feed/dispatch_table.h"
#include "feed/draw_record.h"
#include "feed/lottery.h"
#include "settings/plan_settings.h"

namespace plandesk {

// Put into the plan text area when a poll brings no usable draws.
inline constexpr std::string_view no_data_notice = "暂时没有获取到开奖数据，请稍候……";

// cqssc and jxssc share one last-seen issue; every other lottery has its own.
enum class LotteryGroup { cqssc_jxssc, hsssc, pk10, x11x5 };
LotteryGroup lottery_group(LotteryCode lottery);

// The program-wide state of the feed; nothing of it is saved.
struct FeedState {
  std::optional<LotteryCode> selected_lottery;
  std::array<std::string, 4> last_seen_issue;  // by LotteryGroup
  bool forced_refresh = false;
  // The plan text area holds the no-data notice instead of the reports: the
  // next usable poll puts the reports back.
  bool notice_shown = false;

  std::string& last_seen(LotteryCode lottery) {
    return last_seen_issue[static_cast<std::size_t>(lottery_group(lottery))];
  }
};

// A selection: the lottery becomes the polled one and the next usable cycle
// is forced. The window empties the plan text area at the same time.
void note_selection(FeedState& state, LotteryCode lottery);

// Plan steps of a dispatch failed: the group's issue is forgotten, so the
// next usable cycle runs its plan kinds again (a step on the same issue
// twice changes nothing the second time).
void note_dispatch_failed(FeedState& state, LotteryCode lottery);

struct HistoryRow {
  std::string num;  // 1 for the newest draw
  std::string issue;
  std::string numbers;
  bool operator==(const HistoryRow&) const = default;
};

// What the plans tab shows of a poll.
struct DrawDisplay {
  std::string issue_caption;    // 标签3
  std::string numbers_caption;  // 标签4
  int numbers_point_size = 42;  // 标签4's font size
  std::vector<HistoryRow> history;
};

DrawDisplay draw_display(LotteryCode lottery, const PollResult& poll);

struct CycleDecision {
  bool show_notice = false;            // set the plan text area to no_data_notice
  std::optional<DrawDisplay> display;  // show the poll
  bool dispatch = false;               // empty the plan text area and run `steps`
  std::vector<DispatchStep> steps;     // switched-on kinds, in dispatch order
  std::string issue;                   // newest draw handed to every step
  std::string numbers;
};

// Decides one cycle of `lottery` and updates the state: last-seen issue,
// forced refresh and the notice flag. Settings are read afresh every cycle.
CycleDecision decide_feed_cycle(FeedState& state, LotteryCode lottery, const PollResult& poll,
                                const PlanSettings& settings);

}  // namespace plandesk
