// The whole program in this process against plandesk-service: login, the
// main window's plans settling on new draws, a second start, and a login
// that never happens.

#include <sys/stat.h>

#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>

#include "account/account_texts.h"
#include "account/saved_credentials.h"
#include "plans/plan_store.h"
#include "shell/account_tab.h"
#include "shell/start_up_fixture.h"
#include "ui/decorator_theme.h"

namespace plandesk {
namespace {

using testing::control;

int permissions(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
}

std::size_t settled_plans(PlanStore& store) {
  std::size_t settled = 0;
  for (int type = 1001; type <= 1004; ++type)
    for (const PlanRecord& plan : store.list_plans(type).plans)
      if (plan.jieguo != "等开") ++settled;
  return settled;
}

class ProgramRun : public testing::StartUpTest {};

TEST_F(ProgramRun, LogsInMakesAndSettlesPlansAndComesBackWithThem) {
  start();
  EXPECT_TRUE(login()->isVisible());
  EXPECT_EQ(login_box("用户名_编辑框")->text(), "");  // first start: nothing saved
  EXPECT_TRUE(qApp->styleSheet().isEmpty());

  log_in("demo", "demo123");
  EXPECT_TRUE(started->count() == 1 && quit->isEmpty());
  EXPECT_TRUE(main_window()->isVisible());
  EXPECT_FALSE(qApp->styleSheet().isEmpty()) << "the skin is attached after the login";
  EXPECT_EQ(control<QLabel>(main_window(), "标签1")->text(), "用户名：demo");
  EXPECT_TRUE(control<QRadioButton>(main_window(), "单选框2")->isChecked());
  EXPECT_FALSE(plan_text().isEmpty()) << "the first poll has made the first plans";
  EXPECT_FALSE(last_seen_cqssc().empty());
  QTRY_VERIFY(!control<QPlainTextEdit>(main_window(), "编辑框2")->toPlainText().isEmpty());

  // New draws settle the open plans; every plan of a cycle of 3 is decided
  // within three draws.
  for (int draw = 0; draw < 3; ++draw) {
    const std::string issue = draw_and_tick();
    EXPECT_EQ(last_seen_cqssc(), issue);
  }
  const std::size_t settled = settled_plans(*start_up->store());
  EXPECT_GT(settled, 0u);
  EXPECT_TRUE(plan_text().contains("中") || plan_text().contains("挂"));

  const auto data_folder_mode = permissions(data_dir());
  EXPECT_EQ(data_folder_mode, 0700);
  for (const char* file : {"mcmcsjk.mdb", "mcmpz.ini", "hydwdsys.sht"})
    EXPECT_EQ(permissions(data_file(file)), 0600) << file;

  // Second start: the saved login is offered and Enter logs in; the plans
  // are still there.
  start();
  EXPECT_EQ(login_box("用户名_编辑框")->text(), "demo");
  EXPECT_EQ(login_box("密码_编辑框")->text(), "demo123");
  QSignalSpy second(start_up.get(), &StartUp::started);
  login_box("密码_编辑框")->setFocus();
  QTest::keyClick(login_box("密码_编辑框"), Qt::Key_Return);
  ASSERT_TRUE(second.wait());
  wait_for_cycle();
  EXPECT_GE(settled_plans(*start_up->store()), settled);
}

TEST_F(ProgramRun, PasswordChangesReachTheFeedTheSavedLoginAndTheBind) {
  start();
  log_in("demo", "demo123");
  QTest::mouseClick(control<QPushButton>(main_window(), "按钮4"), Qt::LeftButton);
  auto* password_window = main_window()->findChild<QWidget*>("PasswordWindow");
  ASSERT_NE(password_window, nullptr);
  EXPECT_TRUE(password_window->isVisible());

  const std::pair<const char*, const char*> changes[] = {{"demo123", "newpass1"}, {"newpass1", "newpass2"}};
  for (const auto& [current, next] : changes) {
    for (auto [name, text] :
         {std::pair{"编辑框_原密码", current}, {"编辑框_新密码", next}, {"编辑框_确认密码", next}}) {
      control<QLineEdit>(password_window, name)->clear();
      testing::type_text(control<QLineEdit>(password_window, name), text);
    }
    messages.shown.clear();
    QTest::mouseClick(control<QPushButton>(password_window, "按钮1"), Qt::LeftButton);
    QTRY_COMPARE(messages.texts(), QStringList{account_texts::password_changed});
  }
  EXPECT_EQ(start_up->context().password, "newpass2");
  EXPECT_EQ(read_saved_credentials(data_file("hydwdsys.sht")).password, "newpass2");

  // The feed asks with the new password: the service would refuse the old one.
  const std::string issue = draw_and_tick();
  EXPECT_EQ(last_seen_cqssc(), issue);

  auto* tab = main_window()->findChild<QWidget*>("推广页");
  ASSERT_NE(tab, nullptr);
  testing::type_text(control<QLineEdit>(tab, "编辑框_zhifubao"), "pay@example.com");
  testing::type_text(control<QLineEdit>(tab, "编辑框_zhifubaoname"), "张三");
  messages.shown.clear();
  QTest::mouseClick(control<QPushButton>(tab, "按钮5"), Qt::LeftButton);
  QTRY_COMPARE(messages.texts(), QStringList{"绑定成功！快快推广吧！"});
  EXPECT_FALSE(control<QPushButton>(tab, "按钮5")->isEnabled());
}

TEST_F(ProgramRun, RegistrationFromTheLoginWindowThenLoginAsTheNewUser) {
  start();
  QTest::mouseClick(control<QPushButton>(login(), "按钮3"), Qt::LeftButton);
  auto* registration = testing::find_top_level("RegistrationWindow");
  ASSERT_NE(registration, nullptr);
  EXPECT_FALSE(login()->isVisible());
  const std::pair<const char*, const char*> boxes[] = {{"用户名_编辑框", "newuser1"},
                                                       {"密码_编辑框", "secret1"},
                                                       {"确认密码_编辑框", "secret1"},
                                                       {"QQ_编辑框", "123456"}};
  for (const auto& [name, text] : boxes) testing::type_text(control<QLineEdit>(registration, name), text);
  for (const QString expected : {"注册成功！", "注册失败：用户名已存在"}) {
    messages.shown.clear();
    QTest::mouseClick(control<QPushButton>(registration, "按钮1"), Qt::LeftButton);
    QTRY_COMPARE(messages.texts(), QStringList{expected});
  }
  QTest::mouseClick(control<QPushButton>(registration, "按钮2"), Qt::LeftButton);
  EXPECT_TRUE(login()->isVisible());
  EXPECT_EQ(login_box("用户名_编辑框")->text(), "");  // the new name is not copied over

  log_in("newuser1", "secret1");
  EXPECT_EQ(control<QLabel>(main_window(), "标签1")->text(), "用户名：newuser1");
}

TEST_F(ProgramRun, NoLoginLeavesNothingBehind) {
  struct Case {
    std::string service_url;  // empty: the running service
    const char* password;
    const char* message;
  } cases[] = {
      {"", "wrongpw", account_texts::login_rejected},
      {"http://127.0.0.1:1", "demo123", account_texts::service_unreachable},
  };
  for (const auto& c : cases) {
    start(c.service_url);
    messages.shown.clear();
    type_login("demo", c.password);
    QTest::mouseClick(control<QPushButton>(login(), "登陆按钮"), Qt::LeftButton);
    QTRY_COMPARE(messages.texts(), QStringList{c.message});

    login()->close();
    ASSERT_EQ(quit->count(), 1);
    EXPECT_EQ(quit->at(0).at(0).toInt(), 0);
    EXPECT_EQ(start_up->main_window(), nullptr);
    EXPECT_EQ(start_up->promotion(), nullptr);
    EXPECT_EQ(start_up->store(), nullptr);
    EXPECT_TRUE(qApp->styleSheet().isEmpty()) << "no skin without a login";
    for (const char* file : {"mcmcsjk.mdb", "mcmpz.ini", "hydwdsys.sht"})
      EXPECT_FALSE(std::filesystem::exists(data_file(file))) << file;
  }
}

TEST_F(ProgramRun, ClosingTheMainWindowEndsTheProgram) {
  start();
  log_in("demo", "demo123");
  start_up->close_program();  // as SIGTERM does
  ASSERT_EQ(quit->count(), 1);
  EXPECT_EQ(quit->at(0).at(0).toInt(), 0);
}

}  // namespace
}  // namespace plandesk
