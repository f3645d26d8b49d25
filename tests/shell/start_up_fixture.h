#pragma once
// The program started as main() starts it, in this process: plandesk-service
// on a free port with manual draws, a temporary data folder, the message
// boxes recorded and a fixed clock.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "account/login_window.h"
#include "feed/lottery.h"
#include "support/temp_dir.h"
#include "shell/data_folder.h"
#include "shell/feed_controller.h"
#include "shell/main_window.h"
#include "shell/start_up.h"
#include "support/recording_message_box.h"
#include "support/service_process.h"
#include "support/top_level.h"
#include "support/typing.h"

namespace plandesk::testing {

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() : service(PLANDESK_SERVICE_BINARY, service_dir.path()) { qApp->setStyleSheet({}); }
  ~StartUpTest() override {
    start_up.reset();
    qApp->setStyleSheet({});
  }

  std::filesystem::path data_dir() const { return client_dir / "data"; }
  std::filesystem::path data_file(const char* name) const { return data_dir() / name; }

  // A start of the program: data folder, start-up, login window shown.
  void start(std::string service_url = {}) {
    start_up.reset();
    ASSERT_TRUE(service.running());
    ASSERT_TRUE(prepare_data_folder(data_dir()).ok);
    ProgramOptions options{service_url.empty() ? service.base_url() : service_url, data_dir()};
    start_up = std::make_unique<StartUp>(*qobject_cast<QApplication*>(qApp), options, messages,
                                         [] { return QDateTime(QDate(2030, 1, 1), QTime(12, 0)); });
    quit = std::make_unique<QSignalSpy>(start_up.get(), &StartUp::quit_requested);
    started = std::make_unique<QSignalSpy>(start_up.get(), &StartUp::started);
    start_up->run();
    LoginWindow* login = start_up->login_window();
    ASSERT_NE(login, nullptr);
    QSignalSpy read(login, &LoginWindow::saved_credentials_read);
    ASSERT_TRUE(read.wait());
  }

  LoginWindow* login() const { return start_up->login_window(); }
  QLineEdit* login_box(const char* name) const { return control<QLineEdit>(login(), name); }

  void type_login(const QString& user, const QString& password) {
    for (auto [name, text] : {std::pair{"用户名_编辑框", user}, {"密码_编辑框", password}}) {
      login_box(name)->clear();
      type_text(login_box(name), text);
    }
  }
  // Types and sends a login; waits for the main window and its first poll.
  void log_in(const QString& user, const QString& password) {
    type_login(user, password);
    QSignalSpy first_cycle_ready(start_up.get(), &StartUp::started);
    QTest::mouseClick(control<QPushButton>(login(), "登陆按钮"), Qt::LeftButton);
    ASSERT_TRUE(first_cycle_ready.wait());
    wait_for_cycle();
  }

  MainWindow* main_window() const { return start_up->main_window(); }
  FeedController& feed() const { return main_window()->feed(); }

  // Waits for the feed to apply a poll (the one under way, or the next).
  void wait_for_cycle() {
    QSignalSpy applied(&feed(), &FeedController::cycle_applied);
    if (!feed().poll_in_flight()) feed().tick();
    ASSERT_TRUE(applied.wait());
  }
  // One new cqssc draw at the service, and the tick that fetches it.
  std::string draw_and_tick() {
    const std::string issue = ServiceProcess::issue_of(service.draw("cqssc"));
    QSignalSpy applied(&feed(), &FeedController::cycle_applied);
    feed().tick();
    EXPECT_TRUE(applied.wait());
    return issue;
  }
  std::string last_seen_cqssc() const {
    FeedState state = feed().state();
    return state.last_seen(LotteryCode::cqssc);
  }
  QString plan_text() const { return control<QPlainTextEdit>(main_window(), "编辑框1")->toPlainText(); }

  TempDir service_dir;
  TempDir client_dir;
  ServiceProcess service;
  RecordingMessageBox messages;
  std::unique_ptr<StartUp> start_up;
  std::unique_ptr<QSignalSpy> quit;
  std::unique_ptr<QSignalSpy> started;
};

}  // namespace plandesk::testing
