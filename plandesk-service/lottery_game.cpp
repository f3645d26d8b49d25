#include "plandesk-service/lottery_game.h"

#include <cstdint>

#include "plandesk-service/date_time.h"

namespace plandesk::stand_in {
namespace {

// Running issue numbers: fixed width, no leading zero. The hsssc number stays
// below 2^31 so that readers keeping it in a 32-bit int are safe.
struct RunningForm {
  std::size_t width;
  std::int64_t lowest;  // the smallest number of that width
  std::int64_t first;
  std::int64_t last;
};

RunningForm running_form(Game game) {
  switch (game) {
    case Game::hsssc:
      return {10, 1000000000, 1000000001, 2147483647};
    case Game::pk10:
      return {6, 100000, 100001, 999999};
    default:
      return {8, 10000000, 10000001, 99999999};
  }
}

bool is_daily(Game game) {
  return game == Game::cqssc || game == Game::jxssc;
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::int64_t digits_value(std::string_view text) {
  std::int64_t value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  return value;
}

// 1 to 999 as three digits.
std::string three_digits(int value) {
  std::string text = std::to_string(value);
  return std::string(text.size() < 3 ? 3 - text.size() : 0, '0') + text;
}

}  // namespace

std::string_view game_code(Game game) {
  switch (game) {
    case Game::cqssc:
      return "cqssc";
    case Game::jxssc:
      return "jxssc";
    case Game::hsssc:
      return "hsssc";
    case Game::pk10:
      return "pk10";
    case Game::sd11x5:
      return "sd11x5";
  }
  return {};
}

std::optional<Game> game_from_code(std::string_view code) {
  for (const Game game : all_games)
    if (game_code(game) == code) return game;
  return std::nullopt;
}

std::size_t game_index(Game game) {
  return static_cast<std::size_t>(game);
}

bool is_five_digit(Game game) {
  return game == Game::cqssc || game == Game::jxssc || game == Game::hsssc;
}

std::string first_issue(Game game, std::chrono::year_month_day start_day) {
  if (is_daily(game)) return compact_date_text(start_day) + three_digits(1);
  return std::to_string(running_form(game).first);
}

std::string next_issue(Game game, std::string_view issue) {
  if (is_daily(game)) {
    const auto day = parse_compact_date(issue.substr(0, 8));
    const int number = static_cast<int>(digits_value(issue.substr(8)));
    if (number < draws_per_day) return std::string(issue.substr(0, 8)) + three_digits(number + 1);
    const std::chrono::year_month_day next_day{std::chrono::sys_days{*day} + std::chrono::days{1}};
    return compact_date_text(next_day) + three_digits(1);
  }
  const RunningForm form = running_form(game);
  const std::int64_t value = digits_value(issue);
  return std::to_string(value >= form.last ? form.first : value + 1);
}

bool valid_issue(Game game, std::string_view issue) {
  if (!all_digits(issue)) return false;
  if (is_daily(game)) {
    if (issue.size() != 11 || !parse_compact_date(issue.substr(0, 8))) return false;
    const auto number = digits_value(issue.substr(8));
    return number >= 1 && number <= draws_per_day;
  }
  const RunningForm form = running_form(game);
  if (issue.size() != form.width) return false;
  const std::int64_t value = digits_value(issue);
  return value >= form.lowest && value <= form.last;
}

bool valid_numbers(Game game, std::string_view numbers) {
  if (is_five_digit(game)) return numbers.size() == 5 && all_digits(numbers);
  const std::size_t count = game == Game::pk10 ? 10 : 5;
  const int largest = game == Game::pk10 ? 10 : 11;
  if (numbers.size() != count * 3 - 1) return false;
  bool seen[12] = {};
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view group = numbers.substr(i * 3, 2);
    if (!all_digits(group)) return false;
    if (i + 1 < count && numbers[i * 3 + 2] != ',') return false;
    const auto value = digits_value(group);
    if (value < 1 || value > largest || seen[static_cast<std::size_t>(value)]) return false;
    seen[static_cast<std::size_t>(value)] = true;
  }
  return true;
}

}  // namespace plandesk::stand_in
