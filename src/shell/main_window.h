#pragma once
// The client's main window: a frameless 800 x 565 window with its own drawn
// look, four picture buttons over the tab control, and the feed cycle behind
// the plans tab. Built with everything it needs handed in, so it runs the
// same in the program and in tests.

#include <QWidget>
#include <filesystem>

#include "feed/lottery.h"
#include "service/service_context.h"

class QTabWidget;

namespace plandesk {

class AccountTab;
class FeedController;
class MessageBox;
class PlanStore;
class PlansTab;
class PromotionTab;
class SettingsTab;

struct MainWindowDeps {
  ServiceContext service;
  std::filesystem::path data_dir;  // holds "mcmpz.ini"
  PlanStore& store;                // opened, outlives the window
  MessageBox& messages;
};

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(MainWindowDeps deps, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The handler of the lottery radio buttons and the last step of start-up.
  void select_lottery(LotteryCode lottery);
  // Fills the settings tab from the settings file.
  void load_settings();

  FeedController& feed() const { return *feed_; }
  PlansTab& plans_tab() const { return *plans_; }
  SettingsTab& settings_tab() const { return *settings_; }
  AccountTab& account_tab() const { return *account_; }
  PromotionTab& promotion_tab() const { return *promotion_; }

 private:
  void build_frame();

  QTabWidget* tabs_ = nullptr;
  PlansTab* plans_ = nullptr;
  SettingsTab* settings_ = nullptr;
  AccountTab* account_ = nullptr;
  PromotionTab* promotion_ = nullptr;
  FeedController* feed_ = nullptr;
};

}  // namespace plandesk
