#include "service/http_headers.h"

#include <gtest/gtest.h>

#include <string>

namespace plandesk {
namespace {

TEST(HttpAgentText, ComesFromAUserAgentLineOrIsTheDefault) {
  struct Case {
    std::string headers, agent;
  };
  const Case cases[] = {
      {"", std::string(kDefaultHttpAgent)},
      {"Accept: text/html", std::string(kDefaultHttpAgent)},
      {"user-agent:  Tester/1.0  \r\nAccept: */*", "Tester/1.0"},
      // The value runs to the end of the text: taken after the first ":".
      {"User-Agent: Last/2", "Last/2"},
      {"X-A: 1\r\nUser-Agent: Late", "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(http_agent_text(c.headers), c.agent) << c.headers;
}

TEST(CompleteRequestHeaders, AddsOnlyTheMissingDefaultLines) {
  const std::string url = "http://host/a.asp?x=1";
  const std::string defaults =
      "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
  struct Case {
    std::string headers, cookies, completed;
  };
  const Case cases[] = {
      {"", "", "Referer: " + url + defaults},
      {"Accept: text/html", "",
       "Accept: text/html\r\nReferer: " + url +
           "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
      {"Referer: x\r\nAccept: a\r\nAccept-Language: en\r\nContent-Type: t", "",
       "Referer: x\r\nAccept: a\r\nAccept-Language: en\r\nContent-Type: t"},
      // Names are matched with their case: "accept:" is not "Accept:".
      {"accept: a", "", "accept: a\r\nReferer: " + url + defaults},
      // A cookie line is always added, even beside the caller's own.
      {"Cookie: old", "a=1", "Cookie: old\r\nReferer: " + url + defaults + "\r\nCookie: a=1"},
  };
  for (const Case& c : cases) {
    std::string headers = c.headers;
    const std::size_t before_cookie = complete_request_headers(headers, url, c.cookies);
    EXPECT_EQ(headers, c.completed) << c.headers;
    EXPECT_EQ(headers.substr(before_cookie), c.cookies.empty() ? "" : "\r\nCookie: " + c.cookies);
  }
}

TEST(ScanReplyHeaders, ReadsLocationAndEverySetCookie) {
  std::string location = "stale";
  std::string received = "stale";
  scan_reply_headers(
      "HTTP/1.1 302 Found\r\nLocation: http://first/\r\nSet-Cookie: b=3; path=/\r\n"
      "Set-Cookie: a=deleted; path=/\r\nSet-Cookie: bare=1\r\nLocation:  http://second/x  \r\n\r\n",
      location, received);
  EXPECT_EQ(location, "http://second/x");
  // A cookie without any ";" after its value contributes an empty item.
  EXPECT_EQ(received, "b=3; a=deleted; ; ");

  scan_reply_headers("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", location, received);
  EXPECT_EQ(location, "");
  EXPECT_EQ(received, "");
}

TEST(IsPermanentRedirect, OnlyAnHttp11MovedStatus) {
  EXPECT_TRUE(is_permanent_redirect("HTTP/1.1 301 Moved Permanently\r\nLocation: x\r\n\r\n"));
  EXPECT_FALSE(is_permanent_redirect("HTTP/1.0 301 Moved Permanently\r\n\r\n"));
  EXPECT_FALSE(is_permanent_redirect("HTTP/1.1 302 Moved Temporarily\r\n\r\n"));
  EXPECT_FALSE(is_permanent_redirect("HTTP/1.1 301 Permanent\r\n\r\n"));
  EXPECT_FALSE(is_permanent_redirect(""));
}

TEST(ReplyIsUtf8, MarkerEarlyInTheBodyOrAnywhereInTheHeaders) {
  const auto body_with_marker_at = [](std::size_t position, const std::string& marker = "charset=utf-8") {
    return std::string(position - 1, 'x') + marker + std::string(40, 'y');
  };
  struct Case {
    std::string body, headers;
    bool utf8;
  };
  const Case cases[] = {
      {body_with_marker_at(1), "", true},
      {body_with_marker_at(499), "", true},
      {body_with_marker_at(500), "", false},
      {body_with_marker_at(500), "Content-Type: text/html; charset=utf-8\r\n", true},
      {body_with_marker_at(1, "charset=UTF-8"), "", false},
      {"", "Content-Type: text/html; charset=UTF-8\r\n", false},
      {"", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(reply_is_utf8(c.body, c.headers), c.utf8) << c.body.size() << c.headers;
}

}  // namespace
}  // namespace plandesk
