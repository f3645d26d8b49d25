// Issue arithmetic, hit rules and the plan-type table.

#include <gtest/gtest.h>

#include "plans/issue_math.h"
#include "plans/plan_rules.h"
#include "plans/plan_type.h"

namespace plandesk {
namespace {

TEST(IssueNumbers, DayAndRunningIssues) {
  struct Case {
    const char* issue;
    std::optional<std::int64_t> day;
    std::optional<std::int64_t> running;
  };
  const Case cases[] = {
      {"20261211-023", 23, 20261211},
      {"20261211023", 23, 20261211023},
      {"20261211-120", 120, 20261211},
      {"1234567", 567, 1234567},
      {"12", 12, 12},
      {"7", 7, 7},
      {"", std::nullopt, std::nullopt},
      {"abc", std::nullopt, std::nullopt},
      {"2026-ab", std::nullopt, 2026},
      {"-12", std::nullopt, std::nullopt},
      {"99999999999999999999999", 999, INT64_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(day_issue(c.issue), c.day) << c.issue;
    EXPECT_EQ(running_issue(c.issue), c.running) << c.issue;
  }
}

TEST(IssueNumbers, FrameOfANewPlan) {
  struct Case {
    PlanLottery lottery;
    const char* issue;
    std::int64_t cycle;
    IssueFrame expected;
  };
  const Case cases[] = {
      {PlanLottery::cqssc, "20261211-023", 3, {23, 24, 24, 26}},
      {PlanLottery::jxssc, "20261211-117", 3, {117, 118, 118, 120}},
      {PlanLottery::cqssc, "20261211-118", 5, {118, 119, 119, 120}},
      {PlanLottery::cqssc, "20261211-119", 1, {119, 120, 120, 120}},
      // After the day's last issue the plan covers the next day's first ones.
      {PlanLottery::cqssc, "20261211-120", 3, {120, 1, 1, 3}},
      {PlanLottery::jxssc, "20261211-120", 500, {120, 1, 1, 120}},
      {PlanLottery::cqssc, "20261211-001", 3, {1, 2, 2, 4}},
      {PlanLottery::cqssc, "20261211-007", 0, {7, 8, 8, 7}},
      {PlanLottery::cqssc, "20261211-007", -5, {7, 8, 8, 2}},
      {PlanLottery::hsssc, "1234567", 3, {1234567, 1234568, 1234568, 1234570}},
      {PlanLottery::hsssc, "1234120", 3, {1234120, 1234121, 1234121, 1234123}},
      {PlanLottery::pk10, "733001", 200, {733001, 733002, 733002, 733201}},
      {PlanLottery::x11x5, "26121101", 3, {26121101, 26121102, 26121102, 26121104}},
      {PlanLottery::x11x5, "9223372036854775807", 3, {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX}},
      {PlanLottery::pk10, "5", INT64_MIN, {5, 6, 6, INT64_MIN + 5}},
  };
  for (const Case& c : cases) {
    const auto frame = issue_frame(c.lottery, c.issue, c.cycle);
    ASSERT_TRUE(frame) << c.issue;
    EXPECT_EQ(frame->newest, c.expected.newest) << c.issue;
    EXPECT_EQ(frame->next, c.expected.next) << c.issue;
    EXPECT_EQ(frame->plan_first, c.expected.plan_first) << c.issue << " cycle " << c.cycle;
    EXPECT_EQ(frame->plan_last, c.expected.plan_last) << c.issue << " cycle " << c.cycle;
  }
  EXPECT_FALSE(issue_frame(PlanLottery::cqssc, "", 3));
  EXPECT_FALSE(issue_frame(PlanLottery::pk10, "x1", 3));
}

TEST(HitRules, ComparedPartOfTheDraw) {
  struct Case {
    PlanKind kind;
    const char* numbers;
    std::int64_t position;
    const char* expected;
  };
  const Case cases[] = {
      {PlanKind::single_digit, "12345", 0, "5"},
      {PlanKind::big_small, "12340", 0, "0"},
      {PlanKind::two_digit, "12345", 0, "45"},
      {PlanKind::three_digit, "12345", 0, "345"},
      {PlanKind::position, "03,07,01,11,05", 1, "03"},
      {PlanKind::position, "03,07,01,11,05", 2, "07"},
      {PlanKind::position, "03,07,01,11,05", 3, "01"},
      {PlanKind::position, "03,07,01,11,05", 5, "05"},
      {PlanKind::position, "03,07,01,10,05,02,09,04,08,06", 3, "01"},
      // Too short, not digits, or no such position: nothing to compare.
      {PlanKind::single_digit, "1234", 0, ""},
      {PlanKind::single_digit, "", 0, ""},
      {PlanKind::three_digit, "12", 0, ""},
      {PlanKind::two_digit, "123 5", 0, ""},
      {PlanKind::single_digit, "1234,", 0, ""},
      {PlanKind::position, "03,07,01,11,05", 6, ""},
      {PlanKind::position, "03,07,01,11,05", 0, ""},
      {PlanKind::position, "03,07,01,11,05", -4, ""},
      {PlanKind::position, "03,07,01,11,05", INT64_MAX, ""},
      {PlanKind::position, "03,7", 2, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hit_text(c.kind, c.numbers, c.position), c.expected) << c.numbers << " @" << c.position;
}

TEST(HitRules, PredictionMatches) {
  struct Case {
    PlanKind kind;
    const char* hit;
    const char* ych;
    bool expected;
  };
  const Case cases[] = {
      {PlanKind::single_digit, "5", "13579", true},
      {PlanKind::single_digit, "4", "13579", false},
      {PlanKind::single_digit, "5", "", false},
      {PlanKind::single_digit, "", "13579", false},  // an empty part never hits
      {PlanKind::big_small, "5", "大", true},
      {PlanKind::big_small, "9", "大", true},
      {PlanKind::big_small, "4", "小", true},
      {PlanKind::big_small, "0", "小", true},
      {PlanKind::big_small, "5", "小", false},
      {PlanKind::big_small, "4", "大", false},
      {PlanKind::big_small, "", "小", false},
      {PlanKind::two_digit, "45", "34 56 ", false},  // 4 and 5 meet only across the blank
      {PlanKind::two_digit, "45", "34 45 56 ", true},
      {PlanKind::three_digit, "345", "234 456 ", false},
      {PlanKind::three_digit, "345", "345 ", true},
      {PlanKind::position, "07", "02,07,09", true},
      {PlanKind::position, "01", "02,07,09", false},
      {PlanKind::position, "10", "01,02", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(plan_hits(c.kind, c.hit, c.ych), c.expected) << c.hit << " in " << c.ych;
}

TEST(HitRules, IssueTextWrittenOnAHit) {
  struct Case {
    int type;
    const char* issue;
    const char* expected;
  };
  const Case cases[] = {
      {1001, "20261211-023", "023"},  {1004, "20261211-023", "023"},
      {2002, "20261211-120", "120"},  {3001, "1234567", "1234567"},
      {3002, "1234567", "567"},       {3003, "1234567", "567"},
      {3004, "1234567", "567"},       {4002, "733002", "733002"},
      {5003, "26121102", "26121102"}, {1001, "23", "23"},
  };
  for (const Case& c : cases) {
    const auto info = plan_type_info(c.type);
    ASSERT_TRUE(info);
    EXPECT_EQ(hit_issue_text(*info, c.issue), c.expected) << c.type;
  }
}

TEST(PlanTypes, CodesLotteriesKindsAndNames) {
  struct Case {
    int code;
    PlanLottery lottery;
    PlanKind kind;
    std::int64_t position;
    const char* name;
  };
  const Case cases[] = {
      {1001, PlanLottery::cqssc, PlanKind::single_digit, 0, "后一定位"},
      {1002, PlanLottery::cqssc, PlanKind::big_small, 0, "后一（个位）大小"},
      {2003, PlanLottery::jxssc, PlanKind::two_digit, 0, "后二直选单式"},
      {3004, PlanLottery::hsssc, PlanKind::three_digit, 0, "后三直选单式"},
      {4001, PlanLottery::pk10, PlanKind::position, 1, "第1名定位"},
      {4002, PlanLottery::pk10, PlanKind::position, 2, "第2名定位"},
      {4003, PlanLottery::pk10, PlanKind::position, 3, "第3名定位"},
      // The race game titles every place by its number.
      {4003, PlanLottery::pk10, PlanKind::position, 4, "第4名定位"},
      {4001, PlanLottery::pk10, PlanKind::position, 10, "第10名定位"},
      {5001, PlanLottery::x11x5, PlanKind::position, 1, "万位定位"},
      {5002, PlanLottery::x11x5, PlanKind::position, 2, "千位定位"},
      {5003, PlanLottery::x11x5, PlanKind::position, 3, "百位定位"},
      {5003, PlanLottery::x11x5, PlanKind::position, 0, ""},
  };
  for (const Case& c : cases) {
    const auto info = plan_type_info(c.code);
    ASSERT_TRUE(info) << c.code;
    EXPECT_EQ(info->lottery, c.lottery) << c.code;
    EXPECT_EQ(info->kind, c.kind) << c.code;
    EXPECT_EQ(plan_kind_name(c.code, c.position), c.name) << c.code;
  }
  for (const int unknown : {0, 1000, 1005, 4004, 5000, 6001, -1001, 11001})
    EXPECT_FALSE(plan_type_info(unknown)) << unknown;
  for (const PlanType type : all_plan_types) EXPECT_TRUE(plan_type_info(plan_code(type)));
}

}  // namespace
}  // namespace plandesk
