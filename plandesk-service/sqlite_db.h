#pragma once
// A thin owner of an SQLite connection and its prepared statements, so that
// every handle is finalised and closed on every path.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plandesk::stand_in {

class SqliteStatement;

class SqliteDb {
 public:
  // Opens (creating when missing) the database file. Check ok() afterwards.
  explicit SqliteDb(const std::filesystem::path& file);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  bool ok() const { return db_ != nullptr; }
  const std::string& error() const { return error_; }

  // Runs one or more statements without results; false (and error()) on failure.
  bool exec(std::string_view sql);
  SqliteStatement prepare(std::string_view sql);
  std::int64_t last_insert_id() const;
  int changes() const;

 private:
  friend class SqliteStatement;
  sqlite3* db_ = nullptr;
  std::string error_;
};

class SqliteStatement {
 public:
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&&) = delete;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  ~SqliteStatement();

  bool ok() const { return stmt_ != nullptr; }

  // Parameters are 1-based, as in SQLite.
  SqliteStatement& bind(int index, std::string_view text);
  SqliteStatement& bind(int index, std::int64_t value);
  SqliteStatement& bind_null(int index);

  // Advances to the next row: true while a row is there. A statement without
  // results runs to completion on the first call; done() tells it succeeded.
  bool step();
  bool done() const { return done_; }

  std::string text(int column) const;
  std::int64_t integer(int column) const;
  bool is_null(int column) const;

 private:
  friend class SqliteDb;
  SqliteStatement(SqliteDb& db, sqlite3_stmt* stmt) : db_(&db), stmt_(stmt) {}
  SqliteDb* db_;
  sqlite3_stmt* stmt_;
  bool done_ = false;
};

}  // namespace plandesk::stand_in
