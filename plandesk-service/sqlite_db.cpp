#include "plandesk-service/sqlite_db.h"

namespace plandesk::stand_in {

SqliteDb::SqliteDb(const std::filesystem::path& file) {
  const int rc = sqlite3_open_v2(file.c_str(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    error_ = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  // A second process on the same data folder waits briefly instead of failing.
  sqlite3_busy_timeout(db_, 2000);
}

SqliteDb::~SqliteDb() {
  sqlite3_close(db_);
}

bool SqliteDb::exec(std::string_view sql) {
  if (db_ == nullptr) return false;
  char* message = nullptr;
  const std::string text(sql);
  if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    error_ = message != nullptr ? message : "sqlite error";
    sqlite3_free(message);
    return false;
  }
  return true;
}

SqliteStatement SqliteDb::prepare(std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  if (db_ == nullptr ||
      sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK) {
    if (db_ != nullptr) error_ = sqlite3_errmsg(db_);
    sqlite3_finalize(stmt);
    stmt = nullptr;
  }
  return SqliteStatement(*this, stmt);
}

std::int64_t SqliteDb::last_insert_id() const {
  return sqlite3_last_insert_rowid(db_);
}

int SqliteDb::changes() const {
  return sqlite3_changes(db_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_), done_(other.done_) {
  other.stmt_ = nullptr;
}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(stmt_);
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
  if (stmt_ != nullptr)
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
  if (stmt_ != nullptr) sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

SqliteStatement& SqliteStatement::bind_null(int index) {
  if (stmt_ != nullptr) sqlite3_bind_null(stmt_, index);
  return *this;
}

bool SqliteStatement::step() {
  if (stmt_ == nullptr || done_) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE)
    done_ = true;
  else
    db_->error_ = sqlite3_errmsg(db_->db_);
  return false;
}

std::string SqliteStatement::text(int column) const {
  const auto* data = sqlite3_column_text(stmt_, column);
  if (data == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(data),
                     static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::int64_t SqliteStatement::integer(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

bool SqliteStatement::is_null(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

}  // namespace plandesk::stand_in
