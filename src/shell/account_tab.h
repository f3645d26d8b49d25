#pragma once
// The account tab: the user name and the way to the password window.

#include <QWidget>

class QLabel;
class QPushButton;

namespace plandesk {

class AccountTab : public QWidget {
  Q_OBJECT
 public:
  explicit AccountTab(QWidget* parent = nullptr);

  // 标签1 reads "用户名：" followed by the name.
  void set_user_name(const QString& user_name);
  QPushButton* password_button() const { return password_button_; }

 signals:
  void change_password_clicked();

 private:
  QLabel* user_label_ = nullptr;
  QPushButton* password_button_ = nullptr;
};

}  // namespace plandesk
