#include "promotion/promotion_worker.h"

namespace plandesk {

void PromotionWorker::run() {
  emit promotion_text_read(QString::fromStdString(fetch_promotion_text(context_)));
  emit referrals_read(fetch_referral_list(context_));
  emit bound_account_read(fetch_bound_account(context_));
}

}  // namespace plandesk
