#include "account/registration_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "account/account_fixture.h"
#include "account/account_texts.h"
#include "ui/gbk_validator.h"
#include "ui/pictures.h"

namespace plandesk {
namespace {

using testing::control;

class RegistrationWindowTest : public testing::AccountFixture {
 protected:
  RegistrationWindowTest() : window(new RegistrationWindow(environment(), &owner)), guard(window) {
    window->show();
  }
  ~RegistrationWindowTest() override { delete guard.data(); }

  QLineEdit* box(const char* name) { return control<QLineEdit>(window, name); }
  QPushButton* register_button() { return control<QPushButton>(window, "按钮1"); }

  void fill(const QString& user, const QString& password, const QString& confirmation, const QString& qq,
            const QString& promoter = {}) {
    retype(box("用户名_编辑框"), user);
    retype(box("密码_编辑框"), password);
    retype(box("确认密码_编辑框"), confirmation);
    retype(box("QQ_编辑框"), qq);
    retype(box("推广人_编辑框"), promoter);
  }
  void click_register() {
    messages.shown.clear();
    QTest::mouseClick(register_button(), Qt::LeftButton);
  }

  QWidget owner;
  RegistrationWindow* window;
  QPointer<RegistrationWindow> guard;  // the window destroys itself once it closes
};

TEST_F(RegistrationWindowTest, IsDressedWithTheRegistrationPicture) {
  EXPECT_EQ(window->size(), QSize(395, 346));
  EXPECT_EQ(theme.picture(), QImage::fromData(registration_picture()));
  EXPECT_EQ(box("密码_编辑框")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(box("确认密码_编辑框")->echoMode(), QLineEdit::Password);
}

TEST_F(RegistrationWindowTest, ChecksRunInOrderAndTheFirstFailureDecides) {
  struct Case {
    const char* user;
    const char* password;
    const char* confirmation;
    const char* qq;
    const char* message;
  } cases[] = {
      {"abcd", "", "", "", account_texts::user_name_too_short},  // 4 bytes
      {"中文", "abcdef", "abcdef", "123456", account_texts::user_name_too_short},
      {"abcde", "abcde", "abcdef", "123456", account_texts::password_too_short},
      {"abcde", "abcdef", "abcde", "123456", account_texts::confirmation_too_short},
      {"abcde", "abcdef", "abcdeg", "12345", account_texts::passwords_differ},
      {"abcde", "abcdef", "abcdef", "12345", account_texts::qq_too_short},
      {"abcd😀", "abcdef", "abcdef", "123456", unsupported_characters_message},
  };
  for (const auto& c : cases) {
    fill(c.user, c.password, c.confirmation, c.qq);
    click_register();
    EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.user << " " << c.password << " " << c.qq;
  }
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(RegistrationWindowTest, SendsTheTypedAccountAndShowsTheAnswer) {
  struct Case {
    std::string reply;
    QString message;
  } cases[] = {
      {"注册成功", "注册成功！"},
      {"用户名已存在，注册成功与否请查询", "注册成功！"},  // the marker anywhere decides
      {"用户名已存在", "用户名已存在"},
      {"", ""},  // what a transport failure gives
  };
  for (const auto& c : cases) {
    server.reply("/softregchuli1.asp", utf8_to_gbk(c.reply));
    fill("中文名", "pass&=1", "pass&=1", "12345678", "");
    click_register();
    EXPECT_FALSE(register_button()->isEnabled());
    QTRY_COMPARE(messages.texts(), QStringList{c.message});
    EXPECT_TRUE(register_button()->isEnabled());
    EXPECT_TRUE(window->isVisible());  // stays open, boxes as they were
    EXPECT_EQ(box("用户名_编辑框")->text(), "中文名");
  }
  EXPECT_EQ(received("/softregchuli1.asp", "username"), "中文名");
  EXPECT_EQ(received("/softregchuli1.asp", "password"), "pass&=1");
  EXPECT_EQ(received("/softregchuli1.asp", "QQ"), "12345678");
  EXPECT_EQ(received("/softregchuli1.asp", "tgid"), "");
  EXPECT_EQ(received("/softregchuli1.asp", "softid"), "<absent>");
  EXPECT_TRUE(server.requests().back().target.ends_with("&tgid="));
}

TEST_F(RegistrationWindowTest, PromoterCodeTravelsUnderTgid) {
  server.reply("/softregchuli1.asp", utf8_to_gbk("注册成功"));
  fill("abcde", "abcdef", "abcdef", "123456", "42");
  click_register();
  QTRY_COMPARE(messages.texts().size(), 1);
  EXPECT_EQ(received("/softregchuli1.asp", "tgid"), "42");
}

TEST_F(RegistrationWindowTest, BoxesHoldTheirLimits) {
  struct Case {
    const char* box;
    QString typed;
    QString kept;
  } cases[] = {
      {"用户名_编辑框", QString(31, 'a'), QString(30, 'a')},
      {"用户名_编辑框", QString(16, u'中'), QString(15, u'中')},
      {"密码_编辑框", QString(31, 'b'), QString(30, 'b')},
      {"确认密码_编辑框", QString(31, 'c'), QString(30, 'c')},
      {"QQ_编辑框", "12ab34" + QString(20, '5'), "1234" + QString(16, '5')},
      {"推广人_编辑框", "x9-8 7" + QString(20, '1'), "987" + QString(17, '1')},
  };
  for (const auto& c : cases) {
    retype(box(c.box), c.typed);
    EXPECT_EQ(box(c.box)->text(), c.kept) << c.box;
  }
}

TEST_F(RegistrationWindowTest, CancelClosesTheWindow) {
  QSignalSpy closed(window, &RegistrationWindow::closed);
  QTest::mouseClick(control<QPushButton>(window, "按钮2"), Qt::LeftButton);
  EXPECT_EQ(closed.count(), 1);
  QTRY_VERIFY(guard.isNull());
}

}  // namespace
}  // namespace plandesk
