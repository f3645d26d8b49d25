#pragma once
// Plan kinds: the integer code stored with every plan (column `type`), the
// lottery a code belongs to, the kind of prediction it makes and the name
// its report carries.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace plandesk {

enum class PlanType : int {
  cqssc_single = 1001,
  cqssc_big_small = 1002,
  cqssc_two_digit = 1003,
  cqssc_three_digit = 1004,
  jxssc_single = 2001,
  jxssc_big_small = 2002,
  jxssc_two_digit = 2003,
  jxssc_three_digit = 2004,
  hsssc_single = 3001,
  hsssc_big_small = 3002,
  hsssc_two_digit = 3003,
  hsssc_three_digit = 3004,
  pk10_first = 4001,
  pk10_second = 4002,
  pk10_third = 4003,
  x11x5_first = 5001,
  x11x5_second = 5002,
  x11x5_third = 5003,
};

constexpr int plan_code(PlanType type) {
  return static_cast<int>(type);
}

// The lottery whose draws a plan kind follows.
enum class PlanLottery { cqssc, jxssc, hsssc, pk10, x11x5 };

// What a plan predicts.
enum class PlanKind {
  single_digit,  // a set of digits for the last digit
  big_small,     // "大" or "小" for the last digit
  two_digit,     // a set of pairs for the last two digits
  three_digit,   // a set of triples for the last three digits
  position,      // a set of two-digit numbers for one place of a pk10 / 11x5 draw
};

struct PlanTypeInfo {
  PlanType type;
  PlanLottery lottery;
  PlanKind kind;
};

inline constexpr std::array<PlanType, 18> all_plan_types = {
    PlanType::cqssc_single, PlanType::cqssc_big_small, PlanType::cqssc_two_digit, PlanType::cqssc_three_digit,
    PlanType::jxssc_single, PlanType::jxssc_big_small, PlanType::jxssc_two_digit, PlanType::jxssc_three_digit,
    PlanType::hsssc_single, PlanType::hsssc_big_small, PlanType::hsssc_two_digit, PlanType::hsssc_three_digit,
    PlanType::pk10_first,   PlanType::pk10_second,     PlanType::pk10_third,      PlanType::x11x5_first,
    PlanType::x11x5_second, PlanType::x11x5_third,
};

// Lottery and kind of a code; nullopt for a code that is no plan kind.
std::optional<PlanTypeInfo> plan_type_info(int code);

// The lottery a code belongs to; nullopt for an unknown code.
std::optional<PlanLottery> plan_lottery(int code);

// cqssc and jxssc number their issues 1 to 120 each day; the others run on.
constexpr bool uses_day_issue(PlanLottery lottery) {
  return lottery == PlanLottery::cqssc || lottery == PlanLottery::jxssc;
}

// The title of a kind's report: "后一定位", "后一（个位）大小", "后二直选单式",
// "后三直选单式" for the five-digit games; "第" + position + "名定位" for pk10
// (every place gets its title) and "万位定位", "千位定位", "百位定位" for
// 11x5, chosen by `position`. Empty for an unknown code and for an 11x5
// position other than 1 to 3: such a step shows no report.
std::string plan_kind_name(int code, std::int64_t position = 0);

}  // namespace plandesk
