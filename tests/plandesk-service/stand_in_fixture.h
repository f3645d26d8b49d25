#pragma once
// A stand-in server running in this process on a free port, with its own
// temporary data folder, a fixed clock and a captured log, plus the HTTP
// helpers the tests share.

#include <httplib.h>

#include <filesystem>
#include <initializer_list>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "plandesk-service/stand_in_server.h"
#include "support/temp_dir.h"

namespace plandesk::stand_in::testing {

using plandesk::testing::TempDir;

// An ostream whose text may be read while server threads write to it.
class CapturedLog : public std::ostream {
 public:
  CapturedLog() : std::ostream(&buffer_) {}
  std::string text() const { return buffer_.text(); }

 private:
  class Buffer : public std::streambuf {
   public:
    std::string text() const;

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

   private:
    mutable std::mutex mutex_;
    std::string text_;
  };
  Buffer buffer_;
};

struct HttpReply {
  int status = 0;    // 0: no reply at all
  std::string body;  // as sent: GBK bytes, or UTF-8 with --utf8
  std::string content_type;
  std::string text() const;  // the body as UTF-8 (read as GBK)
};

// Every byte but the unreserved ones as %XX.
std::string percent_encode(std::string_view bytes);

// "key=value&..." with each UTF-8 value sent as percent-encoded GBK bytes,
// the way the client sends them.
std::string gbk_query(std::initializer_list<std::pair<std::string_view, std::string_view>> pairs);

// GET of an exact target ("/path?query"), sent unaltered.
HttpReply http_get(int port, const std::string& target);

// 2024-03-01 12:00:00 UTC; the tests run with TZ=UTC.
std::chrono::system_clock::time_point fixed_now();

// Settings for a test server: manual draws, a fixed start day (2015-03-01)
// and clock, and the data folder given.
ServerSettings test_settings(const std::filesystem::path& data_dir);

class RunningStandIn {
 public:
  // Runs a server in this process; an empty data_dir gets a temporary one.
  explicit RunningStandIn(ServerSettings settings);
  RunningStandIn();

  int port() const { return port_; }
  std::string log() const { return log_.text(); }

  HttpReply get(const std::string& target) const { return http_get(port_, target); }
  // GET of `path` with a GBK query; the reply text as UTF-8.
  std::string page(std::string_view path,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) const;

 private:
  static ServerSettings with_log(ServerSettings settings, CapturedLog& log, const TempDir& temp);
  TempDir temp_;
  CapturedLog log_;
  StandInServer server_;
  int port_;
};

}  // namespace plandesk::stand_in::testing
