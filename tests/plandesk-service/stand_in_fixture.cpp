#include "stand_in_fixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <random>

#include "text/gbk.h"

namespace plandesk::stand_in::testing {
namespace {

// Date-times in replies and logs are local time; pin the zone so that the
// fixed clock reads the same everywhere.
const bool utc_zone = [] {
  setenv("TZ", "UTC", 1);
  tzset();
  return true;
}();

}  // namespace

std::string CapturedLog::Buffer::text() const {
  const std::lock_guard lock(mutex_);
  return text_;
}

CapturedLog::Buffer::int_type CapturedLog::Buffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const std::lock_guard lock(mutex_);
  text_.push_back(traits_type::to_char_type(c));
  return c;
}

std::streamsize CapturedLog::Buffer::xsputn(const char* s, std::streamsize n) {
  const std::lock_guard lock(mutex_);
  text_.append(s, static_cast<std::size_t>(n));
  return n;
}

std::string HttpReply::text() const {
  return gbk_to_utf8(body);
}

std::string percent_encode(std::string_view bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
        byte == '-' || byte == '.' || byte == '_' || byte == '~') {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(digits[byte >> 4]);
      out.push_back(digits[byte & 0x0F]);
    }
  }
  return out;
}

std::string gbk_query(std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) {
  std::string query;
  for (const auto& [key, value] : pairs) {
    if (!query.empty()) query += "&";
    query += std::string(key) + "=" + percent_encode(utf8_to_gbk(value));
  }
  return query;
}

HttpReply http_get(int port, const std::string& target) {
  httplib::Client client("127.0.0.1", port);
  client.set_url_encode(false);  // the target is sent exactly as given
  client.set_connection_timeout(5);
  client.set_read_timeout(10);
  HttpReply reply;
  if (auto result = client.Get(target)) {
    reply.status = result->status;
    reply.body = result->body;
    reply.content_type = result->get_header_value("Content-Type");
  }
  return reply;
}

std::chrono::system_clock::time_point fixed_now() {
  return std::chrono::system_clock::time_point{std::chrono::seconds{1709294400}};  // 2024-03-01 12:00:00 UTC
}

ServerSettings test_settings(const std::filesystem::path& data_dir) {
  ServerSettings settings;
  settings.data_dir = data_dir;
  settings.manual_draws = true;
  settings.start_day =
      std::chrono::year_month_day{std::chrono::year{2015}, std::chrono::March, std::chrono::day{1}};
  settings.clock = fixed_now;
  return settings;
}

ServerSettings RunningStandIn::with_log(ServerSettings settings, CapturedLog& log, const TempDir& temp) {
  if (settings.data_dir.empty()) settings.data_dir = temp.path() / "data";
  settings.log = &log;
  return settings;
}

RunningStandIn::RunningStandIn(ServerSettings settings)
    : server_(with_log(std::move(settings), log_, temp_)), port_(server_.start_in_background(0)) {
  if (!server_.ok()) ADD_FAILURE() << server_.error();
  if (port_ <= 0) ADD_FAILURE() << "the stand-in did not start";
}

RunningStandIn::RunningStandIn() : RunningStandIn(test_settings({})) {}

std::string RunningStandIn::page(
    std::string_view path, std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) const {
  return get(std::string(path) + "?" + gbk_query(pairs)).text();
}

}  // namespace plandesk::stand_in::testing
