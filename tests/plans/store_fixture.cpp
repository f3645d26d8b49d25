#include "store_fixture.h"

#include <stdlib.h>

#include "plans/sqlite_db.h"

namespace plandesk::testing {

TestClock::TestClock() : now_(std::make_shared<std::chrono::system_clock::time_point>(start())) {}

std::chrono::system_clock::time_point TestClock::start() {
  // 2026-12-11 10:15:00 UTC
  return std::chrono::system_clock::time_point(std::chrono::seconds(1'796'984'100));
}

Clock TestClock::clock() const {
  return [now = now_] {
    const auto reading = *now;
    *now += std::chrono::seconds(1);
    return reading;
  };
}

void TestClock::set(std::int64_t seconds) {
  *now_ = start() + std::chrono::seconds(seconds);
}

std::vector<std::string> table_rows(const std::filesystem::path& file) {
  sqlite::Database db;
  if (db.open(file, SQLITE_OPEN_READONLY) != SQLITE_OK) return {"<cannot open: " + db.error_message() + ">"};
  sqlite::Statement statement;
  if (statement.prepare(db, "SELECT * FROM jihua ORDER BY id") != SQLITE_OK)
    return {"<" + db.error_message() + ">"};
  std::vector<std::string> rows;
  int rc;
  while ((rc = statement.step()) == SQLITE_ROW) {
    std::string row;
    for (int column = 0; column < 9; ++column) {
      if (column) row += " | ";
      row += statement.column_is_null(column) ? std::string("<null>")
                                              : std::string(statement.column_text(column));
    }
    rows.push_back(row);
  }
  if (rc != SQLITE_DONE) rows.push_back("<" + db.error_message() + ">");
  return rows;
}

std::string run_sql(const std::filesystem::path& file, const std::string& sql) {
  sqlite::Database db;
  if (db.open(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) != SQLITE_OK) return db.error_message();
  return db.exec(sql.c_str()) == SQLITE_OK ? std::string() : db.error_message();
}

void StoreTest::SetUp() {
  auto opened = open_store(dir_.path(), clock_.clock());
  ASSERT_TRUE(opened.store) << opened.error;
  store_ = std::move(opened.store);
}

std::vector<PlanRecord> StoreTest::plans(int type) {
  auto listed = store_->list_plans(type);
  EXPECT_TRUE(listed.status.ok) << listed.status.error;
  return listed.plans;
}

std::int64_t StoreTest::add_pending(int type, std::int64_t qihao1, std::int64_t qihao2, std::string ych) {
  const auto status = store_->open_plan(NewPlan{type, qihao1, qihao2, ych});
  EXPECT_TRUE(status.ok) << status.error;
  const auto all = plans(type);
  std::int64_t id = 0;
  for (const auto& plan : all) id = std::max(id, plan.id);
  return id;
}

std::int64_t StoreTest::add_hit(int type, std::int64_t qihao1, std::int64_t qihao2, std::string ych,
                                std::string zjqihao, std::string kjh) {
  const auto id = add_pending(type, qihao1, qihao2, std::move(ych));
  EXPECT_TRUE(store_->settle_hit(id, zjqihao, kjh).ok);
  return id;
}

std::int64_t StoreTest::add_miss(int type, std::int64_t qihao1, std::int64_t qihao2, std::string ych) {
  const auto id = add_pending(type, qihao1, qihao2, std::move(ych));
  EXPECT_TRUE(store_->settle_miss(id).ok);
  return id;
}

}  // namespace plandesk::testing
