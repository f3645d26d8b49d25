#include "shell/feed_controller.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include "feed/poll_draws.h"
#include "plans/plan_step.h"
#include "plans/plan_store.h"
#include "plans/plan_type.h"
#include "shell/plans_tab.h"
#include "shell/settings_tab.h"
#include "ui/message_box.h"

namespace plandesk {

namespace {
constexpr int tick_interval_ms = 5000;
}

FeedController::FeedController(ServiceContext service, PlanStore& store, PlansTab& plans,
                               SettingsTab& settings, MessageBox& messages, QObject* parent)
    : QObject(parent),
      service_(std::move(service)),
      store_(store),
      plans_(plans),
      settings_(settings),
      messages_(messages) {
  // A selection superseding a poll that hangs must not wait behind it.
  pool_.setMaxThreadCount(4);
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("时钟1"));
  timer_->setInterval(tick_interval_ms);
  connect(timer_, &QTimer::timeout, this, &FeedController::tick);
  timer_->start();
}

FeedController::~FeedController() = default;

void FeedController::select_lottery(LotteryCode lottery) {
  note_selection(state_, lottery);
  ++generation_;
  plans_.check_lottery(lottery);
  plans_.clear_plan_text();
  start_poll(lottery);
}

void FeedController::tick() {
  if (!state_.selected_lottery || current_poll_running_) return;
  start_poll(*state_.selected_lottery);
}

void FeedController::set_service_context(ServiceContext service) {
  service_ = std::move(service);
}

void FeedController::start_poll(LotteryCode lottery) {
  auto* watcher = new QFutureWatcher<PollResult>(this);
  const auto generation = generation_;
  ++in_flight_;
  current_poll_running_ = true;
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, lottery] {
    --in_flight_;
    watcher->deleteLater();
    if (generation != generation_) {
      emit poll_dropped();
      return;
    }
    current_poll_running_ = false;
    apply_poll(lottery, watcher->result());
    emit cycle_applied();
  });
  watcher->setFuture(
      QtConcurrent::run(&pool_, [service = service_, lottery] { return poll_draws(service, lottery); }));
}

void FeedController::apply_poll(LotteryCode lottery, const PollResult& poll) {
  const auto decision = decide_feed_cycle(state_, lottery, poll, settings_.settings());
  if (decision.show_notice)
    plans_.set_plan_text(QString::fromUtf8(no_data_notice.data(), no_data_notice.size()));
  if (decision.display) plans_.show_draws(*decision.display);
  if (decision.dispatch) run_dispatch(lottery, decision);
}

void FeedController::run_dispatch(LotteryCode lottery, const CycleDecision& decision) {
  plans_.clear_plan_text();
  // The reports go into the text area in one piece: one layout pass instead
  // of one per kind.
  std::string reports;
  bool failed = false;
  for (const auto& step : decision.steps) {
    const PlanStepInput input{decision.issue, decision.numbers, step.cycle,
                              step.plan_type, step.position,    step.count};
    const auto result = plan_step(store_, input);
    if (result.ok) {
      reports += result.report;
      continue;
    }
    failed = true;
    reports += "【" + plan_kind_name(step.plan_type, step.position) + "】计划数据库出错，下一轮将重试：" +
               result.error + "\r\n\r\n";
  }
  plans_.append_report(reports);
  if (failed) note_dispatch_failed(state_, lottery);
}

void FeedController::clear_all_plans() {
  const auto cleared = clear_plans(store_);
  if (!cleared.ok) {
    messages_.show(
        &plans_, MessageIcon::warning,
        QStringLiteral("清空计划失败，计划保持不变。\n%1").arg(QString::fromStdString(cleared.error)));
    return;
  }
  plans_.clear_plan_text();
}

}  // namespace plandesk
