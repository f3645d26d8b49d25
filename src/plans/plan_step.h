#pragma once
// One step of a plan kind on the newest draw: settle the kind's pending plan
// that covers the newest issue (a hit, or a miss at its last issue), open the
// next plan when one ends or none covers the newest or the next issue, prune
// surplus pending plans, then build the kind's report. The store changes are
// one transaction: a failure leaves the store as it was before the step.

#include <cstdint>
#include <string>
#include <string_view>

#include "plans/plan_store.h"

namespace plandesk {

struct PlanStepInput {
  std::string_view issue;    // newest issue text as received
  std::string_view numbers;  // newest numbers text ("12345", "03,07,01,11,05", 29-byte pk10 form)
  std::int64_t cycle = 0;
  int type = 0;               // PlanType code
  std::int64_t position = 0;  // pk10 / 11x5 only
  std::int64_t count = 0;     // not used by the big/small kind
};

struct PlanStepResult {
  bool ok = true;
  std::string report;
  std::string error;
};

// An unknown type code does nothing (ok, empty report). An issue text
// without a number changes nothing but still gives the report. The report
// of an 11x5 position other than 1 to 3 is empty. A store failure
// gives ok = false and the error; when only the report cannot be read, the
// step's committed changes stay.
PlanStepResult plan_step(PlanStore& store, const PlanStepInput& input);

// The same step without building the report.
PlanStepResult plan_step_without_report(PlanStore& store, const PlanStepInput& input);

}  // namespace plandesk
