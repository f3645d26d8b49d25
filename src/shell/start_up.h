#pragma once
// The program's start: the process-wide objects (service record, window
// theme and its two decorators) and the order in which the program comes up.
// Login first; only a successful login goes on to the skin, the plan store,
// the main window with its account label and settings, the promotion worker
// and the first lottery. A login window closed without a login ends the
// program with nothing written and no thread started.
//
// Nothing here waits in a nested event loop: each step that needs the user
// continues from a signal.

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <memory>

#include "promotion/date_time_clock.h"
#include "service/service_context.h"
#include "shell/command_line.h"
#include "ui/decorator_theme.h"
#include "ui/window_decorator.h"

class QApplication;

namespace plandesk {

class LoginWindow;
class MainWindow;
class MessageBox;
class PasswordWindow;
class PlanStore;
class PromotionController;

class StartUp : public QObject {
  Q_OBJECT

 public:
  // The data folder must exist (prepare_data_folder).
  StartUp(QApplication& app, ProgramOptions options, MessageBox& messages, DateTimeClock clock = system_now);
  ~StartUp() override;

  // Fills the service record and shows the login window.
  void run();
  // What closing the program from outside does (a session ending, Ctrl+C):
  // the open window is closed as its close box would close it.
  void close_program();

  const ServiceContext& context() const { return context_; }
  LoginWindow* login_window() const;
  MainWindow* main_window() const { return main_window_.get(); }
  PromotionController* promotion() const { return promotion_.get(); }
  PlanStore* store() const { return store_.get(); }

 signals:
  // The main window is up, cqssc selected and its first poll under way.
  void started();
  // The program is to end: 0 when the user closed the login or the main
  // window, 1 when it cannot go on (`reason` says why).
  void quit_requested(int exit_code, const QString& reason);

 private:
  void continue_after_login(bool login_succeeded);
  void open_password_window();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QApplication& app_;
  ProgramOptions options_;
  MessageBox& messages_;
  DateTimeClock clock_;
  ServiceContext context_;
  DecoratorTheme theme_;
  WindowDecorator login_decorator_;
  WindowDecorator registration_decorator_;
  QPointer<LoginWindow> login_;
  bool quitting_ = false;
  // Destroyed in reverse: the worker is waited for before the window goes,
  // the window before the store it writes to.
  std::unique_ptr<PlanStore> store_;
  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<PromotionController> promotion_;
};

}  // namespace plandesk
