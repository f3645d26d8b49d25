#include "account/registration_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "account/account_input.h"
#include "account/account_texts.h"
#include "account/account_widgets.h"
#include "service/endpoints.h"
#include "text/gbk.h"
#include "ui/background_request.h"
#include "ui/gbk_validator.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/window_decorator.h"

namespace plandesk {
namespace {

QLineEdit* limit(QLineEdit* edit, int bytes, GbkValidator::Kind kind) {
  edit->setValidator(new GbkValidator(bytes, kind, edit));
  return edit;
}

}  // namespace

RegistrationWindow::RegistrationWindow(AccountEnvironment env, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::Dialog), env_(std::move(env)) {
  setObjectName("RegistrationWindow");
  setWindowTitle("注册账号");
  setFixedSize(395, 346);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  setWindowModality(Qt::ApplicationModal);
  setAttribute(Qt::WA_DeleteOnClose);

  using Kind = GbkValidator::Kind;
  const int x_label = 30, x_edit = 115, row = 32, top = 122;
  place_label(this, "用户名：", {x_label, top, 80, 26});
  user_name_ = limit(place_edit(this, "用户名_编辑框", {x_edit, top, 165, 26}, false), 30, Kind::any_text);
  place_label(this, "不支持中文", {x_edit + 172, top, 80, 26}, Qt::AlignLeft | Qt::AlignVCenter);
  place_label(this, "密码：", {x_label, top + row, 80, 26});
  password_ = limit(place_edit(this, "密码_编辑框", {x_edit, top + row, 165, 26}, true), 30, Kind::any_text);
  place_label(this, "确认密码：", {x_label, top + 2 * row, 80, 26});
  confirmation_ =
      limit(place_edit(this, "确认密码_编辑框", {x_edit, top + 2 * row, 165, 26}, true), 30, Kind::any_text);
  place_label(this, "QQ：", {x_label, top + 3 * row, 80, 26});
  qq_ = limit(place_edit(this, "QQ_编辑框", {x_edit, top + 3 * row, 165, 26}, false), 20, Kind::digits);
  place_label(this, "推荐码：", {x_label, top + 4 * row, 80, 26});
  promoter_code_ =
      limit(place_edit(this, "推广人_编辑框", {x_edit, top + 4 * row, 165, 26}, false), 20, Kind::digits);
  register_button_ = place_button(this, "按钮1", "注册", {x_edit, top + 5 * row + 8, 78, 30});
  cancel_button_ = place_button(this, "按钮2", "取消", {x_edit + 87, top + 5 * row + 8, 78, 30});

  connect(register_button_, &QPushButton::clicked, this, &RegistrationWindow::register_account);
  connect(cancel_button_, &QPushButton::clicked, this, &QWidget::close);

  env_.registration_decorator.set_theme(registration_picture(), account_theme_colour, true);
  env_.registration_decorator.set_panels(true, account_panel_alpha);
  env_.registration_decorator.decorate(this, account_header_height);
}

void RegistrationWindow::register_account() {
  if (busy_) return;
  NewAccount account{user_name_->text().toStdString(), password_->text().toStdString(),
                     qq_->text().toStdString(), promoter_code_->text().toStdString()};
  const char* refusal = nullptr;
  if (!has_gbk_bytes(account.user_name, 5))
    refusal = account_texts::user_name_too_short;
  else if (!has_gbk_bytes(account.password, 6))
    refusal = account_texts::password_too_short;
  else if (!has_gbk_bytes(confirmation_->text().toStdString(), 6))
    refusal = account_texts::confirmation_too_short;
  else if (account.password != confirmation_->text().toStdString())
    refusal = account_texts::passwords_differ;
  else if (!has_gbk_bytes(account.qq, 6))
    refusal = account_texts::qq_too_short;
  else if (!fits_gbk(account.user_name) || !fits_gbk(account.password))
    refusal = unsupported_characters_message;
  if (refusal) return env_.messages.show(this, MessageIcon::none, refusal);

  set_busy(true);
  run_in_background(
      this, [context = env_.context, account] { return plandesk::register_account(context, account); },
      [this](const RegistrationResult& result) {
        set_busy(false);
        env_.messages.show(this, MessageIcon::none,
                           result.succeeded ? QString(account_texts::registered)
                                            : QString::fromStdString(result.reply_text));
      });
}

void RegistrationWindow::set_busy(bool busy) {
  busy_ = busy;
  register_button_->setEnabled(!busy);
  cancel_button_->setEnabled(!busy);
}

void RegistrationWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace plandesk
