#pragma once
// Internals of PlanStore shared by its operations and by open_store.

#include <filesystem>
#include <memory>
#include <string>

#include "plans/plan_store.h"
#include "plans/sqlite_db.h"

namespace plandesk {

class PlanStore::Impl {
 public:
  // Takes an open connection to a store file and prepares every statement;
  // null (with `error`) when a statement cannot be prepared, which is the
  // case when table `jihua` lacks a column or is not a table.
  static std::unique_ptr<Impl> create(sqlite::Database db, std::filesystem::path path, Clock clock,
                                      std::string& error);

  StoreStatus failure(int rc) const;

  std::filesystem::path path;
  Clock clock;
  sqlite::Database db;
  bool in_transaction = false;
  sqlite::TransactionStatements transaction;
  sqlite::Statement find_covering;
  sqlite::Statement settle_hit;
  sqlite::Statement settle_miss;
  sqlite::Statement insert;
  sqlite::Statement prune;
  sqlite::Statement list_lines;
  sqlite::Statement list_records;
  sqlite::Statement clear;
};

// "YYYY-MM-DDTHH:MM:SS.ffffffZ" in UTC.
std::string format_store_time(std::chrono::system_clock::time_point time);

}  // namespace plandesk
