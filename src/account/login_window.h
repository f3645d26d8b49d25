#pragma once
// The login window: nothing of the program is usable before the service has
// accepted a user name and password typed here. A successful login fills the
// service record, saves the credentials for the next start and closes the
// window; closing it any other way leaves login_succeeded() false.

#include <QWidget>

#include "account/account_environment.h"
#include "service/endpoints.h"

class QLineEdit;
class QPushButton;

namespace plandesk {

class LoginWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int saved_credentials_delay_ms = 500;

  explicit LoginWindow(AccountEnvironment env, QWidget* owner = nullptr);

  bool login_succeeded() const { return login_succeeded_; }
  // Dresses the window with the login picture; again after registration.
  void decorate(WindowDecorator& decorator);

 signals:
  // The saved user name and password have been put into the boxes (or found
  // absent), 500 ms after the window was created.
  void saved_credentials_read();
  // The window closes: after a successful login or when the user closed it.
  void finished(bool login_succeeded);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void read_saved_credentials();
  void log_in();
  void show_login_result(LoginOutcome outcome, const std::string& user_name, const std::string& password);
  void open_registration();
  void set_busy(bool busy);

  AccountEnvironment env_;
  QLineEdit* user_name_;
  QLineEdit* password_;
  QPushButton* login_button_;
  QPushButton* register_button_;
  bool typed_ = false;
  bool busy_ = false;
  bool login_succeeded_ = false;
  bool finished_ = false;
};

}  // namespace plandesk
