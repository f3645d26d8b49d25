#include "shell/promotion_tab.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace plandesk {
namespace {

QLabel* label(const QString& name, const QString& text, const QRect& geometry, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

PromotionTab::PromotionTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("推广页"));

  promotion_text_ = new QPlainTextEdit(this);
  promotion_text_->setObjectName(QStringLiteral("编辑框2"));
  promotion_text_->setGeometry(16, 12, 736, 88);
  promotion_text_->setReadOnly(true);

  label(QStringLiteral("标签_支付宝"), QStringLiteral("支付宝："), QRect(16, 114, 60, 26), this);
  alipay_account_ = new QLineEdit(this);
  alipay_account_->setObjectName(QStringLiteral("编辑框_zhifubao"));
  alipay_account_->setGeometry(76, 114, 200, 26);

  label(QStringLiteral("标签_姓名"), QStringLiteral("姓名："), QRect(294, 114, 44, 26), this);
  alipay_name_ = new QLineEdit(this);
  alipay_name_->setObjectName(QStringLiteral("编辑框_zhifubaoname"));
  alipay_name_->setGeometry(338, 114, 140, 26);

  bind_button_ = new QPushButton(QStringLiteral("绑定"), this);
  bind_button_->setObjectName(QStringLiteral("按钮5"));
  bind_button_->setGeometry(494, 112, 90, 30);
  connect(bind_button_, &QPushButton::clicked, this, &PromotionTab::bind_clicked);

  label(QStringLiteral("标签_推广成绩单"), QStringLiteral("推广成绩单："), QRect(16, 152, 120, 22), this);
  referrals_ = new QTreeWidget(this);
  referrals_->setObjectName(QStringLiteral("超级列表框1"));
  referrals_->setGeometry(16, 176, 736, 222);
  referrals_->setRootIsDecorated(false);
  referrals_->header()->setStretchLastSection(false);  // columns keep their design widths
  referrals_->setAlternatingRowColors(true);
  referrals_->setHeaderLabels({QStringLiteral("num"), QStringLiteral("下级用户名"),
                               QStringLiteral("注册时间"), QStringLiteral("到期时间"), QString()});
  const int widths[] = {50, 150, 220, 220, 50};
  for (int column = 0; column < 5; ++column) referrals_->setColumnWidth(column, widths[column]);
}

}  // namespace plandesk
