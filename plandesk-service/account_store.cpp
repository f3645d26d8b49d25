#include "plandesk-service/account_store.h"

namespace plandesk::stand_in {
namespace {

constexpr const char* schema = R"sql(
CREATE TABLE IF NOT EXISTS accounts (
  id             INTEGER PRIMARY KEY AUTOINCREMENT,
  name           TEXT    NOT NULL UNIQUE,
  password_salt  TEXT    NOT NULL,
  password_hash  TEXT    NOT NULL,
  qq             TEXT    NOT NULL,
  referrer_id    INTEGER REFERENCES accounts(id),
  registered_at  INTEGER NOT NULL,
  payout_account TEXT,
  payout_holder  TEXT
);
CREATE INDEX IF NOT EXISTS accounts_by_referrer ON accounts(referrer_id);
)sql";

}  // namespace

AccountStore::AccountStore(const std::filesystem::path& file) : db_(file) {
  ok_ = db_.ok() && db_.exec(schema);
}

std::string AccountStore::error() const {
  const std::lock_guard lock(mutex_);
  return db_.error();
}

bool AccountStore::ensure_account(const NewAccount& account, std::int64_t now) {
  const PasswordHash hash = hash_password(account.password);
  const std::lock_guard lock(mutex_);
  auto find = db_.prepare("SELECT id FROM accounts WHERE name = ?");
  find.bind(1, account.name);
  if (find.step()) return true;
  if (!find.done()) return false;
  return insert(account, hash, now) == RegisterOutcome::created;
}

std::optional<std::int64_t> AccountStore::authenticate(const std::string& name, const std::string& password) {
  std::int64_t id = 0;
  PasswordHash stored;
  {
    const std::lock_guard lock(mutex_);
    auto find = db_.prepare("SELECT id, password_salt, password_hash FROM accounts WHERE name = ?");
    find.bind(1, name);
    if (!find.step()) return std::nullopt;
    id = find.integer(0);
    stored = {find.text(1), find.text(2)};
  }
  // The digest takes a while on purpose; other requests need not wait for it.
  if (!password_matches(password, stored)) return std::nullopt;
  return id;
}

RegisterOutcome AccountStore::register_account(const NewAccount& account, std::int64_t now) {
  const PasswordHash hash = hash_password(account.password);
  const std::lock_guard lock(mutex_);
  return insert(account, hash, now);
}

RegisterOutcome AccountStore::insert(const NewAccount& account, const PasswordHash& hash, std::int64_t now) {
  auto taken = db_.prepare("SELECT 1 FROM accounts WHERE name = ?");
  taken.bind(1, account.name);
  if (taken.step()) return RegisterOutcome::name_taken;
  if (!taken.done()) return RegisterOutcome::failed;

  std::optional<std::int64_t> referrer;
  if (account.promoter_code) {
    auto find = db_.prepare("SELECT id FROM accounts WHERE id = ?");
    find.bind(1, *account.promoter_code - promoter_code_offset);
    if (!find.step()) return find.done() ? RegisterOutcome::promoter_unknown : RegisterOutcome::failed;
    referrer = find.integer(0);
  }

  auto add = db_.prepare(
      "INSERT INTO accounts (name, password_salt, password_hash, qq, referrer_id, registered_at) "
      "VALUES (?, ?, ?, ?, ?, ?)");
  add.bind(1, account.name).bind(2, hash.salt).bind(3, hash.digest).bind(4, account.qq).bind(6, now);
  if (referrer)
    add.bind(5, *referrer);
  else
    add.bind_null(5);
  add.step();
  return add.done() ? RegisterOutcome::created : RegisterOutcome::failed;
}

bool AccountStore::change_password(std::int64_t account_id, const std::string& new_password) {
  const PasswordHash hash = hash_password(new_password);
  const std::lock_guard lock(mutex_);
  auto update = db_.prepare("UPDATE accounts SET password_salt = ?, password_hash = ? WHERE id = ?");
  update.bind(1, hash.salt).bind(2, hash.digest).bind(3, account_id);
  update.step();
  return update.done() && db_.changes() == 1;
}

std::vector<Referral> AccountStore::referrals(std::int64_t account_id) {
  const std::lock_guard lock(mutex_);
  auto list = db_.prepare("SELECT name, registered_at FROM accounts WHERE referrer_id = ? ORDER BY id");
  list.bind(1, account_id);
  std::vector<Referral> result;
  while (list.step()) result.push_back({list.text(0), list.integer(1)});
  return result;
}

std::optional<PayoutAccount> AccountStore::payout_account(std::int64_t account_id) {
  const std::lock_guard lock(mutex_);
  auto find = db_.prepare("SELECT payout_account, payout_holder FROM accounts WHERE id = ?");
  find.bind(1, account_id);
  if (!find.step() || find.is_null(0)) return std::nullopt;
  return PayoutAccount{find.text(0), find.text(1)};
}

BindOutcome AccountStore::bind_payout_account(std::int64_t account_id, const PayoutAccount& payout) {
  const std::lock_guard lock(mutex_);
  // The condition on the column makes bind-once hold even for two binds that
  // arrive at the same time.
  auto update = db_.prepare(
      "UPDATE accounts SET payout_account = ?, payout_holder = ? WHERE id = ? AND payout_account IS NULL");
  update.bind(1, payout.account).bind(2, payout.holder).bind(3, account_id);
  update.step();
  if (!update.done()) return BindOutcome::failed;
  return db_.changes() == 1 ? BindOutcome::bound : BindOutcome::already_bound;
}

}  // namespace plandesk::stand_in
