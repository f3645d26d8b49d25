#pragma once
// A thin RAII layer over the sqlite3 C API: a connection, a prepared
// statement with bind/step/column, and a transaction guard. Every value goes
// through a bind; no SQL text is ever built from data.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace plandesk::sqlite {

class Database {
 public:
  Database() = default;
  ~Database() { close(); }
  Database(Database&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }
  Database& operator=(Database&& other) noexcept;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // sqlite3_open_v2 with `flags`. On failure the connection is closed again
  // and the message is kept for error_message().
  int open(const std::filesystem::path& path, int flags);
  void close();
  bool is_open() const { return db_ != nullptr; }

  // Runs SQL without parameters and without results (pragmas, schema).
  int exec(const char* sql);

  std::string error_message() const;
  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::string open_error_;
};

class Statement {
 public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Prepares a statement meant to be kept and reused for the connection's life.
  int prepare(Database& db, std::string_view sql);
  bool is_prepared() const { return stmt_ != nullptr; }

  void bind_int(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
  // The text is copied, so the view need not outlive the call. An empty view
  // binds "" (never NULL).
  void bind_text(int index, std::string_view value);
  void bind_null(int index) { sqlite3_bind_null(stmt_, index); }

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step() { return sqlite3_step(stmt_); }
  // Ends the statement's current run (releasing any read it holds) and
  // forgets its bindings.
  void reset();

  std::int64_t column_int(int column) const { return sqlite3_column_int64(stmt_, column); }
  // Valid until the next step or reset. NULL reads as "".
  std::string_view column_text(int column) const;
  bool column_is_null(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Resets a statement when the scope ends, so that no statement keeps a read
// open between two operations.
class StatementUse {
 public:
  explicit StatementUse(Statement& statement) : statement_(statement) {}
  ~StatementUse() { statement_.reset(); }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;

 private:
  Statement& statement_;
};

// BEGIN IMMEDIATE, COMMIT and ROLLBACK, prepared once per connection.
struct TransactionStatements {
  Statement begin;
  Statement commit;
  Statement rollback;
  int prepare(Database& db);
};

// BEGIN IMMEDIATE on construction; ROLLBACK on destruction unless commit()
// succeeded. Use begin_result() to learn whether the transaction started.
class Transaction {
 public:
  Transaction(Database& db, TransactionStatements& statements);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  int begin_result() const { return begin_result_; }
  int commit();

 private:
  static int run(Statement& statement);

  Database& db_;
  TransactionStatements& statements_;
  int begin_result_;
  bool active_;
};

}  // namespace plandesk::sqlite
