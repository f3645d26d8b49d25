#pragma once
// The plan store: every plan that the plan kinds open, settle and report, as
// rows of table `jihua` in the SQLite file "mcmcsjk.mdb" of the user's data
// folder. The rows of all lotteries and kinds share the table and are told
// apart by `type`. One connection per store, used by one thread; every
// operation is a cached prepared statement with bound values.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandesk {

using Clock = std::function<std::chrono::system_clock::time_point()>;

inline constexpr std::string_view store_file_name = "mcmcsjk.mdb";

struct StoreStatus {
  bool ok = true;
  std::string error;
};

// A stored plan row. `zjqihao` is empty (nullopt) until the plan hits.
// `yctime` is the time the plan was opened, in UTC as
// "YYYY-MM-DDTHH:MM:SS.ffffffZ", so that its text order is its time order.
struct PlanRecord {
  std::int64_t id = 0;
  std::int64_t qihao1 = 0;
  std::int64_t qihao2 = 0;
  std::optional<std::string> zjqihao;
  std::string kjh;
  std::string ych;
  std::string jieguo;
  int type = 0;
  std::string yctime;
};

// The pending plan found for an issue: what settling it needs.
struct PendingPlan {
  std::int64_t id = 0;
  std::int64_t qihao2 = 0;
  std::string ych;
};

// A plan to open: it is stored as pending, with `kjh` "" and the clock's time.
struct NewPlan {
  int type = 0;
  std::int64_t qihao1 = 0;
  std::int64_t qihao2 = 0;
  std::string_view ych;
};

// The columns the report reads, valid only during the visit of the row.
struct PlanLine {
  std::int64_t qihao1 = 0;
  std::int64_t qihao2 = 0;
  std::string_view jieguo;
  std::string_view zjqihao;
  std::string_view ych;
  std::string_view kjh;
};

struct FindPendingResult {
  StoreStatus status;
  std::optional<PendingPlan> plan;
};

struct PlanListResult {
  StoreStatus status;
  std::vector<PlanRecord> plans;
};

class PlanStore {
 public:
  class Impl;
  explicit PlanStore(std::unique_ptr<Impl> impl);
  ~PlanStore();
  PlanStore(PlanStore&&) noexcept;
  PlanStore& operator=(PlanStore&&) noexcept;
  PlanStore(const PlanStore&) = delete;
  PlanStore& operator=(const PlanStore&) = delete;

  const std::filesystem::path& path() const;

  // Runs `body` as one transaction: committed when it returns ok, rolled
  // back entirely otherwise (or when the commit fails). Not nestable.
  StoreStatus transaction(const std::function<StoreStatus()>& body);

  // The first-added pending plan of `type` whose range holds `issue`.
  FindPendingResult find_pending_covering(int type, std::int64_t issue);
  StoreStatus settle_hit(std::int64_t id, std::string_view zjqihao, std::string_view kjh);
  StoreStatus settle_miss(std::int64_t id);
  StoreStatus open_plan(const NewPlan& plan);
  // Deletes every pending plan of `type` but the one added last.
  StoreStatus prune_pending(int type);

  // The plans of `type`, oldest first (by `yctime`, ties by `id`).
  StoreStatus visit_plans(int type, const std::function<void(const PlanLine&)>& visit);
  PlanListResult list_plans(int type);

  // Deletes every plan of every type.
  StoreStatus clear();

 private:
  std::unique_ptr<Impl> impl_;
};

struct OpenStoreResult {
  std::unique_ptr<PlanStore> store;  // null when no store could be opened at all
  std::filesystem::path set_aside;   // non-empty when an unusable file was renamed aside
  std::string error;                 // non-empty (a short UTF-8 message) when store is null
};

// Opens "mcmcsjk.mdb" in `data_dir` (created when missing). No file there:
// a new store with the empty table is created, readable by its owner only.
// A usable store is opened with its rows unchanged. A file that is not a
// usable plan store is never overwritten: it is renamed aside with a
// timestamp suffix (told in `set_aside`) and a new store takes its place.
// `clock` gives the time of new plans and of the suffix; default: system clock.
OpenStoreResult open_store(const std::filesystem::path& data_dir, Clock clock = {});

// Deletes every plan of every lottery and kind.
StoreStatus clear_plans(PlanStore& store);

}  // namespace plandesk
