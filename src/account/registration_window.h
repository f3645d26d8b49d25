#pragma once
// The registration window, opened from the login window: checks the typed
// account locally, asks the service to create it and shows the answer. It
// does not log the new user in; closing it brings the login window back.

#include <QWidget>

#include "account/account_environment.h"

class QLineEdit;
class QPushButton;

namespace plandesk {

class RegistrationWindow : public QWidget {
  Q_OBJECT

 public:
  RegistrationWindow(AccountEnvironment env, QWidget* owner);

 signals:
  // By "取消" or the close box; the window is destroyed right after.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void register_account();
  void set_busy(bool busy);

  AccountEnvironment env_;
  QLineEdit* user_name_;
  QLineEdit* password_;
  QLineEdit* confirmation_;
  QLineEdit* qq_;
  QLineEdit* promoter_code_;
  QPushButton* register_button_;
  QPushButton* cancel_button_;
  bool busy_ = false;
};

}  // namespace plandesk
