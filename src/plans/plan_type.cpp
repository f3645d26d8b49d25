#include "plans/plan_type.h"

namespace plandesk {

std::optional<PlanTypeInfo> plan_type_info(int code) {
  PlanLottery lottery{};
  switch (code / 1000) {
    case 1:
      lottery = PlanLottery::cqssc;
      break;
    case 2:
      lottery = PlanLottery::jxssc;
      break;
    case 3:
      lottery = PlanLottery::hsssc;
      break;
    case 4:
      lottery = PlanLottery::pk10;
      break;
    case 5:
      lottery = PlanLottery::x11x5;
      break;
    default:
      return std::nullopt;
  }
  const int slot = code % 1000;
  const bool five_digit = code / 1000 <= 3;
  if (code < 0 || slot < 1 || slot > (five_digit ? 4 : 3)) return std::nullopt;
  PlanKind kind = PlanKind::position;
  if (five_digit) {
    constexpr PlanKind kinds[] = {PlanKind::single_digit, PlanKind::big_small, PlanKind::two_digit,
                                  PlanKind::three_digit};
    kind = kinds[slot - 1];
  }
  return PlanTypeInfo{static_cast<PlanType>(code), lottery, kind};
}

std::optional<PlanLottery> plan_lottery(int code) {
  const auto info = plan_type_info(code);
  if (!info) return std::nullopt;
  return info->lottery;
}

std::string plan_kind_name(int code, std::int64_t position) {
  const auto info = plan_type_info(code);
  if (!info) return {};
  switch (info->kind) {
    case PlanKind::single_digit:
      return "后一定位";
    case PlanKind::big_small:
      return "后一（个位）大小";
    case PlanKind::two_digit:
      return "后二直选单式";
    case PlanKind::three_digit:
      return "后三直选单式";
    case PlanKind::position:
      break;
  }
  // The race game's title is built from the place, whatever it is; the
  // pick-five game names only its first three places.
  if (info->lottery == PlanLottery::pk10) return "第" + std::to_string(position) + "名定位";
  if (position < 1 || position > 3) return {};
  constexpr const char* pick_five_names[] = {"万位定位", "千位定位", "百位定位"};
  return pick_five_names[position - 1];
}

}  // namespace plandesk
