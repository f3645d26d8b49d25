// The account pages: login, registration, password change, promotion text,
// referral list and payout account, as the client reads their replies.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "stand_in_fixture.h"
#include "text/gbk.h"

namespace plandesk::stand_in::testing {
namespace {

bool gbk_contains(std::string_view utf8, std::string_view marker) {
  return utf8_to_gbk(utf8).find(utf8_to_gbk(marker)) != std::string::npos;
}

class AccountPages : public ::testing::Test {
 protected:
  std::string login(std::string_view name, std::string_view password) const {
    return server_.page("/chkuser.asp", {{"username", name}, {"password", password}});
  }
  std::string enrol(std::string_view name, std::string_view password, std::string_view qq = "123456",
                    std::string_view promoter = "") const {
    return server_.page("/softregchuli1.asp",
                        {{"username", name}, {"password", password}, {"QQ", qq}, {"tgid", promoter}});
  }
  std::string change(std::string_view name, std::string_view old_password,
                     std::string_view new_password) const {
    return server_.page(
        "/changechuli.asp",
        {{"username", name}, {"oldpassword", old_password}, {"password", new_password}, {"softid", "1"}});
  }
  std::string account_page(std::string_view path, std::string_view name, std::string_view password) const {
    return server_.page(path, {{"username", name}, {"password", password}, {"softid", "1"}});
  }
  std::string bind(std::string_view name, std::string_view password, std::string_view account,
                   std::string_view holder) const {
    return server_.page("/bdzhifubao.asp", {{"username", name},
                                            {"password", password},
                                            {"softid", "1"},
                                            {"zhifubao", account},
                                            {"zhifubaoname", holder}});
  }

  RunningStandIn server_;
};

TEST_F(AccountPages, LoginAcceptsOnlyAnExistingNameWithItsPassword) {
  struct Case {
    std::string_view name, password, reply;
  } cases[] = {
      {"demo", "demo123", "willcome"}, {"demo", "demo124", "no user"}, {"nobody", "demo123", "no user"},
      {"DEMO", "demo123", "no user"},  {"demo", "", "no user"},        {"", "", "no user"},
  };
  for (const auto& c : cases) EXPECT_EQ(login(c.name, c.password), c.reply) << c.name << " / " << c.password;
}

TEST_F(AccountPages, RegistrationRefusesBadInputWithReasonsTheClientShows) {
  ASSERT_EQ(enrol("alice1", "secret1"), "注册成功");
  struct Case {
    std::string_view name, password, qq, promoter, reply;
  } cases[] = {
      {"abcd", "secret1", "123456", "", "注册失败：用户名长度须为5到30个字节"},
      {std::string_view("abcdefghijklmnopqrstuvwxyz12345"), "secret1", "123456", "",
       "注册失败：用户名长度须为5到30个字节"},
      {"bob smith", "secret1", "123456", "", "注册失败：用户名不能含有空格、尖括号、■或◆"},
      {"bob■smith", "secret1", "123456", "", "注册失败：用户名不能含有空格、尖括号、■或◆"},
      {"bob<br>", "secret1", "123456", "", "注册失败：用户名不能含有空格、尖括号、■或◆"},
      {"bobby", "12345", "123456", "", "注册失败：密码长度须为6到30个字节"},
      {"bobby", "secret1", "1234", "", "注册失败：QQ号码须为5到20位数字"},
      {"bobby", "secret1", "12345a", "", "注册失败：QQ号码须为5到20位数字"},
      {"bobby", "secret1", "123456", "99999", "注册失败：推荐码不存在"},
      {"bobby", "secret1", "123456", "abc", "注册失败：推荐码不存在"},
      {"bobby", "secret1", "123456", "10001x", "注册失败：推荐码不存在"},
      {"alice1", "other12", "654321", "", "注册失败：用户名已存在"},
  };
  for (const auto& c : cases) {
    const std::string reply = enrol(c.name, c.password, c.qq, c.promoter);
    EXPECT_EQ(reply, c.reply) << c.name;
    EXPECT_FALSE(gbk_contains(reply, "注册成功")) << reply;
  }
  // None of the refused names was created; the taken one kept its password.
  EXPECT_EQ(login("bobby", "secret1"), "no user");
  EXPECT_EQ(login("alice1", "secret1"), "willcome");
  EXPECT_EQ(login("alice1", "other12"), "no user");
}

TEST_F(AccountPages, GbkNameAndAwkwardPasswordSurviveTheQueryRoundTrip) {
  // "&", "=", "#", " ", "%" and "+" would all change the query if they were
  // not decoded exactly once.
  const std::string_view name = "计划达人";
  const std::string_view password = "a&b=c#d %+";
  ASSERT_EQ(enrol(name, password), "注册成功");
  EXPECT_EQ(login(name, password), "willcome");
  EXPECT_EQ(login(name, "a"), "no user");

  // Raw GBK bytes in the query are taken as they stand.
  const std::string raw =
      "/chkuser.asp?username=" + utf8_to_gbk(name) + "&password=" + percent_encode(password);
  EXPECT_EQ(server_.get(raw).text(), "willcome");
  // "+" is a space, as in any form-encoded query.
  ASSERT_EQ(enrol("plus_user", "two words"), "注册成功");
  EXPECT_EQ(server_.get("/chkuser.asp?username=plus_user&password=two+words").text(), "willcome");
}

TEST_F(AccountPages, PasswordChangeNeedsTheCurrentPasswordAndTakesEffectAtOnce) {
  struct Step {
    std::string_view old_password, new_password, reply;
  } steps[] = {
      {"wrong12", "newpass1", "修改失败：原密码错误"},
      {"demo123", "short", "修改失败：新密码长度须为6到30个字节"},
      {"demo123", "newpass1", "修改成功"},
      {"demo123", "newpass2", "修改失败：原密码错误"},  // the old one no longer counts
      {"newpass1", "newpass2", "修改成功"},             // a second change quotes the first
  };
  for (const auto& s : steps) {
    const std::string reply = change("demo", s.old_password, s.new_password);
    EXPECT_EQ(reply, s.reply) << s.old_password << " -> " << s.new_password;
    EXPECT_EQ(gbk_contains(reply, "成功"), s.reply == "修改成功") << reply;
  }
  EXPECT_EQ(change("nobody", "demo123", "newpass3"), "修改失败：原密码错误");
  EXPECT_EQ(login("demo", "demo123"), "no user");
  EXPECT_EQ(login("demo", "newpass2"), "willcome");
}

TEST_F(AccountPages, ReferralListHoldsTheUsersRegisteredWithThePromoterCode) {
  // demo is the first account, so its promoter code is 10001.
  EXPECT_NE(account_page("/gettgc.asp", "demo", "demo123").find("10001"), std::string::npos);
  EXPECT_EQ(account_page("/gettguser.asp", "demo", "demo123"), "");

  ASSERT_EQ(enrol("friend1", "secret1", "123456", "10001"), "注册成功");
  ASSERT_EQ(enrol("friend2", "secret2", "123456", "10001"), "注册成功");
  ASSERT_EQ(enrol("stranger", "secret3"), "注册成功");
  // friend1 is account 2: its own referrals do not show up under demo.
  ASSERT_EQ(enrol("grandkid", "secret4", "123456", "10002"), "注册成功");
  EXPECT_NE(account_page("/gettgc.asp", "friend1", "secret1").find("10002"), std::string::npos);

  // Registration time, and the end of the 30-day reward period.
  const std::string row_tail = "■2024-03-01 12:00:00■2024-03-31 12:00:00";
  EXPECT_EQ(account_page("/gettguser.asp", "demo", "demo123"),
            "friend1" + row_tail + "<br>friend2" + row_tail);
  EXPECT_EQ(account_page("/gettguser.asp", "friend1", "secret1"), "grandkid" + row_tail);
  EXPECT_EQ(account_page("/gettguser.asp", "stranger", "secret3"), "");
}

TEST_F(AccountPages, PayoutAccountBindsOnceAndIsReportedWithItsHolder) {
  const auto bound_reply = [&] { return account_page("/getzhifubao.asp", "demo", "demo123"); };
  EXPECT_LE(utf8_to_gbk(bound_reply()).size(), 10u);

  struct Case {
    std::string_view password, account, holder, reply;
  } refusals[] = {
      {"wrong12", "demo@example.com", "张三丰", "绑定失败：用户名或密码错误"},
      {"demo123", "", "张三丰", "绑定失败：支付宝账号不能为空"},
      {"demo123", "a@b.c", "张三丰", "绑定失败：支付宝账号长度须为6到50个字节"},
      {"demo123", "demo@example.com", "张", "绑定失败：姓名长度须为4到30个字节"},
      {"demo123", "demo@example.com", "", "绑定失败：姓名长度须为4到30个字节"},
      {"demo123", "demo@ex◆ample.com", "张三丰", "绑定失败：账号或姓名含有不允许的字符"},
      {"demo123", "demo@example.com", "张◆三丰", "绑定失败：账号或姓名含有不允许的字符"},
  };
  for (const auto& c : refusals) {
    const std::string reply = bind("demo", c.password, c.account, c.holder);
    EXPECT_EQ(reply, c.reply) << c.account << " / " << c.holder;
    EXPECT_FALSE(gbk_contains(reply, "ok")) << reply;
  }
  EXPECT_LE(utf8_to_gbk(bound_reply()).size(), 10u);

  EXPECT_EQ(bind("demo", "demo123", "demo@example.com", "张三"), "ok");
  EXPECT_EQ(bound_reply(), "demo@example.com◆张三");
  EXPECT_GT(utf8_to_gbk(bound_reply()).size(), 10u);

  const std::string again = bind("demo", "demo123", "other@example.com", "李四");
  EXPECT_EQ(again, "绑定失败：已绑定");
  EXPECT_FALSE(gbk_contains(again, "ok"));
  EXPECT_EQ(bound_reply(), "demo@example.com◆张三");
}

TEST_F(AccountPages, AccountPagesRefuseWrongCredentialsWithoutAnySuccessMarker) {
  EXPECT_EQ(account_page("/gettgc.asp", "demo", "wrong12"), "用户名或密码错误");
  EXPECT_EQ(account_page("/gettguser.asp", "demo", "wrong12"), "用户名或密码错误");
  // Short enough to read as "nothing bound" on the client.
  const std::string payout = account_page("/getzhifubao.asp", "nobody", "demo123");
  EXPECT_LE(utf8_to_gbk(payout).size(), 10u);
  const std::string draws = server_.page(
      "/getsj.asp",
      {{"username", "demo"}, {"password", "wrong12"}, {"softid", "1"}, {"ssc", "cqssc"}, {"topnum", "50"}});
  EXPECT_EQ(draws, "用户名或密码错误");
}

TEST(AccountFile, AccountsAndPasswordsOutliveARestart) {
  TempDir data;
  {
    RunningStandIn first(test_settings(data.path()));
    ASSERT_EQ(
        first.page("/softregchuli1.asp",
                   {{"username", "keeper"}, {"password", "secret1"}, {"QQ", "123456"}, {"tgid", "10001"}}),
        "注册成功");
    ASSERT_EQ(
        first.page(
            "/changechuli.asp",
            {{"username", "demo"}, {"oldpassword", "demo123"}, {"password", "changed1"}, {"softid", "1"}}),
        "修改成功");
  }
  RunningStandIn second(test_settings(data.path()));
  EXPECT_EQ(second.page("/chkuser.asp", {{"username", "keeper"}, {"password", "secret1"}}), "willcome");
  // The demo account is made only when missing: its changed password stays.
  EXPECT_EQ(second.page("/chkuser.asp", {{"username", "demo"}, {"password", "changed1"}}), "willcome");
  EXPECT_EQ(second.page("/chkuser.asp", {{"username", "demo"}, {"password", "demo123"}}), "no user");
  EXPECT_EQ(second.page("/gettguser.asp", {{"username", "demo"}, {"password", "changed1"}, {"softid", "1"}}),
            "keeper■2024-03-01 12:00:00■2024-03-31 12:00:00");
}

TEST(AccountFile, PasswordsAreNotStoredInClear) {
  TempDir data;
  {
    RunningStandIn server(test_settings(data.path()));
    ASSERT_EQ(
        server.page(
            "/softregchuli1.asp",
            {{"username", "plainly"}, {"password", "findme-in-the-file"}, {"QQ", "123456"}, {"tgid", ""}}),
        "注册成功");
  }
  std::string bytes;
  for (const auto& entry : std::filesystem::directory_iterator(data.path())) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string file(static_cast<std::size_t>(std::filesystem::file_size(entry.path())), '\0');
    in.read(file.data(), static_cast<std::streamsize>(file.size()));
    bytes += file;
  }
  EXPECT_NE(bytes.find("plainly"), std::string::npos);
  EXPECT_EQ(bytes.find("findme-in-the-file"), std::string::npos);
  EXPECT_EQ(bytes.find("demo123"), std::string::npos);
}

}  // namespace
}  // namespace plandesk::stand_in::testing
