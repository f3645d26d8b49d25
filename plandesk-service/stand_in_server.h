#pragma once
// The HTTP side of the stand-in: binds 127.0.0.1 only, decodes each GET,
// hands it to Endpoints, encodes the reply in GBK (or UTF-8), logs one line
// per request, and adds a draw of every lottery on a timer.

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "plandesk-service/account_store.h"
#include "plandesk-service/date_time.h"
#include "plandesk-service/draw_board.h"
#include "plandesk-service/endpoints.h"

namespace plandesk::stand_in {

struct ServerSettings {
  std::filesystem::path data_dir = "plandesk-service-data";
  std::uint64_t seed = 20150301;
  std::chrono::seconds draw_interval{60};
  bool manual_draws = false;                             // no timer: draws only on /control/draw
  bool utf8 = false;                                     // replies in UTF-8 instead of GBK
  std::optional<std::chrono::year_month_day> start_day;  // default: today
  std::size_t initial_draws = 60;
  std::ostream* log = nullptr;  // one line per request; nullptr: no log
  Clock clock = [] { return std::chrono::system_clock::now(); };
};

// The accounts file inside the data folder.
inline constexpr const char* accounts_file_name = "accounts.sqlite3";

class StandInServer {
 public:
  // Creates the data folder when missing, opens the accounts file and makes
  // the demo account (demo / demo123) when it is missing. Check ok().
  explicit StandInServer(ServerSettings settings);
  ~StandInServer();
  StandInServer(const StandInServer&) = delete;
  StandInServer& operator=(const StandInServer&) = delete;

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // Binds 127.0.0.1:port (0: a free port); the bound port, or -1.
  int bind(int port);
  // Serves until stop(); starts the draw timer unless draws are manual.
  void run();
  // Safe from any thread, also before run() has started serving.
  void stop();

  // bind() and run() on a thread of its own; returns once requests are
  // accepted. The destructor stops and joins it. -1 when binding failed.
  int start_in_background(int port);

 private:
  void route(const httplib::Request& request, httplib::Response& response);
  void respond(httplib::Response& response, const Reply& reply) const;
  void log_line(const std::string& method, const std::string& target, int status);
  void draw_timer();

  ServerSettings settings_;
  std::string error_;
  std::unique_ptr<AccountStore> accounts_;
  std::unique_ptr<DrawBoard> draws_;
  std::unique_ptr<Endpoints> endpoints_;
  httplib::Server http_;

  std::mutex log_mutex_;
  std::mutex stop_mutex_;
  std::condition_variable stop_signal_;
  bool stopping_ = false;
  std::atomic<bool> serving_{false};  // inside run(), listening or about to
  std::thread timer_thread_;
  std::thread background_thread_;
};

}  // namespace plandesk::stand_in
