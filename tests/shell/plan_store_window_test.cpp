// Clearing all plans, and a plan store that fails under the window.
#include <sqlite3.h>

#include <QPushButton>
#include <QTest>

#include "shell/window_fixture.h"

namespace plandesk::testing {
namespace {

using L = LotteryCode;
using PlanStoreWindow = WindowTest;

TEST_F(PlanStoreWindow, ClearingRemovesEveryPlanOfEveryLottery) {
  server.set_reply(L::pk10, feed_reply(L::pk10, 523456));
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::pk10);
  select_and_wait(L::cqssc);
  ASSERT_FALSE(plans(4001).empty());
  ASSERT_FALSE(plans(1001).empty());

  QTest::mouseClick(find<QPushButton>("按钮2"), Qt::LeftButton);
  EXPECT_EQ(plan_text(), "");
  for (int type : {1001, 1002, 1003, 1004, 4001, 4002, 4003}) EXPECT_TRUE(plans(type).empty()) << type;
  EXPECT_TRUE(messages.shown.empty());

  tick_and_wait();
  EXPECT_EQ(plan_text(), "") << "the area stays empty until the next dispatch";
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 81));
  tick_and_wait();
  EXPECT_TRUE(plan_text().contains("082→084期  后一定位"));
  EXPECT_EQ(plans(1001).size(), 1u) << "fresh plans";
}

TEST_F(PlanStoreWindow, AFailingStoreIsShownInThePlanTextAndRetried) {
  set_box("编辑框_ssc后一定位注数", "10");  // the plan hits at 81 once the store works again
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::cqssc);

  // Another program renames the table away under the running window.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(store->path().c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "alter table jihua rename to elsewhere", nullptr, nullptr, nullptr), SQLITE_OK);

  server.set_reply(L::cqssc, feed_reply(L::cqssc, 81));
  tick_and_wait();
  EXPECT_EQ(plan_text().count("计划数据库出错"), 4) << plan_text().toStdString();
  EXPECT_TRUE(plan_text().contains("【后一定位】"));

  ASSERT_EQ(sqlite3_exec(db, "alter table elsewhere rename to jihua", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  tick_and_wait();  // same issue: the failed dispatch runs again
  EXPECT_FALSE(plan_text().contains("计划数据库出错"));
  EXPECT_EQ(plans(1001).size(), 2u);
}

}  // namespace
}  // namespace plandesk::testing
