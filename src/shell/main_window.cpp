#include "shell/main_window.h"

#include <QButtonGroup>
#include <QIcon>
#include <QTabWidget>
#include <array>

#include "shell/account_tab.h"
#include "shell/background_box.h"
#include "shell/feed_controller.h"
#include "shell/look.h"
#include "shell/picture_button.h"
#include "shell/plans_tab.h"
#include "shell/promotion_tab.h"
#include "shell/settings_tab.h"

namespace plandesk {
namespace {

struct TabButton {
  const char* name;
  const char* picture;
  int x;
};

// Left to right: plans, settings, account, promotion.
constexpr std::array<TabButton, 4> tab_buttons = {{
    {"图形按钮6", "tab_plans", 239},
    {"图形按钮3", "tab_settings", 324},
    {"图形按钮4", "tab_account", 409},
    {"图形按钮5", "tab_promotion", 495},
}};

constexpr int tab_button_top = 22;

}  // namespace

MainWindow::MainWindow(MainWindowDeps deps, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("启动窗口"));
  setWindowTitle(QStringLiteral("PlanDesk 彩票计划助手"));
  setWindowIcon(QIcon(QStringLiteral(":/pictures/program_icon.png")));
  setFixedSize(800, 565);
  move(50, 50);
  setFont(cjk_font(9.5));
  setStyleSheet(main_window_style());

  build_frame();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("选择夹1"));
  tabs_->setGeometry(8, 120, 784, 435);
  plans_ = new PlansTab;
  settings_ = new SettingsTab(deps.data_dir, deps.messages);
  account_ = new AccountTab;
  promotion_ = new PromotionTab;
  tabs_->addTab(plans_, QStringLiteral("计划"));
  tabs_->addTab(settings_, QStringLiteral("设置"));
  tabs_->addTab(account_, QStringLiteral("账号"));
  tabs_->addTab(promotion_, QStringLiteral("推广"));

  auto* group = new QButtonGroup(this);
  for (std::size_t i = 0; i < tab_buttons.size(); ++i) {
    const auto& entry = tab_buttons[i];
    auto* button = new PictureButton(QString::fromUtf8(entry.name), QString::fromUtf8(entry.picture), this);
    button->setGeometry(entry.x, tab_button_top, 64, 84);
    button->setCheckable(true);
    group->addButton(button, static_cast<int>(i));
  }
  group->button(0)->setChecked(true);
  connect(group, &QButtonGroup::idClicked, tabs_, &QTabWidget::setCurrentIndex);
  connect(tabs_, &QTabWidget::currentChanged, group, [group](int index) {
    if (auto* button = group->button(index)) button->setChecked(true);
  });

  feed_ = new FeedController(std::move(deps.service), deps.store, *plans_, *settings_, deps.messages, this);
  connect(plans_, &PlansTab::lottery_clicked, this, &MainWindow::select_lottery);
  connect(plans_, &PlansTab::clear_plans_clicked, feed_, &FeedController::clear_all_plans);
}

MainWindow::~MainWindow() = default;

void MainWindow::build_frame() {
  auto* background = new BackgroundBox(QStringLiteral("图片框1"), QStringLiteral("background"), this);
  background->setGeometry(0, 0, 800, 565);

  auto* minimise = new PictureButton(QStringLiteral("图形按钮1"), QStringLiteral("minimise"), this);
  minimise->setGeometry(744, -2, 28, 20);
  minimise->setToolTip(QStringLiteral("最小化"));
  connect(minimise, &PictureButton::clicked, this, &QWidget::showMinimized);

  auto* close_button = new PictureButton(QStringLiteral("图形按钮2"), QStringLiteral("close"), this);
  close_button->setGeometry(772, -2, 28, 20);
  close_button->setToolTip(QStringLiteral("关闭"));
  connect(close_button, &PictureButton::clicked, this, &QWidget::close);
}

void MainWindow::select_lottery(LotteryCode lottery) {
  feed_->select_lottery(lottery);
}

void MainWindow::load_settings() {
  settings_->load_settings();
}

}  // namespace plandesk
