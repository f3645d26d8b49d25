#pragma once
// The draw histories of the five lotteries. Draws come from a seeded
// generator, one stream per lottery, so that a given seed and start day always
// give the same histories, whatever order the lotteries are drawn in.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "plandesk-service/lottery_game.h"

namespace plandesk::stand_in {

struct Draw {
  std::string issue;
  std::string numbers;
};

// "[" + issue + "-" + numbers + "]", the record form of the draw history.
std::string record_text(const Draw& draw);

// splitmix64: tiny, fully defined, so the draws do not depend on the
// standard library's distributions.
class DrawRandom {
 public:
  explicit DrawRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // Uniform in [0, bound); bound > 0.
  std::uint64_t below(std::uint64_t bound);

 private:
  std::uint64_t state_;
};

// The numbers of one fresh draw of `game`.
std::string random_numbers(Game game, DrawRandom& random);

class DrawBoard {
 public:
  // Older draws are forgotten beyond this many per lottery.
  static constexpr std::size_t kept_draws = 1000;

  DrawBoard(std::uint64_t seed, std::chrono::year_month_day start_day, std::size_t initial_draws);

  // Adds the next draw of `game` and returns it. Thread-safe, as is all below.
  Draw draw_next(Game game);

  // Adds `issue` / `numbers` as the newest draw when both have the game's
  // form; later draws continue from that issue.
  std::optional<Draw> set_newest(Game game, const std::string& issue, const std::string& numbers);

  // Up to `count` draws, newest first.
  std::vector<Draw> newest(Game game, std::size_t count) const;

 private:
  struct History {
    explicit History(std::uint64_t seed) : random(seed) {}
    DrawRandom random;
    std::deque<Draw> draws;  // oldest first
  };

  void append(History& history, Draw draw);

  std::chrono::year_month_day start_day_;
  mutable std::mutex mutex_;
  std::vector<History> histories_;  // indexed by game_index
};

}  // namespace plandesk::stand_in
