#include "plandesk-service/draw_board.h"

#include <array>
#include <cstdio>
#include <numeric>

namespace plandesk::stand_in {

std::string record_text(const Draw& draw) {
  return "[" + draw.issue + "-" + draw.numbers + "]";
}

std::uint64_t DrawRandom::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t DrawRandom::below(std::uint64_t bound) {
  // Rejection keeps the result unbiased.
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
  std::uint64_t value = next();
  while (value >= limit) value = next();
  return value % bound;
}

std::string random_numbers(Game game, DrawRandom& random) {
  if (is_five_digit(game)) {
    std::string digits;
    for (int i = 0; i < 5; ++i) digits.push_back(static_cast<char>('0' + random.below(10)));
    return digits;
  }
  // A partial Fisher-Yates shuffle: the first `count` balls in drawn order.
  const std::size_t balls = game == Game::pk10 ? 10 : 11;
  const std::size_t count = game == Game::pk10 ? 10 : 5;
  std::array<int, 11> pool{};
  std::iota(pool.begin(), pool.end(), 1);
  std::string numbers;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t j = i + static_cast<std::size_t>(random.below(balls - i));
    std::swap(pool[i], pool[j]);
    char text[4];
    std::snprintf(text, sizeof text, "%02d", pool[i]);
    if (i > 0) numbers.push_back(',');
    numbers += text;
  }
  return numbers;
}

DrawBoard::DrawBoard(std::uint64_t seed, std::chrono::year_month_day start_day, std::size_t initial_draws)
    : start_day_(start_day) {
  for (const Game game : all_games) {
    histories_.emplace_back(seed ^ (0xD1B54A32D192ED03ULL * (game_index(game) + 1)));
    for (std::size_t i = 0; i < initial_draws; ++i) draw_next(game);
  }
}

void DrawBoard::append(History& history, Draw draw) {
  history.draws.push_back(std::move(draw));
  if (history.draws.size() > kept_draws) history.draws.pop_front();
}

Draw DrawBoard::draw_next(Game game) {
  const std::lock_guard lock(mutex_);
  History& history = histories_[game_index(game)];
  Draw draw;
  draw.issue =
      history.draws.empty() ? first_issue(game, start_day_) : next_issue(game, history.draws.back().issue);
  draw.numbers = random_numbers(game, history.random);
  append(history, draw);
  return draw;
}

std::optional<Draw> DrawBoard::set_newest(Game game, const std::string& issue, const std::string& numbers) {
  if (!valid_issue(game, issue) || !valid_numbers(game, numbers)) return std::nullopt;
  const std::lock_guard lock(mutex_);
  Draw draw{issue, numbers};
  append(histories_[game_index(game)], draw);
  return draw;
}

std::vector<Draw> DrawBoard::newest(Game game, std::size_t count) const {
  const std::lock_guard lock(mutex_);
  const auto& draws = histories_[game_index(game)].draws;
  std::vector<Draw> result;
  for (auto it = draws.rbegin(); it != draws.rend() && result.size() < count; ++it) result.push_back(*it);
  return result;
}

}  // namespace plandesk::stand_in
