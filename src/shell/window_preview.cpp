// Developer-only launcher: the main window against a running service, for
// looking at it by hand. Not the program's start-up (login and the rest come
// with the executable).
//   plandesk_window_preview BASE_URL DATA_DIR [LOTTERY] [--screenshot FILE [--tab N]]
#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "feed/lottery.h"
#include "plans/plan_store.h"
#include "shell/account_tab.h"
#include "shell/feed_controller.h"
#include "shell/main_window.h"
#include "ui/message_box.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const auto args = app.arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: %s BASE_URL DATA_DIR [LOTTERY] [--screenshot FILE [--tab N]]\n", argv[0]);
    return 2;
  }
  plandesk::ServiceContext service;
  service.user_name = "demo";
  service.password = "demo123";
  service.base_url = args[1].toStdString();
  const std::filesystem::path data_dir = args[2].toStdString();
  auto lottery = plandesk::LotteryCode::cqssc;
  QString screenshot;
  int tab = 0;
  for (qsizetype i = 3; i < args.size(); ++i) {
    if (args[i] == "--screenshot" && i + 1 < args.size())
      screenshot = args[++i];
    else if (args[i] == "--tab" && i + 1 < args.size())
      tab = args[++i].toInt();
    else if (auto code = plandesk::lottery_from_text(args[i].toStdString()))
      lottery = *code;
  }

  auto opened = plandesk::open_store(data_dir);
  if (!opened.store) {
    std::fprintf(stderr, "%s\n", opened.error.c_str());
    return 1;
  }
  plandesk::QtMessageBox messages;
  plandesk::MainWindow window({service, data_dir, *opened.store, messages});
  window.load_settings();
  window.account_tab().set_user_name(QString::fromStdString(service.user_name));
  window.show();
  window.select_lottery(lottery);
  if (!screenshot.isEmpty()) {
    QObject::connect(&window.feed(), &plandesk::FeedController::cycle_applied, &app, [&] {
      window.findChild<QTabWidget*>(QStringLiteral("选择夹1"))->setCurrentIndex(tab);
      window.grab().save(screenshot);
      app.quit();
    });
  }
  return app.exec();
}
