// Polls without usable draws: the no-data notice, and hsssc keeping its screen.
#include <QTreeWidget>

#include "feed/feed_cycle.h"
#include "shell/plans_tab.h"
#include "shell/window_fixture.h"

namespace plandesk::testing {
namespace {

using L = LotteryCode;
using NoData = WindowTest;

const QString notice =
    QString::fromUtf8(no_data_notice.data(), static_cast<qsizetype>(no_data_notice.size()));

TEST_F(NoData, TenMatchesShowTheNoticeAndRunNoPlanKind) {
  for (const auto lottery : {L::cqssc, L::jxssc, L::pk10, L::x11x5}) {
    server.set_reply(lottery, feed_reply(lottery, 80, 10));
    select_and_wait(lottery);
    EXPECT_EQ(plan_text(), notice) << lottery_text(lottery);
    EXPECT_EQ(label_text("标签3"), "当前期号：") << "no display change";
    EXPECT_EQ(find<QTreeWidget>("超级列表框2")->topLevelItemCount(), 0);
  }
  for (int type : {1001, 2001, 4001, 5001}) EXPECT_TRUE(plans(type).empty()) << type;
}

TEST_F(NoData, ElevenMatchesAreEnough) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80, 11));
  select_and_wait(L::cqssc);
  EXPECT_EQ(find<QTreeWidget>("超级列表框2")->topLevelItemCount(), 11);
  EXPECT_EQ(plans(1001).size(), 1u);
}

TEST_F(NoData, AFailedRequestCountsAsNoData) {
  ServiceContext unreachable;
  unreachable.base_url = "http://127.0.0.1:1";
  window->feed().set_service_context(unreachable);
  select_and_wait(L::cqssc);
  EXPECT_EQ(plan_text(), notice);
}

TEST_F(NoData, TheNoticeGivesWayToTheReportsWhenDrawsComeBack) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::cqssc);
  const auto report = plan_text();
  server.set_reply(L::cqssc, "");
  tick_and_wait();
  EXPECT_EQ(plan_text(), notice);
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  tick_and_wait();
  EXPECT_EQ(plan_text(), report);
}

TEST_F(NoData, HssscKeepsItsScreen) {
  server.set_reply(L::hsssc, feed_reply(L::hsssc, 1503010, 50, "12345"));
  select_and_wait(L::hsssc);
  const auto report = plan_text();
  ASSERT_TRUE(report.contains("后一定位共执行计划"));

  server.set_reply(L::hsssc, feed_reply(L::hsssc, 1503011, 10));
  tick_and_wait();
  EXPECT_EQ(plan_text(), report);
  EXPECT_EQ(label_text("标签3"), "当前期号：1503010");
  EXPECT_EQ(label_text("标签4"), "12345");
  EXPECT_EQ(find<QTreeWidget>("超级列表框2")->topLevelItemCount(), 50);

  // A usable poll of the same issue is shown again, the reports stay.
  window->plans_tab().show_draws({});
  server.set_reply(L::hsssc, feed_reply(L::hsssc, 1503010, 50, "12345"));
  tick_and_wait();
  EXPECT_EQ(label_text("标签3"), "当前期号：1503010");
  EXPECT_EQ(find<QTreeWidget>("超级列表框2")->topLevelItemCount(), 50);
  EXPECT_EQ(plan_text(), report);
}

}  // namespace
}  // namespace plandesk::testing
