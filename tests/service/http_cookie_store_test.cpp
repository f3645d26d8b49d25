// The cookie store every plain request shares, and the caller's own cookie
// text that switches it off.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "http_test_server.h"
#include "service/http_request.h"

namespace plandesk {
namespace {

// Each test keeps its cookies under its own path, so the store, which lives
// as long as the process, does not carry them into other tests.
testing::HttplibServer cookie_server() {
  return testing::HttplibServer([](httplib::Server& routes) {
    routes.Get(R"((/\w+)/set)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_header("Set-Cookie", "sid=abc; Path=" + req.matches[1].str());
      res.set_content("set", "text/plain");
    });
    routes.Get(R"(/\w+/echo)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content("cookie:" + req.get_header_value("Cookie"), "text/plain");
    });
    routes.Get(R"((/\w+)/echo-and-set)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_header("Set-Cookie", "b=3; Path=" + req.matches[1].str());
      res.set_header("Set-Cookie", "a=deleted; Path=" + req.matches[1].str());
      res.set_content("cookie:" + req.get_header_value("Cookie"), "text/plain");
    });
  });
}

TEST(HttpCookieStore, ACookieSetByOneReplyIsSentByLaterRequestsOfAnyThread) {
  const testing::HttplibServer server = cookie_server();
  ASSERT_EQ(http_get_text(server.url("/shared/set")), "set");

  EXPECT_EQ(http_get_text(server.url("/shared/echo")), "cookie:sid=abc");
  std::string from_other_thread;
  std::thread other([&] { from_other_thread = http_get_text(server.url("/shared/echo")); });
  other.join();
  EXPECT_EQ(from_other_thread, "cookie:sid=abc");
}

TEST(HttpCookieStore, AGivenCookieTextReplacesTheStoreAndIsMerged) {
  const testing::HttplibServer server = cookie_server();
  ASSERT_EQ(http_get_text(server.url("/own/set")), "set");

  HttpRequestOptions options;
  options.cookies = "a=1; b=2";
  const HttpResult result = http_request(server.url("/own/echo-and-set"), options);

  EXPECT_EQ(result.body, "cookie:a=1; b=2");  // the stored sid stays out
  EXPECT_EQ(options.received_cookies, "b=3;a=deleted;");
  EXPECT_EQ(*options.cookies, "b=3");
  // Nor did the reply's cookies reach the store.
  EXPECT_EQ(http_get_text(server.url("/own/echo")), "cookie:sid=abc");
}

TEST(HttpCookieStore, RequestsOnSeveralThreadsAtOnceShareIt) {
  const testing::HttplibServer server = cookie_server();
  ASSERT_EQ(http_get_text(server.url("/busy/set")), "set");
  std::vector<std::string> replies(8);
  std::vector<std::thread> threads;
  for (std::string& reply : replies)
    threads.emplace_back([&server, &reply] { reply = http_get_text(server.url("/busy/echo")); });
  for (std::thread& thread : threads) thread.join();
  for (const std::string& reply : replies) EXPECT_EQ(reply, "cookie:sid=abc");
}

}  // namespace
}  // namespace plandesk
