#include "plandesk-service/endpoints.h"

#include <array>
#include <charconv>
#include <optional>

#include "text/gbk.h"

namespace plandesk::stand_in {
namespace {

constexpr std::string_view bad_credentials = "用户名或密码错误";

Reply bad_request(std::string message) {
  return {400, "bad request: " + std::move(message)};
}

// The values of `keys`, or the name of the first one missing.
template <std::size_t N>
struct Values {
  std::array<std::string, N> values;
  std::string missing;
};

template <std::size_t N>
Values<N> values_of(const QueryParams& query, const std::array<std::string_view, N>& keys) {
  Values<N> result;
  for (std::size_t i = 0; i < N; ++i) {
    const std::string* value = query.find(keys[i]);
    if (value == nullptr) {
      result.missing = keys[i];
      return result;
    }
    result.values[i] = *value;
  }
  return result;
}

Reply missing(const std::string& key) {
  return bad_request("missing value \"" + key + "\"");
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool length_within(std::string_view utf8, std::size_t low, std::size_t high) {
  const std::size_t bytes = gbk_length(utf8);
  return bytes >= low && bytes <= high;
}

// Spaces and the separators of the list replies would break the rows the
// client splits, and "<" ">" would read as markup there.
bool name_has_forbidden_character(std::string_view name) {
  for (const std::string_view bad : {" ", "　", "<", ">", "■", "◆"})
    if (name.find(bad) != std::string_view::npos) return true;
  return false;
}

std::optional<std::uint64_t> parse_number(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "topnum": missing, empty or not a positive number gives the default; a
// larger number than the cap, however large, gives the cap.
std::size_t topnum_of(const QueryParams& query) {
  const std::string* text = query.find("topnum");
  if (text == nullptr || !all_digits(*text)) return default_topnum;
  const auto value = parse_number(*text);
  if (!value) return max_topnum;  // all digits but beyond 64 bits
  if (*value == 0) return default_topnum;
  return *value > max_topnum ? max_topnum : static_cast<std::size_t>(*value);
}

}  // namespace

Reply Endpoints::handle(std::string_view path, const QueryParams& query) {
  if (path == "/chkuser.asp") return login(query);
  if (path == "/softregchuli1.asp") return register_account(query);
  if (path == "/changechuli.asp") return change_password(query);
  if (path == "/getsj.asp") return draw_history(query);
  if (path == "/gettgc.asp") return promotion_text(query);
  if (path == "/gettguser.asp") return referral_list(query);
  if (path == "/getzhifubao.asp") return payout_account(query);
  if (path == "/bdzhifubao.asp") return bind_payout_account(query);
  if (path == "/control/health") return {200, "ok"};
  if (path == "/control/draw") return control_draw(query);
  if (path == "/control/set") return control_set(query);
  return {404, "not found: " + std::string(path)};
}

Reply Endpoints::login(const QueryParams& query) {
  const auto in = values_of<2>(query, {"username", "password"});
  if (!in.missing.empty()) return missing(in.missing);
  if (accounts_.authenticate(in.values[0], in.values[1])) return {200, "willcome"};
  return {200, "no user"};
}

Reply Endpoints::register_account(const QueryParams& query) {
  const auto in = values_of<3>(query, {"username", "password", "QQ"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto& [name, password, qq] = in.values;
  const std::string* promoter = query.find("tgid");  // may be absent or empty: no promoter

  if (!length_within(name, AccountRules::name_min, AccountRules::name_max))
    return {200, "注册失败：用户名长度须为5到30个字节"};
  if (name_has_forbidden_character(name)) return {200, "注册失败：用户名不能含有空格、尖括号、■或◆"};
  if (!length_within(password, AccountRules::password_min, AccountRules::password_max))
    return {200, "注册失败：密码长度须为6到30个字节"};
  if (!all_digits(qq) || qq.size() < AccountRules::qq_min || qq.size() > AccountRules::qq_max)
    return {200, "注册失败：QQ号码须为5到20位数字"};

  NewAccount account{name, password, qq, std::nullopt};
  if (promoter != nullptr && !promoter->empty()) {
    const auto code = all_digits(*promoter) ? parse_number(*promoter) : std::nullopt;
    if (!code || *code > INT64_MAX / 2) return {200, "注册失败：推荐码不存在"};
    account.promoter_code = static_cast<std::int64_t>(*code);
  }
  switch (accounts_.register_account(account, to_unix_seconds(clock_()))) {
    case RegisterOutcome::created:
      return {200, "注册成功"};
    case RegisterOutcome::name_taken:
      return {200, "注册失败：用户名已存在"};
    case RegisterOutcome::promoter_unknown:
      return {200, "注册失败：推荐码不存在"};
    case RegisterOutcome::failed:
      break;
  }
  return {500, "注册失败：服务器内部错误"};
}

Reply Endpoints::change_password(const QueryParams& query) {
  const auto in = values_of<3>(query, {"username", "oldpassword", "password"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto id = accounts_.authenticate(in.values[0], in.values[1]);
  if (!id) return {200, "修改失败：原密码错误"};
  if (!length_within(in.values[2], AccountRules::password_min, AccountRules::password_max))
    return {200, "修改失败：新密码长度须为6到30个字节"};
  if (!accounts_.change_password(*id, in.values[2])) return {500, "修改失败：服务器内部错误"};
  return {200, "修改成功"};
}

Reply Endpoints::draw_history(const QueryParams& query) {
  const auto in = values_of<3>(query, {"username", "password", "ssc"});
  if (!in.missing.empty()) return missing(in.missing);
  if (!accounts_.authenticate(in.values[0], in.values[1])) return {200, std::string(bad_credentials)};
  const auto game = game_from_code(in.values[2]);
  if (!game) return {200, "彩种不存在：" + in.values[2]};
  std::string text;
  for (const Draw& draw : draws_.newest(*game, topnum_of(query))) text += record_text(draw);
  return {200, text};
}

Reply Endpoints::promotion_text(const QueryParams& query) {
  const auto in = values_of<2>(query, {"username", "password"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto id = accounts_.authenticate(in.values[0], in.values[1]);
  if (!id) return {200, std::string(bad_credentials)};
  const std::string code = std::to_string(AccountStore::promoter_code(*id));
  return {200, "您的推荐码：" + code + "。好友注册时在“推荐码”一栏填写" + code +
                   "，即成为您的下级用户；下级用户注册后" + std::to_string(AccountRules::reward_days) +
                   "天内为推广奖励期，详情见下方推广成绩单。"};
}

Reply Endpoints::referral_list(const QueryParams& query) {
  const auto in = values_of<2>(query, {"username", "password"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto id = accounts_.authenticate(in.values[0], in.values[1]);
  if (!id) return {200, std::string(bad_credentials)};
  std::string text;
  for (const Referral& referral : accounts_.referrals(*id)) {
    if (!text.empty()) text += "<br>";
    const std::int64_t reward_end = referral.registered_at + std::int64_t{AccountRules::reward_days} * 86400;
    text += referral.name + "■" + local_date_time_text(referral.registered_at) + "■" +
            local_date_time_text(reward_end);
  }
  return {200, text};
}

Reply Endpoints::payout_account(const QueryParams& query) {
  const auto in = values_of<2>(query, {"username", "password"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto id = accounts_.authenticate(in.values[0], in.values[1]);
  // Both refusals stay within 10 GBK bytes, the client's "nothing bound".
  if (!id) return {200, "密码错误"};
  const auto payout = accounts_.payout_account(*id);
  if (!payout) return {200, "none"};
  return {200, payout->account + "◆" + payout->holder};
}

Reply Endpoints::bind_payout_account(const QueryParams& query) {
  const auto in = values_of<4>(query, {"username", "password", "zhifubao", "zhifubaoname"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto& [name, password, account, holder] = in.values;
  const auto id = accounts_.authenticate(name, password);
  if (!id) return {200, "绑定失败：用户名或密码错误"};
  if (account.empty()) return {200, "绑定失败：支付宝账号不能为空"};
  if (!length_within(account, AccountRules::payout_account_min, AccountRules::payout_account_max))
    return {200, "绑定失败：支付宝账号长度须为6到50个字节"};
  if (!length_within(holder, AccountRules::payout_holder_min, AccountRules::payout_holder_max))
    return {200, "绑定失败：姓名长度须为4到30个字节"};
  if (name_has_forbidden_character(account) || holder.find("◆") != std::string::npos)
    return {200, "绑定失败：账号或姓名含有不允许的字符"};
  switch (accounts_.bind_payout_account(*id, {account, holder})) {
    case BindOutcome::bound:
      return {200, "ok"};
    case BindOutcome::already_bound:
      return {200, "绑定失败：已绑定"};
    case BindOutcome::failed:
      break;
  }
  return {500, "绑定失败：服务器内部错误"};
}

Reply Endpoints::control_draw(const QueryParams& query) {
  const std::string* code = query.find("ssc");
  if (code == nullptr) return missing("ssc");
  const auto game = game_from_code(*code);
  if (!game) return bad_request("unknown lottery \"" + *code + "\"");
  std::size_t count = 1;
  if (const std::string* text = query.find("count")) {
    const auto value = all_digits(*text) ? parse_number(*text) : std::nullopt;
    if (!value || *value == 0 || *value > max_control_draws)
      return bad_request("count must be a number from 1 to " + std::to_string(max_control_draws));
    count = static_cast<std::size_t>(*value);
  }
  Draw newest;
  for (std::size_t i = 0; i < count; ++i) newest = draws_.draw_next(*game);
  return {200, record_text(newest)};
}

Reply Endpoints::control_set(const QueryParams& query) {
  const auto in = values_of<3>(query, {"ssc", "issue", "numbers"});
  if (!in.missing.empty()) return missing(in.missing);
  const auto game = game_from_code(in.values[0]);
  if (!game) return bad_request("unknown lottery \"" + in.values[0] + "\"");
  if (!valid_issue(*game, in.values[1]))
    return bad_request("\"" + in.values[1] + "\" is no " + in.values[0] + " issue");
  if (!valid_numbers(*game, in.values[2]))
    return bad_request("\"" + in.values[2] + "\" are no " + in.values[0] + " numbers");
  const auto draw = draws_.set_newest(*game, in.values[1], in.values[2]);
  return {200, record_text(*draw)};
}

}  // namespace plandesk::stand_in
