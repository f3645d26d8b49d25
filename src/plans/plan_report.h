#pragma once
// The report of one plan type: one entry per plan, oldest first, the open
// plan with its prediction, and a summary of plans run, hits, misses and the
// success rate. Line ends are "\r\n"; lengths that choose an entry's form
// count GBK bytes.

#include <cstdint>
#include <string>
#include <string_view>

#include "plans/plan_store.h"

namespace plandesk {

// k with leading zeros up to three digits: 7 -> "007", 23 -> "023",
// 120 -> "120"; longer numbers keep all their digits.
std::string pad_issue(std::int64_t k);

struct PlanReportResult {
  bool ok = true;
  std::string text;
  std::string error;
};

// The report of every plan of `type`, titled `kind_name` (such as "后一定位").
// A type without plans gives "\r\n\r\n".
PlanReportResult plan_report(PlanStore& store, int type, std::string_view kind_name);

}  // namespace plandesk
