#pragma once
// The five lotteries the service draws, by the codes the draw-history request
// names them with, and the forms of their issue numbers and drawn numbers.

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plandesk::stand_in {

enum class Game { cqssc, jxssc, hsssc, pk10, sd11x5 };

inline constexpr std::array<Game, 5> all_games = {Game::cqssc, Game::jxssc, Game::hsssc, Game::pk10,
                                                  Game::sd11x5};

// Daily games number their issues per day: "YYYYMMDD" + "001" to "120".
inline constexpr int draws_per_day = 120;

std::string_view game_code(Game game);
std::optional<Game> game_from_code(std::string_view code);
std::size_t game_index(Game game);

// Five-digit games draw five digits; the others draw distinct two-digit
// numbers joined by commas: ten of 01-10, or five of 01-11.
bool is_five_digit(Game game);

// The first issue of a fresh history: issue 001 of `start_day` for the daily
// games, a fixed running number for the others.
std::string first_issue(Game game, std::chrono::year_month_day start_day);

// The issue after `issue` (which must be valid). A running number that has
// reached the largest value of its form starts over at its first value.
std::string next_issue(Game game, std::string_view issue);

bool valid_issue(Game game, std::string_view issue);
bool valid_numbers(Game game, std::string_view numbers);

}  // namespace plandesk::stand_in
