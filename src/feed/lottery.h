#pragma once
// The five number lotteries whose draw histories the client follows.

#include <array>
#include <optional>
#include <string_view>

namespace plandesk {

enum class LotteryCode { cqssc, jxssc, hsssc, pk10, x11x5 };

inline constexpr std::array<LotteryCode, 5> all_lotteries = {
    LotteryCode::cqssc, LotteryCode::jxssc, LotteryCode::hsssc, LotteryCode::pk10, LotteryCode::x11x5};

// The code as the program writes it: "cqssc", "jxssc", "hsssc", "pk10", "11x5".
constexpr std::string_view lottery_text(LotteryCode code) {
  switch (code) {
    case LotteryCode::cqssc:
      return "cqssc";
    case LotteryCode::jxssc:
      return "jxssc";
    case LotteryCode::hsssc:
      return "hsssc";
    case LotteryCode::pk10:
      return "pk10";
    case LotteryCode::x11x5:
      return "11x5";
  }
  return {};
}

constexpr std::optional<LotteryCode> lottery_from_text(std::string_view text) {
  for (const auto code : all_lotteries)
    if (lottery_text(code) == text) return code;
  return std::nullopt;
}

// The three five-digit games share their plan kinds and settings.
constexpr bool is_five_digit(LotteryCode code) {
  return code == LotteryCode::cqssc || code == LotteryCode::jxssc || code == LotteryCode::hsssc;
}

}  // namespace plandesk
