#pragma once
// promotion_worker: the three requests that fill the promotion tab once,
// right after login, made off the user-interface thread. Each answer leaves
// as a signal the moment it is in; the tab's controller, on the
// user-interface thread, receives them queued.

#include <QObject>
#include <QString>
#include <vector>

#include "service/endpoints.h"
#include "service/service_context.h"

namespace plandesk {

class PromotionWorker : public QObject {
  Q_OBJECT

 public:
  // `context` is a copy: the worker never reads the application's record
  // while the user-interface thread may change it.
  explicit PromotionWorker(ServiceContext context) : context_(std::move(context)) {}

  // Promotion text, referral list, bound account, in that order, on the
  // thread that calls it.
  void run();

 signals:
  void promotion_text_read(const QString& text);
  void referrals_read(const std::vector<plandesk::ReferralRow>& rows);
  void bound_account_read(const plandesk::BoundAccount& account);

 private:
  ServiceContext context_;
};

}  // namespace plandesk
