// One feed cycle of cqssc on the user-interface side: the display of a
// 50-draw poll, the four plan steps and their reports appended to the plan
// text area, with 10,000 and 100,000 plans in the store. The window is shown
// off screen and its events are processed after every cycle, so layout and
// painting of the new text count too. The engine part alone is measured next
// to it, to tell the store and report from the widget work.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "feed/draw_record.h"
#include "plans/plan_step.h"
#include "plans/plan_store.h"
#include "shell/feed_controller.h"
#include "shell/main_window.h"
#include "ui/message_box.h"

namespace plandesk {
namespace {

class SilentMessageBox final : public MessageBox {
 public:
  void show(QWidget*, MessageIcon, const QString&) override {}
};

std::string issue_of(long long serial) {
  // Day issues 1 to 120 on consecutive days, as cqssc numbers them.
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "2015%04lld%03lld", 101 + serial / 120 % 9000, serial % 120 + 1);
  return buffer;
}

PollResult poll_of(long long serial) {
  PollResult poll;
  poll.match_count = 50;
  for (int i = 0; i < 50; ++i) {
    char numbers[8];
    std::snprintf(numbers, sizeof numbers, "%05lld", (serial - i) * 7919 % 100000);
    poll.draws.push_back({issue_of(serial - i), numbers});
  }
  return poll;
}

// A store in a fresh folder with `count` settled plans spread over the four
// cqssc kinds, each as its plan step would have left it.
struct FilledStore {
  std::filesystem::path dir;
  std::unique_ptr<PlanStore> store;

  explicit FilledStore(int count) {
    std::string name = (std::filesystem::temp_directory_path() / "plandesk-bench-XXXXXX").string();
    if (!::mkdtemp(name.data())) std::abort();
    dir = name;
    store = open_store(dir).store;
    if (!store) std::abort();
    const char* predictions[] = {"02468", "大", "01 23 45 67 89 ", "012 345 678 901 234 "};
    const auto filled = store->transaction([&] {
      for (int i = 0; i < count; ++i) {
        const int kind = i % 4;
        const std::int64_t first = (i / 4) % 118 + 1;
        if (auto s = store->open_plan({1001 + kind, first, first + 2, predictions[kind]}); !s.ok) return s;
        const auto found = store->find_pending_covering(1001 + kind, first);
        if (!found.status.ok || !found.plan) return StoreStatus{false, "fill"};
        const auto settled = i % 3 == 0 ? store->settle_miss(found.plan->id)
                                        : store->settle_hit(found.plan->id, std::to_string(first), "13579");
        if (!settled.ok) return settled;
      }
      return StoreStatus{};
    });
    if (!filled.ok) std::abort();
  }
  ~FilledStore() {
    store.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_FeedCycleOfCqssc(benchmark::State& state) {
  FilledStore filled(static_cast<int>(state.range(0)));
  SilentMessageBox messages;
  ServiceContext service;
  service.base_url = "http://127.0.0.1:9";  // never polled: the cycles are applied directly
  MainWindow window({service, filled.dir, *filled.store, messages});
  window.findChild<QTimer*>(QStringLiteral("时钟1"))->stop();
  window.load_settings();
  window.show();
  QApplication::processEvents();

  long long serial = 1000;
  for (auto _ : state) {
    window.feed().apply_poll(LotteryCode::cqssc, poll_of(++serial));
    QApplication::processEvents();
  }
  state.counters["plans"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_FeedCycleOfCqssc)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_PlanStepsOnly(benchmark::State& state) {
  FilledStore filled(static_cast<int>(state.range(0)));
  long long serial = 1000;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto poll = poll_of(++serial);
    for (int type = 1001; type <= 1004; ++type) {
      const auto result =
          plan_step(*filled.store, {poll.draws[0].issue, poll.draws[0].numbers, 3, type, 0, 5});
      bytes += result.report.size();
      benchmark::DoNotOptimize(result);
    }
  }
  state.counters["report_bytes_per_cycle"] =
      static_cast<double>(bytes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlanStepsOnly)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace plandesk

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
