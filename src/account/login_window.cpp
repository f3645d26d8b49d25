#include "account/login_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "account/account_input.h"
#include "account/account_texts.h"
#include "account/account_widgets.h"
#include "account/registration_window.h"
#include "account/saved_credentials.h"
#include "service/endpoints.h"
#include "text/gbk.h"
#include "ui/background_request.h"
#include "ui/gbk_validator.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/window_decorator.h"

namespace plandesk {

LoginWindow::LoginWindow(AccountEnvironment env, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::Dialog), env_(std::move(env)) {
  setObjectName("LoginWindow");
  setWindowTitle("PlanDesk - 用户登陆");
  setFixedSize(500, 340);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  setWindowModality(Qt::ApplicationModal);
  setAttribute(Qt::WA_DeleteOnClose);

  place_label(this, "账  号：", {110, 140, 80, 26});
  user_name_ = place_edit(this, "用户名_编辑框", {195, 140, 190, 26}, false);
  place_label(this, "密  码：", {110, 180, 80, 26});
  password_ = place_edit(this, "密码_编辑框", {195, 180, 190, 26}, true);
  login_button_ = place_button(this, "登陆按钮", "登  陆", {195, 232, 90, 30});
  register_button_ = place_button(this, "按钮3", "注册账号", {295, 232, 90, 30});
  login_button_->setDefault(true);

  connect(login_button_, &QPushButton::clicked, this, &LoginWindow::log_in);
  connect(password_, &QLineEdit::returnPressed, this, &LoginWindow::log_in);
  connect(register_button_, &QPushButton::clicked, this, &LoginWindow::open_registration);
  for (QLineEdit* edit : {user_name_, password_})
    connect(edit, &QLineEdit::textEdited, this, [this] { typed_ = true; });

  decorate(env_.login_decorator);
  QTimer::singleShot(saved_credentials_delay_ms, this, &LoginWindow::read_saved_credentials);
}

void LoginWindow::decorate(WindowDecorator& decorator) {
  decorator.set_theme(login_picture(), account_theme_colour, true);
  decorator.set_panels(true, account_panel_alpha);
  decorator.decorate(this, account_header_height);
}

// What the user typed meanwhile is kept: the saved login is only an offer.
void LoginWindow::read_saved_credentials() {
  if (!typed_) {
    const SavedCredentials saved = plandesk::read_saved_credentials(env_.credentials_file());
    user_name_->setText(QString::fromStdString(saved.user_name));
    password_->setText(QString::fromStdString(saved.password));
  }
  emit saved_credentials_read();
}

void LoginWindow::log_in() {
  if (busy_) return;
  const std::string user_name = user_name_->text().toStdString();
  const std::string password = password_->text().toStdString();
  if (!has_gbk_bytes(user_name, 3))
    return env_.messages.show(this, MessageIcon::none, account_texts::enter_user_name);
  if (!has_gbk_bytes(password, 3))
    return env_.messages.show(this, MessageIcon::none, account_texts::enter_password);
  if (!fits_gbk(user_name) || !fits_gbk(password))
    return env_.messages.show(this, MessageIcon::none, unsupported_characters_message);

  set_busy(true);
  run_in_background(
      this, [context = env_.context, user_name, password] { return login(context, user_name, password); },
      [this, user_name, password](LoginOutcome outcome) { show_login_result(outcome, user_name, password); });
}

void LoginWindow::show_login_result(LoginOutcome outcome, const std::string& user_name,
                                    const std::string& password) {
  set_busy(false);
  if (outcome == LoginOutcome::accepted) {
    hide();
    env_.context.user_name = user_name;
    env_.context.password = password;
    const ProfileStatus saved = save_credentials(env_.credentials_file(), {user_name, password});
    if (!saved.ok) qWarning("saved login not written: %s", saved.error.c_str());
    login_succeeded_ = true;
    close();
    return;
  }
  env_.messages.show(
      this, MessageIcon::information,
      outcome == LoginOutcome::rejected ? account_texts::login_rejected : account_texts::service_unreachable);
  user_name_->clear();
  password_->clear();
  login_button_->setText("登陆");
}

void LoginWindow::set_busy(bool busy) {
  busy_ = busy;
  login_button_->setEnabled(!busy);
  register_button_->setEnabled(!busy);
}

// Hidden while the registration window is open; it comes back, dressed
// again with the login picture, when that window closes.
void LoginWindow::open_registration() {
  if (busy_) return;
  hide();
  auto* registration = new RegistrationWindow(env_, this);
  connect(registration, &RegistrationWindow::closed, this, [this] {
    decorate(env_.registration_decorator);
    show();
  });
  registration->show();
}

void LoginWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (finished_) return;
  finished_ = true;
  emit finished(login_succeeded_);
}

}  // namespace plandesk
