#include "account/login_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "account/account_fixture.h"
#include "account/account_texts.h"
#include "account/saved_credentials.h"
#include "ui/gbk_validator.h"
#include "ui/pictures.h"

namespace plandesk {
namespace {

using testing::control;

class LoginWindowTest : public testing::AccountFixture {
 protected:
  // A login window shown as start-up shows it, once it has read the saved
  // credentials.
  LoginWindow* open() {
    auto* w = new LoginWindow(environment());
    window = guard = w;
    QSignalSpy read(w, &LoginWindow::saved_credentials_read);
    w->show();
    EXPECT_TRUE(read.wait());
    finished = std::make_unique<QSignalSpy>(w, &LoginWindow::finished);
    return w;
  }
  QLineEdit* user_box() { return control<QLineEdit>(window, "用户名_编辑框"); }
  QLineEdit* password_box() { return control<QLineEdit>(window, "密码_编辑框"); }
  QPushButton* login_button() { return control<QPushButton>(window, "登陆按钮"); }

  void log_in_as(const QString& user, const QString& password) {
    retype(user_box(), user);
    retype(password_box(), password);
    QTest::mouseClick(login_button(), Qt::LeftButton);
  }
  void wait_until_answered() { QTRY_VERIFY(login_button()->isEnabled()); }

  ~LoginWindowTest() override { delete guard.data(); }

  LoginWindow* window = nullptr;
  QPointer<LoginWindow> guard;  // the window destroys itself once it closes
  std::unique_ptr<QSignalSpy> finished;
};

TEST_F(LoginWindowTest, HasItsControlsAndMaskedPassword) {
  open();
  EXPECT_EQ(window->size(), QSize(500, 340));
  EXPECT_EQ(login_button()->text(), "登  陆");
  EXPECT_EQ(control<QPushButton>(window, "按钮3")->text(), "注册账号");
  EXPECT_EQ(password_box()->echoMode(), QLineEdit::Password);
  QStringList labels;
  for (auto* l : window->findChildren<QLabel*>()) labels << l->text();
  EXPECT_TRUE(labels.contains("账  号：") && labels.contains("密  码："));
  EXPECT_EQ(theme.picture(), QImage::fromData(login_picture()));
}

TEST_F(LoginWindowTest, OffersTheSavedLoginAfterItsDelay) {
  ASSERT_TRUE(save_credentials(dir / credentials_file_name, {"张三丰", "secret"}).ok);
  auto* w = new LoginWindow(environment());
  window = guard = w;
  w->show();
  EXPECT_EQ(user_box()->text(), "");  // not yet: the file is read 500 ms after creation
  QSignalSpy read(w, &LoginWindow::saved_credentials_read);
  ASSERT_TRUE(read.wait());
  EXPECT_EQ(user_box()->text(), "张三丰");
  EXPECT_EQ(password_box()->text(), "secret");
}

TEST_F(LoginWindowTest, WithoutSavedLoginBothBoxesStayEmpty) {
  open();
  EXPECT_EQ(user_box()->text(), "");
  EXPECT_EQ(password_box()->text(), "");
}

TEST_F(LoginWindowTest, WhatTheUserTypedFirstIsNotOverwritten) {
  ASSERT_TRUE(save_credentials(dir / credentials_file_name, {"demo", "demo123"}).ok);
  auto* w = new LoginWindow(environment());
  window = guard = w;
  QSignalSpy read(w, &LoginWindow::saved_credentials_read);
  w->show();
  testing::type_text(user_box(), "alice");
  ASSERT_TRUE(read.wait());
  EXPECT_EQ(user_box()->text(), "alice");
  EXPECT_EQ(password_box()->text(), "");
}

TEST_F(LoginWindowTest, ShortOrUnusableInputIsRefusedWithoutARequest) {
  struct Case {
    const char* user;
    const char* password;
    const char* message;
  } cases[] = {
      {"", "abc", account_texts::enter_user_name},      {"ab", "abc", account_texts::enter_user_name},
      {"中", "abc", account_texts::enter_user_name},  // 2 GBK bytes
      {"abc", "", account_texts::enter_password},       {"abc", "中", account_texts::enter_password},
      {"abc😀", "abcd", unsupported_characters_message}, {"abcd", "pw😀", unsupported_characters_message},
  };
  open();
  for (const auto& c : cases) {
    messages.shown.clear();
    log_in_as(c.user, c.password);
    EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.user << " / " << c.password;
    EXPECT_EQ(messages.shown.at(0).icon, MessageIcon::none);
  }
  EXPECT_TRUE(server.requests().empty());
  EXPECT_EQ(finished->count(), 0);
}

TEST_F(LoginWindowTest, FailedLoginsExplainEmptyTheBoxesAndKeepTheSavedLogin) {
  ASSERT_TRUE(save_credentials(dir / credentials_file_name, {"demo", "demo123"}).ok);
  const std::string saved_before = testing::read_bytes(dir / credentials_file_name);
  struct Case {
    std::string reply;
    const char* message;
  } cases[] = {
      {"no user", account_texts::login_rejected},
      {"", account_texts::service_unreachable},
      {"Willcome", account_texts::service_unreachable},  // markers are case-sensitive
      {"<html>500</html>", account_texts::service_unreachable},
  };
  open();
  for (const auto& c : cases) {
    server.reply("/chkuser.asp", c.reply);
    messages.shown.clear();
    log_in_as("demo", "wrongpw");
    wait_until_answered();
    ASSERT_EQ(messages.texts(), QStringList{c.message}) << c.reply;
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::information);
    EXPECT_EQ(user_box()->text(), "");
    EXPECT_EQ(password_box()->text(), "");
    EXPECT_EQ(login_button()->text(), "登陆");
    EXPECT_TRUE(window->isVisible());
  }
  EXPECT_EQ(finished->count(), 0);
  EXPECT_FALSE(window->login_succeeded());
  EXPECT_EQ(testing::read_bytes(dir / credentials_file_name), saved_before);
  EXPECT_EQ(context.user_name, "");
}

TEST_F(LoginWindowTest, AcceptedLoginFillsTheContextSavesAndCloses) {
  for (const std::string reply : {"willcome", "no user ... willcome"}) {
    server.reply("/chkuser.asp", utf8_to_gbk(reply));
    open();
    log_in_as("张三丰", "p&ss=1");
    ASSERT_TRUE(finished->wait()) << reply;
    EXPECT_EQ(finished->at(0).at(0).toBool(), true);
    QTRY_VERIFY(guard.isNull());  // destroyed once closed
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(received("/chkuser.asp", "username"), "张三丰");
    EXPECT_EQ(received("/chkuser.asp", "password"), "p&ss=1");
    EXPECT_EQ(context.user_name, "张三丰");
    EXPECT_EQ(context.password, "p&ss=1");
    const SavedCredentials saved = read_saved_credentials(dir / credentials_file_name);
    EXPECT_EQ(saved.user_name, "张三丰");
    EXPECT_EQ(saved.password, "p&ss=1");
  }
}

TEST_F(LoginWindowTest, EnterInThePasswordBoxLogsIn) {
  ASSERT_TRUE(save_credentials(dir / credentials_file_name, {"demo", "demo123"}).ok);
  server.reply("/chkuser.asp", "willcome");
  open();
  password_box()->setFocus();
  QTest::keyClick(password_box(), Qt::Key_Return);
  ASSERT_TRUE(finished->wait());
  EXPECT_EQ(received("/chkuser.asp", "username"), "demo");
  EXPECT_EQ(received("/chkuser.asp", "password"), "demo123");
}

TEST_F(LoginWindowTest, ButtonsRestWhileTheServiceAnswers) {
  server.reply("/chkuser.asp", "no user");
  open();
  log_in_as("demo", "demo123");
  EXPECT_FALSE(login_button()->isEnabled());
  EXPECT_FALSE(control<QPushButton>(window, "按钮3")->isEnabled());
  QTest::keyClick(password_box(), Qt::Key_Return);  // a second attempt meanwhile sends nothing
  wait_until_answered();
  EXPECT_TRUE(control<QPushButton>(window, "按钮3")->isEnabled());
  EXPECT_EQ(requests_to("/chkuser.asp"), 1u);
  EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(LoginWindowTest, ClosingWithoutLoginReportsNoLogin) {
  open();
  window->close();
  ASSERT_EQ(finished->count(), 1);
  EXPECT_EQ(finished->at(0).at(0).toBool(), false);
  EXPECT_FALSE(std::filesystem::exists(dir / credentials_file_name));
}

TEST_F(LoginWindowTest, RegistrationHidesTheLoginUntilItCloses) {
  open();
  testing::type_text(user_box(), "typed");
  QTest::mouseClick(control<QPushButton>(window, "按钮3"), Qt::LeftButton);
  auto* registration = testing::find_top_level("RegistrationWindow");
  ASSERT_NE(registration, nullptr);
  EXPECT_TRUE(registration->isVisible());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(registration->parentWidget(), window);
  EXPECT_EQ(theme.picture(), QImage::fromData(registration_picture()));

  QTest::mouseClick(control<QPushButton>(registration, "按钮2"), Qt::LeftButton);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(theme.picture(), QImage::fromData(login_picture()));
  EXPECT_EQ(user_box()->text(), "typed");
  QTRY_COMPARE(testing::find_top_level("RegistrationWindow"), nullptr);
  EXPECT_EQ(finished->count(), 0);
}

}  // namespace
}  // namespace plandesk
