#pragma once
// The three texts of column `jieguo`. A plan is opened pending and settled
// once, as a hit or a miss; settled plans never change again.

#include <string_view>

namespace plandesk::plan_status {

inline constexpr std::string_view pending = "等开";
inline constexpr std::string_view hit = "中";
inline constexpr std::string_view miss = "挂";

}  // namespace plandesk::plan_status
