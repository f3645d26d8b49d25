// The whole plan road against plandesk-service itself (in-process, manual
// draws): its replies for every lottery reach the screen and the plan kinds.
#include <QTreeWidget>

#include "feed/poll_draws.h"
#include "plandesk-service/stand_in_server.h"
#include "service/http_request.h"
#include "shell/window_fixture.h"
#include "text/leading_int.h"

namespace plandesk::testing {
namespace {

using L = LotteryCode;

class StandInRoad : public WindowTest {
 protected:
  StandInRoad() : service_(settings()) {
    EXPECT_TRUE(service_.ok()) << service_.error();
    const int port = service_.start_in_background(0);
    EXPECT_GT(port, 0);
    context.user_name = "demo";
    context.password = "demo123";
    context.base_url = "http://127.0.0.1:" + std::to_string(port);
    window->feed().set_service_context(context);
  }

  stand_in::ServerSettings settings() const {
    stand_in::ServerSettings settings;
    settings.data_dir = dir / "service";
    settings.manual_draws = true;
    return settings;
  }

  QString newest_row_issue() const { return find<QTreeWidget>("超级列表框2")->topLevelItem(0)->text(1); }

  ServiceContext context;

 private:
  stand_in::StandInServer service_;
};

// The issue number the plan kinds count with.
std::int64_t issue_number(L lottery, const std::string& issue) {
  if (lottery == L::cqssc || lottery == L::jxssc) return leading_int(issue.substr(issue.size() - 3));
  return leading_int(issue);
}

TEST_F(StandInRoad, EveryLotteryRunsFromTheServiceReplyToTheReport) {
  const struct {
    L lottery;
    int first_type;
    const char* kind_name;
  } cases[] = {{L::cqssc, 1001, "后一定位"},
               {L::jxssc, 2001, "后一定位"},
               {L::hsssc, 3001, "后一定位"},
               {L::pk10, 4001, "第1名定位"},
               {L::x11x5, 5001, "万位定位"}};
  for (const auto& c : cases) {
    select_and_wait(c.lottery);
    const auto poll = poll_draws(context, c.lottery);
    ASSERT_TRUE(poll.usable()) << lottery_text(c.lottery);
    const auto& newest = poll.draws.front();
    EXPECT_EQ(newest_row_issue(), QString::fromStdString(newest.issue)) << lottery_text(c.lottery);
    EXPECT_EQ(find<QTreeWidget>("超级列表框2")->topLevelItemCount(), 50);
    const auto rows = plans(c.first_type);
    ASSERT_EQ(rows.size(), 1u) << lottery_text(c.lottery);
    EXPECT_EQ(rows[0].qihao1, issue_number(c.lottery, newest.issue) + 1);
    EXPECT_TRUE(plan_text().contains(QString::fromUtf8(c.kind_name) + "共执行计划0个"));
  }

  // Back to pk10 on the issue its kinds have seen: nothing to report until
  // the service draws again, then the kinds run on the new draw.
  select_and_wait(L::pk10);
  EXPECT_EQ(plan_text(), "");
  const auto before = poll_draws(context, L::pk10).draws.front().issue;
  EXPECT_FALSE(http_get_text(context.base_url + "/control/draw?ssc=pk10").empty());
  tick_and_wait();
  const auto after = poll_draws(context, L::pk10).draws.front().issue;
  EXPECT_EQ(issue_number(L::pk10, after), issue_number(L::pk10, before) + 1);
  EXPECT_EQ(newest_row_issue(), QString::fromStdString(after));
  EXPECT_TRUE(plan_text().contains("第3名定位共执行计划"));
}

}  // namespace
}  // namespace plandesk::testing
