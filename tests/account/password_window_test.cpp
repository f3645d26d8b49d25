#include "account/password_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "account/account_fixture.h"
#include "account/account_texts.h"
#include "account/saved_credentials.h"
#include "ui/gbk_validator.h"

namespace plandesk {
namespace {

using testing::control;

class PasswordWindowTest : public testing::AccountFixture {
 protected:
  PasswordWindowTest() {
    context.user_name = "demo";
    context.password = "demo123";
    window = new PasswordWindow(context, dir / credentials_file_name, messages, &owner);
    guard = window;
    window->show();
  }
  ~PasswordWindowTest() override { delete guard.data(); }

  void change(const QString& current, const QString& new_password, const QString& confirmation) {
    retype(control<QLineEdit>(window, "编辑框_原密码"), current);
    retype(control<QLineEdit>(window, "编辑框_新密码"), new_password);
    retype(control<QLineEdit>(window, "编辑框_确认密码"), confirmation);
    messages.shown.clear();
    QTest::mouseClick(button(), Qt::LeftButton);
  }
  QPushButton* button() { return control<QPushButton>(window, "按钮1"); }

  QWidget owner;
  PasswordWindow* window;
  QPointer<PasswordWindow> guard;  // the window destroys itself once it closes
};

TEST_F(PasswordWindowTest, HasItsCaptionSizeAndMaskedBoxes) {
  EXPECT_EQ(window->windowTitle(), "修改密码");
  EXPECT_EQ(window->size(), QSize(223, 239));
  EXPECT_EQ(button()->text(), "修 改");
  for (const char* name : {"编辑框_原密码", "编辑框_新密码", "编辑框_确认密码"})
    EXPECT_EQ(control<QLineEdit>(window, name)->echoMode(), QLineEdit::Password) << name;
}

TEST_F(PasswordWindowTest, ChecksComeBeforeAnyRequest) {
  context.password = "abcde";
  struct Case {
    const char* current;
    const char* new_password;
    const char* confirmation;
    const char* message;
  } cases[] = {
      {"abcde", "newpass1", "newpass1", account_texts::new_password_too_short},  // right, but 5 bytes
      {"abcdef", "newpa", "newpass1", account_texts::new_password_too_short},
      {"abcdef", "newpass1", "newpa", account_texts::new_password_too_short},
      {"abcdef", "newpass1", "newpass2", account_texts::wrong_current_password},
      {"abcdeX", "newpass1", "newpass1", account_texts::wrong_current_password},
  };
  for (const auto& c : cases) {
    change(c.current, c.new_password, c.confirmation);
    EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.current << " " << c.new_password;
  }
  context.password = "demo123";
  change("demo123", "newpass1", "newpass2");
  EXPECT_EQ(messages.texts(), QStringList{account_texts::confirmation_differs});
  change("demo123", "newpass😀", "newpass😀");
  EXPECT_EQ(messages.texts(), QStringList{unsupported_characters_message});
  EXPECT_TRUE(server.requests().empty());
  EXPECT_EQ(context.password, "demo123");
}

TEST_F(PasswordWindowTest, TwoChangesInOneWindowEachQuoteTheCurrentPassword) {
  server.reply("/changechuli.asp", utf8_to_gbk("修改成功"));
  change("demo123", "newpass1", "newpass1");
  EXPECT_FALSE(button()->isEnabled());
  QTRY_COMPARE(messages.texts(), QStringList{account_texts::password_changed});
  EXPECT_TRUE(button()->isEnabled());
  EXPECT_EQ(context.password, "newpass1");
  EXPECT_EQ(received("/changechuli.asp", "oldpassword"), "demo123");

  change("demo123", "newpass2", "newpass2");  // the old password is no longer the current one
  EXPECT_EQ(messages.texts(), QStringList{account_texts::wrong_current_password});

  change("newpass1", "newpass2", "newpass2");
  QTRY_COMPARE(messages.texts(), QStringList{account_texts::password_changed});
  EXPECT_EQ(context.password, "newpass2");
  EXPECT_EQ(received("/changechuli.asp", "username"), "demo");
  EXPECT_EQ(received("/changechuli.asp", "oldpassword"), "newpass1");
  EXPECT_EQ(received("/changechuli.asp", "password"), "newpass2");
  EXPECT_EQ(received("/changechuli.asp", "softid"), "1");
  EXPECT_TRUE(window->isVisible());
}

TEST_F(PasswordWindowTest, RefusedChangeLeavesEverythingAsItWas) {
  ASSERT_TRUE(save_credentials(dir / credentials_file_name, {"demo", "demo123"}).ok);
  for (const std::string reply : {"", "失败", "fail"}) {
    server.reply("/changechuli.asp", utf8_to_gbk(reply));
    change("demo123", "newpass1", "newpass1");
    QTRY_COMPARE(messages.texts(), QStringList{account_texts::password_not_changed});
    EXPECT_EQ(context.password, "demo123");
  }
  EXPECT_EQ(read_saved_credentials(dir / credentials_file_name).password, "demo123");
}

TEST_F(PasswordWindowTest, SavedLoginOfTheSameUserFollowsTheChange) {
  server.reply("/changechuli.asp", utf8_to_gbk("成功"));
  struct Case {
    const char* saved_user;
    const char* saved_password_after;
  } cases[] = {{"demo", "changed1"}, {"someone", "demo123"}};
  for (const auto& c : cases) {
    context.password = "demo123";
    ASSERT_TRUE(save_credentials(dir / credentials_file_name, {c.saved_user, "demo123"}).ok);
    change("demo123", "changed1", "changed1");
    QTRY_COMPARE(messages.texts().size(), 1);
    EXPECT_EQ(read_saved_credentials(dir / credentials_file_name).password, c.saved_password_after)
        << c.saved_user;
  }
}

TEST_F(PasswordWindowTest, StaysOpenUntilTheAnswerIsIn) {
  server.reply("/changechuli.asp", utf8_to_gbk("成功"));
  change("demo123", "newpass1", "newpass1");
  window->close();
  EXPECT_TRUE(window->isVisible());
  QTRY_COMPARE(messages.texts().size(), 1);
  EXPECT_EQ(context.password, "newpass1");
  window->close();
  QTRY_VERIFY(guard.isNull());
}

}  // namespace
}  // namespace plandesk
