// Every way a request can fail gives an empty body, and the bounds that keep
// a hung or broken service from holding the caller.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "http_test_server.h"
#include "service/http_request.h"

namespace plandesk {
namespace {

using namespace std::chrono_literals;
using testing::raw_reply;
using testing::RawHttpServer;
using testing::RawReply;

// A loopback listener that never accepts. With a backlog of 0 and one
// connection already queued, the kernel drops further connection attempts,
// so connecting to it hangs.
class FullListener {
 public:
  FullListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(listener_, 0);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    ::connect(queued_, reinterpret_cast<sockaddr*>(&address), length);
  }
  ~FullListener() {
    ::close(queued_);
    ::close(listener_);
  }
  FullListener(const FullListener&) = delete;
  FullListener& operator=(const FullListener&) = delete;
  int port() const { return port_; }

 private:
  int listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  int queued_ = ::socket(AF_INET, SOCK_STREAM, 0);
  int port_ = 0;
};

// A port on which nothing listens.
int closed_port() {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), length);
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(probe);
  return ntohs(address.sin_port);
}

HttpLimits short_limits() {
  HttpLimits limits;
  limits.connect_timeout = 2s;
  limits.stall_timeout = 300ms;
  return limits;
}

TEST(HttpFailures, EveryFailureGivesAnEmptyText) {
  struct Case {
    const char* what;
    RawReply reply;
    HttpFailure failure;
  };
  const Case cases[] = {
      {"closed without a byte", {"", false}, HttpFailure::transfer},
      {"cut short",
       {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\nabc", false},
       HttpFailure::transfer},
      {"not HTTP", {"SSH-2.0-OpenSSH\r\n", false}, HttpFailure::transfer},
      {"headers, then silence",
       {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", true},
       HttpFailure::stalled},
      {"silence", {"", true}, HttpFailure::stalled},
  };
  for (const Case& c : cases) {
    RawHttpServer server([&](const std::string&) { return c.reply; });
    HttpRequestOptions options;
    options.limits = short_limits();
    const HttpResult result = http_request(server.url("/x"), options);
    EXPECT_FALSE(result.ok) << c.what;
    EXPECT_EQ(result.failure, c.failure) << c.what << ": " << result.error;
    EXPECT_EQ(result.body, "") << c.what;
    if (!c.reply.hold_open) {
      EXPECT_EQ(http_get_text(server.url("/x"), short_limits()), "") << c.what;
    }
  }
}

TEST(HttpFailures, UnreachableOrUnusableAddressesGiveAnEmptyText) {
  struct Case {
    std::string url;
    HttpFailure failure;
  };
  const Case cases[] = {
      {"http://127.0.0.1:" + std::to_string(closed_port()) + "/x", HttpFailure::transfer},
      {"http://plandesk-test.invalid/x", HttpFailure::transfer},
      {"http://ho st/x", HttpFailure::bad_url},
      {"http://host:70000/x", HttpFailure::bad_url},
      {"http://user@host/x", HttpFailure::bad_url},
      {"http:///x", HttpFailure::bad_url},
      // Would smuggle a header line in through the Referer.
      {"http://127.0.0.1/x\r\nX-Injected: 1", HttpFailure::bad_url},
  };
  for (const Case& c : cases) {
    HttpRequestOptions options;
    options.limits = short_limits();
    const HttpResult result = http_request(c.url, options);
    EXPECT_EQ(result.failure, c.failure) << c.url << ": " << result.error;
    EXPECT_EQ(http_get_text(c.url, short_limits()), "") << c.url;
  }
}

TEST(HttpFailures, AnEmptyReplyBodyIsNoFailure) {
  RawHttpServer server([](const std::string&) { return raw_reply(""); });
  HttpRequestOptions options;
  const HttpResult result = http_request(server.url("/"), options);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.body, "");
}

TEST(HttpFailures, ConnectingGivesUpAfterTheConnectTimeOut) {
  FullListener listener;
  HttpLimits limits;
  limits.connect_timeout = 300ms;
  limits.stall_timeout = 5s;
  HttpRequestOptions options;
  options.limits = limits;
  const HttpResult result =
      http_request("http://127.0.0.1:" + std::to_string(listener.port()) + "/", options);
  EXPECT_EQ(result.failure, HttpFailure::connect_timeout) << result.error;
  EXPECT_EQ(result.body, "");
}

TEST(HttpFailures, ABodyBeyondTheLimitIsAFailure) {
  HttpLimits limits;
  limits.max_body_bytes = 1000;
  for (const std::size_t size : {std::size_t{1000}, std::size_t{1001}}) {
    const std::string body(size, 'b');
    RawHttpServer server([&](const std::string&) { return raw_reply(body); });
    HttpRequestOptions options;
    options.limits = limits;
    const HttpResult result = http_request(server.url("/"), options);
    if (size <= limits.max_body_bytes) {
      EXPECT_EQ(result.body, body);
    } else {
      EXPECT_EQ(result.failure, HttpFailure::body_too_large);
      EXPECT_EQ(result.body, "");
      EXPECT_EQ(http_get_text(server.url("/"), limits), "");
    }
  }
}

}  // namespace
}  // namespace plandesk
