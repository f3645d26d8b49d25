#include "service/endpoints.h"

#include "service/http_request.h"
#include "service/query.h"

namespace plandesk {
namespace {

// Every request but login and registration names the account from ctx.
ServiceUrl account_request(const ServiceContext& ctx, std::string_view path) {
  ServiceUrl url(ctx.base_url, path);
  url.param("username", ctx.user_name).param("password", ctx.password).param("softid", ctx.soft_id);
  return url;
}

}  // namespace

std::string login_url(const ServiceContext& ctx, std::string_view user_name, std::string_view password) {
  return ServiceUrl(ctx.base_url, "/chkuser.asp")
      .param("username", user_name)
      .param("password", password)
      .text();
}

LoginOutcome login(const ServiceContext& ctx, std::string_view user_name, std::string_view password) {
  return read_login_reply(http_get_text(login_url(ctx, user_name, password)));
}

std::string registration_url(const ServiceContext& ctx, const NewAccount& account) {
  return ServiceUrl(ctx.base_url, "/softregchuli1.asp")
      .param("username", account.user_name)
      .param("password", account.password)
      .param("QQ", account.qq)
      .param("tgid", account.promoter_code)
      .text();
}

RegistrationResult register_account(const ServiceContext& ctx, const NewAccount& account) {
  return read_registration_reply(http_get_text(registration_url(ctx, account)));
}

std::string password_change_url(const ServiceContext& ctx, std::string_view new_password) {
  return ServiceUrl(ctx.base_url, "/changechuli.asp")
      .param("username", ctx.user_name)
      .param("oldpassword", ctx.password)
      .param("password", new_password)
      .param("softid", ctx.soft_id)
      .text();
}

bool change_password(const ServiceContext& ctx, std::string_view new_password) {
  return read_password_change_reply(http_get_text(password_change_url(ctx, new_password)));
}

std::string draw_history_url(const ServiceContext& ctx, std::string_view request_code) {
  return account_request(ctx, "/getsj.asp").param("ssc", request_code).param("topnum", "50").text();
}

std::string promotion_text_url(const ServiceContext& ctx) {
  return account_request(ctx, "/gettgc.asp").text();
}

std::string fetch_promotion_text(const ServiceContext& ctx) {
  return read_promotion_text(http_get_text(promotion_text_url(ctx)));
}

std::string referral_list_url(const ServiceContext& ctx) {
  return account_request(ctx, "/gettguser.asp").text();
}

std::vector<ReferralRow> fetch_referral_list(const ServiceContext& ctx) {
  return read_referral_list(http_get_text(referral_list_url(ctx)));
}

std::string bound_account_url(const ServiceContext& ctx) {
  return account_request(ctx, "/getzhifubao.asp").text();
}

BoundAccount fetch_bound_account(const ServiceContext& ctx) {
  return read_bound_account_reply(http_get_text(bound_account_url(ctx)));
}

std::string bind_account_url(const ServiceContext& ctx, std::string_view account,
                             std::string_view holder_name) {
  return account_request(ctx, "/bdzhifubao.asp")
      .param("zhifubao", account)
      .param("zhifubaoname", holder_name)
      .text();
}

bool bind_payout_account(const ServiceContext& ctx, std::string_view account, std::string_view holder_name) {
  return read_bind_reply(http_get_text(bind_account_url(ctx, account, holder_name)));
}

}  // namespace plandesk
