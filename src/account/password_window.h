#pragma once
// The password window, opened from the account tab of the main window:
// checks the typed passwords against the service record, asks the service
// to change the password, and on success makes every later request carry
// the new one.

#include <QWidget>
#include <filesystem>

#include "service/service_context.h"

class QLineEdit;
class QPushButton;

namespace plandesk {

class MessageBox;

class PasswordWindow : public QWidget {
  Q_OBJECT

 public:
  // `context` is the application's service record; `credentials_file` the
  // saved login, whose password follows a change when it names this user.
  PasswordWindow(ServiceContext& context, std::filesystem::path credentials_file, MessageBox& messages,
                 QWidget* owner);

 signals:
  void password_changed();

 protected:
  // Ignored while a change is on its way: its answer must reach the service
  // record, or later requests would carry a password the service no longer
  // knows.
  void closeEvent(QCloseEvent* event) override;

 private:
  void change_password();
  void show_result(bool changed, const std::string& new_password);
  void set_busy(bool busy);

  ServiceContext& context_;
  std::filesystem::path credentials_file_;
  MessageBox& messages_;
  QLineEdit* current_;
  QLineEdit* new_password_;
  QLineEdit* confirmation_;
  QPushButton* change_button_;
  bool busy_ = false;
};

}  // namespace plandesk
