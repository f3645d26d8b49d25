#include "shell/start_up.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>

#include "account/account_environment.h"
#include "account/login_window.h"
#include "account/password_window.h"
#include "account/saved_credentials.h"
#include "plans/plan_store.h"
#include "promotion/promotion_controller.h"
#include "shell/account_tab.h"
#include "shell/feed_controller.h"
#include "shell/main_window.h"
#include "shell/plans_tab.h"
#include "shell/promotion_tab.h"
#include "ui/message_box.h"
#include "ui/skin.h"

namespace plandesk {

StartUp::StartUp(QApplication& app, ProgramOptions options, MessageBox& messages, DateTimeClock clock)
    : app_(app),
      options_(std::move(options)),
      messages_(messages),
      clock_(std::move(clock)),
      theme_(QIcon(QStringLiteral(":/pictures/program_icon.png"))),
      login_decorator_(theme_),
      registration_decorator_(theme_) {}

StartUp::~StartUp() {
  delete login_.data();
  promotion_.reset();
  main_window_.reset();
  store_.reset();
}

LoginWindow* StartUp::login_window() const {
  return login_.data();
}

void StartUp::run() {
  context_.soft_id = "1";
  context_.base_url = options_.service_url;
  login_ = new LoginWindow(
      AccountEnvironment{context_, options_.data_dir, login_decorator_, registration_decorator_, messages_});
  connect(login_, &LoginWindow::finished, this, &StartUp::continue_after_login);
  login_->show();
}

void StartUp::continue_after_login(bool login_succeeded) {
  if (!login_succeeded) {
    emit quit_requested(0, {});
    return;
  }
  attach_skin(app_);

  OpenStoreResult opened = open_store(options_.data_dir);
  if (!opened.store) {
    emit quit_requested(1, QString::fromStdString(opened.error));
    return;
  }
  store_ = std::move(opened.store);

  main_window_ =
      std::make_unique<MainWindow>(MainWindowDeps{context_, options_.data_dir, *store_, messages_});
  main_window_->installEventFilter(this);
  main_window_->account_tab().set_user_name(QString::fromStdString(context_.user_name));
  connect(&main_window_->account_tab(), &AccountTab::change_password_clicked, this,
          &StartUp::open_password_window);
  main_window_->show();
  if (!opened.set_aside.empty())
    messages_.show(main_window_.get(), MessageIcon::warning,
                   QString::fromStdString("计划数据库无法使用，已改名保存为 " + opened.set_aside.string() +
                                          "，并新建了一个空的计划数据库。"));
  main_window_->load_settings();

  promotion_ =
      std::make_unique<PromotionController>(&main_window_->promotion_tab(), context_, messages_, clock_);
  promotion_->start();

  main_window_->plans_tab().check_lottery(LotteryCode::cqssc);
  main_window_->select_lottery(LotteryCode::cqssc);
  emit started();
}

// Owned by the main window; a changed password reaches the feed, which
// keeps its own copy of the record for its worker threads.
void StartUp::open_password_window() {
  auto* window =
      new PasswordWindow(context_, options_.data_dir / credentials_file_name, messages_, main_window_.get());
  connect(window, &PasswordWindow::password_changed, this,
          [this] { main_window_->feed().set_service_context(context_); });
  window->show();
}

void StartUp::close_program() {
  if (login_)
    login_->close();
  else if (main_window_)
    main_window_->close();
  else
    emit quit_requested(0, {});
}

bool StartUp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == main_window_.get() && event->type() == QEvent::Close && !quitting_) {
    quitting_ = true;
    emit quit_requested(0, {});
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plandesk
