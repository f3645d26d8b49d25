#include "feed/feed_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandesk {
namespace {

using L = LotteryCode;
using S = SettingsKind;

PlanSettings default_like_settings() {
  PlanSettings settings;
  const char* counts[] = {"5", "", "50", "500", "5", "5", "5", "6", "5", "6"};
  for (std::size_t i = 0; i < plan_kind_count; ++i) settings.kinds[i] = {true, "3", counts[i]};
  return settings;
}

std::string numbers_for(L lottery) {
  if (is_five_digit(lottery)) return "12345";
  if (lottery == L::pk10) return "03,07,01,10,05,02,09,04,08,06";
  return "03,07,01,11,05";
}

// A usable poll whose newest issue is `issue`, with `rows` draws.
PollResult poll_of(L lottery, const std::string& issue, int rows = 11) {
  PollResult poll;
  poll.match_count = rows;
  for (int i = 0; i < rows; ++i)
    poll.draws.push_back({i == 0 ? issue : issue + "-" + std::to_string(i), numbers_for(lottery)});
  return poll;
}

PollResult unusable_poll(L lottery) {
  return poll_of(lottery, "20150301023", 10);
}

std::vector<int> types_of(const CycleDecision& decision) {
  std::vector<int> types;
  for (const auto& step : decision.steps) types.push_back(step.plan_type);
  return types;
}

TEST(DispatchTable, ReadsTheSettingsInTableOrder) {
  const auto settings = default_like_settings();
  struct Case {
    L lottery;
    std::vector<DispatchStep> steps;
  } cases[] = {
      {L::cqssc, {{1001, 3, 0, 5}, {1002, 3, 0, 0}, {1003, 3, 0, 50}, {1004, 3, 0, 500}}},
      {L::jxssc, {{2001, 3, 0, 5}, {2002, 3, 0, 0}, {2003, 3, 0, 50}, {2004, 3, 0, 500}}},
      {L::hsssc, {{3001, 3, 0, 5}, {3002, 3, 0, 0}, {3003, 3, 0, 50}, {3004, 3, 0, 500}}},
      {L::pk10, {{4001, 3, 1, 5}, {4002, 3, 2, 5}, {4003, 3, 3, 5}}},
      {L::x11x5, {{5001, 3, 1, 6}, {5002, 3, 2, 5}, {5003, 3, 3, 6}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dispatch_steps(c.lottery, settings), c.steps) << lottery_text(c.lottery);
}

TEST(DispatchTable, SkipsSwitchedOffKindsAndReadsLeadingNumbers) {
  auto settings = default_like_settings();
  settings[S::ssc_two].enabled = false;
  settings[S::ssc_single].cycle = "abc";
  settings[S::ssc_single].count = " 7x";
  settings[S::ssc_size].count = "9";  // the big/small kind has no count
  settings[S::ssc_three].cycle = "";
  settings[S::pk10_first].enabled = false;
  settings[S::pk10_third].count = "-2";
  EXPECT_EQ(dispatch_steps(L::cqssc, settings),
            (std::vector<DispatchStep>{{1001, 0, 0, 7}, {1002, 3, 0, 0}, {1004, 0, 0, 500}}));
  EXPECT_EQ(dispatch_steps(L::pk10, settings),
            (std::vector<DispatchStep>{{4002, 3, 2, 5}, {4003, 3, 3, -2}}));
}

TEST(DrawDisplay, FormatsTheNewestDrawPerLottery) {
  struct Case {
    L lottery;
    std::string issue;
    std::string numbers;
    const char* caption;
    const char* big_numbers;
    int point_size;
  } cases[] = {
      {L::cqssc, "20150301023", "12345", "当前期号：20150301-023", "12345", 42},
      {L::jxssc, "20150301120", "67890", "当前期号：20150301-120", "67890", 42},
      {L::hsssc, "1503010", "12345", "当前期号：1503010", "12345", 42},
      {L::pk10, "523456", "03,07,01,10,05,02,09,04,08,06", "当前期号：523456  【前5车开奖号】",
       "03,07,01,10,05", 22},
      {L::x11x5, "15030101", "03,07,01,11,05", "当前期号：15030101", "03,07,01,11,05", 22},
      // Short or Chinese issues are cut by GBK bytes without splitting a character.
      {L::cqssc, "12345", "12345", "当前期号：12345-345", "12345", 42},
      {L::cqssc, "第1期", "12345", "当前期号：第1期-1期", "12345", 42},
      {L::x11x5, "1", "01,02,03,04,05,06", "当前期号：1", "01,02,03,04,05", 22},
  };
  for (const auto& c : cases) {
    PollResult poll;
    poll.match_count = 11;
    poll.draws = {{c.issue, c.numbers}, {"older", "other"}};
    const auto display = draw_display(c.lottery, poll);
    EXPECT_EQ(display.issue_caption, c.caption);
    EXPECT_EQ(display.numbers_caption, c.big_numbers) << c.caption;
    EXPECT_EQ(display.numbers_point_size, c.point_size) << c.caption;
    EXPECT_EQ(display.history, (std::vector<HistoryRow>{{"1", c.issue, c.numbers}, {"2", "older", "other"}}));
  }
}

// One action of a scenario and what the cycle must decide.
struct Step {
  const char* what;
  bool select;  // a selection comes first
  L lottery;
  const char* issue;  // nullptr: a poll with only 10 matches
  bool notice;
  bool shown;
  std::vector<int> dispatched;  // empty with `dispatch` false: no dispatch
  bool dispatch;
};

void run_scenario(const std::vector<Step>& steps, FeedState& state) {
  const auto settings = default_like_settings();
  for (const auto& step : steps) {
    if (step.select) note_selection(state, step.lottery);
    const auto poll = step.issue ? poll_of(step.lottery, step.issue) : unusable_poll(step.lottery);
    const auto decision = decide_feed_cycle(state, step.lottery, poll, settings);
    EXPECT_EQ(decision.show_notice, step.notice) << step.what;
    EXPECT_EQ(decision.display.has_value(), step.shown) << step.what;
    EXPECT_EQ(decision.dispatch, step.dispatch) << step.what;
    EXPECT_EQ(types_of(decision), step.dispatched) << step.what;
    if (decision.dispatch) {
      EXPECT_EQ(decision.issue, step.issue) << step.what;
      EXPECT_EQ(decision.numbers, numbers_for(step.lottery)) << step.what;
    }
  }
}

const std::vector<int> cq = {1001, 1002, 1003, 1004};
const std::vector<int> jx = {2001, 2002, 2003, 2004};
const std::vector<int> hs = {3001, 3002, 3003, 3004};
const std::vector<int> pk = {4001, 4002, 4003};
const std::vector<int> x5 = {5001, 5002, 5003};

TEST(FeedCycle, FiveDigitGamesRunOnNewIssuesAndOnSelections) {
  FeedState state;
  run_scenario(
      {
          {"first forced cycle", true, L::cqssc, "20150301023", false, true, cq, true},
          {"same issue: nothing changes", false, L::cqssc, "20150301023", false, false, {}, false},
          {"new draw", false, L::cqssc, "20150301024", false, true, cq, true},
          {"re-selecting the same lottery", true, L::cqssc, "20150301024", false, true, cq, true},
          {"to pk10", true, L::pk10, "523456", false, true, pk, true},
          {"back to cqssc before a new draw", true, L::cqssc, "20150301024", false, true, cq, true},
          {"jxssc shares cqssc's last issue", true, L::jxssc, "20150301024", false, true, jx, true},
          {"...and so skips that issue unforced", false, L::jxssc, "20150301024", false, false, {}, false},
      },
      state);
  EXPECT_FALSE(state.forced_refresh);
}

TEST(FeedCycle, HssscShowsEveryUsablePollAndKeepsItsScreenOtherwise) {
  FeedState state;
  run_scenario(
      {
          {"forced, but nothing usable", true, L::hsssc, nullptr, false, false, {}, false},
          {"first usable poll", false, L::hsssc, "1503010", false, true, hs, true},
          {"same issue: shown again, no dispatch", false, L::hsssc, "1503010", false, true, {}, false},
          {"nothing usable: screen kept", false, L::hsssc, nullptr, false, false, {}, false},
          {"new issue", false, L::hsssc, "1503011", false, true, hs, true},
      },
      state);
}

TEST(FeedCycle, RaceAndPickFiveShowForcedPollsAndNeverFreeze) {
  FeedState state;
  run_scenario(
      {
          {"forced, nothing usable: notice", true, L::pk10, nullptr, true, false, {}, false},
          {"forced stays set: new issue dispatched", false, L::pk10, "523456", false, true, pk, true},
          {"unforced, same issue: nothing", false, L::pk10, "523456", false, false, {}, false},
          {"unforced, new issue: processed", false, L::pk10, "523457", false, true, pk, true},
          {"re-selected on the issue last dispatched", true, L::pk10, "523457", false, true, {}, false},
          {"forced stays: shown on every cycle", false, L::pk10, "523457", false, true, {}, false},
          {"next draw: dispatched", false, L::pk10, "523458", false, true, pk, true},
          {"11x5 first selection", true, L::x11x5, "15030101", false, true, x5, true},
          {"11x5 new issue unforced", false, L::x11x5, "15030102", false, true, x5, true},
      },
      state);
  EXPECT_FALSE(state.forced_refresh);
}

TEST(FeedCycle, TheNoticeGivesWayToTheReportsAtTheNextUsablePoll) {
  FeedState state;
  run_scenario(
      {
          {"running", true, L::cqssc, "20150301023", false, true, cq, true},
          {"poll fails: notice", false, L::cqssc, nullptr, true, false, {}, false},
          {"same issue again: reports rebuilt", false, L::cqssc, "20150301023", false, true, cq, true},
          {"then quiet", false, L::cqssc, "20150301023", false, false, {}, false},
          {"11x5 running", true, L::x11x5, "15030101", false, true, x5, true},
          {"11x5 poll fails", false, L::x11x5, nullptr, true, false, {}, false},
          {"11x5 same issue: reports rebuilt", false, L::x11x5, "15030101", false, true, x5, true},
      },
      state);
}

TEST(FeedCycle, AFailedDispatchRunsAgainAtTheNextCycle) {
  FeedState state;
  run_scenario({{"running", true, L::cqssc, "20150301023", false, true, cq, true}}, state);
  note_dispatch_failed(state, L::cqssc);
  run_scenario({{"same issue retried", false, L::cqssc, "20150301023", false, true, cq, true},
                {"then quiet", false, L::cqssc, "20150301023", false, false, {}, false}},
               state);
}

TEST(FeedCycle, UnusablePollsChangeNoState) {
  for (const auto lottery : all_lotteries) {
    FeedState state;
    note_selection(state, lottery);
    state.last_seen(lottery) = "keep";
    decide_feed_cycle(state, lottery, unusable_poll(lottery), default_like_settings());
    EXPECT_TRUE(state.forced_refresh) << lottery_text(lottery);
    EXPECT_EQ(state.last_seen(lottery), "keep");
  }
  // Matches enough, but an issue without numbers: not usable either.
  FeedState state;
  auto poll = poll_of(L::cqssc, "20150301023");
  poll.draws.back().numbers.clear();
  EXPECT_TRUE(decide_feed_cycle(state, L::cqssc, poll, default_like_settings()).show_notice);
}

TEST(FeedCycle, SwitchedOffKindsAreLeftOutOfTheDispatch) {
  FeedState state;
  auto settings = default_like_settings();
  for (auto kind : {S::ssc_single, S::ssc_size, S::ssc_two, S::ssc_three}) settings[kind].enabled = false;
  note_selection(state, L::cqssc);
  const auto decision = decide_feed_cycle(state, L::cqssc, poll_of(L::cqssc, "20150301023"), settings);
  EXPECT_TRUE(decision.dispatch) << "the plan text area is still emptied";
  EXPECT_TRUE(decision.steps.empty());
  EXPECT_FALSE(state.forced_refresh);
}

}  // namespace
}  // namespace plandesk
