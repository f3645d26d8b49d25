#include "feed/poll_draws.h"

#include <gtest/gtest.h>

#include <string>

#include "service/recording_server.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

using testing::RecordingServer;

ServiceContext context(std::string base_url) {
  ServiceContext ctx;
  ctx.user_name = "张三&x=1";
  ctx.password = "p w";
  ctx.base_url = std::move(base_url);
  return ctx;
}

TEST(DrawFeedUrl, RequestCodes) {
  const ServiceContext ctx = context("http://127.0.0.1:9");
  const std::string head =
      "http://127.0.0.1:9/getsj.asp?username=%D5%C5%C8%FD%26x%3D1&password=p%20w&softid=1";
  const std::pair<LotteryCode, std::string> cases[] = {
      {LotteryCode::cqssc, "&ssc=cqssc&topnum=50"},  {LotteryCode::jxssc, "&ssc=jxssc&topnum=50"},
      {LotteryCode::hsssc, "&ssc=hsssc&topnum=50"},  {LotteryCode::pk10, "&ssc=pk10&topnum=50"},
      {LotteryCode::x11x5, "&ssc=sd11x5&topnum=50"},
  };
  for (const auto& [lottery, tail] : cases) EXPECT_EQ(draw_feed_url(ctx, lottery), head + tail);
}

TEST(PollDraws, FetchesAndParsesOverHttp) {
  RecordingServer server;
  std::string reply = "<html>";
  for (int i = 12; i > 0; --i)
    reply += "[150301" + std::to_string(10 + i) + "-01,02,03,04," + std::to_string(10 + i) + "]<br>";
  server.reply("/getsj.asp", reply);

  const ServiceContext ctx = context(server.base_url());
  const PollResult result = poll_draws(ctx, LotteryCode::x11x5);
  EXPECT_TRUE(result.usable());
  EXPECT_EQ(result.match_count, 12);
  ASSERT_EQ(result.draws.size(), 12u);
  EXPECT_EQ(result.draws.front().issue, "15030122");
  EXPECT_EQ(result.draws.front().numbers, "01,02,03,04,22");

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].params.find("ssc")->second, "sd11x5");
  EXPECT_EQ(requests[0].params.find("topnum")->second, "50");
  EXPECT_EQ(gbk_to_utf8(requests[0].params.find("username")->second), ctx.user_name);
  EXPECT_EQ(requests[0].params.find("password")->second, ctx.password);
}

TEST(PollDraws, FailedRequestIsAnEmptyUnusablePoll) {
  std::string base_url;
  {
    RecordingServer gone;
    base_url = gone.base_url();
  }
  const PollResult result = poll_draws(context(base_url), LotteryCode::cqssc);
  EXPECT_TRUE(result.draws.empty());
  EXPECT_EQ(result.match_count, 0);
  EXPECT_FALSE(result.usable());
}

}  // namespace
}  // namespace plandesk
