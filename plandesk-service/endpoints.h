#pragma once
// The service's pages: each request, already decoded, becomes a reply text.
// Replies are worded so that the client's marker searches read them right:
// refusals never contain the marker of success ("willcome", "注册成功",
// "成功", "ok"), and the bound-account reply is short exactly when nothing
// is bound.

#include <string>
#include <string_view>

#include "plandesk-service/account_store.h"
#include "plandesk-service/date_time.h"
#include "plandesk-service/draw_board.h"
#include "plandesk-service/query_params.h"

namespace plandesk::stand_in {

struct Reply {
  int status = 200;
  std::string text;  // UTF-8; the server encodes it for the wire
};

// Registration and payout-account rules, in GBK bytes.
struct AccountRules {
  static constexpr std::size_t name_min = 5, name_max = 30;
  static constexpr std::size_t password_min = 6, password_max = 30;
  static constexpr std::size_t qq_min = 5, qq_max = 20;
  static constexpr std::size_t payout_account_min = 6, payout_account_max = 50;
  static constexpr std::size_t payout_holder_min = 4, payout_holder_max = 30;
  // Referred users earn their promoter rewards for this many days.
  static constexpr int reward_days = 30;
};

// Draw-history sizes: the default and the cap of "topnum".
inline constexpr std::size_t default_topnum = 50;
inline constexpr std::size_t max_topnum = 200;
inline constexpr std::size_t max_control_draws = 1000;

class Endpoints {
 public:
  Endpoints(AccountStore& accounts, DrawBoard& draws, Clock clock)
      : accounts_(accounts), draws_(draws), clock_(std::move(clock)) {}

  // `path` is the request path ("/chkuser.asp"); unknown paths give 404.
  Reply handle(std::string_view path, const QueryParams& query);

 private:
  Reply login(const QueryParams& query);
  Reply register_account(const QueryParams& query);
  Reply change_password(const QueryParams& query);
  Reply draw_history(const QueryParams& query);
  Reply promotion_text(const QueryParams& query);
  Reply referral_list(const QueryParams& query);
  Reply payout_account(const QueryParams& query);
  Reply bind_payout_account(const QueryParams& query);
  Reply control_draw(const QueryParams& query);
  Reply control_set(const QueryParams& query);

  AccountStore& accounts_;
  DrawBoard& draws_;
  Clock clock_;
};

}  // namespace plandesk::stand_in
