#pragma once
// Which plan kinds run for a lottery, in which order, and with which
// arguments from the settings tab.

#include <cstdint>
#include <span>
#include <vector>

#include "feed/lottery.h"
#include "settings/plan_settings.h"

namespace plandesk {

struct DispatchRow {
  int plan_type;          // the code stored with the kind's plans
  SettingsKind settings;  // switch, cycle and count that drive it
  int position;           // pk10 / 11x5 place, 0 for the five-digit games
};

// The rows of a lottery in dispatch order; the reports follow this order.
std::span<const DispatchRow> dispatch_rows(LotteryCode lottery);

// One plan step to run: the settings read as their leading decimal numbers.
struct DispatchStep {
  int plan_type = 0;
  std::int64_t cycle = 0;
  std::int64_t position = 0;
  std::int64_t count = 0;  // 0 for the big/small kind, which has none
  bool operator==(const DispatchStep&) const = default;
};

// The steps of the lottery's switched-on kinds, in dispatch order.
std::vector<DispatchStep> dispatch_steps(LotteryCode lottery, const PlanSettings& settings);

}  // namespace plandesk
