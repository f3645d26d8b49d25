#include "plans/plan_rules.h"

#include <algorithm>

#include "plans/issue_math.h"

namespace plandesk {
namespace {

bool all_digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// `length` bytes from 0-based `offset`, or empty when they are not all there.
std::string_view part(std::string_view numbers, std::int64_t offset, std::size_t length) {
  if (offset < 0) return {};
  const auto start = static_cast<std::uint64_t>(offset);
  if (start > numbers.size() || numbers.size() - start < length) return {};
  return numbers.substr(static_cast<std::size_t>(start), length);
}

}  // namespace

std::string_view hit_text(PlanKind kind, std::string_view numbers, std::int64_t position) {
  std::string_view text;
  switch (kind) {
    case PlanKind::single_digit:
    case PlanKind::big_small:
      text = part(numbers, 4, 1);
      break;
    case PlanKind::two_digit:
      text = part(numbers, 3, 2);
      break;
    case PlanKind::three_digit:
      text = part(numbers, 2, 3);
      break;
    case PlanKind::position:
      // Positions beyond any draw's length are cut off before the product
      // could overflow.
      if (position >= 1 && position <= 1000) text = part(numbers, 3 * (position - 1), 2);
      break;
  }
  return all_digits(text) ? text : std::string_view{};
}

std::string_view size_label(int digit) {
  return digit < 5 ? "小" : "大";
}

bool plan_hits(PlanKind kind, std::string_view hit, std::string_view ych) {
  if (hit.empty()) return false;
  if (kind == PlanKind::big_small) return size_label(hit[0] - '0') == ych;
  return ych.find(hit) != std::string_view::npos;
}

std::string_view hit_issue_text(const PlanTypeInfo& info, std::string_view issue) {
  const bool whole = info.lottery == PlanLottery::pk10 || info.lottery == PlanLottery::x11x5 ||
                     (info.lottery == PlanLottery::hsssc && info.kind == PlanKind::single_digit);
  return whole ? issue : last_chars(issue, 3);
}

}  // namespace plandesk
