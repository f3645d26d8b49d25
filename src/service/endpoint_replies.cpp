// Reading the replies of the service endpoints. Markers and separators are
// searched in the reply converted to UTF-8, where a marker cannot match the
// second byte of one Chinese character and the first of the next.

#include <cstddef>

#include "service/endpoints.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

bool contains(std::string_view text, std::string_view marker) {
  return text.find(marker) != std::string_view::npos;
}

// "a<br>b<br>" -> "a", "b", "": every separator ends one piece.
std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t at = text.find(separator, begin);
    if (at == std::string_view::npos) break;
    pieces.push_back(text.substr(begin, at - begin));
    begin = at + separator.size();
  }
  pieces.push_back(text.substr(begin));
  return pieces;
}

// Beyond this many GBK bytes the bound-account reply names an account.
constexpr std::size_t unbound_reply_limit = 10;

}  // namespace

LoginOutcome read_login_reply(std::string_view gbk_reply) {
  const std::string reply = gbk_to_utf8(gbk_reply);
  if (contains(reply, "willcome")) return LoginOutcome::accepted;
  if (contains(reply, "no user")) return LoginOutcome::rejected;
  return LoginOutcome::unreachable;
}

RegistrationResult read_registration_reply(std::string_view gbk_reply) {
  RegistrationResult result;
  result.reply_text = gbk_to_utf8(gbk_reply);
  result.succeeded = contains(result.reply_text, "注册成功");
  return result;
}

bool read_password_change_reply(std::string_view gbk_reply) {
  return contains(gbk_to_utf8(gbk_reply), "成功");
}

std::string read_promotion_text(std::string_view gbk_reply) {
  return gbk_to_utf8(gbk_reply);
}

std::vector<ReferralRow> read_referral_list(std::string_view gbk_reply) {
  const std::string reply = gbk_to_utf8(gbk_reply);
  std::vector<ReferralRow> rows;
  int number = 0;
  for (const auto segment : split(reply, "<br>")) {
    ++number;
    const auto fields = split(segment, "■");
    if (fields.size() != 3) continue;
    rows.push_back({number, std::string(fields[0]), std::string(fields[1]), std::string(fields[2])});
  }
  return rows;
}

BoundAccount read_bound_account_reply(std::string_view gbk_reply) {
  BoundAccount result;
  if (gbk_reply.size() <= unbound_reply_limit) return result;
  result.bound = true;
  const std::string reply = gbk_to_utf8(gbk_reply);
  const auto parts = split(reply, "◆");
  if (parts.size() == 2) result.account = PayoutAccount{std::string(parts[0]), std::string(parts[1])};
  return result;
}

bool read_bind_reply(std::string_view gbk_reply) {
  return contains(gbk_to_utf8(gbk_reply), "ok");
}

}  // namespace plandesk
