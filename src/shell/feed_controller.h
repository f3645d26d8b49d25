#pragma once
// Runs the feed cycles of the selected lottery: every 5000 ms and at once on
// a selection. The poll runs on a worker thread so the window never waits on
// the network; its result is applied here, on the user-interface thread:
// display, plan steps in dispatch order, reports into the plan text area.

#include <QObject>
#include <QThreadPool>
#include <cstdint>

#include "feed/draw_record.h"
#include "feed/feed_cycle.h"
#include "service/service_context.h"

class QTimer;

namespace plandesk {

class MessageBox;
class PlanStore;
class PlansTab;
class SettingsTab;

class FeedController : public QObject {
  Q_OBJECT
 public:
  FeedController(ServiceContext service, PlanStore& store, PlansTab& plans, SettingsTab& settings,
                 MessageBox& messages, QObject* parent = nullptr);
  ~FeedController() override;

  // Forces a refresh, empties the plan text area and polls the lottery at
  // once. A poll still in flight is superseded: its reply is dropped.
  void select_lottery(LotteryCode lottery);

  // What 时钟1 runs: a cycle of the selected lottery, unless none is
  // selected yet or its poll is still in flight (cycles never overlap). A
  // superseded poll that still runs does not hold the ticks up.
  void tick();

  // Deletes every plan of every lottery and empties the plan text area.
  void clear_all_plans();

  // Applies a poll of `lottery`: what runs on the user-interface thread when
  // the poll's reply is in.
  void apply_poll(LotteryCode lottery, const PollResult& poll);

  // Later polls use this record (a changed password, for instance).
  void set_service_context(ServiceContext service);

  const FeedState& state() const { return state_; }
  // Any poll still running, superseded ones included.
  bool poll_in_flight() const { return in_flight_ > 0; }

 signals:
  // A poll's reply has been applied.
  void cycle_applied();
  // A superseded poll's reply came in and was dropped.
  void poll_dropped();

 private:
  void start_poll(LotteryCode lottery);
  void run_dispatch(LotteryCode lottery, const CycleDecision& decision);

  ServiceContext service_;
  PlanStore& store_;
  PlansTab& plans_;
  SettingsTab& settings_;
  MessageBox& messages_;
  FeedState state_;
  QTimer* timer_ = nullptr;
  std::uint64_t generation_ = 0;       // bumped by every selection
  int in_flight_ = 0;                  // polls running, superseded ones included
  bool current_poll_running_ = false;  // a poll of the current selection runs
  // Polls block in the network call; a pool of our own keeps them from
  // queueing behind unrelated work. Destroyed last, after it has waited for
  // any poll still running.
  QThreadPool pool_;
};

}  // namespace plandesk
