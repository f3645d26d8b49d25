#pragma once
// Shared helpers of the plans tests: a temporary folder, a clock the test
// controls, a store opened in that folder, and raw access to the file.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plans/plan_status.h"
#include "plans/plan_store.h"
#include "support/temp_dir.h"

namespace plandesk::testing {

// A clock that starts at a fixed time and moves one second on at every
// reading, so that plans opened one after another are ordered by time.
// set() puts it at a given offset (in seconds) from its start.
class TestClock {
 public:
  TestClock();
  Clock clock() const;
  void set(std::int64_t seconds);
  static std::chrono::system_clock::time_point start();

 private:
  std::shared_ptr<std::chrono::system_clock::time_point> now_;
};

// Every row of the file, ordered by id, each as one text with its columns
// (NULL shown as "<null>"), read through a connection of its own.
std::vector<std::string> table_rows(const std::filesystem::path& file);

// Runs SQL on the file through a connection of its own; returns the error
// message, empty on success.
std::string run_sql(const std::filesystem::path& file, const std::string& sql);

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override;

  std::filesystem::path file() const { return dir_.path() / "mcmcsjk.mdb"; }
  std::vector<PlanRecord> plans(int type);
  // Adds a pending plan and returns its id.
  std::int64_t add_pending(int type, std::int64_t qihao1, std::int64_t qihao2, std::string ych);
  std::int64_t add_hit(int type, std::int64_t qihao1, std::int64_t qihao2, std::string ych,
                       std::string zjqihao, std::string kjh);
  std::int64_t add_miss(int type, std::int64_t qihao1, std::int64_t qihao2, std::string ych);

  TempDir dir_;
  TestClock clock_;
  std::unique_ptr<PlanStore> store_;
};

}  // namespace plandesk::testing
