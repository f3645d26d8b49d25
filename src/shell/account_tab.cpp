#include "shell/account_tab.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "shell/look.h"

namespace plandesk {

AccountTab::AccountTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("账号页"));

  auto* group = new QGroupBox(QStringLiteral("用户信息"), this);
  group->setObjectName(QStringLiteral("分组框_用户信息"));
  group->setGeometry(16, 12, 360, 120);

  user_label_ = new QLabel(QStringLiteral("用户名："), group);
  user_label_->setObjectName(QStringLiteral("标签1"));
  user_label_->setGeometry(20, 34, 320, 26);
  user_label_->setFont(cjk_font(11));
  user_label_->setTextFormat(Qt::PlainText);  // a user name is text, not markup

  password_button_ = new QPushButton(QStringLiteral("修改密码"), group);
  password_button_->setObjectName(QStringLiteral("按钮4"));
  password_button_->setGeometry(20, 74, 110, 30);
  connect(password_button_, &QPushButton::clicked, this, &AccountTab::change_password_clicked);
}

void AccountTab::set_user_name(const QString& user_name) {
  user_label_->setText(QStringLiteral("用户名：") + user_name);
}

}  // namespace plandesk
