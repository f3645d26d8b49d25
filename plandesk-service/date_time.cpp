#include "plandesk-service/date_time.h"

#include <cstdio>
#include <ctime>

namespace plandesk::stand_in {

std::int64_t to_unix_seconds(std::chrono::system_clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
}

namespace {

std::tm local_tm(std::int64_t unix_seconds) {
  const auto seconds = static_cast<std::time_t>(unix_seconds);
  std::tm parts{};
  localtime_r(&seconds, &parts);
  return parts;
}

}  // namespace

std::string local_date_time_text(std::int64_t unix_seconds) {
  const std::tm parts = local_tm(unix_seconds);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

std::chrono::year_month_day local_day(std::chrono::system_clock::time_point t) {
  const std::tm parts = local_tm(to_unix_seconds(t));
  return std::chrono::year_month_day{std::chrono::year{parts.tm_year + 1900},
                                     std::chrono::month{static_cast<unsigned>(parts.tm_mon + 1)},
                                     std::chrono::day{static_cast<unsigned>(parts.tm_mday)}};
}

std::string compact_date_text(std::chrono::year_month_day day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

std::optional<std::chrono::year_month_day> parse_compact_date(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  int value[3] = {0, 0, 0};
  const std::size_t widths[3] = {4, 2, 2};
  std::size_t pos = 0;
  for (int part = 0; part < 3; ++part) {
    for (std::size_t i = 0; i < widths[part]; ++i, ++pos) {
      const char c = text[pos];
      if (c < '0' || c > '9') return std::nullopt;
      value[part] = value[part] * 10 + (c - '0');
    }
  }
  const std::chrono::year_month_day day{std::chrono::year{value[0]},
                                        std::chrono::month{static_cast<unsigned>(value[1])},
                                        std::chrono::day{static_cast<unsigned>(value[2])}};
  if (!day.ok() || value[0] < 1900) return std::nullopt;
  return day;
}

}  // namespace plandesk::stand_in
