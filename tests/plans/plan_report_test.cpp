#include "plans/plan_report.h"

#include <gtest/gtest.h>

#include "store_fixture.h"

namespace plandesk::testing {
namespace {

TEST(PadIssue, PadsToThreeDigitsAndKeepsLongerNumbers) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "000"}, {7, "007"}, {23, "023"}, {99, "099"}, {100, "100"}, {120, "120"}, {1234567, "1234567"},
  };
  for (const auto& [k, expected] : cases) EXPECT_EQ(pad_issue(k), expected) << k;
}

// One stored plan of a report case.
struct Row {
  enum Kind { pending, hit, miss } kind;
  std::int64_t qihao1;
  std::int64_t qihao2;
  std::string ych;
  std::string zjqihao = {};
  std::string kjh = {};
};

struct ReportCase {
  const char* name;
  const char* kind_name;
  std::vector<Row> rows;
  std::string expected;
};

const std::string end3 = "\r\n\r\n\r\n";

std::vector<ReportCase> report_cases() {
  return {
      {"ExampleOfThreePlans",
       "后一定位",
       {{Row::hit, 1, 3, "13579", "002", "12345"}, {Row::miss, 3, 5, "0"}, {Row::pending, 6, 8, "02468"}},
       "001→003期  后一定位  第002期 开奖号码<12345> → 中\r\n"
       "003→005期  后一定位  挂\r\n"
       "006→008期  后一定位  预测【02468】\r\n\r\n"
       "后一定位共执行计划2个，中1个，挂1个，成功率：50%" +
           end3 + "\r\n\r\n"},
      {"RateRoundsDown",
       "后一定位",
       {{Row::hit, 1, 1, "1", "001", "11111"},
        {Row::hit, 2, 2, "2", "002", "22222"},
        {Row::miss, 3, 3, "3"},
        {Row::pending, 4, 4, "4"}},
       "001→001期  后一定位  第001期 开奖号码<11111> → 中\r\n"
       "002→002期  后一定位  第002期 开奖号码<22222> → 中\r\n"
       "003→003期  后一定位  挂\r\n"
       "004→004期  后一定位  预测【4】\r\n\r\n"
       "后一定位共执行计划3个，中2个，挂1个，成功率：66%" +
           end3 + "\r\n\r\n"},
      {"AllMissed",
       "后二直选单式",
       {{Row::miss, 7, 9, "12 "}, {Row::miss, 10, 12, "12 "}, {Row::pending, 13, 15, "12 "}},
       "007→009期  后二直选单式  挂\r\n"
       "010→012期  后二直选单式  挂\r\n"
       "013→015期  后二直选单式  预测【12 】\r\n\r\n"
       "后二直选单式共执行计划2个，中0个，挂2个，成功率：0%" +
           end3 + "\r\n\r\n"},
      {"OnlyThePendingPlan",
       "后一（个位）大小",
       {{Row::pending, 24, 26, "大"}},
       "024→026期  后一（个位）大小  预测【大】\r\n\r\n"
       "后一（个位）大小共执行计划0个，中0个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
      {"NoPlans", "后一定位", {}, "\r\n\r\n"},
      {"SettledPlansWithoutPendingHaveNoSummary",
       "后一定位",
       {{Row::miss, 1, 3, "0"}},
       "001→003期  后一定位  挂\r\n\r\n\r\n"},
      {"PickFiveHitShowsTheDraw",
       "千位定位",
       {{Row::hit, 26121101, 26121103, "02,07,09", "26121102", "03,07,01,11,05"},
        {Row::pending, 26121103, 26121105, "01,02,03,04,05"}},
       "26121101→26121103期  千位定位  第26121102期 开奖号码<03,07,01,11,05> → 中\r\n"
       "26121103→26121105期  千位定位  预测【01,02,03,04,05】\r\n\r\n"
       "千位定位共执行计划1个，中1个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
      {"RaceHitShowsThePrediction",
       "第2名定位",
       {{Row::hit, 733001, 733003, "02,07,10", "733002", "03,07,01,10,05,02,09,04,08,06"},
        {Row::pending, 733003, 733005, "01,02,03,04,05,06,07"}},
       "733001→733003期  第2名定位  预测【02,07,10】  第733002期 → 中\r\n"
       "733003→733005期  第2名定位\r\n"
       "----------------------------\r\n"
       "01,02,03,04,05,06,07\r\n"
       "----------------------------\r\n\r\n"
       "第2名定位共执行计划1个，中1个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
      {"SixPairsStandInBrackets",
       "后二直选单式",
       {{Row::pending, 1, 3, "01 23 45 67 89 90 "}},
       "001→003期  后二直选单式  预测【01 23 45 67 89 90 】\r\n\r\n"
       "后二直选单式共执行计划0个，中0个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
      {"SevenPairsStandBetweenRules",
       "后二直选单式",
       {{Row::pending, 1, 3, "01 23 45 67 89 90 99 "}},
       "001→003期  后二直选单式\r\n"
       "----------------------------\r\n"
       "01 23 45 67 89 90 99 \r\n"
       "----------------------------\r\n\r\n"
       "后二直选单式共执行计划0个，中0个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
      // Lengths count GBK bytes: 7 Chinese characters are 21 UTF-8 bytes but
      // 14 GBK bytes, so both forms are the short ones.
      {"LengthsCountGbkBytes",
       "后一定位",
       {{Row::hit, 1, 3, "5", "002", "中中中中中中中"}, {Row::pending, 4, 6, "大大大大大大大大大"}},
       "001→003期  后一定位  第002期 开奖号码<中中中中中中中> → 中\r\n"
       "004→006期  后一定位  预测【大大大大大大大大大】\r\n\r\n"
       "后一定位共执行计划1个，中1个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
      {"FifteenByteDrawAndTwentyBytePrediction",
       "后一定位",
       {{Row::hit, 1, 3, "5", "002", "123456789012345"}, {Row::pending, 4, 6, "大大大大大大大大大大"}},
       "001→003期  后一定位  预测【5】  第002期 → 中\r\n"
       "004→006期  后一定位\r\n"
       "----------------------------\r\n"
       "大大大大大大大大大大\r\n"
       "----------------------------\r\n\r\n"
       "后一定位共执行计划1个，中1个，挂0个，成功率：100%" +
           end3 + "\r\n\r\n"},
  };
}

class PlanReportTest : public StoreTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(PlanReportTest, BuildsTheReportByteForByte) {
  const ReportCase& c = GetParam();
  for (const Row& row : c.rows) {
    switch (row.kind) {
      case Row::pending:
        add_pending(1001, row.qihao1, row.qihao2, row.ych);
        break;
      case Row::hit:
        add_hit(1001, row.qihao1, row.qihao2, row.ych, row.zjqihao, row.kjh);
        break;
      case Row::miss:
        add_miss(1001, row.qihao1, row.qihao2, row.ych);
        break;
    }
  }
  add_pending(1002, 1, 3, "小");  // another type's plans stay out of the report
  const auto report = plan_report(*store_, 1001, c.kind_name);
  ASSERT_TRUE(report.ok) << report.error;
  EXPECT_EQ(report.text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, PlanReportTest, ::testing::ValuesIn(report_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

using PlanReportOrderTest = StoreTest;

// Rows come in the order of their opening time, not of their ids; the
// summary follows the open plan's entry wherever it stands and counts all
// rows, and the misses met before it.
TEST_F(PlanReportOrderTest, FollowsOpeningTimeAndCountsAllRows) {
  clock_.set(100);
  add_miss(3001, 10, 12, "1");
  clock_.set(50);
  add_pending(3001, 13, 15, "2");
  clock_.set(10);
  add_miss(3001, 7, 9, "3");
  clock_.set(200);
  add_hit(3001, 16, 18, "4", "17", "12344");
  const auto report = plan_report(*store_, 3001, "后一定位");
  ASSERT_TRUE(report.ok) << report.error;
  EXPECT_EQ(report.text,
            "007→009期  后一定位  挂\r\n"
            "013→015期  后一定位  预测【2】\r\n\r\n"
            "后一定位共执行计划3个，中2个，挂1个，成功率：66%\r\n\r\n\r\n"
            "010→012期  后一定位  挂\r\n"
            "016→018期  后一定位  第17期 开奖号码<12344> → 中\r\n"
            "\r\n\r\n");
}

TEST_F(PlanReportOrderTest, EqualTimesKeepTheOrderOfAdding) {
  const auto fixed = TestClock::start();
  auto opened = open_store(dir_.path(), [fixed] { return fixed; });
  ASSERT_TRUE(opened.store) << opened.error;
  store_ = std::move(opened.store);
  add_miss(1001, 3, 3, "0");
  add_miss(1001, 1, 1, "0");
  add_miss(1001, 2, 2, "0");
  const auto report = plan_report(*store_, 1001, "后一定位");
  EXPECT_EQ(report.text,
            "003→003期  后一定位  挂\r\n001→001期  后一定位  挂\r\n002→002期  后一定位  挂\r\n\r\n\r\n");
}

}  // namespace
}  // namespace plandesk::testing
