#include "plans/plan_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <thread>

#include "plans/plan_step.h"
#include "plans/plan_type.h"
#include "plans/sqlite_db.h"
#include "store_fixture.h"

namespace plandesk::testing {
namespace {

namespace fs = std::filesystem;

std::string query_text(const fs::path& file, const char* sql) {
  sqlite::Database db;
  if (db.open(file, SQLITE_OPEN_READONLY) != SQLITE_OK) return "<cannot open>";
  sqlite::Statement statement;
  if (statement.prepare(db, sql) != SQLITE_OK || statement.step() != SQLITE_ROW)
    return "<" + db.error_message() + ">";
  return std::string(statement.column_text(0));
}

using PlanStoreTest = StoreTest;

TEST_F(PlanStoreTest, FirstOpenCreatesAnEmptyOwnerOnlyStore) {
  struct stat info {};
  ASSERT_EQ(::stat(file().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_TRUE(table_rows(file()).empty());
  EXPECT_EQ(query_text(file(), "SELECT group_concat(name, ',') FROM pragma_table_info('jihua')"),
            "id,qihao1,qihao2,zjqihao,kjh,ych,jieguo,type,yctime");
  EXPECT_EQ(query_text(file(), "PRAGMA journal_mode"), "wal");
  add_pending(1001, 1, 3, "1");  // the journal files exist while the store is open
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().filename().string().rfind("mcmcsjk.mdb", 0), 0u) << entry.path();
    struct stat sibling {};
    ASSERT_EQ(::stat(entry.path().c_str(), &sibling), 0);
    EXPECT_EQ(sibling.st_mode & 0777, 0600u) << entry.path();
  }
  EXPECT_FALSE(fs::exists(dir_.path() / "mcmcsjk.mdb.creating"));
}

TEST(PlanStoreOpen, CreatesAMissingDataFolder) {
  TempDir dir;
  const auto opened = open_store(dir.path() / "a" / "b");
  ASSERT_TRUE(opened.store) << opened.error;
  EXPECT_TRUE(fs::exists(dir.path() / "a" / "b" / "mcmcsjk.mdb"));
}

TEST(PlanStoreOpen, DataFolderThatIsAFileIsAnError) {
  TempDir dir;
  write_bytes(dir.path() / "file", "x");
  const auto opened = open_store(dir.path() / "file");
  EXPECT_FALSE(opened.store);
  EXPECT_FALSE(opened.error.empty());
  EXPECT_EQ(read_bytes(dir.path() / "file"), "x");
}

TEST_F(PlanStoreTest, SecondOpenKeepsTheRows) {
  add_hit(1001, 1, 3, "5", "002", "12345");
  add_pending(4002, 733001, 733003, "02,07,10");
  const auto before = table_rows(file());
  struct stat first {};
  ASSERT_EQ(::stat(file().c_str(), &first), 0);
  store_.reset();

  auto reopened = open_store(dir_.path(), clock_.clock());
  ASSERT_TRUE(reopened.store) << reopened.error;
  EXPECT_TRUE(reopened.set_aside.empty());
  struct stat second {};
  ASSERT_EQ(::stat(file().c_str(), &second), 0);
  EXPECT_EQ(first.st_ino, second.st_ino);
  EXPECT_EQ(table_rows(file()), before);
  const auto listed = reopened.store->list_plans(1001);
  ASSERT_EQ(listed.plans.size(), 1u);
  EXPECT_EQ(listed.plans[0].zjqihao, std::optional<std::string>("002"));
}

TEST_F(PlanStoreTest, ClearDeletesEveryPlanOfEveryType) {
  ASSERT_TRUE(clear_plans(*store_).ok);  // empty table
  for (const PlanType type : all_plan_types) add_pending(plan_code(type), 1, 3, "1");
  add_miss(1001, 1, 3, "1");
  ASSERT_TRUE(clear_plans(*store_).ok);
  EXPECT_TRUE(table_rows(file()).empty());
  // Plans opened afterwards start a fresh report.
  ASSERT_TRUE(plan_step(*store_, {"20261211-001", "12345", 3, 1001, 0, 0}).ok);
  EXPECT_EQ(plans(1001).size(), 1u);
}

TEST_F(PlanStoreTest, OpeningTimeIsStoredInTimeOrder) {
  add_pending(1001, 1, 3, "1");
  const auto all = plans(1001);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].yctime, "2026-12-11T10:15:00.000000Z");
}

// What is found at the store path before the first open.
struct UnusableCase {
  const char* name;
  std::function<void(const fs::path&)> make;
};

std::vector<UnusableCase> unusable_cases() {
  const auto sql = [](std::string text) {
    return [text](const fs::path& file) { ASSERT_EQ(run_sql(file, text), ""); };
  };
  return {
      {"Garbage", [](const fs::path& f) { write_bytes(f, "this is no database at all\n"); }},
      {"OldAccessFile",
       [](const fs::path& f) {
         write_bytes(f, std::string("\x00\x01\x00\x00Standard Jet DB\x00", 20) + "rest");
       }},
      {"EmptyFile", [](const fs::path& f) { write_bytes(f, ""); }},
      {"CorruptSqlite",
       [](const fs::path& f) {
         write_bytes(f, std::string("SQLite format 3\0", 16) + std::string(2000, '\x7f'));
       }},
      {"SqliteWithoutPlans", sql("CREATE TABLE other(x); INSERT INTO other VALUES (1);")},
      {"WrongColumns",
       sql("CREATE TABLE jihua(id INTEGER PRIMARY KEY, a, b); INSERT INTO jihua VALUES (1, 2, 3);")},
      {"MissingColumn", sql("CREATE TABLE jihua(id INTEGER PRIMARY KEY, qihao1 INTEGER, qihao2 INTEGER, "
                            "zjqihao TEXT, kjh TEXT, "
                            "ych TEXT, jieguo TEXT, type INTEGER)")},
      {"TextIssueColumn",
       sql("CREATE TABLE jihua(id INTEGER PRIMARY KEY, qihao1 TEXT, qihao2 INTEGER, zjqihao TEXT, kjh TEXT, "
           "ych TEXT, jieguo TEXT, type INTEGER, yctime TEXT)")},
      {"NumericPredictionColumn", sql("CREATE TABLE jihua(id INTEGER PRIMARY KEY, qihao1 INTEGER, qihao2 "
                                      "INTEGER, zjqihao TEXT, kjh TEXT, "
                                      "ych NUMERIC, jieguo TEXT, type INTEGER, yctime TEXT)")},
      {"ViewNamedJihua",
       sql("CREATE TABLE t(id INTEGER PRIMARY KEY, qihao1 INTEGER, qihao2 INTEGER, zjqihao TEXT, kjh TEXT, "
           "ych TEXT, jieguo TEXT, type INTEGER, yctime TEXT); CREATE VIEW jihua AS SELECT * FROM t;")},
      {"WithoutRowid", sql("CREATE TABLE jihua(id INTEGER PRIMARY KEY, qihao1 INTEGER, qihao2 INTEGER, "
                           "zjqihao TEXT, kjh TEXT, "
                           "ych TEXT, jieguo TEXT, type INTEGER, yctime TEXT) WITHOUT ROWID")},
  };
}

class UnusableFileTest : public ::testing::TestWithParam<UnusableCase> {};

TEST_P(UnusableFileTest, IsSetAsideAndReplacedByAFreshStore) {
  TempDir dir;
  const fs::path file = dir.path() / "mcmcsjk.mdb";
  GetParam().make(file);
  const std::string original = read_bytes(file);
  TestClock clock;

  auto opened = open_store(dir.path(), clock.clock());
  ASSERT_TRUE(opened.store) << opened.error;
  ASSERT_FALSE(opened.set_aside.empty());
  EXPECT_EQ(opened.set_aside.parent_path(), dir.path());
  EXPECT_TRUE(std::regex_match(opened.set_aside.filename().string(),
                               std::regex(R"(mcmcsjk\.mdb\.unusable-\d{8}-\d{6})")))
      << opened.set_aside;
  EXPECT_EQ(read_bytes(opened.set_aside), original);

  EXPECT_TRUE(table_rows(file).empty());
  const auto step = plan_step(*opened.store, {"20261211-001", "12345", 3, 1001, 0, 5});
  ASSERT_TRUE(step.ok) << step.error;
  EXPECT_EQ(table_rows(file).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, UnusableFileTest, ::testing::ValuesIn(unusable_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(PlanStoreOpen, DirectoryAtTheStorePathIsSetAside) {
  TempDir dir;
  fs::create_directory(dir.path() / "mcmcsjk.mdb");
  write_bytes(dir.path() / "mcmcsjk.mdb" / "inside", "kept");
  auto opened = open_store(dir.path());
  ASSERT_TRUE(opened.store) << opened.error;
  EXPECT_EQ(read_bytes(opened.set_aside / "inside"), "kept");
}

// A journal beside an unusable file belongs to it: left in place it would be
// played into the fresh store.
TEST(PlanStoreOpen, JournalsMoveAsideWithTheUnusableFile) {
  TempDir dir;
  const fs::path file = dir.path() / "mcmcsjk.mdb";
  write_bytes(file, "garbage");
  write_bytes(dir.path() / "mcmcsjk.mdb-journal", "old journal");
  write_bytes(dir.path() / "mcmcsjk.mdb-wal", "old wal");
  auto opened = open_store(dir.path());
  ASSERT_TRUE(opened.store) << opened.error;
  EXPECT_EQ(read_bytes(opened.set_aside.string() + "-journal"), "old journal");
  EXPECT_EQ(read_bytes(opened.set_aside.string() + "-wal"), "old wal");
  EXPECT_FALSE(fs::exists(dir.path() / "mcmcsjk.mdb-journal"));
  EXPECT_TRUE(plan_step(*opened.store, {"20261211-001", "12345", 3, 1001, 0, 5}).ok);
}

TEST(PlanStoreOpen, OrphanJournalIsMovedAsideBeforeCreating) {
  TempDir dir;
  write_bytes(dir.path() / "mcmcsjk.mdb-wal", "orphan");
  auto opened = open_store(dir.path());
  ASSERT_TRUE(opened.store) << opened.error;
  EXPECT_TRUE(opened.set_aside.empty());
  ASSERT_TRUE(plan_step(*opened.store, {"20261211-001", "12345", 3, 1001, 0, 5}).ok);
  bool kept = false;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    kept = kept || (entry.path().filename().string().find("unusable") != std::string::npos &&
                    read_bytes(entry.path()) == "orphan");
  EXPECT_TRUE(kept);
}

TEST(PlanStoreOpen, SetAsidesWithinOneSecondGetDistinctNames) {
  TempDir dir;
  const auto fixed = TestClock::start();
  const Clock clock = [fixed] { return fixed; };
  const fs::path file = dir.path() / "mcmcsjk.mdb";
  std::vector<fs::path> asides;
  for (const char* content : {"first", "second", "third"}) {
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(file.string() + suffix);
    write_bytes(file, content);
    auto opened = open_store(dir.path(), clock);
    ASSERT_TRUE(opened.store) << opened.error;
    asides.push_back(opened.set_aside);
    EXPECT_EQ(read_bytes(opened.set_aside), content);
  }
  EXPECT_NE(asides[0], asides[1]);
  EXPECT_NE(asides[1], asides[2]);
  EXPECT_NE(asides[0], asides[2]);
}

TEST(PlanStoreOpen, HandMadeTableOfTheRightShapeIsUsed) {
  TempDir dir;
  const fs::path file = dir.path() / "mcmcsjk.mdb";
  ASSERT_EQ(run_sql(file,
                    "CREATE TABLE JIHUA(id integer primary key, qihao1 int, qihao2 int, zjqihao varchar(50), "
                    "kjh varchar(50), ych memo_text, jieguo varchar(50), type int, yctime datetime);"
                    "INSERT INTO JIHUA VALUES (1, 1, 3, NULL, '', '0123456789', '等开', 1001, "
                    "'2026-01-01T00:00:00.000000Z');"),
            "");
  auto opened = open_store(dir.path());
  ASSERT_TRUE(opened.store) << opened.error;
  EXPECT_TRUE(opened.set_aside.empty());
  ASSERT_TRUE(plan_step(*opened.store, {"20261211-002", "12345", 3, 1001, 0, 5}).ok);
  const auto listed = opened.store->list_plans(1001);
  ASSERT_EQ(listed.plans.size(), 2u);
  EXPECT_EQ(listed.plans[0].jieguo, plan_status::hit);
  EXPECT_EQ(listed.plans[0].ych, "0123456789");
}

// A write that fails in the middle of a step (here refused by a trigger, as
// a full disk would refuse it) leaves every row as it was before the step,
// and the store keeps working once the cause is gone.
TEST_F(PlanStoreTest, FailedWriteLeavesTheStoreAsBefore) {
  const char* triggers[] = {
      "CREATE TRIGGER fail BEFORE UPDATE ON jihua BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END",
      "CREATE TRIGGER fail BEFORE INSERT ON jihua BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END",
      "CREATE TRIGGER fail AFTER INSERT ON jihua BEGIN SELECT RAISE(FAIL, 'database or disk is full'); END",
      "CREATE TRIGGER fail BEFORE DELETE ON jihua BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END",
      "CREATE TRIGGER fail BEFORE DELETE ON jihua BEGIN SELECT RAISE(ROLLBACK, 'disk I/O error'); END",
  };
  for (const char* trigger : triggers) {
    ASSERT_TRUE(clear_plans(*store_).ok);
    add_pending(1001, 50, 52, "1");         // stale: pruned by the step
    add_pending(1001, 1, 3, "0123456789");  // covers issue 2 and hits
    const auto before = table_rows(file());
    ASSERT_EQ(run_sql(file(), trigger), "");

    const auto result = plan_step(*store_, {"20261211-002", "12345", 3, 1001, 0, 5});
    EXPECT_FALSE(result.ok) << trigger;
    EXPECT_NE(result.error.find("计划数据库"), std::string::npos) << result.error;
    EXPECT_TRUE(result.report.empty());
    EXPECT_EQ(table_rows(file()), before) << trigger;

    ASSERT_EQ(run_sql(file(), "DROP TRIGGER fail"), "");
    const auto retried = plan_step(*store_, {"20261211-002", "12345", 3, 1001, 0, 5});
    ASSERT_TRUE(retried.ok) << retried.error;
    const auto after = plans(1001);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].jieguo, plan_status::hit);
    EXPECT_EQ(after[1].jieguo, plan_status::pending);
  }
}

TEST_F(PlanStoreTest, FailedReadIsReported) {
  ASSERT_EQ(run_sql(file(), "ALTER TABLE jihua RENAME TO gone"), "");
  const auto result = plan_step(*store_, {"20261211-002", "12345", 3, 1001, 0, 5});
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_FALSE(clear_plans(*store_).ok);
}

TEST_F(PlanStoreTest, TransactionsDoNotNest) {
  const auto status = store_->transaction([&] { return store_->transaction([] { return StoreStatus{}; }); });
  EXPECT_FALSE(status.ok);
  EXPECT_TRUE(store_->transaction([] { return StoreStatus{}; }).ok);
}

// A store whose file the user may not write: steps fail and say so, rows
// stay. (Root may write any file, so this runs for ordinary users only.)
TEST(PlanStoreOpen, ReadOnlyFileReportsFailedSteps) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  TempDir dir;
  {
    auto opened = open_store(dir.path());
    ASSERT_TRUE(opened.store) << opened.error;
    ASSERT_TRUE(plan_step(*opened.store, {"20261211-001", "12345", 3, 1001, 0, 5}).ok);
  }
  const fs::path file = dir.path() / "mcmcsjk.mdb";
  const auto before = table_rows(file);
  fs::permissions(file, fs::perms::owner_read);
  auto opened = open_store(dir.path());
  ASSERT_TRUE(opened.store) << opened.error;
  EXPECT_TRUE(opened.set_aside.empty());
  const auto result = plan_step(*opened.store, {"20261211-004", "12345", 3, 1001, 0, 5});
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(table_rows(file), before);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
}

// A full disk, made real with a file-size limit of 0 bytes in a child
// process (it binds root too): the step fails and says so, and the rows of
// the file stay as they were.
TEST(PlanStoreOpen, FullDiskReportsFailedSteps) {
  TempDir dir;
  {
    auto opened = open_store(dir.path());
    ASSERT_TRUE(opened.store) << opened.error;
    ASSERT_TRUE(plan_step(*opened.store, {"20261211-001", "12345", 3, 1001, 0, 5}).ok);
  }
  const fs::path file = dir.path() / "mcmcsjk.mdb";
  const auto before = table_rows(file);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto opened = open_store(dir.path());
    if (!opened.store) ::_exit(2);
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
    const rlimit none{0, 0};
    if (::setrlimit(RLIMIT_FSIZE, &none) != 0) ::_exit(3);
    const auto result = plan_step(*opened.store, {"20261211-004", "12345", 3, 1001, 0, 5});
    ::_exit(!result.ok && !result.error.empty() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the step did not report the failed write";
  EXPECT_EQ(table_rows(file), before);
  auto reopened = open_store(dir.path());
  ASSERT_TRUE(reopened.store) << reopened.error;
  EXPECT_TRUE(plan_step(*reopened.store, {"20261211-004", "12345", 3, 1001, 0, 5}).ok);
}

// A process killed at any moment of its steps leaves whole steps only: one
// pending plan, the one added last, and never a settled plan without its
// successor.
TEST(PlanStoreCrash, KilledStepsLeaveWholeStepsOnly) {
  TempDir dir;
  for (int round = 0; round < 6; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto opened = open_store(dir.path());
      if (!opened.store) ::_exit(2);
      const std::int64_t first = 1'000'000 * (round + 1);
      for (std::int64_t issue = first; issue < first + 500'000; ++issue)
        plan_step_without_report(*opened.store, {std::to_string(issue), "12345", 2, 3001, 0, 5});
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30 + 15 * round));
    ::kill(child, SIGKILL);
    int wait_status = 0;
    ASSERT_EQ(::waitpid(child, &wait_status, 0), child);

    auto opened = open_store(dir.path());
    ASSERT_TRUE(opened.store) << opened.error;
    EXPECT_TRUE(opened.set_aside.empty());
    const auto listed = opened.store->list_plans(3001);
    ASSERT_TRUE(listed.status.ok) << listed.status.error;
    if (listed.plans.empty()) continue;
    std::int64_t last_id = 0;
    int pending = 0;
    for (const auto& plan : listed.plans) {
      last_id = std::max(last_id, plan.id);
      pending += plan.jieguo == plan_status::pending;
    }
    EXPECT_EQ(pending, 1) << "round " << round;
    for (const auto& plan : listed.plans) {
      if (plan.id == last_id) {
        EXPECT_EQ(plan.jieguo, plan_status::pending) << "round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace plandesk::testing
