// Speed of the plan engine against a hand-written floor.
//
// For 0, 10,000, 100,000 and 1,000,000 stored plans spread over every plan
// type, it measures one plan step without its report, one report alone and
// the plan work of one feed cycle of a five-digit lottery (four steps with
// their reports). The floor runs the same SQL as cached prepared statements
// on the same file with the same settings (WAL, synchronous=FULL, 64 MiB
// page cache), with a fixed prediction and a report that only copies the
// columns.
//
// "Time" includes the sync of every commit (the disk's fsync); "CPU" is the
// work before it.
//
//   plan_bench [--plandesk_max_rows=N] [benchmark options]
//   PLANDESK_BENCH_MAX_ROWS=N plan_bench
// run only the fixture sizes up to N (default 1,000,000).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plans/plan_report.h"
#include "plans/plan_status.h"
#include "plans/plan_step.h"
#include "plans/plan_store.h"
#include "plans/plan_type.h"
#include "plans/sqlite_db.h"

namespace {

using namespace plandesk;
namespace fs = std::filesystem;

constexpr std::int64_t hsssc_base = 1'000'000;
constexpr std::int64_t pk10_base = 700'000;
constexpr std::int64_t pick_five_base = 26'000'000;

std::string utc_text(std::int64_t seconds) {
  const auto t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.000000Z", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

// `count` distinct fixed-width entries, as a picker writes them.
std::string repeat_entries(int count, int width, char separator, bool trailing) {
  const int modulus = width == 2 ? 100 : 1000;
  std::string out;
  for (int i = 0; i < count; ++i) {
    char entry[8];
    std::snprintf(entry, sizeof entry, "%0*d", width, i * 7 % modulus);
    if (!out.empty() && !trailing) out += separator;
    out += entry;
    if (trailing) out += separator;
  }
  return out;
}

// What a stored plan of a type looks like: prediction, draw and hit issue.
struct RowShape {
  std::string ych;
  std::string kjh;
  std::int64_t base;  // 0: day issues 1..120
};

RowShape shape_of(PlanType type) {
  const auto info = *plan_type_info(plan_code(type));
  const std::int64_t base = info.lottery == PlanLottery::hsssc   ? hsssc_base
                            : info.lottery == PlanLottery::pk10  ? pk10_base
                            : info.lottery == PlanLottery::x11x5 ? pick_five_base
                                                                 : 0;
  switch (info.kind) {
    case PlanKind::single_digit:
      return {"02468", "12345", base};
    case PlanKind::big_small:
      return {"大", "12345", base};
    case PlanKind::two_digit:
      return {repeat_entries(50, 2, ' ', true), "12345", base};
    // Fifty triples rather than the default five hundred keep the largest
    // fixture near 150 MB.
    case PlanKind::three_digit:
      return {repeat_entries(50, 3, ' ', true), "12345", base};
    case PlanKind::position:
      if (info.lottery == PlanLottery::pk10) return {"01,03,05,07,09", "03,07,01,10,05,02,09,04,08,06", base};
      return {"01,03,05,07,09,11", "03,07,01,11,05", base};
  }
  return {};
}

// One store file with `rows` plans, its store and a floor connection.
struct Fixture {
  fs::path dir;
  std::unique_ptr<PlanStore> store;
  std::int64_t next_running_issue = 0;  // hsssc issue of the next step
  std::int64_t next_day = 0;            // cqssc issue counter: day * 120 + issue - 1
  std::int64_t fixture_max_id = 0;      // rows above it were added by a benchmark
};

struct TempRoot {
  fs::path path;
  TempRoot() {
    std::string pattern = (fs::temp_directory_path() / "plandesk-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path = pattern;
  }
  ~TempRoot() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

TempRoot& temp_root() {
  static TempRoot root;
  return root;
}

void check(int rc, sqlite::Database& db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    std::fprintf(stderr, "%s: %s\n", what, db.error_message().c_str());
    std::abort();
  }
}

// Fills a fresh store with `rows` plans in one transaction, indexes built
// afterwards: settled plans (two hits in three) and one pending plan, the
// newest, per type.
void build_fixture(const fs::path& dir, std::int64_t rows) {
  {
    auto opened = open_store(dir);
    if (!opened.store) std::abort();
  }
  sqlite::Database db;
  check(db.open(dir / store_file_name, SQLITE_OPEN_READWRITE), db, "open");
  check(db.exec("DROP INDEX jihua_pending; DROP INDEX jihua_time; BEGIN"), db, "begin");
  sqlite::Statement insert;
  check(insert.prepare(db,
                       "INSERT INTO jihua (qihao1, qihao2, zjqihao, kjh, ych, jieguo, type, yctime) "
                       "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"),
        db, "prepare");
  const auto types = all_plan_types;
  std::vector<RowShape> shapes;
  for (const PlanType type : types) shapes.push_back(shape_of(type));
  const std::int64_t start =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
          .count() -
      rows - 86'400;
  const auto per_type = static_cast<std::int64_t>(types.size());
  for (std::int64_t i = 0; i < rows; ++i) {
    const auto t = static_cast<std::size_t>(i % per_type);
    const std::int64_t k = i / per_type;
    const RowShape& shape = shapes[t];
    const bool last_of_type = i + per_type >= rows;
    std::int64_t first = shape.base + 3 * k;
    std::int64_t last = first + 2;
    if (shape.base == 0) {
      first = 3 * k % 120 + 1;
      last = first + 2 > 120 ? 120 : first + 2;
    }
    insert.bind_int(1, first);
    insert.bind_int(2, last);
    if (last_of_type) {
      insert.bind_null(3);
      insert.bind_text(4, "");
      insert.bind_text(6, plan_status::pending);
    } else if (k % 3 != 2) {
      const std::string hit_issue = std::to_string(first + 1);
      insert.bind_text(3, shape.base == 0 ? pad_issue(first + 1) : hit_issue);
      insert.bind_text(4, shape.kjh);
      insert.bind_text(6, plan_status::hit);
    } else {
      insert.bind_null(3);
      insert.bind_text(4, "");
      insert.bind_text(6, plan_status::miss);
    }
    insert.bind_text(5, shape.ych);
    insert.bind_int(7, plan_code(types[t]));
    insert.bind_text(8, utc_text(start + i));
    check(insert.step(), db, "insert");
    insert.reset();
  }
  check(db.exec("CREATE INDEX jihua_pending ON jihua(type, jieguo, qihao1);"
                "CREATE INDEX jihua_time ON jihua(type, yctime, id);"
                "COMMIT; PRAGMA wal_checkpoint(TRUNCATE);"),
        db, "index");
}

Fixture& fixture(std::int64_t rows) {
  static std::map<std::int64_t, std::unique_ptr<Fixture>> fixtures;
  auto& slot = fixtures[rows];
  if (!slot) {
    slot = std::make_unique<Fixture>();
    slot->dir = temp_root().path / ("rows-" + std::to_string(rows));
    const auto started = std::chrono::steady_clock::now();
    build_fixture(slot->dir, rows);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "fixture of %lld plans built in %.1f s\n", static_cast<long long>(rows), seconds);
    auto opened = open_store(slot->dir);
    if (!opened.store) std::abort();
    slot->store = std::move(opened.store);
    slot->next_running_issue = hsssc_base + 3 * (rows / 18 + 1) + 10;
    slot->fixture_max_id = rows;
  }
  return *slot;
}

// The five-digit issue text of a cqssc counter: a day and its issue 1..120.
std::string day_issue_text(std::int64_t counter) {
  char text[32];
  std::snprintf(text, sizeof text, "2026%04lld-%03lld", static_cast<long long>(counter / 120 % 10000),
                static_cast<long long>(counter % 120 + 1));
  return text;
}

// --- the floor: the same statements, written by hand ----------------------

struct Floor {
  sqlite::Database db;
  sqlite::TransactionStatements transaction;
  sqlite::Statement find, hit, miss, insert, prune, list;

  explicit Floor(const fs::path& file) {
    check(db.open(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX), db, "floor open");
    sqlite3_busy_timeout(db.handle(), 2000);
    check(db.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA cache_size=-65536;"), db,
          "floor pragmas");
    check(transaction.prepare(db), db, "floor transaction");
    check(find.prepare(db,
                       "SELECT id, qihao2, ych FROM jihua WHERE type=?1 AND jieguo=?2 AND qihao1<=?3 AND "
                       "qihao2>=?3 ORDER BY +id LIMIT 1"),
          db, "find");
    check(hit.prepare(db, "UPDATE jihua SET jieguo=?2, zjqihao=?3, kjh=?4 WHERE id=?1"), db, "hit");
    check(miss.prepare(db, "UPDATE jihua SET jieguo=?2 WHERE id=?1"), db, "miss");
    check(insert.prepare(db,
                         "INSERT INTO jihua (qihao1, qihao2, zjqihao, kjh, ych, jieguo, type, yctime) "
                         "VALUES (?1, ?2, NULL, ?3, ?4, ?5, ?6, ?7)"),
          db, "insert");
    check(prune.prepare(db,
                        "DELETE FROM jihua WHERE type=?1 AND jieguo=?2 "
                        "AND id<(SELECT max(id) FROM jihua WHERE type=?1 AND jieguo=?2)"),
          db, "prune");
    check(list.prepare(db,
                       "SELECT qihao1, qihao2, jieguo, zjqihao, ych, kjh FROM jihua WHERE type=?1 "
                       "ORDER BY yctime, id"),
          db, "list");
  }

  void open_plan(int type, std::int64_t first, std::int64_t last, std::string_view ych) {
    insert.bind_int(1, first);
    insert.bind_int(2, last);
    insert.bind_text(3, "");
    insert.bind_text(4, ych);
    insert.bind_text(5, plan_status::pending);
    insert.bind_int(6, type);
    insert.bind_text(7, utc_text(std::chrono::duration_cast<std::chrono::seconds>(
                                     std::chrono::system_clock::now().time_since_epoch())
                                     .count()));
    check(insert.step(), db, "insert");
    insert.reset();
  }

  // find, settle, open, prune in one transaction. The floor's prediction is
  // fixed, so whether the plan hits is given (`hits`), at the rate at which
  // the engine's random predictions hit; `ych` is a prediction of the size
  // the engine writes, `zj` the hit issue text.
  void step(int type, std::int64_t n, std::int64_t next, std::int64_t first, std::int64_t last, bool hits,
            std::string_view ych, std::string_view zj, std::string_view numbers) {
    sqlite::Transaction guard(db, transaction);
    check(guard.begin_result(), db, "begin");
    find.bind_int(1, type);
    find.bind_text(2, plan_status::pending);
    find.bind_int(3, n);
    if (find.step() == SQLITE_ROW) {
      const std::int64_t id = find.column_int(0);
      const std::int64_t qihao2 = find.column_int(1);
      benchmark::DoNotOptimize(find.column_text(2).data());
      find.reset();
      if (hits) {
        hit.bind_int(1, id);
        hit.bind_text(2, plan_status::hit);
        hit.bind_text(3, zj);
        hit.bind_text(4, numbers);
        check(hit.step(), db, "hit");
        hit.reset();
        open_plan(type, first, last, ych);
      } else if (qihao2 == n) {
        miss.bind_int(1, id);
        miss.bind_text(2, plan_status::miss);
        check(miss.step(), db, "miss");
        miss.reset();
        open_plan(type, first, last, ych);
      }
    } else {
      find.reset();
      find.bind_int(1, type);
      find.bind_text(2, plan_status::pending);
      find.bind_int(3, next);
      const bool covered = find.step() == SQLITE_ROW;
      find.reset();
      if (!covered) open_plan(type, first, last, ych);
    }
    prune.bind_int(1, type);
    prune.bind_text(2, plan_status::pending);
    check(prune.step(), db, "prune");
    prune.reset();
    check(guard.commit(), db, "commit");
  }

  std::string report(int type) {
    std::string text;
    list.bind_int(1, type);
    while (list.step() == SQLITE_ROW) {
      text += std::to_string(list.column_int(0));
      text += std::to_string(list.column_int(1));
      for (int column = 2; column < 6; ++column) text += list.column_text(column);
    }
    list.reset();
    return text;
  }
};

Floor& floor_of(std::int64_t rows) {
  static std::map<std::int64_t, std::unique_ptr<Floor>> floors;
  auto& slot = floors[rows];
  if (!slot) slot = std::make_unique<Floor>(fixture(rows).dir / store_file_name);
  return *slot;
}

// --- benchmarks --------------------------------------------------------------

// Steps add plans; every few iterations the added ones are removed (untimed)
// so that each size keeps its number of plans.
constexpr std::int64_t iterations_between_trims = 16;

void trim(benchmark::State& state, std::int64_t rows, std::int64_t iteration) {
  if (iteration % iterations_between_trims != 0) return;
  state.PauseTiming();
  Floor& floor = floor_of(rows);
  sqlite::Statement trim;
  check(trim.prepare(floor.db, "DELETE FROM jihua WHERE id>?1"), floor.db, "trim");
  trim.bind_int(1, fixture(rows).fixture_max_id);
  check(trim.step(), floor.db, "trim");
  state.ResumeTiming();
}

void step_without_report(benchmark::State& state, std::int64_t rows) {
  Fixture& f = fixture(rows);
  std::int64_t iteration = 0;
  for (auto _ : state) {
    trim(state, rows, iteration++);
    const std::string issue = std::to_string(f.next_running_issue++);
    const auto result = plan_step_without_report(*f.store, {issue, "12345", 1, 3001, 0, 5});
    if (!result.ok) state.SkipWithError(result.error.c_str());
  }
}

void floor_step(benchmark::State& state, std::int64_t rows) {
  Fixture& f = fixture(rows);
  Floor& floor = floor_of(rows);
  std::int64_t iteration = 0;
  for (auto _ : state) {
    trim(state, rows, iteration++);
    const std::int64_t n = f.next_running_issue++;
    const std::string issue = std::to_string(n);
    floor.step(3001, n, n + 1, n + 1, n + 1, n % 2 == 0, "02468", issue, "12345");
  }
}

void report_alone(benchmark::State& state, std::int64_t rows) {
  Fixture& f = fixture(rows);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto report = plan_report(*f.store, 3001, "后一定位");
    if (!report.ok) state.SkipWithError(report.error.c_str());
    bytes = report.text.size();
    benchmark::DoNotOptimize(report.text.data());
  }
  state.counters["report_bytes"] = static_cast<double>(bytes);
}

void floor_report(benchmark::State& state, std::int64_t rows) {
  Floor& floor = floor_of(rows);
  for (auto _ : state) {
    const std::string text = floor.report(3001);
    benchmark::DoNotOptimize(text.data());
  }
}

constexpr PlanType cycle_types[] = {PlanType::cqssc_single, PlanType::cqssc_big_small,
                                    PlanType::cqssc_two_digit, PlanType::cqssc_three_digit};
constexpr std::int64_t cycle_counts[] = {5, 0, 50, 500};

void feed_cycle(benchmark::State& state, std::int64_t rows) {
  Fixture& f = fixture(rows);
  std::int64_t iteration = 0;
  for (auto _ : state) {
    trim(state, rows, iteration++);
    const std::string issue = day_issue_text(f.next_day++);
    for (std::size_t k = 0; k < 4; ++k) {
      const auto result =
          plan_step(*f.store, {issue, "12345", 3, plan_code(cycle_types[k]), 0, cycle_counts[k]});
      if (!result.ok) state.SkipWithError(result.error.c_str());
      benchmark::DoNotOptimize(result.report.data());
    }
  }
}

void floor_feed_cycle(benchmark::State& state, std::int64_t rows) {
  Fixture& f = fixture(rows);
  Floor& floor = floor_of(rows);
  std::int64_t iteration = 0;
  for (auto _ : state) {
    trim(state, rows, iteration++);
    const std::int64_t counter = f.next_day++;
    const std::string issue = day_issue_text(counter);
    const std::int64_t n = counter % 120 + 1;
    const bool day_end = n == 120;
    const std::int64_t next = day_end ? 1 : n + 1;
    const std::int64_t last = day_end ? 3 : std::min<std::int64_t>(n + 3, 120);
    static const std::string predictions[] = {"02468", "大", repeat_entries(50, 2, ' ', true),
                                              repeat_entries(500, 3, ' ', true)};
    for (std::size_t k = 0; k < 4; ++k) {
      // Half the engine's predictions hold the drawn part (count N/2).
      const bool hits = (counter + static_cast<std::int64_t>(k)) % 2 == 0;
      floor.step(plan_code(cycle_types[k]), n, next, next, last, hits, predictions[k],
                 issue.substr(issue.size() - 3), "12345");
      const std::string text = floor.report(plan_code(cycle_types[k]));
      benchmark::DoNotOptimize(text.data());
    }
  }
}

std::int64_t max_rows_option(int& argc, char** argv) {
  std::int64_t max_rows = 1'000'000;
  if (const char* env = std::getenv("PLANDESK_BENCH_MAX_ROWS")) max_rows = std::atoll(env);
  constexpr const char* flag = "--plandesk_max_rows=";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
      max_rows = std::atoll(argv[i] + std::strlen(flag));
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  return max_rows;
}

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t max_rows = max_rows_option(argc, argv);
  using Bench = void (*)(benchmark::State&, std::int64_t);
  const std::pair<const char*, Bench> benches[] = {
      // Reports first: they read the fixture as built.
      {"report", report_alone},
      {"floor_report", floor_report},
      {"step_without_report", step_without_report},
      {"floor_step", floor_step},
      {"feed_cycle_five_digit", feed_cycle},
      {"floor_feed_cycle_five_digit", floor_feed_cycle},
  };
  for (const std::int64_t rows : {0, 10'000, 100'000, 1'000'000}) {
    if (rows > max_rows) continue;
    for (const auto& [name, bench] : benches) {
      const std::string label = std::string(name) + "/rows:" + std::to_string(rows);
      benchmark::RegisterBenchmark(label.c_str(), bench, rows)->Unit(benchmark::kMicrosecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
