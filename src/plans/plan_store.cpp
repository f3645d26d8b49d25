#include "plans/plan_store.h"

#include <cstdio>
#include <ctime>
#include <utility>

#include "plans/plan_status.h"
#include "plans/plan_store_impl.h"

namespace plandesk {
namespace {

// Every statement binds its values; `jieguo` is bound as well, so no text of
// the store is ever part of SQL.
constexpr std::string_view find_covering_sql =
    "SELECT id, qihao2, ych FROM jihua WHERE type=?1 AND jieguo=?2 AND qihao1<=?3 AND qihao2>=?3 "
    "ORDER BY +id LIMIT 1";
constexpr std::string_view settle_hit_sql = "UPDATE jihua SET jieguo=?2, zjqihao=?3, kjh=?4 WHERE id=?1";
constexpr std::string_view settle_miss_sql = "UPDATE jihua SET jieguo=?2 WHERE id=?1";
constexpr std::string_view insert_sql =
    "INSERT INTO jihua (qihao1, qihao2, zjqihao, kjh, ych, jieguo, type, yctime) "
    "VALUES (?1, ?2, NULL, ?3, ?4, ?5, ?6, ?7)";
// The pending plan kept is the one added last: ids only grow (AUTOINCREMENT).
constexpr std::string_view prune_sql =
    "DELETE FROM jihua WHERE type=?1 AND jieguo=?2 "
    "AND id<(SELECT max(id) FROM jihua WHERE type=?1 AND jieguo=?2)";
constexpr std::string_view list_lines_sql =
    "SELECT qihao1, qihao2, jieguo, zjqihao, ych, kjh FROM jihua WHERE type=?1 ORDER BY yctime, id";
constexpr std::string_view list_records_sql =
    "SELECT id, qihao1, qihao2, zjqihao, kjh, ych, jieguo, type, yctime FROM jihua WHERE type=?1 "
    "ORDER BY yctime, id";
constexpr std::string_view clear_sql = "DELETE FROM jihua";

// Runs a statement that returns no rows.
int run(sqlite::Statement& statement) {
  const int rc = statement.step();
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

}  // namespace

std::string format_store_time(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto micros = duration_cast<microseconds>(time.time_since_epoch()).count();
  auto seconds = micros / 1'000'000;
  auto fraction = micros % 1'000'000;
  if (fraction < 0) {
    fraction += 1'000'000;
    --seconds;
  }
  const auto t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%06dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(fraction));
  return text;
}

std::unique_ptr<PlanStore::Impl> PlanStore::Impl::create(sqlite::Database db, std::filesystem::path path,
                                                         Clock clock, std::string& error) {
  auto impl = std::make_unique<Impl>();
  impl->path = std::move(path);
  impl->clock = clock ? std::move(clock) : Clock([] { return std::chrono::system_clock::now(); });
  impl->db = std::move(db);
  const std::pair<sqlite::Statement*, std::string_view> statements[] = {
      {&impl->find_covering, find_covering_sql},
      {&impl->settle_hit, settle_hit_sql},
      {&impl->settle_miss, settle_miss_sql},
      {&impl->insert, insert_sql},
      {&impl->prune, prune_sql},
      {&impl->list_lines, list_lines_sql},
      {&impl->list_records, list_records_sql},
      {&impl->clear, clear_sql},
  };
  int rc = impl->transaction.prepare(impl->db);
  for (const auto& [statement, sql] : statements)
    if (rc == SQLITE_OK) rc = statement->prepare(impl->db, sql);
  if (rc != SQLITE_OK) {
    error = impl->db.error_message();
    return nullptr;
  }
  return impl;
}

StoreStatus PlanStore::Impl::failure(int rc) const {
  std::string message = db.error_message();
  if (message.empty() || message == "not an error") message = sqlite3_errstr(rc);
  return {false, "计划数据库操作失败：" + message};
}

PlanStore::PlanStore(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PlanStore::~PlanStore() = default;
PlanStore::PlanStore(PlanStore&&) noexcept = default;
PlanStore& PlanStore::operator=(PlanStore&&) noexcept = default;

const std::filesystem::path& PlanStore::path() const {
  return impl_->path;
}

StoreStatus PlanStore::transaction(const std::function<StoreStatus()>& body) {
  if (impl_->in_transaction) return {false, "计划数据库操作失败：事务不可嵌套"};
  sqlite::Transaction transaction(impl_->db, impl_->transaction);
  if (transaction.begin_result() != SQLITE_OK) return impl_->failure(transaction.begin_result());
  impl_->in_transaction = true;
  StoreStatus status = body();
  impl_->in_transaction = false;
  if (!status.ok) return status;  // the guard rolls everything back
  const int rc = transaction.commit();
  if (rc != SQLITE_OK) return impl_->failure(rc);
  return status;
}

FindPendingResult PlanStore::find_pending_covering(int type, std::int64_t issue) {
  auto& statement = impl_->find_covering;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, type);
  statement.bind_text(2, plan_status::pending);
  statement.bind_int(3, issue);
  FindPendingResult result;
  const int rc = statement.step();
  if (rc == SQLITE_ROW)
    result.plan =
        PendingPlan{statement.column_int(0), statement.column_int(1), std::string(statement.column_text(2))};
  else if (rc != SQLITE_DONE)
    result.status = impl_->failure(rc);
  return result;
}

StoreStatus PlanStore::settle_hit(std::int64_t id, std::string_view zjqihao, std::string_view kjh) {
  auto& statement = impl_->settle_hit;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, id);
  statement.bind_text(2, plan_status::hit);
  statement.bind_text(3, zjqihao);
  statement.bind_text(4, kjh);
  const int rc = run(statement);
  return rc == SQLITE_OK ? StoreStatus{} : impl_->failure(rc);
}

StoreStatus PlanStore::settle_miss(std::int64_t id) {
  auto& statement = impl_->settle_miss;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, id);
  statement.bind_text(2, plan_status::miss);
  const int rc = run(statement);
  return rc == SQLITE_OK ? StoreStatus{} : impl_->failure(rc);
}

StoreStatus PlanStore::open_plan(const NewPlan& plan) {
  auto& statement = impl_->insert;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, plan.qihao1);
  statement.bind_int(2, plan.qihao2);
  statement.bind_text(3, "");
  statement.bind_text(4, plan.ych);
  statement.bind_text(5, plan_status::pending);
  statement.bind_int(6, plan.type);
  statement.bind_text(7, format_store_time(impl_->clock()));
  const int rc = run(statement);
  return rc == SQLITE_OK ? StoreStatus{} : impl_->failure(rc);
}

StoreStatus PlanStore::prune_pending(int type) {
  auto& statement = impl_->prune;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, type);
  statement.bind_text(2, plan_status::pending);
  const int rc = run(statement);
  return rc == SQLITE_OK ? StoreStatus{} : impl_->failure(rc);
}

StoreStatus PlanStore::visit_plans(int type, const std::function<void(const PlanLine&)>& visit) {
  auto& statement = impl_->list_lines;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, type);
  int rc;
  while ((rc = statement.step()) == SQLITE_ROW) {
    visit(PlanLine{statement.column_int(0), statement.column_int(1), statement.column_text(2),
                   statement.column_text(3), statement.column_text(4), statement.column_text(5)});
  }
  return rc == SQLITE_DONE ? StoreStatus{} : impl_->failure(rc);
}

PlanListResult PlanStore::list_plans(int type) {
  auto& statement = impl_->list_records;
  sqlite::StatementUse use(statement);
  statement.bind_int(1, type);
  PlanListResult result;
  int rc;
  while ((rc = statement.step()) == SQLITE_ROW) {
    PlanRecord record;
    record.id = statement.column_int(0);
    record.qihao1 = statement.column_int(1);
    record.qihao2 = statement.column_int(2);
    if (!statement.column_is_null(3)) record.zjqihao = std::string(statement.column_text(3));
    record.kjh = statement.column_text(4);
    record.ych = statement.column_text(5);
    record.jieguo = statement.column_text(6);
    record.type = static_cast<int>(statement.column_int(7));
    record.yctime = statement.column_text(8);
    result.plans.push_back(std::move(record));
  }
  if (rc != SQLITE_DONE) result.status = impl_->failure(rc);
  return result;
}

StoreStatus PlanStore::clear() {
  auto& statement = impl_->clear;
  sqlite::StatementUse use(statement);
  const int rc = run(statement);
  return rc == SQLITE_OK ? StoreStatus{} : impl_->failure(rc);
}

StoreStatus clear_plans(PlanStore& store) {
  return store.clear();
}

}  // namespace plandesk
