#pragma once
// The behaviour of the promotion tab "推广": starts promotion_worker on a
// thread of its own, puts its answers into the tab's controls (found by
// their design names) on the user-interface thread, and binds a payout
// account from the tab's button.

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "promotion/date_time_clock.h"
#include "service/endpoints.h"
#include "service/service_context.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;
class QTreeWidget;
class QWidget;

namespace plandesk {

class MessageBox;
class PromotionWorker;

class PromotionController : public QObject {
  Q_OBJECT

 public:
  // `tab` holds 编辑框2, 编辑框_zhifubao, 编辑框_zhifubaoname, 按钮5 and
  // 超级列表框1. `context` is the application's record: a bind quotes it
  // as it stands at the click.
  PromotionController(QWidget* tab, const ServiceContext& context, MessageBox& messages, DateTimeClock clock,
                      QObject* parent = nullptr);
  // Waits for a worker still on its way, so that no request outlives the
  // program's objects.
  ~PromotionController() override;

  // Starts the worker once; later calls do nothing.
  void start();
  bool bound() const { return bound_; }

 signals:
  // The worker's three answers are all on the tab.
  void filled();

 private:
  void show_promotion_text(const QString& text);
  void show_referrals(const std::vector<ReferralRow>& rows);
  void show_bound_account(const BoundAccount& account);
  void bind();
  void show_bound();

  QWidget* tab_;
  QPlainTextEdit* text_;
  QLineEdit* account_;
  QLineEdit* holder_name_;
  QPushButton* bind_button_;
  QTreeWidget* referrals_;
  const ServiceContext& context_;
  MessageBox& messages_;
  DateTimeClock clock_;
  std::unique_ptr<PromotionWorker> worker_;
  QThread* thread_ = nullptr;
  bool bound_ = false;
  bool binding_ = false;
};

}  // namespace plandesk
