#include "plans/sqlite_db.h"

#include <limits>
#include <utility>

namespace plandesk::sqlite {

Database& Database::operator=(Database&& other) noexcept {
  if (this != &other) {
    close();
    db_ = std::exchange(other.db_, nullptr);
    open_error_ = std::move(other.open_error_);
  }
  return *this;
}

int Database::open(const std::filesystem::path& path, int flags) {
  close();
  open_error_.clear();
  const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    open_error_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    close();
    return rc;
  }
  sqlite3_extended_result_codes(db_, 1);
  return rc;
}

void Database::close() {
  // close_v2 defers the close until statements still alive are finalized,
  // so the order in which owners go away does not matter.
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

int Database::exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

std::string Database::error_message() const {
  if (!db_) return open_error_.empty() ? std::string("database not open") : open_error_;
  return sqlite3_errmsg(db_);
}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    stmt_ = std::exchange(other.stmt_, nullptr);
  }
  return *this;
}

int Statement::prepare(Database& db, std::string_view sql) {
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  if (sql.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return SQLITE_TOOBIG;
  return sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                            &stmt_, nullptr);
}

void Statement::bind_text(int index, std::string_view value) {
  // A null data pointer would bind NULL, so an empty view binds a literal "".
  const char* data = value.empty() ? "" : value.data();
  sqlite3_bind_text64(stmt_, index, data, value.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::string_view Statement::column_text(int column) const {
  const auto* text = sqlite3_column_text(stmt_, column);
  if (!text) return {};
  const int size = sqlite3_column_bytes(stmt_, column);
  return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)};
}

int TransactionStatements::prepare(Database& db) {
  int rc = begin.prepare(db, "BEGIN IMMEDIATE");
  if (rc == SQLITE_OK) rc = commit.prepare(db, "COMMIT");
  if (rc == SQLITE_OK) rc = rollback.prepare(db, "ROLLBACK");
  return rc;
}

int Transaction::run(Statement& statement) {
  StatementUse use(statement);
  const int rc = statement.step();
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

Transaction::Transaction(Database& db, TransactionStatements& statements)
    : db_(db),
      statements_(statements),
      begin_result_(run(statements.begin)),
      active_(begin_result_ == SQLITE_OK) {}

Transaction::~Transaction() {
  // Some errors (a full disk, an I/O error) end the transaction by
  // themselves; a ROLLBACK then has nothing left to undo.
  if (active_ && !sqlite3_get_autocommit(db_.handle())) run(statements_.rollback);
}

int Transaction::commit() {
  if (!active_) return begin_result_ == SQLITE_OK ? SQLITE_MISUSE : begin_result_;
  const int rc = run(statements_.commit);
  if (rc == SQLITE_OK) active_ = false;
  return rc;
}

}  // namespace plandesk::sqlite
