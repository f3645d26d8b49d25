#include "promotion/promotion_controller.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

#include "promotion/promotion_texts.h"
#include "promotion/promotion_worker.h"
#include "promotion/referral_time.h"
#include "text/gbk.h"
#include "ui/background_request.h"
#include "ui/gbk_validator.h"
#include "ui/message_box.h"

namespace plandesk {
namespace {

template <typename Control>
Control* named(QWidget* tab, const char* name) {
  auto* found = tab->findChild<Control*>(QString::fromUtf8(name));
  if (!found) qWarning("promotion tab has no control %s", name);
  return found;
}

}  // namespace

PromotionController::PromotionController(QWidget* tab, const ServiceContext& context, MessageBox& messages,
                                         DateTimeClock clock, QObject* parent)
    : QObject(parent),
      tab_(tab),
      text_(named<QPlainTextEdit>(tab, "编辑框2")),
      account_(named<QLineEdit>(tab, "编辑框_zhifubao")),
      holder_name_(named<QLineEdit>(tab, "编辑框_zhifubaoname")),
      bind_button_(named<QPushButton>(tab, "按钮5")),
      referrals_(named<QTreeWidget>(tab, "超级列表框1")),
      context_(context),
      messages_(messages),
      clock_(std::move(clock)) {
  if (bind_button_) connect(bind_button_, &QPushButton::clicked, this, &PromotionController::bind);
}

PromotionController::~PromotionController() {
  if (thread_) thread_->wait();
}

void PromotionController::start() {
  if (thread_) return;
  worker_ = std::make_unique<PromotionWorker>(context_);
  // The worker object stays on this thread; only its run() goes to the new
  // one, and every answer crosses back queued.
  connect(worker_.get(), &PromotionWorker::promotion_text_read, this,
          &PromotionController::show_promotion_text, Qt::QueuedConnection);
  connect(worker_.get(), &PromotionWorker::referrals_read, this, &PromotionController::show_referrals,
          Qt::QueuedConnection);
  connect(worker_.get(), &PromotionWorker::bound_account_read, this, &PromotionController::show_bound_account,
          Qt::QueuedConnection);
  thread_ = QThread::create([worker = worker_.get()] { worker->run(); });
  thread_->setObjectName("promotion_worker");
  thread_->setParent(this);
  thread_->start();
}

void PromotionController::show_promotion_text(const QString& text) {
  if (text_) text_->setPlainText(text);
}

// Rows keep the number of their segment in the reply; a malformed segment
// leaves a gap in the numbers rather than an empty row.
void PromotionController::show_referrals(const std::vector<ReferralRow>& rows) {
  if (!referrals_) return;
  const QDateTime now = clock_();
  for (const ReferralRow& row : rows) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::number(row.number));
    item->setText(1, QString::fromStdString(row.user_name));
    item->setText(2, QString::fromStdString(row.registration_time));
    item->setText(3, QString::fromStdString(row.date_time));
    if (lies_ahead(item->text(3), now)) item->setText(4, promotion_texts::ahead_mark);
    referrals_->insertTopLevelItem(std::min(row.number - 1, referrals_->topLevelItemCount()), item);
  }
}

void PromotionController::show_bound_account(const BoundAccount& account) {
  if (account.bound) {
    show_bound();
    if (bind_button_) bind_button_->setText(promotion_texts::bound_caption);
    if (account.account) {
      if (account_) account_->setText(QString::fromStdString(account.account->account));
      if (holder_name_) holder_name_->setText(QString::fromStdString(account.account->holder_name));
    }
  } else if (!bound_ && !binding_ && bind_button_) {
    // A bind the user made meanwhile is not undone by this older answer.
    bind_button_->setEnabled(true);
  }
  emit filled();
}

void PromotionController::bind() {
  if (binding_ || bound_ || !account_ || !holder_name_) return;
  const QString account = account_->text();
  const QString holder_name = holder_name_->text();
  if (!fits_gbk(account.toStdString()) || !fits_gbk(holder_name.toStdString()))
    return messages_.show(tab_, MessageIcon::none, unsupported_characters_message);
  binding_ = true;
  bind_button_->setEnabled(false);
  run_in_background(
      this,
      [context = context_, account = account.toStdString(), holder_name = holder_name.toStdString()] {
        return bind_payout_account(context, account, holder_name);
      },
      [this](bool bound) {
        binding_ = false;
        if (bound) {
          messages_.show(tab_, MessageIcon::none, promotion_texts::bind_succeeded);
          show_bound();
        } else {
          messages_.show(tab_, MessageIcon::none, promotion_texts::bind_failed);
          // The worker may have found an account bound meanwhile; its
          // answer stands, or the button would read "已绑定" yet be clickable.
          if (!bound_) bind_button_->setEnabled(true);
        }
      });
}

void PromotionController::show_bound() {
  bound_ = true;
  for (QWidget* w : std::initializer_list<QWidget*>{bind_button_, account_, holder_name_})
    if (w) w->setEnabled(false);
}

}  // namespace plandesk
