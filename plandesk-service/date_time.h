#pragma once
// Wall-clock texts of the service: date-times in the "YYYY-MM-DD HH:MM:SS"
// form of the referral list and the request log, in local time.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plandesk::stand_in {

// The service's notion of "now"; tests hand in a fixed one.
using Clock = std::function<std::chrono::system_clock::time_point()>;

std::int64_t to_unix_seconds(std::chrono::system_clock::time_point t);

// "YYYY-MM-DD HH:MM:SS" of a moment, in local time.
std::string local_date_time_text(std::int64_t unix_seconds);

// The local calendar day of a moment.
std::chrono::year_month_day local_day(std::chrono::system_clock::time_point t);

// "YYYYMMDD" and back; nullopt for anything but eight digits naming a real day.
std::string compact_date_text(std::chrono::year_month_day day);
std::optional<std::chrono::year_month_day> parse_compact_date(std::string_view text);

}  // namespace plandesk::stand_in
