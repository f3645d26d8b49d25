#pragma once
// The service's accounts in an SQLite file: name, password digest, QQ number,
// the account that referred it, registration time and the bound payout
// account. One connection, guarded by a mutex: the HTTP server calls in from
// its thread pool.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "plandesk-service/password_hash.h"
#include "plandesk-service/sqlite_db.h"

namespace plandesk::stand_in {

struct NewAccount {
  std::string name;
  std::string password;
  std::string qq;
  std::optional<std::int64_t> promoter_code;  // the referring account's code
};

enum class RegisterOutcome { created, name_taken, promoter_unknown, failed };
enum class BindOutcome { bound, already_bound, failed };

struct Referral {
  std::string name;
  std::int64_t registered_at;  // seconds since the epoch
};

struct PayoutAccount {
  std::string account;
  std::string holder;
};

class AccountStore {
 public:
  // An account's promoter code is its id plus this offset.
  static constexpr std::int64_t promoter_code_offset = 10000;

  // Opens or creates the file; check ok() / error() afterwards.
  explicit AccountStore(const std::filesystem::path& file);

  bool ok() const { return ok_; }
  std::string error() const;

  // Creates the account unless one of that name exists (the demo account).
  bool ensure_account(const NewAccount& account, std::int64_t now);

  // The account id when the name exists and the password matches.
  std::optional<std::int64_t> authenticate(const std::string& name, const std::string& password);

  RegisterOutcome register_account(const NewAccount& account, std::int64_t now);
  bool change_password(std::int64_t account_id, const std::string& new_password);

  static std::int64_t promoter_code(std::int64_t account_id) { return account_id + promoter_code_offset; }

  // The accounts registered with this account's promoter code, oldest first.
  std::vector<Referral> referrals(std::int64_t account_id);

  std::optional<PayoutAccount> payout_account(std::int64_t account_id);
  // A payout account is bound once; a second bind is refused.
  BindOutcome bind_payout_account(std::int64_t account_id, const PayoutAccount& payout);

 private:
  RegisterOutcome insert(const NewAccount& account, const PasswordHash& hash, std::int64_t now);

  mutable std::mutex mutex_;
  SqliteDb db_;
  bool ok_ = false;
};

}  // namespace plandesk::stand_in
