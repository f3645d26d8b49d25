// open_store: finding, checking, creating and (when unusable) setting aside
// the store file.

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <system_error>

#include "plans/plan_store.h"
#include "plans/plan_store_impl.h"

namespace plandesk {
namespace {

namespace fs = std::filesystem;

constexpr int busy_timeout_ms = 2000;

constexpr const char* schema_sql =
    "CREATE TABLE jihua ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "qihao1 INTEGER, qihao2 INTEGER, "
    "zjqihao TEXT, kjh TEXT, ych TEXT, jieguo TEXT, "
    "type INTEGER, yctime TEXT)";

// The covering and pruning look-ups touch only the pending rows of a type;
// the report reads a type's rows in time order without sorting.
constexpr const char* index_sql =
    "CREATE INDEX IF NOT EXISTS jihua_pending ON jihua(type, jieguo, qihao1);"
    "CREATE INDEX IF NOT EXISTS jihua_time ON jihua(type, yctime, id);";

// Sibling files SQLite keeps next to a database; they belong to it and move
// with it.
constexpr std::array<const char*, 3> sibling_suffixes = {"-journal", "-wal", "-shm"};

fs::path with_suffix(const fs::path& path, std::string_view suffix) {
  fs::path result = path;
  result += std::string(suffix);
  return result;
}

std::string open_error(std::string_view detail) {
  return "无法打开计划数据库：" + std::string(detail);
}

enum class Verdict { usable, unusable, failed };

struct Probe {
  Verdict verdict = Verdict::failed;
  std::unique_ptr<PlanStore::Impl> impl;
  std::string error;
};

// Errors that say something about the file's content rather than about
// access to it (a locked or unreadable file is not set aside).
bool is_content_error(int rc) {
  const int primary = rc & 0xff;
  return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_ERROR ||
         primary == SQLITE_SCHEMA;
}

Probe failed(Verdict verdict, std::string error) {
  return {verdict, nullptr, std::move(error)};
}

Probe database_failure(const sqlite::Database& db, int rc) {
  return failed(is_content_error(rc) ? Verdict::unusable : Verdict::failed, open_error(db.error_message()));
}

// SQLite's type affinity of a declared column type.
enum class Affinity { integer, text, blob, real, numeric };

Affinity affinity_of(std::string declared) {
  for (auto& c : declared) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const auto has = [&](const char* part) { return declared.find(part) != std::string::npos; };
  if (has("INT")) return Affinity::integer;
  if (has("CHAR") || has("CLOB") || has("TEXT")) return Affinity::text;
  if (has("BLOB") || declared.empty()) return Affinity::blob;
  if (has("REAL") || has("FLOA") || has("DOUB")) return Affinity::real;
  return Affinity::numeric;
}

// Whether table `jihua` has exactly the store's columns, each with an
// affinity under which the bound values compare and read back as written,
// and `id` as the row id.
Probe check_table(sqlite::Database& db) {
  sqlite::Statement statement;
  int rc = statement.prepare(
      db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE");
  if (rc != SQLITE_OK) return database_failure(db, rc);
  statement.bind_text(1, "jihua");
  rc = statement.step();
  if (rc != SQLITE_ROW) return database_failure(db, rc);
  if (statement.column_int(0) != 1) return failed(Verdict::unusable, open_error("没有计划表 jihua"));
  statement.reset();

  rc = statement.prepare(db, "SELECT name, type, pk FROM pragma_table_info(?1)");
  if (rc != SQLITE_OK) return database_failure(db, rc);
  statement.bind_text(1, "jihua");
  std::set<std::string> seen;
  bool shape_ok = true;
  while ((rc = statement.step()) == SQLITE_ROW) {
    std::string name(statement.column_text(0));
    for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const Affinity affinity = affinity_of(std::string(statement.column_text(1)));
    const bool numeric =
        affinity == Affinity::integer || affinity == Affinity::numeric || affinity == Affinity::real;
    if (name == "id") {
      std::string declared(statement.column_text(1));
      for (auto& c : declared) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      shape_ok = shape_ok && declared == "INTEGER" && statement.column_int(2) == 1;
    } else if (name == "qihao1" || name == "qihao2" || name == "type") {
      shape_ok = shape_ok && numeric;
    } else if (name == "zjqihao" || name == "kjh" || name == "ych" || name == "jieguo") {
      // Numeric affinity would turn a prediction such as 0123 into 123.
      shape_ok = shape_ok && (affinity == Affinity::text || affinity == Affinity::blob);
    } else if (name == "yctime") {
      // The stored time text never looks like a number, so a DATETIME column
      // (numeric affinity) keeps it as written.
      shape_ok = shape_ok && affinity != Affinity::integer && affinity != Affinity::real;
    } else {
      shape_ok = false;
    }
    seen.insert(name);
  }
  if (rc != SQLITE_DONE) return database_failure(db, rc);
  if (!shape_ok || seen.size() != 9) return failed(Verdict::unusable, open_error("计划表 jihua 的结构不符"));

  // A WITHOUT ROWID table has no row id to number new plans.
  rc = statement.prepare(db, "SELECT rowid FROM jihua LIMIT 0");
  if (rc != SQLITE_OK) return database_failure(db, rc);
  return {Verdict::usable, nullptr, {}};
}

bool has_sqlite_header(const fs::path& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = open_error(std::strerror(errno));
    return false;
  }
  char header[16] = {};
  in.read(header, sizeof header);
  return in.gcount() == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
}

// Opens and checks the file at `path`. Only a file that starts like a SQLite
// database is handed to SQLite, so that nothing is ever written into a file
// of another format (SQLite may roll back a journal into it).
Probe probe(const fs::path& path, const Clock& clock) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return failed(Verdict::unusable, open_error("不是普通文件"));
  std::string error;
  if (!has_sqlite_header(path, error)) {
    if (!error.empty()) return failed(Verdict::failed, error);
    return failed(Verdict::unusable, open_error("不是 SQLite 数据库"));
  }

  sqlite::Database db;
  int rc = db.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
  if (rc != SQLITE_OK) return database_failure(db, rc);
  sqlite3_busy_timeout(db.handle(), busy_timeout_ms);
  db.exec("PRAGMA trusted_schema=OFF");

  Probe checked = check_table(db);
  if (checked.verdict != Verdict::usable) return checked;

  // Durability first: every committed step is synced to the disk before the
  // step returns. On a read-only file these fail and every write reports it.
  db.exec("PRAGMA journal_mode=WAL");
  db.exec("PRAGMA synchronous=FULL");
  // A report reads every plan of its type, spread over the whole file; a
  // page cache of up to 64 MiB keeps a large store's pages in memory between
  // reports. (Memory-mapped reads would be faster still, but turn a disk
  // error into a crash.)
  db.exec("PRAGMA cache_size=-65536");
  db.exec(index_sql);

  std::string prepare_error;
  auto impl = PlanStore::Impl::create(std::move(db), path, clock, prepare_error);
  if (!impl) return failed(Verdict::unusable, open_error(prepare_error));
  return {Verdict::usable, std::move(impl), {}};
}

// Renames `from` to `to` unless `to` exists.
bool rename_no_replace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: link and unlink never replace either.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

std::string local_stamp(std::chrono::system_clock::time_point time) {
  const auto t = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

bool anything_at(const fs::path& path) {
  std::error_code ec;
  return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// A name beside `path` that neither it nor its siblings use yet.
fs::path aside_name(const fs::path& path, const Clock& clock) {
  const fs::path base = with_suffix(path, ".unusable-" + local_stamp(clock()));
  for (int n = 1;; ++n) {
    const fs::path candidate = n == 1 ? base : with_suffix(base, "-" + std::to_string(n));
    bool free = !anything_at(candidate);
    for (const char* suffix : sibling_suffixes) free = free && !anything_at(with_suffix(candidate, suffix));
    if (free) return candidate;
  }
}

// Moves the file at `path` and its SQLite siblings to `aside`. A journal left
// beside a fresh store would be played into it, so the siblings go too.
std::string move_aside(const fs::path& path, const fs::path& aside) {
  if (anything_at(path) && !rename_no_replace(path, aside))
    return "无法移开不可用的计划数据库：" + std::string(std::strerror(errno));
  for (const char* suffix : sibling_suffixes) {
    const fs::path sibling = with_suffix(path, suffix);
    if (anything_at(sibling) && !rename_no_replace(sibling, with_suffix(aside, suffix)))
      return "无法移开不可用的计划数据库：" + std::string(std::strerror(errno));
  }
  return {};
}

void remove_with_siblings(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
  for (const char* suffix : sibling_suffixes) fs::remove(with_suffix(path, suffix), ec);
}

// Creates the store with its empty table under a temporary name, owner-only,
// and moves it into place only when complete, so that an interrupted
// creation never leaves a half-made store at the path.
std::string create_store(const fs::path& path) {
  const fs::path temporary = with_suffix(path, ".creating");
  remove_with_siblings(temporary);  // ours, left by an interrupted creation
  const int fd = ::open(temporary.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return open_error(std::strerror(errno));
  ::close(fd);

  sqlite::Database db;
  int rc = db.open(temporary, SQLITE_OPEN_READWRITE);
  if (rc == SQLITE_OK) {
    db.exec("PRAGMA synchronous=FULL");
    rc = db.exec("BEGIN IMMEDIATE");
    if (rc == SQLITE_OK) rc = db.exec(schema_sql);
    if (rc == SQLITE_OK) rc = db.exec(index_sql);
    if (rc == SQLITE_OK) rc = db.exec("COMMIT");
  }
  std::string error = rc == SQLITE_OK ? std::string() : open_error(db.error_message());
  db.close();
  if (error.empty() && !rename_no_replace(temporary, path) && errno != EEXIST)
    error = open_error(std::strerror(errno));
  remove_with_siblings(temporary);
  return error;
}

}  // namespace

OpenStoreResult open_store(const std::filesystem::path& data_dir, Clock clock) {
  if (!clock) clock = [] { return std::chrono::system_clock::now(); };
  OpenStoreResult result;
  std::error_code ec;
  fs::create_directories(data_dir, ec);
  if (!fs::is_directory(data_dir, ec)) {
    result.error = open_error("数据目录不可用");
    return result;
  }
  const fs::path path = data_dir / store_file_name;

  if (anything_at(path)) {
    Probe found = probe(path, clock);
    if (found.verdict == Verdict::usable) {
      result.store = std::make_unique<PlanStore>(std::move(found.impl));
      return result;
    }
    if (found.verdict == Verdict::failed) {
      result.error = std::move(found.error);
      return result;
    }
    const fs::path aside = aside_name(path, clock);
    if (std::string error = move_aside(path, aside); !error.empty()) {
      result.error = std::move(error);
      return result;
    }
    result.set_aside = aside;
  } else {
    // Journal files without their database would be played into the new one.
    bool orphans = false;
    for (const char* suffix : sibling_suffixes) orphans = orphans || anything_at(with_suffix(path, suffix));
    if (orphans) move_aside(path, aside_name(path, clock));
  }

  if (std::string error = create_store(path); !error.empty()) {
    result.error = std::move(error);
    return result;
  }
  Probe created = probe(path, clock);
  if (created.verdict != Verdict::usable) {
    result.error = created.error.empty() ? open_error("新建失败") : std::move(created.error);
    return result;
  }
  result.store = std::make_unique<PlanStore>(std::move(created.impl));
  return result;
}

}  // namespace plandesk
