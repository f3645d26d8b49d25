// The wire: reply encodings, the request log, bad requests, and many
// requests at once.

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "stand_in_fixture.h"
#include "text/gbk.h"

namespace plandesk::stand_in::testing {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Encoding, RepliesAreGbkUnlessUtf8IsAskedFor) {
  const std::string target =
      "/softregchuli1.asp?" +
      gbk_query({{"username", "abcd"}, {"password", "secret1"}, {"QQ", "123456"}, {"tgid", ""}});
  const std::string refusal = "注册失败：用户名长度须为5到30个字节";

  RunningStandIn gbk;
  const HttpReply gbk_reply = gbk.get(target);
  EXPECT_EQ(gbk_reply.body, utf8_to_gbk(refusal));
  EXPECT_EQ(gbk_reply.content_type.find("charset=utf-8"), std::string::npos) << gbk_reply.content_type;
  EXPECT_NE(gbk_reply.content_type.find("charset=gbk"), std::string::npos) << gbk_reply.content_type;

  ServerSettings settings = test_settings({});
  settings.utf8 = true;
  RunningStandIn utf8(settings);
  const HttpReply utf8_reply = utf8.get(target);
  EXPECT_EQ(utf8_reply.body, refusal);
  EXPECT_EQ(utf8_reply.content_type, "text/plain; charset=utf-8");
  // Queries are GBK either way.
  const std::string gbk_name =
      "/softregchuli1.asp?" +
      gbk_query({{"username", "计划达人"}, {"password", "secret1"}, {"QQ", "123456"}, {"tgid", ""}});
  EXPECT_EQ(utf8.get(gbk_name).body, "注册成功");
  EXPECT_EQ(utf8.get("/chkuser.asp?" + gbk_query({{"username", "计划达人"}, {"password", "secret1"}})).body,
            "willcome");
  EXPECT_EQ(utf8.get("/gettguser.asp?username=demo&password=demo123&softid=1").body, "");
}

TEST(RequestLog, OneLinePerRequestWithPasswordsMasked) {
  RunningStandIn server;
  server.get("/chkuser.asp?username=demo&password=demo123");
  server.get("/changechuli.asp?username=demo&oldpassword=demo123&password=brandnew1&softid=1");
  server.get("/chkuser.asp?username=" + utf8_to_gbk("计划") + "&password=%73ecret");
  server.get("/nowhere.asp?password=demo123");
  server.get("/chkuser.asp?username=demo&password=a%zz");

  const std::string log = server.log();
  const auto lines = lines_of(log);
  ASSERT_EQ(lines.size(), 5u) << log;
  EXPECT_EQ(lines[0], "2024-03-01 12:00:00 GET /chkuser.asp?username=demo&password=*** 200");
  EXPECT_EQ(
      lines[1],
      "2024-03-01 12:00:00 GET /changechuli.asp?username=demo&oldpassword=***&password=***&softid=1 200");
  // Raw bytes are shown escaped, so every request stays one line.
  EXPECT_EQ(lines[2], "2024-03-01 12:00:00 GET /chkuser.asp?username=%BC%C6%BB%AE&password=*** 200");
  EXPECT_EQ(lines[3], "2024-03-01 12:00:00 GET /nowhere.asp?password=*** 404");
  EXPECT_EQ(lines[4], "2024-03-01 12:00:00 GET /chkuser.asp?username=demo&password=*** 400");
  for (const std::string_view secret : {"demo123", "brandnew1", "secret", "%zz"})
    EXPECT_EQ(log.find(secret), std::string::npos) << secret;
}

TEST(BadRequests, AreAnsweredWithAReasonAndLeaveTheServiceRunning) {
  RunningStandIn server;
  struct Case {
    std::string target;
    int status;
    std::string reason;
  } cases[] = {
      {"/chkuser.asp?password=demo123", 400, "bad request: missing value \"username\""},
      {"/chkuser.asp", 400, "bad request: missing value \"username\""},
      {"/softregchuli1.asp?username=abcde&password=secret1", 400, "bad request: missing value \"QQ\""},
      {"/changechuli.asp?username=demo&password=x12345", 400, "bad request: missing value \"oldpassword\""},
      {"/getsj.asp?username=demo&password=demo123&topnum=5", 400, "bad request: missing value \"ssc\""},
      {"/bdzhifubao.asp?username=demo&password=demo123&zhifubao=a", 400,
       "bad request: missing value \"zhifubaoname\""},
      {"/chkuser.asp?username=demo&password=%zz", 400,
       "bad request: malformed percent-encoding in \"password\""},
      {"/chkuser.asp?username=demo&password=%4", 400,
       "bad request: malformed percent-encoding in \"password\""},
      {"/chkuser.asp?username=demo&password=abc%", 400,
       "bad request: malformed percent-encoding in \"password\""},
      {"/chkuser.asp?username=%u4E2D&password=demo123", 400,
       "bad request: malformed percent-encoding in \"username\""},
      {"/chkuser.asp?username=demo%00&password=demo123", 400,
       "bad request: control character in the value of \"username\""},
      {"/chkuser.asp?username=demo%0A&password=demo123", 400,
       "bad request: control character in the value of \"username\""},
      // Bytes that are no GBK text: a lone lead byte, and UTF-8 for "中".
      {"/chkuser.asp?username=demo%81&password=demo123", 400,
       "bad request: the value of \"username\" is not GBK text"},
      {"/chkuser.asp?username=%E4%B8%AD&password=demo123", 400,
       "bad request: the value of \"username\" is not GBK text"},
      {"/unknown.asp?username=demo", 404, "not found: /unknown.asp"},
      {"/", 404, "not found: /"},
      {"/CHKUSER.ASP?username=demo&password=demo123", 404, "not found: /CHKUSER.ASP"},
  };
  for (const auto& c : cases) {
    const HttpReply reply = server.get(c.target);
    EXPECT_EQ(reply.status, c.status) << c.target;
    EXPECT_EQ(reply.text(), c.reason) << c.target;
  }

  httplib::Client client("127.0.0.1", server.port());
  client.set_read_timeout(10);
  const auto post = client.Post("/chkuser.asp?username=demo&password=demo123", "", "text/plain");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->status, 405);
  EXPECT_EQ(post->body, "method not allowed: only GET is served");

  // A target the library refuses by itself still gets a text reply.
  const HttpReply too_long = server.get("/chkuser.asp?username=" + std::string(10000, 'a') + "&password=x");
  EXPECT_GE(too_long.status, 400);
  EXPECT_FALSE(too_long.body.empty());

  EXPECT_EQ(server.get("/chkuser.asp?username=demo&password=demo123").text(), "willcome");
}

TEST(Concurrency, ManyClientsAtOnceEachGetTheirOwnAnswers) {
  RunningStandIn server;
  constexpr int clients = 8;
  constexpr int rounds = 10;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < clients; ++t) {
    threads.emplace_back([&, t] {
      for (int r = 0; r < rounds; ++r) {
        const std::string name = "user" + std::to_string(t) + "x" + std::to_string(r);
        const auto page = [&](std::string_view path,
                              std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) {
          return server.page(path, pairs);
        };
        if (page("/softregchuli1.asp",
                 {{"username", name}, {"password", "secret1"}, {"QQ", "123456"}, {"tgid", "10001"}}) !=
            "注册成功")
          ++failures;
        if (page("/chkuser.asp", {{"username", name}, {"password", "secret1"}}) != "willcome") ++failures;
        if (server.get("/control/draw?ssc=hsssc").status != 200) ++failures;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, 0);

  const std::string referrals =
      server.page("/gettguser.asp", {{"username", "demo"}, {"password", "demo123"}});
  std::size_t rows = referrals.empty() ? 0 : 1;
  for (std::size_t at = referrals.find("<br>"); at != std::string::npos; at = referrals.find("<br>", at + 1))
    ++rows;
  EXPECT_EQ(rows, std::size_t{clients * rounds});
  // Every draw got its own issue: 60 at start and one per control request.
  const std::string newest = server.page(
      "/getsj.asp", {{"username", "demo"}, {"password", "demo123"}, {"ssc", "hsssc"}, {"topnum", "1"}});
  EXPECT_EQ(newest.substr(0, 12), "[" + std::to_string(1000000060 + clients * rounds) + "-");
}

}  // namespace
}  // namespace plandesk::stand_in::testing
