// Takes the pictures of the README: starts plandesk-service with manual
// draws, starts the program in this process with a temporary data folder,
// logs in as demo through the login window, lets a few draws settle plans
// and grabs the windows. Run by scripts/screenshot.
//   plandesk_screenshot OUTPUT_FOLDER

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "account/login_window.h"
#include "support/temp_dir.h"
#include "shell/data_folder.h"
#include "shell/feed_controller.h"
#include "shell/main_window.h"
#include "shell/start_up.h"
#include "support/recording_message_box.h"
#include "support/service_process.h"
#include "support/top_level.h"
#include "support/typing.h"

namespace {

int fail(const char* what) {
  std::fprintf(stderr, "plandesk_screenshot: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (argc != 2) return fail("usage: plandesk_screenshot OUTPUT_FOLDER");
  const QString out = QString::fromLocal8Bit(argv[1]);

  using namespace plandesk;
  testing::TempDir service_dir, client_dir;
  testing::ServiceProcess service(PLANDESK_SERVICE_BINARY, service_dir.path());
  if (!service.running()) return fail("plandesk-service did not start");
  const auto data_dir = client_dir.path() / "data";
  if (!prepare_data_folder(data_dir).ok) return fail("no data folder");

  testing::RecordingMessageBox messages;
  StartUp start_up(app, {service.base_url(), data_dir}, messages);
  start_up.run();
  LoginWindow* login = start_up.login_window();
  QSignalSpy read(login, &LoginWindow::saved_credentials_read);
  if (!read.wait()) return fail("the login window did not come up");
  testing::type_text(testing::control<QLineEdit>(login, "用户名_编辑框"), "demo");
  testing::type_text(testing::control<QLineEdit>(login, "密码_编辑框"), "demo123");
  login->grab().save(out + "/login.png");

  QSignalSpy started(&start_up, &StartUp::started);
  QTest::mouseClick(testing::control<QPushButton>(login, "登陆按钮"), Qt::LeftButton);
  if (!started.wait()) return fail("the login did not succeed");
  FeedController& feed = start_up.main_window()->feed();
  for (int draw = 0; draw <= 4; ++draw) {
    QSignalSpy applied(&feed, &FeedController::cycle_applied);
    if (draw > 0) {
      service.draw("cqssc");
      feed.tick();
    }
    if (!applied.wait()) return fail("no poll was applied");
  }
  auto* plans = testing::control<QPlainTextEdit>(start_up.main_window(), "编辑框1");
  plans->verticalScrollBar()->setValue(0);
  if (!start_up.main_window()->grab().save(out + "/screenshot.png")) return fail("cannot write the picture");
  std::printf("wrote %s/screenshot.png and %s/login.png\n", qPrintable(out), qPrintable(out));
  return 0;
}
