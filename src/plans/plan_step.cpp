#include "plans/plan_step.h"

#include "plans/issue_math.h"
#include "plans/pickers.h"
#include "plans/plan_report.h"
#include "plans/plan_rules.h"
#include "plans/plan_type.h"

namespace plandesk {
namespace {

std::string predict(PlanKind kind, PlanLottery lottery, std::int64_t count) {
  switch (kind) {
    case PlanKind::single_digit:
      return pick_digits(count);
    case PlanKind::big_small:
      return std::string(size_label(pick_digits(1)[0] - '0'));
    case PlanKind::two_digit:
      return pick_pairs(count);
    case PlanKind::three_digit:
      return pick_triples(count);
    case PlanKind::position:
      return pick_numbers(count, lottery == PlanLottery::pk10 ? 10 : 11);
  }
  return {};
}

StoreStatus settle_and_open(PlanStore& store, const PlanTypeInfo& info, const IssueFrame& frame,
                            const PlanStepInput& input) {
  const int type = plan_code(info.type);
  const auto open_next = [&] {
    const std::string ych = predict(info.kind, info.lottery, input.count);
    return store.open_plan(NewPlan{type, frame.plan_first, frame.plan_last, ych});
  };

  const FindPendingResult covering = store.find_pending_covering(type, frame.newest);
  if (!covering.status.ok) return covering.status;
  if (covering.plan) {
    const PendingPlan& plan = *covering.plan;
    const std::string_view hit = hit_text(info.kind, input.numbers, input.position);
    StoreStatus status;
    if (plan_hits(info.kind, hit, plan.ych)) {
      status = store.settle_hit(plan.id, hit_issue_text(info, input.issue), input.numbers);
      if (status.ok) status = open_next();
    } else if (plan.qihao2 == frame.newest) {
      status = store.settle_miss(plan.id);
      if (status.ok) status = open_next();
    }
    if (!status.ok) return status;
  } else {
    // No plan covers the newest issue: open one unless the coming issue is
    // already covered (the step ran before for this issue).
    const FindPendingResult next = store.find_pending_covering(type, frame.next);
    if (!next.status.ok) return next.status;
    if (!next.plan) {
      if (StoreStatus status = open_next(); !status.ok) return status;
    }
  }
  return store.prune_pending(type);
}

PlanStepResult run_step(PlanStore& store, const PlanStepInput& input, bool with_report) {
  const auto info = plan_type_info(input.type);
  if (!info) return {};
  if (const auto frame = issue_frame(info->lottery, input.issue, input.cycle)) {
    const StoreStatus status =
        store.transaction([&] { return settle_and_open(store, *info, *frame, input); });
    if (!status.ok) return {false, {}, status.error};
  }
  if (!with_report) return {};
  const std::string kind_name = plan_kind_name(input.type, input.position);
  if (kind_name.empty()) return {};
  PlanReportResult report = plan_report(store, input.type, kind_name);
  if (!report.ok) return {false, {}, report.error};
  return {true, std::move(report.text), {}};
}

}  // namespace

PlanStepResult plan_step(PlanStore& store, const PlanStepInput& input) {
  return run_step(store, input, true);
}

PlanStepResult plan_step_without_report(PlanStore& store, const PlanStepInput& input) {
  return run_step(store, input, false);
}

}  // namespace plandesk
