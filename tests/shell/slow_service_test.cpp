// A service that takes its time: the window stays responsive, ticks do not
// pile up polls, and a selection supersedes the poll in flight.
#include <QAbstractButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "shell/window_fixture.h"

namespace plandesk::testing {
namespace {

using L = LotteryCode;
using SlowService = WindowTest;

TEST_F(SlowService, TheWindowStaysResponsiveWhileAPollWaits) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80, 50, "12345"));
  server.hold();
  window->select_lottery(L::cqssc);
  ASSERT_TRUE(wait_until([&] { return server.waiting() == 1; }));

  // Events keep flowing: a queued call runs and a click switches the tab.
  bool ran = false;
  QTimer::singleShot(0, window.get(), [&] { ran = true; });
  EXPECT_TRUE(wait_until([&] { return ran; }));
  QTest::mouseClick(find<QAbstractButton>("图形按钮3"), Qt::LeftButton);
  EXPECT_EQ(find<QTabWidget>("选择夹1")->currentIndex(), 1);
  EXPECT_EQ(label_text("标签3"), "当前期号：");

  // A tick that falls due meanwhile is skipped.
  EXPECT_TRUE(window->feed().poll_in_flight());
  window->feed().tick();

  and_wait([&] { server.release(); });
  EXPECT_EQ(label_text("标签4"), "12345");
  ASSERT_TRUE(wait_until([&] { return !window->feed().poll_in_flight(); }));
  EXPECT_EQ(server.requests(L::cqssc), 1);
}

TEST_F(SlowService, ASelectionSupersedesThePollInFlight) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  server.set_reply(L::pk10, feed_reply(L::pk10, 523456));
  server.hold();
  window->select_lottery(L::cqssc);
  ASSERT_TRUE(wait_until([&] { return server.waiting() == 1; }));
  window->select_lottery(L::pk10);
  ASSERT_TRUE(wait_until([&] { return server.waiting() == 2; }));

  int dropped = 0;
  QObject::connect(&window->feed(), &FeedController::poll_dropped, [&] { ++dropped; });
  and_wait([&] { server.release(); });
  ASSERT_TRUE(wait_until([&] { return dropped == 1; }));

  EXPECT_EQ(label_text("标签3"), "当前期号：523456  【前5车开奖号】");
  EXPECT_TRUE(plans(1001).empty()) << "the superseded cqssc reply ran no plan kind";
  EXPECT_EQ(plans(4001).size(), 1u);
  EXPECT_FALSE(plan_text().contains("后一定位"));
}

TEST_F(SlowService, AHangingSupersededPollDoesNotHoldUpTheTicks) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  server.set_reply(L::pk10, feed_reply(L::pk10, 523456));
  server.hold(L::cqssc);
  window->select_lottery(L::cqssc);
  ASSERT_TRUE(wait_until([&] { return server.waiting() == 1; }));

  select_and_wait(L::pk10);
  server.set_reply(L::pk10, feed_reply(L::pk10, 523457));
  tick_and_wait();
  EXPECT_EQ(server.requests(L::pk10), 2);
  EXPECT_EQ(label_text("标签3"), "当前期号：523457  【前5车开奖号】");
  EXPECT_TRUE(window->feed().poll_in_flight()) << "the cqssc poll still waits";

  int dropped = 0;
  QObject::connect(&window->feed(), &FeedController::poll_dropped, [&] { ++dropped; });
  server.release();
  ASSERT_TRUE(wait_until([&] { return dropped == 1; }));
  EXPECT_TRUE(plans(1001).empty());
}

}  // namespace
}  // namespace plandesk::testing
