// What goes on the wire, and what comes back, for requests over loopback.
#include "service/http_request.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "http_test_server.h"
#include "service/http_headers.h"

namespace plandesk {
namespace {

using testing::raw_reply;
using testing::RawHttpServer;
using testing::RawReply;

const std::string kDefaultLines =
    "Accept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded\r\n";

std::string request_line(const std::string& request) {
  return request.substr(0, request.find("\r\n"));
}

TEST(HttpGetText, SendsExactlyTheRequestLineAndTheProgramsHeaders) {
  RawHttpServer server([](const std::string&) { return raw_reply("ok"); });
  const std::string url = server.url("/chkuser.asp?username=a&password=b");

  EXPECT_EQ(http_get_text(url), "ok");

  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "GET /chkuser.asp?username=a&password=b HTTP/1.1\r\n"
            "Host: 127.0.0.1:" +
                std::to_string(server.port()) + "\r\nUser-Agent: " + std::string(kDefaultHttpAgent) +
                "\r\nReferer: " + url + "\r\n" + kDefaultLines + "\r\n");
}

TEST(HttpGetText, SendsTheLowerCasedHostAndThePathAndQueryAsWritten) {
  RawHttpServer server([](const std::string& request) { return raw_reply(request); });
  const std::string port = std::to_string(server.port());
  struct Case {
    std::string url;
    std::string request_line;
    std::string host;
  };
  const Case cases[] = {
      {"http://LocalHost:" + port + "/Chk.asp?User=AB&pw=x=y", "GET /Chk.asp?User=AB&pw=x=y HTTP/1.1",
       "localhost:" + port},
      {"http://127.0.0.1:" + port + "/a.asp?n=\xD6\xD0\xB9\xFA&e=%41&q=\"<>",
       "GET /a.asp?n=\xD6\xD0\xB9\xFA&e=%41&q=\"<> HTTP/1.1", "127.0.0.1:" + port},
      {"http://127.0.0.1:" + port + "/a/../b//c/./d", "GET /a/../b//c/./d HTTP/1.1", "127.0.0.1:" + port},
      {"http://127.0.0.1:" + port, "GET / HTTP/1.1", "127.0.0.1:" + port},
      {"127.0.0.1:" + port + "/no-scheme?x=1", "GET /no-scheme?x=1 HTTP/1.1", "127.0.0.1:" + port},
      // A space would split the request line and "#" would end the query:
      // both go percent-encoded, every other byte as it is.
      {"http://127.0.0.1:" + port + "/a b.asp?u=x y&p=a#b", "GET /a%20b.asp?u=x%20y&p=a%23b HTTP/1.1",
       "127.0.0.1:" + port},
  };
  for (const Case& c : cases) {
    const std::string reply = http_get_text(c.url);
    EXPECT_EQ(request_line(reply), c.request_line) << c.url;
    EXPECT_NE(reply.find("\r\nHost: " + c.host + "\r\n"), std::string::npos) << reply;
    EXPECT_NE(reply.find("\r\nReferer: " + c.url + "\r\n"), std::string::npos) << reply;
  }
}

TEST(HttpRequest, VerbAndBodyFollowTheMethod) {
  RawHttpServer server([](const std::string&) { return raw_reply("ok"); });
  struct Case {
    int method;
    std::string request_start;  // request line
    std::string body;
  };
  const Case cases[] = {
      {0, "GET /form HTTP/1.1", ""},
      {1, "POST /form HTTP/1.1", "a=1&b=\xD6\xD0"},
      {2, "GET /form HTTP/1.1", "a=1&b=\xD6\xD0"},
  };
  for (const Case& c : cases) {
    HttpRequestOptions options;
    options.method = c.method;
    options.post_text = "a=1&b=\xD6\xD0";
    options.post_bytes = "";
    EXPECT_TRUE(http_request(server.url("/form"), options).ok);
    const std::string request = server.requests().back();
    EXPECT_EQ(request_line(request), c.request_start);
    const std::size_t head_end = request.find("\r\n\r\n");
    EXPECT_EQ(request.substr(head_end + 4), c.body) << c.method;
    EXPECT_EQ(request.find("Expect:"), std::string::npos);
    // The body bytes are taken from the text once a body is due.
    EXPECT_EQ(*options.post_bytes, c.body);
  }
}

TEST(HttpRequest, PostBytesWinOverPostText) {
  RawHttpServer server([](const std::string&) { return raw_reply("ok"); });
  HttpRequestOptions options;
  options.method = 1;
  options.post_text = "text";
  // Big enough for libcurl to ask for "Expect: 100-continue" unless told not to.
  const std::string bytes = std::string("by\0tes", 6) + std::string(std::size_t{1} << 20, 'x');
  options.post_bytes = bytes;
  EXPECT_TRUE(http_request(server.url("/"), options).ok);
  const std::string request = server.requests().back();
  const std::size_t head_end = request.find("\r\n\r\n");
  EXPECT_EQ(request.substr(head_end + 4), bytes);
  EXPECT_EQ(request.substr(0, head_end).find("Expect"), std::string::npos);
}

TEST(HttpRequest, CallersHeaderLinesAndAgentAreSentAndCompletedInPlace) {
  RawHttpServer server([](const std::string&) { return raw_reply("ok"); });
  const std::string url = server.url("/h");
  HttpRequestOptions options;
  options.headers = "User-Agent: Tester/1.0\r\nAccept: text/html\r\nX-Extra: 1";

  EXPECT_TRUE(http_request(url, options).ok);

  const std::string expected_headers =
      "User-Agent: Tester/1.0\r\nAccept: text/html\r\nX-Extra: 1\r\nReferer: " + url +
      "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
  EXPECT_EQ(*options.headers, expected_headers);
  EXPECT_EQ(server.requests().back(), "GET /h HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                                          "\r\n" + expected_headers + "\r\n\r\n");
}

TEST(HttpRequest, ProxyCarriesHttpRequests) {
  RawHttpServer proxy([](const std::string&) { return raw_reply("via proxy"); });
  HttpRequestOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(proxy.port());

  const HttpResult result = http_request("http://Target.Example/a.asp?x=1", options);

  EXPECT_EQ(result.body, "via proxy");
  ASSERT_EQ(proxy.requests().size(), 1u);
  const std::string request = proxy.requests()[0];
  EXPECT_EQ(request_line(request), "GET http://target.example/a.asp?x=1 HTTP/1.1");
  EXPECT_NE(request.find("\r\nHost: target.example\r\n"), std::string::npos);
  EXPECT_EQ(request.find("Proxy-Connection"), std::string::npos);
}

TEST(HttpRequest, HttpsUrlsAreSpokenToWithTls) {
  RawHttpServer server([](const std::string&) { return raw_reply("plain"); });
  const std::string url = "HTTPS://127.0.0.1:" + std::to_string(server.port()) + "/x";

  HttpRequestOptions options;
  const HttpResult result = http_request(url, options);

  // The plain server cannot answer the handshake, so the request fails, but
  // what arrived was a TLS handshake record, not an HTTP request.
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.body, "");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].substr(0, 1), "\x16");
}

TEST(HttpRequest, FollowsRedirectsUnlessToldNotTo) {
  testing::HttplibServer server([](httplib::Server& routes) {
    routes.Get("/start", [](const httplib::Request&, httplib::Response& res) {
      res.set_redirect("/final");
      res.set_content("redirect body", "text/plain");
    });
    routes.Get("/final", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("final body", "text/plain");
    });
  });

  EXPECT_EQ(http_get_text(server.url("/start")), "final body");
  HttpRequestOptions followed;
  EXPECT_EQ(http_request(server.url("/start"), followed).body, "final body");
  EXPECT_TRUE(followed.reply_headers.starts_with("HTTP/1.1 200 OK\r\n")) << followed.reply_headers;

  HttpRequestOptions options;
  options.no_auto_redirect = true;
  const HttpResult result = http_request(server.url("/start"), options);
  EXPECT_EQ(result.body, "redirect body");
  EXPECT_TRUE(options.reply_headers.starts_with("HTTP/1.1 302 Found\r\n")) << options.reply_headers;
  EXPECT_TRUE(options.reply_headers.ends_with("\r\n\r\n"));
  EXPECT_EQ(options.location, "/final");
}

TEST(HttpRequest, RedirectLoopsEndInFailure) {
  testing::HttplibServer server([](httplib::Server& routes) {
    routes.Get("/loop", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/loop"); });
  });
  HttpRequestOptions options;
  const HttpResult result = http_request(server.url("/loop"), options);
  EXPECT_EQ(result.failure, HttpFailure::too_many_redirects);
  EXPECT_EQ(result.body, "");
}

// A first server answering 301 towards a second one, which names the request
// it received.
struct PermanentRedirect {
  explicit PermanentRedirect(std::string status_line, bool with_location = true)
      : second([](const std::string& request) { return raw_reply("second got " + request_line(request)); }),
        first([this, status_line, with_location](const std::string&) {
          const std::string location = with_location ? "Location: " + second.url() + "\r\n" : "";
          return raw_reply("moved", location + "Set-Cookie: b=3; path=/moved\r\n", status_line);
        }) {}
  RawHttpServer second;
  RawHttpServer first;
};

TEST(HttpRequest, A301IsFollowedWithTheFirstPathAndQuery) {
  PermanentRedirect servers("HTTP/1.1 301 Moved Permanently");
  const std::string url = servers.first.url("/moved/a.asp?x=1");
  HttpRequestOptions options;
  options.no_auto_redirect = true;
  options.cookies = "a=1; b=2";

  const HttpResult result = http_request(url, options);

  EXPECT_EQ(result.body, "second got GET /moved/a.asp?x=1 HTTP/1.1");
  ASSERT_EQ(servers.second.requests().size(), 1u);
  const std::string follow_up = servers.second.requests()[0];
  EXPECT_NE(follow_up.find("\r\nReferer: " + url + "\r\n"), std::string::npos) << follow_up;
  // One Cookie line, with the text merged after the 301.
  EXPECT_NE(follow_up.find("\r\nCookie: b=3; a=1\r\n"), std::string::npos) << follow_up;
  EXPECT_EQ(follow_up.find("Cookie: a=1; b=2"), std::string::npos) << follow_up;
  EXPECT_TRUE(options.reply_headers.starts_with("HTTP/1.1 200 OK\r\n"));
}

TEST(HttpRequest, OtherPermanentRedirectsAreHandedBackAsTheyAre) {
  struct Case {
    std::string status_line;
    bool with_location;
  };
  const Case cases[] = {
      {"HTTP/1.0 301 Moved Permanently", true},
      // Nowhere to go: the reply itself is the answer.
      {"HTTP/1.1 301 Moved Permanently", false},
  };
  for (const Case& c : cases) {
    PermanentRedirect servers(c.status_line, c.with_location);
    HttpRequestOptions options;
    options.no_auto_redirect = true;
    const HttpResult result = http_request(servers.first.url("/moved/a.asp?x=1"), options);
    EXPECT_EQ(result.body, "moved") << c.status_line;
    EXPECT_TRUE(servers.second.requests().empty());
    if (!c.with_location) {
      EXPECT_EQ(options.location, options.reply_headers);
    }
  }
}

TEST(HttpRequest, Chained301FollowUpsStopAfterTen) {
  for (const int moves : {10, 11}) {
    std::atomic<int> served = 0;
    std::atomic<int> own_port = 0;
    RawHttpServer server([&](const std::string&) {
      const std::string location = "Location: http://127.0.0.1:" + std::to_string(own_port) + "\r\n";
      if (served++ < moves) return raw_reply("moved", location, "HTTP/1.1 301 Moved Permanently");
      return raw_reply("arrived");
    });
    own_port = server.port();
    HttpRequestOptions options;
    options.no_auto_redirect = true;
    const HttpResult result = http_request(server.url("/p?q=1"), options);
    if (moves == 10) {
      EXPECT_EQ(result.body, "arrived");
    } else {
      EXPECT_EQ(result.failure, HttpFailure::too_many_redirects);
      EXPECT_EQ(result.body, "");
    }
    EXPECT_EQ(server.requests().size(), 11u);
    EXPECT_EQ(request_line(server.requests().back()), "GET /p?q=1 HTTP/1.1");
  }
}

TEST(HttpGetText, AUtf8ReplyComesBackAsGbk) {
  const std::string utf8_text = "\xE4\xB8\xAD\xF0\x9F\x98\x80";  // "中" and a character GBK lacks
  const std::string gbk_text = "\xD6\xD0?";
  const auto marker_at = [&](std::size_t position, const std::string& marker) {
    return std::string(position - 1, 'x') + marker + utf8_text;
  };
  struct Case {
    std::string body, extra_headers;
    bool converted;
  };
  const Case cases[] = {
      {marker_at(499, "charset=utf-8"), "", true},
      {marker_at(500, "charset=utf-8"), "", false},
      {marker_at(1, "charset=UTF-8"), "", false},
      {utf8_text, "Content-Type: text/html; charset=utf-8\r\n", true},
      {utf8_text, "Content-Type: text/html; charset=UTF-8\r\n", false},
  };
  for (const Case& c : cases) {
    RawHttpServer server([&](const std::string&) { return raw_reply(c.body, c.extra_headers); });
    const std::string text = http_get_text(server.url("/"));
    const std::string expected_tail = c.converted ? gbk_text : utf8_text;
    EXPECT_TRUE(text.ends_with(expected_tail)) << c.body.size() << " " << c.extra_headers;
    EXPECT_EQ(text.size(), c.body.size() - utf8_text.size() + expected_tail.size());
  }
}

TEST(HttpGetText, StopsAtTheFirstZeroByte) {
  RawHttpServer server([](const std::string&) { return raw_reply(std::string("ab\0cd", 5)); });
  EXPECT_EQ(http_get_text(server.url("/")), "ab");
}

}  // namespace
}  // namespace plandesk
