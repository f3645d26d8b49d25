#pragma once
// Loopback servers for the request routine's tests.

#include <httplib.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace plandesk::testing {

// What the raw server sends back for one request.
struct RawReply {
  std::string bytes;       // sent exactly; "" closes the connection at once
  bool hold_open = false;  // after sending, keep the connection open until the server stops
};

// "status line, Content-Length, Connection: close, extra lines, body".
// `extra_headers` are complete lines, each ending in CRLF.
RawReply raw_reply(std::string_view body, std::string_view extra_headers = "",
                   std::string_view status_line = "HTTP/1.1 200 OK");

// A server on 127.0.0.1 that records the exact bytes of every request (head
// and body) and answers with scripted bytes, one request per connection. A
// request that does not start like HTTP (a TLS greeting, say) is recorded as
// far as its first read and answered by closing.
class RawHttpServer {
 public:
  using Responder = std::function<RawReply(const std::string& request)>;

  explicit RawHttpServer(Responder responder);
  ~RawHttpServer();
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `target`.
  std::string url(std::string_view target = "") const;
  std::vector<std::string> requests() const;

 private:
  void serve();
  void serve_connection(int connection);
  bool wait_readable(int fd) const;

  Responder responder_;
  int listener_ = -1;
  int stop_pipe_[2] = {-1, -1};
  int port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A cpp-httplib server on a free loopback port, running on its own threads.
class HttplibServer {
 public:
  explicit HttplibServer(const std::function<void(httplib::Server&)>& routes);
  ~HttplibServer();
  HttplibServer(const HttplibServer&) = delete;
  HttplibServer& operator=(const HttplibServer&) = delete;

  int port() const { return port_; }
  std::string url(std::string_view target = "") const;

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace plandesk::testing
