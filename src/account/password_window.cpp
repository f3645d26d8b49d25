#include "account/password_window.h"

#include <QCloseEvent>

#include "account/account_input.h"
#include "account/account_texts.h"
#include "account/account_widgets.h"
#include "account/saved_credentials.h"
#include "service/endpoints.h"
#include "text/gbk.h"
#include "ui/background_request.h"
#include "ui/gbk_validator.h"
#include "ui/message_box.h"

namespace plandesk {

PasswordWindow::PasswordWindow(ServiceContext& context, std::filesystem::path credentials_file,
                               MessageBox& messages, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::Dialog),
      context_(context),
      credentials_file_(std::move(credentials_file)),
      messages_(messages) {
  setObjectName("PasswordWindow");
  setWindowTitle("修改密码");
  setFixedSize(223, 239);
  setWindowModality(Qt::ApplicationModal);
  setAttribute(Qt::WA_DeleteOnClose);

  place_label(this, "原密码：", {8, 30, 70, 26});
  current_ = place_edit(this, "编辑框_原密码", {82, 30, 125, 26}, true);
  place_label(this, "新密码：", {8, 75, 70, 26});
  new_password_ = place_edit(this, "编辑框_新密码", {82, 75, 125, 26}, true);
  place_label(this, "确认密码：", {8, 120, 70, 26});
  confirmation_ = place_edit(this, "编辑框_确认密码", {82, 120, 125, 26}, true);
  change_button_ = place_button(this, "按钮1", "修 改", {72, 178, 80, 30});
  connect(change_button_, &QPushButton::clicked, this, &PasswordWindow::change_password);
}

void PasswordWindow::change_password() {
  if (busy_) return;
  const std::string current = current_->text().toStdString();
  const std::string new_password = new_password_->text().toStdString();
  const std::string confirmation = confirmation_->text().toStdString();
  const char* refusal = nullptr;
  if (!has_gbk_bytes(new_password, 6) || !has_gbk_bytes(confirmation, 6) || !has_gbk_bytes(current, 6))
    refusal = account_texts::new_password_too_short;
  else if (current != context_.password)
    refusal = account_texts::wrong_current_password;
  else if (new_password != confirmation)
    refusal = account_texts::confirmation_differs;
  else if (!fits_gbk(new_password))
    refusal = unsupported_characters_message;
  if (refusal) return messages_.show(this, MessageIcon::none, refusal);

  set_busy(true);
  run_in_background(
      this, [context = context_, new_password] { return plandesk::change_password(context, new_password); },
      [this, new_password](bool changed) { show_result(changed, new_password); });
}

void PasswordWindow::show_result(bool changed, const std::string& new_password) {
  set_busy(false);
  if (!changed) return messages_.show(this, MessageIcon::none, account_texts::password_not_changed);
  context_.password = new_password;
  const ProfileStatus saved = update_saved_password(credentials_file_, context_.user_name, new_password);
  if (!saved.ok) qWarning("saved login not updated: %s", saved.error.c_str());
  messages_.show(this, MessageIcon::none, account_texts::password_changed);
  emit password_changed();
}

void PasswordWindow::closeEvent(QCloseEvent* event) {
  if (busy_) return event->ignore();
  QWidget::closeEvent(event);
}

void PasswordWindow::set_busy(bool busy) {
  busy_ = busy;
  change_button_->setEnabled(!busy);
}

}  // namespace plandesk
