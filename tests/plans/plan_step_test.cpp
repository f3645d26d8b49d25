#include "plans/plan_step.h"

#include <gtest/gtest.h>

#include "plans/plan_report.h"
#include "store_fixture.h"

namespace plandesk::testing {
namespace {

// The open plan before the step, and what the step must leave.
struct SettleCase {
  const char* name;
  int type;
  std::int64_t qihao1;
  std::int64_t qihao2;
  const char* ych;
  const char* issue;
  const char* numbers;
  std::int64_t position;
  std::int64_t cycle;
  // The old plan afterwards: its jieguo, zjqihao (nullptr: NULL) and kjh.
  std::string_view jieguo;
  const char* zjqihao;
  const char* kjh;
  // The plan opened by the step, if any.
  std::optional<std::pair<std::int64_t, std::int64_t>> opened;
};

std::vector<SettleCase> settle_cases() {
  using plan_status::hit;
  using plan_status::miss;
  using plan_status::pending;
  using R = std::pair<std::int64_t, std::int64_t>;
  return {
      // five-digit single position
      {"SingleHit", 1001, 1, 3, "05", "20261211-002", "12345", 0, 3, hit, "002", "12345", R{3, 5}},
      {"SingleWaits", 1001, 1, 3, "0", "20261211-002", "12345", 0, 3, pending, nullptr, "", std::nullopt},
      {"SingleMissAtLastIssue", 1001, 1, 3, "0", "20261211-003", "12345", 0, 3, miss, nullptr, "", R{4, 6}},
      {"SingleCappedAtDayEnd", 1001, 116, 118, "0", "20261211-118", "12345", 0, 5, miss, nullptr, "",
       R{119, 120}},
      {"DayEndOpensTheNextDay", 2001, 118, 120, "0", "20261211-120", "12345", 0, 3, miss, nullptr, "",
       R{1, 3}},
      {"DayEndHit", 2001, 118, 120, "5", "20261211-120", "12345", 0, 3, hit, "120", "12345", R{1, 3}},
      {"RunningIssueHitWritesWholeIssue", 3001, 1234566, 1234568, "5", "1234567", "12345", 0, 3, hit,
       "1234567", "12345", R{1234568, 1234570}},
      {"ShortDrawNeverHits", 1001, 1, 3, "0123456789", "20261211-002", "1234", 0, 3, pending, nullptr, "",
       std::nullopt},
      {"ShortDrawMissesAtLastIssue", 1001, 1, 3, "0123456789", "20261211-003", "", 0, 3, miss, nullptr, "",
       R{4, 6}},
      // big/small
      {"BigHit", 1002, 1, 3, "大", "20261211-001", "12345", 0, 3, hit, "001", "12345", R{2, 4}},
      {"SmallWaits", 1002, 1, 3, "小", "20261211-001", "12345", 0, 3, pending, nullptr, "", std::nullopt},
      {"SmallMisses", 1002, 1, 3, "小", "20261211-003", "12345", 0, 3, miss, nullptr, "", R{4, 6}},
      {"FourIsSmall", 3002, 1234510, 1234512, "小", "1234511", "12344", 0, 3, hit, "511", "12344",
       R{1234512, 1234514}},
      // two- and three-digit straight
      {"PairsAcrossBlankDoNotHit", 1003, 1, 3, "34 56 ", "20261211-002", "12345", 0, 3, pending, nullptr, "",
       std::nullopt},
      {"PairHit", 1003, 1, 3, "34 45 ", "20261211-002", "12345", 0, 3, hit, "002", "12345", R{3, 5}},
      {"BlankInDrawIsNoPair", 1003, 1, 3, "34 56 ", "20261211-002", "123 5", 0, 3, pending, nullptr, "",
       std::nullopt},
      {"HssscPairWritesLastThree", 3003, 1234566, 1234568, "45 ", "1234567", "12345", 0, 3, hit, "567",
       "12345", R{1234568, 1234570}},
      {"TripleHit", 2004, 1, 3, "123 345 ", "20261211-003", "12345", 0, 3, hit, "003", "12345", R{4, 6}},
      {"TripleMiss", 2004, 1, 3, "234 ", "20261211-003", "12345", 0, 3, miss, nullptr, "", R{4, 6}},
      // pick-five positions
      {"PickFiveSecondHits", 5002, 26121101, 26121103, "02,07,09", "26121102", "03,07,01,11,05", 2, 3, hit,
       "26121102", "03,07,01,11,05", R{26121103, 26121105}},
      {"PickFiveThirdWaits", 5003, 26121101, 26121103, "02,07,09", "26121102", "03,07,01,11,05", 3, 3,
       pending, nullptr, "", std::nullopt},
      {"PickFiveThirdMisses", 5003, 26121101, 26121102, "02,07,09", "26121102", "03,07,01,11,05", 3, 3, miss,
       nullptr, "", R{26121103, 26121105}},
      // race positions
      {"RaceSecondHits", 4002, 733001, 733003, "02,07,10", "733001", "03,07,01,10,05,02,09,04,08,06", 2, 3,
       hit, "733001", "03,07,01,10,05,02,09,04,08,06", R{733002, 733004}},
      {"RaceFirstHits", 4001, 733001, 733003, "03", "733002", "03,07,01,10,05,02,09,04,08,06", 1, 2, hit,
       "733002", "03,07,01,10,05,02,09,04,08,06", R{733003, 733004}},
      {"RaceThirdMisses", 4003, 733001, 733003, "02,07,10", "733003", "03,07,01,10,05,02,09,04,08,06", 3, 3,
       miss, nullptr, "", R{733004, 733006}},
  };
}

class PlanSettleTest : public StoreTest, public ::testing::WithParamInterface<SettleCase> {};

TEST_P(PlanSettleTest, SettlesOpensAndKeepsOnePendingPlan) {
  const SettleCase& c = GetParam();
  const auto old_id = add_pending(c.type, c.qihao1, c.qihao2, c.ych);
  add_pending(c.type + 1 > 5003 ? 5001 : c.type + 1, c.qihao1, c.qihao2, c.ych);  // another type, untouched
  const auto other_before = plans(c.type + 1 > 5003 ? 5001 : c.type + 1);

  const auto result = plan_step(*store_, {c.issue, c.numbers, c.cycle, c.type, c.position, 5});
  ASSERT_TRUE(result.ok) << result.error;

  const auto after = plans(c.type);
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.front().id, old_id);
  EXPECT_EQ(after.front().jieguo, c.jieguo);
  if (c.zjqihao)
    EXPECT_EQ(after.front().zjqihao, std::optional<std::string>(c.zjqihao));
  else
    EXPECT_EQ(after.front().zjqihao, std::nullopt);
  EXPECT_EQ(after.front().kjh, c.kjh);
  EXPECT_EQ(after.front().ych, c.ych);
  if (c.opened) {
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after.back().jieguo, plan_status::pending);
    EXPECT_EQ(after.back().qihao1, c.opened->first);
    EXPECT_EQ(after.back().qihao2, c.opened->second);
    EXPECT_EQ(after.back().kjh, "");
    EXPECT_EQ(after.back().zjqihao, std::nullopt);
    EXPECT_EQ(after.back().type, c.type);
  } else {
    EXPECT_EQ(after.size(), 1u);
  }
  EXPECT_EQ(plans(c.type + 1 > 5003 ? 5001 : c.type + 1).size(), other_before.size());
}

INSTANTIATE_TEST_SUITE_P(Kinds, PlanSettleTest, ::testing::ValuesIn(settle_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

using PlanStepTest = StoreTest;

// The prediction written by each kind, for a given count.
TEST_F(PlanStepTest, NewPlanPredictsWithTheKindsPicker) {
  struct Case {
    int type;
    std::int64_t position;
    std::int64_t count;
    const char* issue;
    const char* numbers;
    std::string expected;  // "" with check set: only its size is known
    std::size_t size;
  };
  const Case cases[] = {
      {1001, 0, 10, "20261211-001", "12345", "0123456789", 10},
      {1001, 0, 0, "20261211-001", "12345", "", 0},
      {1001, 0, 14, "20261211-001", "12345", "0123456789", 10},
      {2001, 0, 5, "20261211-001", "12345", "", 5},
      {3003, 0, 50, "1234567", "12345", "", 150},
      {1004, 0, 500, "20261211-001", "12345", "", 2000},
      {5001, 1, 11, "26121101", "03,07,01,11,05", "01,02,03,04,05,06,07,08,09,10,11", 32},
      {5002, 2, 6, "26121101", "03,07,01,11,05", "", 17},
      {4003, 3, 10, "733001", "03,07,01,10,05,02,09,04,08,06", "01,02,03,04,05,06,07,08,09,10", 29},
      {4001, 1, 12, "733001", "03,07,01,10,05,02,09,04,08,06", "01,02,03,04,05,06,07,08,09,10", 29},
      {4002, 2, -3, "733001", "03,07,01,10,05,02,09,04,08,06", "", 0},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(plan_step(*store_, {c.issue, c.numbers, 3, c.type, c.position, c.count}).ok);
    const auto all = plans(c.type);
    ASSERT_EQ(all.size(), 1u) << c.type;
    EXPECT_EQ(all[0].ych.size(), c.size) << c.type << " count " << c.count;
    if (!c.expected.empty()) {
      EXPECT_EQ(all[0].ych, c.expected) << c.type;
    }
    ASSERT_TRUE(clear_plans(*store_).ok);
  }
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(plan_step(*store_, {"20261211-001", "12345", 3, 1002, 0, 0}).ok);
    const auto all = plans(1002);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_TRUE(all[0].ych == "大" || all[0].ych == "小") << all[0].ych;
    ASSERT_TRUE(clear_plans(*store_).ok);
  }
}

TEST_F(PlanStepTest, FirstRunOpensAPlanAndReportsIt) {
  struct Case {
    int type;
    std::int64_t position;
    const char* issue;
    const char* numbers;
    std::int64_t cycle;
    std::int64_t count;
    std::string report;
  };
  const std::string none = "共执行计划0个，中0个，挂0个，成功率：100%\r\n\r\n\r\n\r\n\r\n";
  const Case cases[] = {
      {1001, 0, "20261211-023", "12345", 3, 10,
       "024→026期  后一定位  预测【0123456789】\r\n\r\n后一定位" + none},
      {2001, 0, "20261211-118", "12345", 5, 0, "119→120期  后一定位  预测【】\r\n\r\n后一定位" + none},
      {1001, 0, "20261211-120", "12345", 3, 0, "001→003期  后一定位  预测【】\r\n\r\n后一定位" + none},
      {1001, 0, "12", "12345", 3, 0, "013→015期  后一定位  预测【】\r\n\r\n后一定位" + none},
      {3004, 0, "1234567", "12345", 3, 0,
       "1234568→1234570期  后三直选单式  预测【】\r\n\r\n后三直选单式" + none},
      {5002, 2, "26121101", "03,07,01,11,05", 3, 0,
       "26121102→26121104期  千位定位  预测【】\r\n\r\n千位定位" + none},
      {4003, 3, "733001", "03,07,01,10,05,02,09,04,08,06", 2, 0,
       "733002→733003期  第3名定位  预测【】\r\n\r\n第3名定位" + none},
      // The race game titles every place by its number, place 4 included.
      {4001, 4, "733001", "03,07,01,10,05,02,09,04,08,06", 2, 0,
       "733002→733003期  第4名定位  预测【】\r\n\r\n第4名定位" + none},
      {4001, 1, "733001", "03,07,01,10,05,02,09,04,08,06", 2, 10,
       "733002→733003期  第1名定位\r\n----------------------------\r\n01,02,03,04,05,06,07,08,09,10\r\n"
       "----------------------------\r\n\r\n第1名定位" +
           none},
  };
  for (const Case& c : cases) {
    const auto result = plan_step(*store_, {c.issue, c.numbers, c.cycle, c.type, c.position, c.count});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.report, c.report) << c.type;
    ASSERT_TRUE(clear_plans(*store_).ok);
  }
}

TEST_F(PlanStepTest, BigSmallReportShowsTheLabel) {
  const auto result = plan_step(*store_, {"20261211-023", "12345", 3, 1002, 0, 0});
  ASSERT_TRUE(result.ok);
  const auto label = plans(1002).at(0).ych;
  EXPECT_EQ(result.report,
            "024→026期  后一（个位）大小  预测【" + label +
                "】\r\n\r\n后一（个位）大小共执行计划0个，中0个，挂0个，成功率：100%\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(PlanStepTest, IssueJumpingPastThePlanReplacesIt) {
  struct Case {
    int type;
    std::int64_t qihao1, qihao2;
    const char* issue;
    std::int64_t first, last;
  };
  const Case cases[] = {
      {1001, 5, 7, "20261211-009", 10, 12},
      // A new day starts while the plan still waits for issue 120.
      {2001, 119, 120, "20261212-001", 2, 4},
      {5001, 26121101, 26121103, "26121201", 26121202, 26121204},
  };
  for (const Case& c : cases) {
    add_pending(c.type, c.qihao1, c.qihao2, "");
    ASSERT_TRUE(plan_step(*store_, {c.issue, "03,07,01,11,05", 3, c.type, 1, 0}).ok);
    const auto all = plans(c.type);
    ASSERT_EQ(all.size(), 1u) << c.type;
    EXPECT_EQ(all[0].qihao1, c.first);
    EXPECT_EQ(all[0].qihao2, c.last);
    EXPECT_EQ(all[0].jieguo, plan_status::pending);
  }
}

TEST_F(PlanStepTest, PruningKeepsThePlanAddedLast) {
  add_pending(1001, 50, 52, "1");
  add_pending(1001, 40, 42, "2");
  const auto last = add_pending(1001, 30, 32, "3");
  add_pending(1002, 30, 32, "小");
  // Issue 30 is covered but not settled; the older pending plans go.
  ASSERT_TRUE(plan_step(*store_, {"20261211-030", "12345", 3, 1001, 0, 5}).ok);
  const auto all = plans(1001);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].id, last);
  EXPECT_EQ(plans(1002).size(), 1u);
}

// A plan of cycle 0 covers no issue: every step replaces it, nothing settles.
TEST_F(PlanStepTest, CycleZeroNeverSettles) {
  for (const char* issue : {"1000", "1001", "1002"}) {
    ASSERT_TRUE(plan_step(*store_, {issue, "12345", 0, 3001, 0, 10}).ok);
    const auto all = plans(3001);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].jieguo, plan_status::pending);
    EXPECT_EQ(all[0].qihao1, std::stoll(issue) + 1);
    EXPECT_EQ(all[0].qihao2, std::stoll(issue));
  }
}

// A restart before the next draw runs the step again for the same issue.
TEST_F(PlanStepTest, RunningTwiceForTheSameIssueChangesNothing) {
  struct Case {
    const char* name;
    int type;
    std::optional<std::pair<std::int64_t, std::int64_t>> plan;
    const char* ych;
    const char* issue;
    const char* numbers;
    std::int64_t position;
  };
  using R = std::pair<std::int64_t, std::int64_t>;
  const Case cases[] = {
      {"hit", 1001, R{1, 3}, "0123456789", "20261211-002", "12345", 0},
      {"miss", 1001, R{1, 3}, "", "20261211-003", "12345", 0},
      {"day end", 2004, R{118, 120}, "", "20261211-120", "12345", 0},
      {"first plan", 3002, std::nullopt, "", "1234567", "12345", 0},
      {"pick-five hit", 5003, R{26121101, 26121103}, "01", "26121102", "03,07,01,11,05", 3},
      {"race miss", 4002, R{733001, 733002}, "", "733002", "03,07,01,10,05,02,09,04,08,06", 2},
  };
  for (const Case& c : cases) {
    if (c.plan) add_pending(c.type, c.plan->first, c.plan->second, c.ych);
    const PlanStepInput input{c.issue, c.numbers, 3, c.type, c.position, 4};
    const auto first = plan_step(*store_, input);
    ASSERT_TRUE(first.ok) << first.error;
    const auto once = table_rows(file());
    const auto second = plan_step(*store_, input);
    ASSERT_TRUE(second.ok) << second.error;
    EXPECT_EQ(table_rows(file()), once) << c.name;
    EXPECT_EQ(second.report, first.report) << c.name;
    ASSERT_TRUE(clear_plans(*store_).ok);
  }
}

// A whole run of cqssc over a day's end: all-digit predictions hit at the
// first issue, empty ones miss at the last.
TEST_F(PlanStepTest, RunOverSeveralDraws) {
  const auto step = [&](const char* issue, std::int64_t count) {
    const auto result = plan_step(*store_, {issue, "12345", 2, 1001, 0, count});
    EXPECT_TRUE(result.ok) << result.error;
    return result.report;
  };
  step("20261211-117", 0);  // opens 118..119, empty
  step("20261211-118", 10);
  step("20261211-119", 10);  // miss at 119, opens 120..120 with all digits
  step("20261211-120", 0);   // hit at 120, opens 1..2, empty
  step("20261212-001", 0);
  const auto report = step("20261212-002", 0);  // miss at 2, opens 3..4
  EXPECT_EQ(report,
            "118→119期  后一定位  挂\r\n"
            "120→120期  后一定位  第120期 开奖号码<12345> → 中\r\n"
            "001→002期  后一定位  挂\r\n"
            "003→004期  后一定位  预测【】\r\n\r\n"
            "后一定位共执行计划3个，中1个，挂2个，成功率：33%\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(PlanStepTest, OddInputsNeverCrash) {
  struct Case {
    int type;
    const char* issue;
    const char* numbers;
    std::int64_t position;
    bool opens;
    std::string report;
  };
  const Case cases[] = {
      {1001, "", "12345", 0, false, "\r\n\r\n"},
      {1001, "abc", "12345", 0, false, "\r\n\r\n"},
      {4001, "--", "", 1, false, "\r\n\r\n"},
      {5001, "26121101", "03,07,01,11,05", -1, true, ""},  // pick-five reports only places 1 to 3
      {9999, "20261211-001", "12345", 0, false, ""},       // unknown type: nothing at all
      {0, "", "", 0, false, ""},
  };
  for (const Case& c : cases) {
    const auto result = plan_step(*store_, {c.issue, c.numbers, 3, c.type, c.position, 3});
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.report, c.report) << c.type << " " << c.issue;
    EXPECT_EQ(plans(c.type).size(), c.opens ? 1u : 0u) << c.type << " " << c.issue;
    ASSERT_TRUE(clear_plans(*store_).ok);
  }
}

TEST_F(PlanStepTest, WithoutReportChangesTheStoreTheSameWay) {
  const auto result = plan_step_without_report(*store_, {"1234567", "12345", 3, 3001, 0, 10});
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.report, "");
  ASSERT_EQ(plans(3001).size(), 1u);
  ASSERT_TRUE(plan_step_without_report(*store_, {"1234568", "12345", 3, 3001, 0, 10}).ok);
  const auto all = plans(3001);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].jieguo, plan_status::hit);
}

}  // namespace
}  // namespace plandesk::testing
