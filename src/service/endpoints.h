#pragma once
// The catalogue of requests to the plan service. For each endpoint there is
// a URL builder, a pure reader of the GBK reply, and the call that joins them
// through http_get_text. Values passed in and returned are UTF-8.
//
// Replies are read only by case-sensitive marker searches (made on the reply
// converted to UTF-8, so a marker never matches across a Chinese character)
// and by splitting at "◆", "■" and "<br>". An empty reply, which is what
// every transport failure gives, fails every marker test.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/service_context.h"

namespace plandesk {

// ---- login: "/chkuser.asp" ----------------------------------------------

enum class LoginOutcome {
  accepted,     // reply contains "willcome" (decides even beside "no user")
  rejected,     // reply contains "no user": unknown user or wrong password
  unreachable,  // anything else, the empty reply included
};

// Carries the user name and password as typed, not those of ctx; only
// ctx.base_url is used. No softid.
std::string login_url(const ServiceContext& ctx, std::string_view user_name, std::string_view password);
LoginOutcome read_login_reply(std::string_view gbk_reply);
LoginOutcome login(const ServiceContext& ctx, std::string_view user_name, std::string_view password);

// ---- registration: "/softregchuli1.asp" ---------------------------------

struct NewAccount {
  std::string user_name;
  std::string password;
  std::string qq;
  std::string promoter_code;  // may be empty; still sent as "tgid="
};

struct RegistrationResult {
  bool succeeded = false;  // reply contains "注册成功"
  std::string reply_text;  // the whole reply, UTF-8: the service words its own reasons
};

// Only ctx.base_url is used. No softid.
std::string registration_url(const ServiceContext& ctx, const NewAccount& account);
RegistrationResult read_registration_reply(std::string_view gbk_reply);
RegistrationResult register_account(const ServiceContext& ctx, const NewAccount& account);

// ---- password change: "/changechuli.asp" --------------------------------

// Quotes ctx.password as the old password. On success the caller replaces
// ctx.password with the new one.
std::string password_change_url(const ServiceContext& ctx, std::string_view new_password);
bool read_password_change_reply(std::string_view gbk_reply);  // contains "成功"
bool change_password(const ServiceContext& ctx, std::string_view new_password);

// ---- draw history: "/getsj.asp" -----------------------------------------

// request_code is the lottery's code as the service knows it ("sd11x5" for
// the pick-five game); the draw feed reads the reply.
std::string draw_history_url(const ServiceContext& ctx, std::string_view request_code);

// ---- promotion text: "/gettgc.asp" --------------------------------------

std::string promotion_text_url(const ServiceContext& ctx);
std::string read_promotion_text(std::string_view gbk_reply);  // the whole reply
std::string fetch_promotion_text(const ServiceContext& ctx);

// ---- referral list: "/gettguser.asp" ------------------------------------

// One well-formed segment of the reply. Segments are numbered from 1 in reply
// order; a malformed segment is skipped but keeps its number, so the numbers
// of the rows that follow it do not move.
struct ReferralRow {
  int number = 0;
  std::string user_name;
  std::string registration_time;  // as the service sends it
  std::string date_time;          // as the service sends it
};

std::string referral_list_url(const ServiceContext& ctx);
// Segments split at "<br>", fields at "■"; only segments of exactly three
// fields give a row.
std::vector<ReferralRow> read_referral_list(std::string_view gbk_reply);
std::vector<ReferralRow> fetch_referral_list(const ServiceContext& ctx);

// ---- bound payout account: "/getzhifubao.asp" ---------------------------

struct PayoutAccount {
  std::string account;
  std::string holder_name;
};

struct BoundAccount {
  bool bound = false;                    // reply longer than 10 GBK bytes
  std::optional<PayoutAccount> account;  // when a bound reply splits at "◆" into two parts
};

std::string bound_account_url(const ServiceContext& ctx);
BoundAccount read_bound_account_reply(std::string_view gbk_reply);
BoundAccount fetch_bound_account(const ServiceContext& ctx);

// ---- bind a payout account: "/bdzhifubao.asp" ---------------------------

std::string bind_account_url(const ServiceContext& ctx, std::string_view account,
                             std::string_view holder_name);
bool read_bind_reply(std::string_view gbk_reply);  // contains "ok", lower case
bool bind_payout_account(const ServiceContext& ctx, std::string_view account, std::string_view holder_name);

}  // namespace plandesk
