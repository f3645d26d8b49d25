#pragma once
// The promotion tab: the promotion text, the payout account to bind and the
// list of referred users. Filled by the promotion worker.

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace plandesk {

class PromotionTab : public QWidget {
  Q_OBJECT
 public:
  explicit PromotionTab(QWidget* parent = nullptr);

  QPlainTextEdit* promotion_text() const { return promotion_text_; }
  QLineEdit* alipay_account() const { return alipay_account_; }
  QLineEdit* alipay_name() const { return alipay_name_; }
  QPushButton* bind_button() const { return bind_button_; }
  QTreeWidget* referrals() const { return referrals_; }

 signals:
  void bind_clicked();

 private:
  QPlainTextEdit* promotion_text_ = nullptr;
  QLineEdit* alipay_account_ = nullptr;
  QLineEdit* alipay_name_ = nullptr;
  QPushButton* bind_button_ = nullptr;
  QTreeWidget* referrals_ = nullptr;
};

}  // namespace plandesk
