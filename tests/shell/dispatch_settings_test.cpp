// The dispatch reads the settings tab afresh at every cycle, saved or not.
#include "shell/window_fixture.h"

namespace plandesk::testing {
namespace {

using L = LotteryCode;
using DispatchSettings = WindowTest;

TEST_F(DispatchSettings, AnUncheckedKindIsSkippedWithItsPlansUntouched) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::cqssc);
  const auto before = plans(1003);
  ASSERT_EQ(before.size(), 1u);

  set_checked("选择框_ssc后二", false);
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 83));
  tick_and_wait();

  const auto after = plans(1003);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].id, before[0].id);
  EXPECT_EQ(after[0].jieguo, "等开");
  EXPECT_EQ(after[0].ych, before[0].ych);
  EXPECT_FALSE(plan_text().contains("后二直选单式"));
  EXPECT_TRUE(plan_text().contains("后三直选单式"));
  EXPECT_GE(plans(1004).size(), 2u) << "the other kinds went on";
}

TEST_F(DispatchSettings, TypedTextsCountAsTheirLeadingNumber) {
  set_box("编辑框_ssc后一定位", "abc");     // cycle 0
  set_box("编辑框_ssc后一定位注数", "2x");  // two digits
  set_box("编辑框_ssc后三", " 5 ");
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::cqssc);

  const auto single = plans(1001);
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].qihao1, 81);
  EXPECT_EQ(single[0].qihao2, 80) << "a plan of cycle 0 covers no issue";
  EXPECT_EQ(single[0].ych.size(), 2u);
  EXPECT_EQ(plans(1004).at(0).qihao2, 85);
}

TEST_F(DispatchSettings, JxssscUsesTheSameControlsWithItsOwnTypes) {
  set_checked("选择框_ssc后一大小", false);
  server.set_reply(L::jxssc, feed_reply(L::jxssc, 80));
  select_and_wait(L::jxssc);
  EXPECT_EQ(plans(2001).size(), 1u);
  EXPECT_TRUE(plans(2002).empty());
  EXPECT_EQ(plans(2004).size(), 1u);
  EXPECT_TRUE(plans(1001).empty());
}

}  // namespace
}  // namespace plandesk::testing
