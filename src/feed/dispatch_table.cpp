#include "feed/dispatch_table.h"

#include <array>

#include "text/leading_int.h"

namespace plandesk {
namespace {

using S = SettingsKind;

// The three five-digit games share the four ssc settings.
constexpr std::array<DispatchRow, 4> cqssc_rows = {{
    {1001, S::ssc_single, 0},
    {1002, S::ssc_size, 0},
    {1003, S::ssc_two, 0},
    {1004, S::ssc_three, 0},
}};
constexpr std::array<DispatchRow, 4> jxssc_rows = {{
    {2001, S::ssc_single, 0},
    {2002, S::ssc_size, 0},
    {2003, S::ssc_two, 0},
    {2004, S::ssc_three, 0},
}};
constexpr std::array<DispatchRow, 4> hsssc_rows = {{
    {3001, S::ssc_single, 0},
    {3002, S::ssc_size, 0},
    {3003, S::ssc_two, 0},
    {3004, S::ssc_three, 0},
}};
constexpr std::array<DispatchRow, 3> pk10_rows = {{
    {4001, S::pk10_first, 1},
    {4002, S::pk10_second, 2},
    {4003, S::pk10_third, 3},
}};
constexpr std::array<DispatchRow, 3> x11x5_rows = {{
    {5001, S::x11x5_first, 1},
    {5002, S::x11x5_second, 2},
    {5003, S::x11x5_third, 3},
}};

}  // namespace

std::span<const DispatchRow> dispatch_rows(LotteryCode lottery) {
  switch (lottery) {
    case LotteryCode::cqssc:
      return cqssc_rows;
    case LotteryCode::jxssc:
      return jxssc_rows;
    case LotteryCode::hsssc:
      return hsssc_rows;
    case LotteryCode::pk10:
      return pk10_rows;
    case LotteryCode::x11x5:
      return x11x5_rows;
  }
  return {};
}

std::vector<DispatchStep> dispatch_steps(LotteryCode lottery, const PlanSettings& settings) {
  std::vector<DispatchStep> steps;
  for (const auto& row : dispatch_rows(lottery)) {
    const auto& kind = settings[row.settings];
    if (!kind.enabled) continue;
    steps.push_back({row.plan_type, leading_int(kind.cycle), row.position,
                     kind_has_count(row.settings) ? leading_int(kind.count) : 0});
  }
  return steps;
}

}  // namespace plandesk
