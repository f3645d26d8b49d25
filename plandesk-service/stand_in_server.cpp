#include "plandesk-service/stand_in_server.h"

#include <sys/socket.h>

#include <system_error>

#include "plandesk-service/query_params.h"
#include "text/gbk.h"

namespace plandesk::stand_in {
namespace {

constexpr const char* host = "127.0.0.1";

std::string status_text(int status) {
  switch (status) {
    case 400:
      return "bad request";
    case 404:
      return "not found";
    case 405:
      return "method not allowed: only GET is served";
    case 413:
      return "request too large";
    case 414:
      return "request target too long";
    default:
      return "error " + std::to_string(status);
  }
}

}  // namespace

StandInServer::StandInServer(ServerSettings settings) : settings_(std::move(settings)) {
  std::error_code ec;
  std::filesystem::create_directories(settings_.data_dir, ec);
  if (ec) {
    error_ = "cannot create the data folder " + settings_.data_dir.string() + ": " + ec.message();
    return;
  }
  accounts_ = std::make_unique<AccountStore>(settings_.data_dir / accounts_file_name);
  const std::int64_t now = to_unix_seconds(settings_.clock());
  if (!accounts_->ok() || !accounts_->ensure_account({"demo", "demo123", "10000", std::nullopt}, now)) {
    error_ = "cannot open the accounts file in " + settings_.data_dir.string() + ": " + accounts_->error();
    return;
  }
  const auto start_day = settings_.start_day.value_or(local_day(settings_.clock()));
  draws_ = std::make_unique<DrawBoard>(settings_.seed, start_day, settings_.initial_draws);
  endpoints_ = std::make_unique<Endpoints>(*accounts_, *draws_, settings_.clock);

  http_.set_keep_alive_timeout(2);
  // The library's default also sets SO_REUSEPORT, which would let a second
  // service share a port that is taken instead of failing to start.
  http_.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  http_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    route(request, response);
  });
  const auto not_allowed = [this](const httplib::Request& request, httplib::Response& response) {
    respond(response, {405, status_text(405)});
    log_line(request.method, request.target, 405);
  };
  http_.Post(".*", not_allowed);
  http_.Put(".*", not_allowed);
  http_.Patch(".*", not_allowed);
  http_.Delete(".*", not_allowed);
  http_.Options(".*", not_allowed);
  // Errors that the HTTP library itself answers (a malformed request line, a
  // target too long) come without a body: give them one and log them. Ours
  // already have both.
  http_.set_error_handler(httplib::Server::HandlerWithResponse(
      [this](const httplib::Request& request, httplib::Response& response) {
        if (!response.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        respond(response, {response.status, status_text(response.status)});
        log_line(request.method, request.target, response.status);
        return httplib::Server::HandlerResponse::Handled;
      }));
  http_.set_exception_handler(
      [this](const httplib::Request& request, httplib::Response& response, std::exception_ptr) {
        respond(response, {500, "internal error"});
        log_line(request.method, request.target, 500);
      });
}

StandInServer::~StandInServer() {
  stop();
  if (background_thread_.joinable()) background_thread_.join();
}

int StandInServer::bind(int port) {
  if (!ok()) return -1;
  if (port == 0) return http_.bind_to_any_port(host);
  return http_.bind_to_port(host, port) ? port : -1;
}

void StandInServer::run() {
  {
    const std::lock_guard lock(stop_mutex_);
    if (stopping_ || !ok()) return;
    serving_ = true;
  }
  if (!settings_.manual_draws) timer_thread_ = std::thread([this] { draw_timer(); });
  http_.listen_after_bind();
  {
    const std::lock_guard lock(stop_mutex_);
    stopping_ = true;
  }
  stop_signal_.notify_all();
  if (timer_thread_.joinable()) timer_thread_.join();
  serving_ = false;
}

void StandInServer::stop() {
  {
    const std::lock_guard lock(stop_mutex_);
    stopping_ = true;
  }
  stop_signal_.notify_all();
  // The library ignores a stop that comes before it has started listening;
  // wait for that moment so the stop is not lost.
  while (serving_ && !http_.is_running()) std::this_thread::yield();
  http_.stop();
}

int StandInServer::start_in_background(int port) {
  const int bound = bind(port);
  if (bound < 0) return -1;
  background_thread_ = std::thread([this] { run(); });
  while (!http_.is_running()) {
    {
      const std::lock_guard lock(stop_mutex_);
      if (stopping_) break;
    }
    std::this_thread::yield();
  }
  return bound;
}

void StandInServer::route(const httplib::Request& request, httplib::Response& response) {
  const std::size_t question = request.target.find('?');
  const std::string_view raw_query = question == std::string::npos
                                         ? std::string_view{}
                                         : std::string_view(request.target).substr(question + 1);
  const QueryParse query = parse_query(raw_query);
  const Reply reply =
      query.ok ? endpoints_->handle(request.path, query.params) : Reply{400, "bad request: " + query.error};
  respond(response, reply);
  // Logged before the reply leaves, so a reader of the log that has seen the
  // reply also finds its line.
  log_line(request.method, request.target, reply.status);
}

void StandInServer::respond(httplib::Response& response, const Reply& reply) const {
  response.status = reply.status;
  if (settings_.utf8)
    response.set_content(reply.text, "text/plain; charset=utf-8");
  else
    response.set_content(utf8_to_gbk(reply.text), "text/html; charset=gbk");
}

void StandInServer::log_line(const std::string& method, const std::string& target, int status) {
  if (settings_.log == nullptr) return;
  const std::size_t question = target.find('?');
  std::string shown = text_for_log(target.substr(0, question));
  if (question != std::string::npos) shown += "?" + query_for_log(target.substr(question + 1));
  const std::string line = local_date_time_text(to_unix_seconds(settings_.clock())) + " " +
                           (method.empty() ? "-" : method) + " " + (shown.empty() ? "-" : shown) + " " +
                           std::to_string(status) + "\n";
  const std::lock_guard lock(log_mutex_);
  *settings_.log << line << std::flush;
}

void StandInServer::draw_timer() {
  std::unique_lock lock(stop_mutex_);
  while (!stopping_) {
    if (stop_signal_.wait_for(lock, settings_.draw_interval, [this] { return stopping_; })) break;
    lock.unlock();
    for (const Game game : all_games) draws_->draw_next(game);
    lock.lock();
  }
}

}  // namespace plandesk::stand_in
