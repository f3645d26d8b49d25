#pragma once
// How a draw settles a plan: the part of the draw a kind compares, the hit
// test against the stored prediction, and the issue text written on a hit.

#include <cstdint>
#include <string_view>

#include "plans/plan_type.h"

namespace plandesk {

// The part of the numbers text a kind compares: the fifth character (single
// digit, big/small), the fourth and fifth (two-digit), the third to fifth
// (three-digit), or for a position kind the two bytes starting at byte
// 3 x (position - 1) (0-based). Empty when the numbers text is too short or
// that part is not all digits: such a draw never hits.
std::string_view hit_text(PlanKind kind, std::string_view numbers, std::int64_t position);

// "小" for 0 to 4, "大" for 5 to 9.
std::string_view size_label(int digit);

// Whether a plan predicting `ych` hits a draw whose compared part is `hit`:
// big/small compares the label with the whole prediction; every other kind
// searches the prediction for the part, which is a membership test because
// every predicted entry has a fixed width and is set off by a separator.
bool plan_hits(PlanKind kind, std::string_view hit, std::string_view ych);

// The issue written into `zjqihao` on a hit: the last three characters for
// cqssc and jxssc and for the hsssc kinds other than single-position; the
// whole issue text for hsssc single-position, pk10 and 11x5.
std::string_view hit_issue_text(const PlanTypeInfo& info, std::string_view issue);

}  // namespace plandesk
