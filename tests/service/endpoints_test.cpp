#include "service/endpoints.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "service/recording_server.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

using testing::RecordingServer;

ServiceContext context(std::string base_url) {
  ServiceContext ctx;
  ctx.user_name = "u1";
  ctx.password = "p1";
  ctx.soft_id = "1";
  ctx.base_url = std::move(base_url);
  return ctx;
}

TEST(EndpointUrls, PathsKeysAndOrder) {
  const ServiceContext ctx = context("http://127.0.0.1:8080");
  const std::pair<std::string, std::string> cases[] = {
      {login_url(ctx, "alice", "secret"), "http://127.0.0.1:8080/chkuser.asp?username=alice&password=secret"},
      {registration_url(ctx, {"bobby", "pass66", "123456", "77"}),
       "http://127.0.0.1:8080/softregchuli1.asp?username=bobby&password=pass66&QQ=123456&tgid=77"},
      {registration_url(ctx, {"bobby", "pass66", "123456", ""}),
       "http://127.0.0.1:8080/softregchuli1.asp?username=bobby&password=pass66&QQ=123456&tgid="},
      {password_change_url(ctx, "newpw1"),
       "http://127.0.0.1:8080/changechuli.asp?username=u1&oldpassword=p1&password=newpw1&softid=1"},
      {draw_history_url(ctx, "sd11x5"),
       "http://127.0.0.1:8080/getsj.asp?username=u1&password=p1&softid=1&ssc=sd11x5&topnum=50"},
      {promotion_text_url(ctx), "http://127.0.0.1:8080/gettgc.asp?username=u1&password=p1&softid=1"},
      {referral_list_url(ctx), "http://127.0.0.1:8080/gettguser.asp?username=u1&password=p1&softid=1"},
      {bound_account_url(ctx), "http://127.0.0.1:8080/getzhifubao.asp?username=u1&password=p1&softid=1"},
      {bind_account_url(ctx, "a@b.cn", "张三"),
       "http://127.0.0.1:8080/"
       "bdzhifubao.asp?username=u1&password=p1&softid=1&zhifubao=a%40b.cn&zhifubaoname=%D5%"
       "C5%C8%FD"},
  };
  for (const auto& [url, expected] : cases) EXPECT_EQ(url, expected);
}

// The keys in the order they arrived, read from the raw request target.
std::vector<std::string> keys_in_order(const std::string& target) {
  std::vector<std::string> keys;
  const auto query = target.find('?');
  if (query == std::string::npos) return keys;
  std::size_t begin = query + 1;
  for (;;) {
    const auto amp = target.find('&', begin);
    const auto pair = target.substr(begin, amp == std::string::npos ? std::string::npos : amp - begin);
    keys.push_back(pair.substr(0, pair.find('=')));
    if (amp == std::string::npos) break;
    begin = amp + 1;
  }
  return keys;
}

// Awkward values must reach the service as the very values typed: one value
// each, decoded there from GBK back to the same text.
TEST(EndpointRequests, ValuesArriveIntactOverHttp) {
  RecordingServer server;
  ServiceContext ctx = context(server.base_url());
  ctx.user_name = "张三 a&b=c#d %+";
  ctx.password = "pw&softid=2#%41+";

  using Pairs = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* path;
    std::function<void()> call;
    Pairs expected;
  };
  const Pairs account = {{"username", ctx.user_name}, {"password", ctx.password}, {"softid", "1"}};
  auto with = [&account](Pairs extra) {
    Pairs all = account;
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
  };
  const Case cases[] = {
      {"/chkuser.asp",
       [&] { login(ctx, "李四&x=y", "a b+c"); },
       {{"username", "李四&x=y"}, {"password", "a b+c"}}},
      {"/softregchuli1.asp",
       [&] {
         register_account(ctx, {"王五#1", "p=q&r", "12345678", ""});
       },
       {{"username", "王五#1"}, {"password", "p=q&r"}, {"QQ", "12345678"}, {"tgid", ""}}},
      {"/changechuli.asp",
       [&] { change_password(ctx, "新密码&1"); },
       {{"username", ctx.user_name},
        {"oldpassword", ctx.password},
        {"password", "新密码&1"},
        {"softid", "1"}}},
      {"/gettgc.asp", [&] { fetch_promotion_text(ctx); }, account},
      {"/gettguser.asp", [&] { fetch_referral_list(ctx); }, account},
      {"/getzhifubao.asp", [&] { fetch_bound_account(ctx); }, account},
      {"/bdzhifubao.asp", [&] { bind_payout_account(ctx, "a@b.com&c=d", "赵六 %20"); },
       with({{"zhifubao", "a@b.com&c=d"}, {"zhifubaoname", "赵六 %20"}})},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const auto before = server.requests().size();
    c.call();
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), before + 1);
    const auto& seen = requests.back();
    EXPECT_EQ(seen.path, c.path);
    std::vector<std::string> expected_keys;
    for (const auto& [key, value] : c.expected) {
      expected_keys.push_back(key);
      ASSERT_EQ(seen.params.count(key), 1u) << key;
      EXPECT_EQ(gbk_to_utf8(seen.params.find(key)->second), value) << key;
    }
    EXPECT_EQ(keys_in_order(seen.target), expected_keys);
    EXPECT_EQ(seen.params.size(), c.expected.size());
  }
}

TEST(EndpointRequests, RepliesAreReadOverHttp) {
  RecordingServer server;
  const ServiceContext ctx = context(server.base_url());
  server.reply("/chkuser.asp", "willcome");
  server.reply("/softregchuli1.asp", utf8_to_gbk("注册成功，请登录"));
  server.reply("/changechuli.asp", utf8_to_gbk("修改成功"));
  server.reply("/gettgc.asp", utf8_to_gbk("推广文字 A&B"));
  server.reply("/gettguser.asp", utf8_to_gbk("甲■2015-03-01■2099-01-01 00:00:00<br>"));
  server.reply("/getzhifubao.asp", utf8_to_gbk("pay@example.com◆钱七"));
  server.reply("/bdzhifubao.asp", "ok");

  EXPECT_EQ(login(ctx, "abc", "def"), LoginOutcome::accepted);
  const auto registration = register_account(ctx, {"abcde", "123456", "123456", ""});
  EXPECT_TRUE(registration.succeeded);
  EXPECT_EQ(registration.reply_text, "注册成功，请登录");
  EXPECT_TRUE(change_password(ctx, "654321"));
  EXPECT_EQ(fetch_promotion_text(ctx), "推广文字 A&B");
  const auto rows = fetch_referral_list(ctx);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].user_name, "甲");
  const auto bound = fetch_bound_account(ctx);
  EXPECT_TRUE(bound.bound);
  ASSERT_TRUE(bound.account.has_value());
  EXPECT_EQ(bound.account->account, "pay@example.com");
  EXPECT_EQ(bound.account->holder_name, "钱七");
  EXPECT_TRUE(bind_payout_account(ctx, "x", "y"));
}

// No service behind the base URL: every call takes its failure branch.
TEST(EndpointRequests, UnreachableServiceFailsEveryCall) {
  std::string base_url;
  {
    RecordingServer gone;
    base_url = gone.base_url();
  }
  const ServiceContext ctx = context(base_url);
  EXPECT_EQ(login(ctx, "abc", "def"), LoginOutcome::unreachable);
  const auto registration = register_account(ctx, {"abcde", "123456", "123456", "1"});
  EXPECT_FALSE(registration.succeeded);
  EXPECT_EQ(registration.reply_text, "");
  EXPECT_FALSE(change_password(ctx, "654321"));
  EXPECT_EQ(fetch_promotion_text(ctx), "");
  EXPECT_TRUE(fetch_referral_list(ctx).empty());
  EXPECT_FALSE(fetch_bound_account(ctx).bound);
  EXPECT_FALSE(bind_payout_account(ctx, "x", "y"));
}

TEST(EndpointReplies, Login) {
  const std::pair<const char*, LoginOutcome> cases[] = {
      {"willcome", LoginOutcome::accepted},
      {"<p>willcome, alice</p>", LoginOutcome::accepted},
      {"no user willcome", LoginOutcome::accepted},  // the first marker decides
      {"willcome no user", LoginOutcome::accepted},
      {"no user", LoginOutcome::rejected},
      {"error: no user", LoginOutcome::rejected},
      {"", LoginOutcome::unreachable},
      {"Willcome", LoginOutcome::unreachable},  // markers are case-sensitive
      {"No User", LoginOutcome::unreachable},
      {"<html>500 Internal Server Error</html>", LoginOutcome::unreachable},
  };
  for (const auto& [reply, outcome] : cases) EXPECT_EQ(read_login_reply(reply), outcome) << reply;
}

TEST(EndpointReplies, RegistrationKeepsTheWholeReply) {
  const std::pair<std::string, bool> cases[] = {
      {"注册成功", true},
      {"恭喜！注册成功，请返回登录", true},
      {"该用户名已存在，请换一个", false},
      {"", false},
  };
  for (const auto& [reply, succeeded] : cases) {
    const auto result = read_registration_reply(utf8_to_gbk(reply));
    EXPECT_EQ(result.succeeded, succeeded) << reply;
    EXPECT_EQ(result.reply_text, reply);
  }
}

TEST(EndpointReplies, PasswordChangeAndBindMarkers) {
  // The GBK bytes B0B3 C9B9 A6A1 are three other characters, yet hold the
  // bytes of "成功" (B3C9 B9A6) across their boundaries; likewise 816F 6B
  // holds "ok". Neither is a marker.
  const std::string false_success("\xB0\xB3\xC9\xB9\xA6\xA1");
  const std::string false_ok("\x81\x6Fk");
  const std::pair<std::string, bool> change_cases[] = {
      {utf8_to_gbk("成功"), true},      {utf8_to_gbk("密码修改成功！"), true},
      {utf8_to_gbk("修改失败"), false}, {"", false},
      {false_success, false},
  };
  for (const auto& [reply, changed] : change_cases)
    EXPECT_EQ(read_password_change_reply(reply), changed) << gbk_to_utf8(reply);

  const std::pair<std::string, bool> bind_cases[] = {
      {"ok", true}, {"bind ok!", true}, {"OK", false}, {"Ok", false}, {"", false}, {false_ok, false},
  };
  for (const auto& [reply, bound] : bind_cases)
    EXPECT_EQ(read_bind_reply(reply), bound) << gbk_to_utf8(reply);
}

TEST(EndpointReplies, PromotionTextIsTheWholeReply) {
  EXPECT_EQ(read_promotion_text(utf8_to_gbk("推广链接：http://x/?a=1&b=2\r\n第二行")),
            "推广链接：http://x/?a=1&b=2\r\n第二行");
  EXPECT_EQ(read_promotion_text(""), "");
}

TEST(EndpointReplies, BoundAccountCountsGbkBytes) {
  struct Case {
    std::string reply;  // UTF-8, sent as GBK
    bool bound;
    std::optional<std::pair<std::string, std::string>> account;
  } cases[] = {
      {"", false, std::nullopt},
      {"1234567890", false, std::nullopt},  // 10 bytes
      {"12345678901", true, std::nullopt},  // 11 bytes, no "◆"
      {"五个中文字", false, std::nullopt},  // 10 GBK bytes, 15 in UTF-8
      {"a◆中", false, std::nullopt},        // short, though it splits
      {"a@b.com◆张三", true, {{"a@b.com", "张三"}}},
      {"1234567890◆", true, {{"1234567890", ""}}},
      {"a@b.com◆张三◆x", true, std::nullopt},  // three parts
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const auto result = read_bound_account_reply(utf8_to_gbk(c.reply));
    EXPECT_EQ(result.bound, c.bound);
    ASSERT_EQ(result.account.has_value(), c.account.has_value());
    if (c.account) {
      EXPECT_EQ(result.account->account, c.account->first);
      EXPECT_EQ(result.account->holder_name, c.account->second);
    }
  }
}

TEST(EndpointReplies, ReferralRowsKeepTheirSegmentNumbers) {
  struct Row {
    int number;
    std::string user_name, registration_time, date_time;
  };
  struct Case {
    std::string reply;  // UTF-8, sent as GBK
    std::vector<Row> rows;
  } cases[] = {
      {"", {}},
      {"a■t1■d1<br>b■t2■d2<br>", {{1, "a", "t1", "d1"}, {2, "b", "t2", "d2"}}},
      {"a■t1■d1", {{1, "a", "t1", "d1"}}},
      {"bad<br>甲■2015-03-01 10:00:00■2015-04-01 10:00:00<br>x■y<br>b■t■d■extra<br>乙■■",
       {{2, "甲", "2015-03-01 10:00:00", "2015-04-01 10:00:00"}, {5, "乙", "", ""}}},
      {"<br><br>c■t■d", {{3, "c", "t", "d"}}},
      {"a■b■c<BR>d■e■f", {}},  // "<BR>" is no separator: one segment of five fields
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const auto rows = read_referral_list(utf8_to_gbk(c.reply));
    ASSERT_EQ(rows.size(), c.rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].number, c.rows[i].number);
      EXPECT_EQ(rows[i].user_name, c.rows[i].user_name);
      EXPECT_EQ(rows[i].registration_time, c.rows[i].registration_time);
      EXPECT_EQ(rows[i].date_time, c.rows[i].date_time);
    }
  }
}

}  // namespace
}  // namespace plandesk
