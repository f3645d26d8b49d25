#include "http_test_server.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <stdexcept>

namespace plandesk::testing {
namespace {

std::size_t content_length(std::string_view head) {
  std::string lowered(head);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t at = lowered.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return static_cast<std::size_t>(std::stoul(lowered.substr(at + 17)));
}

}  // namespace

RawReply raw_reply(std::string_view body, std::string_view extra_headers, std::string_view status_line) {
  std::string bytes(status_line);
  bytes += "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n";
  bytes.append(extra_headers).append("\r\n").append(body);
  return {bytes, false};
}

RawHttpServer::RawHttpServer(Responder responder) : responder_(std::move(responder)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe(stop_pipe_) != 0)
    throw std::runtime_error("raw test server could not listen");
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

RawHttpServer::~RawHttpServer() {
  const char stop = 's';
  static_cast<void>(::write(stop_pipe_[1], &stop, 1));
  thread_.join();
  ::close(listener_);
  ::close(stop_pipe_[0]);
  ::close(stop_pipe_[1]);
}

std::string RawHttpServer::url(std::string_view target) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
}

std::vector<std::string> RawHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

// True when `fd` can be read; false when the server is stopping.
bool RawHttpServer::wait_readable(int fd) const {
  pollfd fds[2] = {{fd, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
  while (::poll(fds, 2, -1) < 0) {
  }
  return (fds[1].revents & POLLIN) == 0;
}

void RawHttpServer::serve() {
  while (wait_readable(listener_)) {
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection < 0) continue;
    serve_connection(connection);
    ::close(connection);
  }
}

void RawHttpServer::serve_connection(int connection) {
  std::string request;
  char buffer[4096];
  while (true) {
    if (!wait_readable(connection)) return;
    const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<std::size_t>(got));
    if (!std::isalpha(static_cast<unsigned char>(request[0]))) break;  // not HTTP
    const std::size_t head_end = request.find("\r\n\r\n");
    if (head_end != std::string::npos &&
        request.size() >= head_end + 4 + content_length(request.substr(0, head_end)))
      break;
  }
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  if (!std::isalpha(static_cast<unsigned char>(request.empty() ? ' ' : request[0]))) return;
  const RawReply reply = responder_(request);
  for (std::size_t sent = 0; sent < reply.bytes.size();) {
    const ssize_t put =
        ::send(connection, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
    if (put <= 0) return;
    sent += static_cast<std::size_t>(put);
  }
  if (reply.hold_open) {
    // Wait for the server to stop; a client that gives up first closes its
    // end, which is drained here until then.
    while (wait_readable(connection) && ::recv(connection, buffer, sizeof buffer, 0) > 0) {
    }
  }
}

HttplibServer::HttplibServer(const std::function<void(httplib::Server&)>& routes) {
  routes(server_);
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("httplib test server could not listen");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
}

HttplibServer::~HttplibServer() {
  // stop() only acts once the accept loop runs.
  while (!server_.is_running()) std::this_thread::yield();
  server_.stop();
  thread_.join();
}

std::string HttplibServer::url(std::string_view target) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
}

}  // namespace plandesk::testing
