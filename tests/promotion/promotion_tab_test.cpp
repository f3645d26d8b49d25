// The promotion tab of the main window, filled by the worker from a service
// on 127.0.0.1, and its bind button.

#include "shell/promotion_tab.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>

#include "promotion/promotion_controller.h"
#include "promotion/promotion_texts.h"
#include "service/http_test_server.h"
#include "support/recording_message_box.h"
#include "support/top_level.h"
#include "support/typing.h"
#include "text/gbk.h"
#include "ui/gbk_validator.h"

namespace plandesk {
namespace {

using testing::control;

// Canned GBK replies per path; a page can be held back until the test opens
// its gate.
class PromotionService {
 public:
  PromotionService()
      : server_([this](httplib::Server& s) {
          s.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            std::unique_lock lock(mutex_);
            arrived_.insert(req.path);
            opened_.wait(lock, [this, &req] { return !held_.contains(req.path); });
            requests_.push_back(req);
            res.set_content(replies_[req.path], "text/plain; charset=gbk");
          });
        }) {}
  ~PromotionService() {
    {
      std::lock_guard lock(mutex_);
      held_.clear();
    }
    opened_.notify_all();
  }

  std::string base_url() const { return server_.url(); }
  void reply(const std::string& path, const std::string& utf8) {
    std::lock_guard lock(mutex_);
    replies_[path] = utf8_to_gbk(utf8);
  }
  void close_gate(const std::string& path = "/getzhifubao.asp") {
    std::lock_guard lock(mutex_);
    held_.insert(path);
  }
  void open_gate(const std::string& path = "/getzhifubao.asp") {
    {
      std::lock_guard lock(mutex_);
      held_.erase(path);
    }
    opened_.notify_all();
  }
  // Requests to `path` that have reached the service, held or answered.
  std::size_t arrived(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return arrived_.count(path);
  }
  // UTF-8 value of `key` in the last request to `path`.
  std::string received(const std::string& path, const std::string& key) const {
    std::lock_guard lock(mutex_);
    for (auto it = requests_.rbegin(); it != requests_.rend(); ++it)
      if (it->path == path) return it->has_param(key) ? gbk_to_utf8(it->get_param_value(key)) : "<absent>";
    return "<no request>";
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable opened_;
  std::set<std::string> held_;
  std::multiset<std::string> arrived_;
  std::map<std::string, std::string> replies_;
  std::vector<httplib::Request> requests_;
  testing::HttplibServer server_;  // last: stops before what its handler uses
};

class PromotionTabTest : public ::testing::Test {
 protected:
  PromotionTabTest() {
    context.base_url = service.base_url();
    context.user_name = "demo";
    context.password = "demo123";
    tab.resize(784, 410);
    tab.show();
  }

  void start() {
    controller = std::make_unique<PromotionController>(&tab, context, messages, [this] { return now; });
    QSignalSpy filled(controller.get(), &PromotionController::filled);
    controller->start();
    ASSERT_TRUE(filled.wait());
  }
  QStringList row(int i) const {
    QStringList cells;
    auto* item = referrals()->topLevelItem(i);
    for (int c = 0; c < 5; ++c) cells << (item ? item->text(c) : "<none>");
    return cells;
  }
  QTreeWidget* referrals() const { return control<QTreeWidget>(&tab, "超级列表框1"); }
  QPushButton* bind_button() const { return control<QPushButton>(&tab, "按钮5"); }
  QLineEdit* account_box() const { return control<QLineEdit>(&tab, "编辑框_zhifubao"); }
  QLineEdit* holder_box() const { return control<QLineEdit>(&tab, "编辑框_zhifubaoname"); }

  void click_bind() {
    messages.shown.clear();
    QTest::mouseClick(bind_button(), Qt::LeftButton);
  }

  PromotionService service;
  ServiceContext context;
  testing::RecordingMessageBox messages;
  QDateTime now{QDate(2024, 3, 5), QTime(12, 0, 0)};
  PromotionTab tab;
  std::unique_ptr<PromotionController> controller;  // before the tab goes
};

TEST_F(PromotionTabTest, WorkerFillsTextReferralsAndUnboundState) {
  service.reply("/gettgc.asp", "推广链接：http://example.invalid/reg?tg=10001");
  service.reply("/gettguser.asp",
                "alice■2024-01-01 10:00:00■2024-03-06 12:00:00<br>"
                "bob■2024/1/2 9:00:00■2024-03-05 12:00:00<br>"
                "broken■row<br>"
                "carol■2024-01-03■2024/3/5 12:00:01<br>");
  service.reply("/getzhifubao.asp", "none");
  start();

  EXPECT_EQ(control<QPlainTextEdit>(&tab, "编辑框2")->toPlainText(),
            "推广链接：http://example.invalid/reg?tg=10001");
  ASSERT_EQ(referrals()->topLevelItemCount(), 3);
  EXPECT_EQ(row(0), (QStringList{"1", "alice", "2024-01-01 10:00:00", "2024-03-06 12:00:00", "√"}));
  EXPECT_EQ(row(1),
            (QStringList{"2", "bob", "2024/1/2 9:00:00", "2024-03-05 12:00:00", ""}));  // this very second
  EXPECT_EQ(row(2), (QStringList{"4", "carol", "2024-01-03", "2024/3/5 12:00:01", "√"}));
  EXPECT_TRUE(bind_button()->isEnabled());
  EXPECT_EQ(bind_button()->text(), "绑定");
  EXPECT_TRUE(account_box()->isEnabled());
  for (const char* path : {"/gettgc.asp", "/gettguser.asp", "/getzhifubao.asp"}) {
    EXPECT_EQ(service.received(path, "username"), "demo") << path;
    EXPECT_EQ(service.received(path, "password"), "demo123") << path;
    EXPECT_EQ(service.received(path, "softid"), "1") << path;
  }
}

TEST_F(PromotionTabTest, EmptyRepliesLeaveAnEmptyUnboundTab) {
  control<QPlainTextEdit>(&tab, "编辑框2")->setPlainText("stale");
  start();
  EXPECT_EQ(control<QPlainTextEdit>(&tab, "编辑框2")->toPlainText(), "");
  EXPECT_EQ(referrals()->topLevelItemCount(), 0);
  EXPECT_TRUE(bind_button()->isEnabled());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PromotionTabTest, BoundAccountReplyLocksTheTab) {
  struct Case {
    const char* reply;
    bool bound;
    QString account;
    QString holder;
  } cases[] = {
      {"pay@example.com◆张三", true, "pay@example.com", "张三"},
      {"12345678901", true, "", ""},  // 11 bytes without "◆"
      {"1234567890", false, "", ""},  // 10 bytes: nothing bound
  };
  for (const auto& c : cases) {
    PromotionTab fresh;
    service.reply("/getzhifubao.asp", c.reply);
    PromotionController promotion(&fresh, context, messages, [this] { return now; });
    QSignalSpy filled(&promotion, &PromotionController::filled);
    promotion.start();
    ASSERT_TRUE(filled.wait()) << c.reply;
    auto* button = control<QPushButton>(&fresh, "按钮5");
    EXPECT_EQ(button->isEnabled(), !c.bound) << c.reply;
    EXPECT_EQ(button->text(), c.bound ? "已绑定" : "绑定");
    EXPECT_EQ(control<QLineEdit>(&fresh, "编辑框_zhifubao")->isEnabled(), !c.bound);
    EXPECT_EQ(control<QLineEdit>(&fresh, "编辑框_zhifubao")->text(), c.account);
    EXPECT_EQ(control<QLineEdit>(&fresh, "编辑框_zhifubaoname")->text(), c.holder);
  }
}

TEST_F(PromotionTabTest, BindSucceedsOnceWithTheCurrentCredentials) {
  service.reply("/getzhifubao.asp", "none");
  service.reply("/bdzhifubao.asp", "ok");
  start();
  testing::type_text(account_box(), "pay@example.com");
  testing::type_text(holder_box(), "张三");
  context.password = "changed1";  // a password change after start-up
  click_bind();
  EXPECT_FALSE(bind_button()->isEnabled());
  QTRY_COMPARE(messages.texts(), QStringList{promotion_texts::bind_succeeded});
  EXPECT_FALSE(bind_button()->isEnabled());
  EXPECT_EQ(bind_button()->text(), "绑定");
  EXPECT_FALSE(account_box()->isEnabled());
  EXPECT_FALSE(holder_box()->isEnabled());
  EXPECT_EQ(service.received("/bdzhifubao.asp", "zhifubao"), "pay@example.com");
  EXPECT_EQ(service.received("/bdzhifubao.asp", "zhifubaoname"), "张三");
  EXPECT_EQ(service.received("/bdzhifubao.asp", "password"), "changed1");
  EXPECT_TRUE(controller->bound());
}

TEST_F(PromotionTabTest, FailedBindLetsTheUserTryAgain) {
  service.reply("/getzhifubao.asp", "none");
  start();
  testing::type_text(account_box(), "pay@example.com");
  for (const char* reply : {"", "OK", "绑定失败：已绑定"}) {
    service.reply("/bdzhifubao.asp", reply);
    click_bind();
    QTRY_COMPARE(messages.texts(), QStringList{promotion_texts::bind_failed});
    EXPECT_TRUE(bind_button()->isEnabled()) << reply;
    EXPECT_EQ(account_box()->text(), "pay@example.com");
    EXPECT_TRUE(account_box()->isEnabled());
  }
}

TEST_F(PromotionTabTest, BindRefusesCharactersGbkCannotHold) {
  service.reply("/bdzhifubao.asp", "ok");
  start();
  testing::type_text(account_box(), "pay@example.com");
  testing::type_text(holder_box(), "张😀");
  click_bind();
  EXPECT_EQ(messages.texts(), QStringList{unsupported_characters_message});
  EXPECT_EQ(service.received("/bdzhifubao.asp", "zhifubao"), "<no request>");
  EXPECT_TRUE(bind_button()->isEnabled());
}

TEST_F(PromotionTabTest, ALateUnboundAnswerDoesNotUndoABind) {
  service.reply("/getzhifubao.asp", "none");
  service.reply("/bdzhifubao.asp", "ok");
  service.close_gate();  // the worker's third answer waits
  controller = std::make_unique<PromotionController>(&tab, context, messages, [this] { return now; });
  QSignalSpy filled(controller.get(), &PromotionController::filled);
  controller->start();
  testing::type_text(account_box(), "pay@example.com");
  testing::type_text(holder_box(), "张三");
  click_bind();
  QTRY_COMPARE(messages.texts(), QStringList{promotion_texts::bind_succeeded});
  service.open_gate();
  ASSERT_TRUE(filled.wait());
  EXPECT_FALSE(bind_button()->isEnabled());
  EXPECT_FALSE(account_box()->isEnabled());
}

TEST_F(PromotionTabTest, AFailedBindDoesNotUnlockATabTheWorkerFoundBound) {
  service.reply("/getzhifubao.asp", "pay@example.com◆张三");
  service.reply("/bdzhifubao.asp", "");
  service.close_gate("/getzhifubao.asp");
  service.close_gate("/bdzhifubao.asp");
  controller = std::make_unique<PromotionController>(&tab, context, messages, [this] { return now; });
  QSignalSpy filled(controller.get(), &PromotionController::filled);
  controller->start();
  click_bind();
  QTRY_COMPARE(service.arrived("/bdzhifubao.asp"), 1u);
  service.open_gate("/getzhifubao.asp");
  ASSERT_TRUE(filled.wait());
  service.open_gate("/bdzhifubao.asp");
  QTRY_COMPARE(messages.texts(), QStringList{promotion_texts::bind_failed});
  EXPECT_EQ(bind_button()->text(), "已绑定");
  EXPECT_FALSE(bind_button()->isEnabled()) << "the service has an account bound";
  EXPECT_FALSE(account_box()->isEnabled());
  EXPECT_EQ(account_box()->text(), "pay@example.com");
}

}  // namespace
}  // namespace plandesk
