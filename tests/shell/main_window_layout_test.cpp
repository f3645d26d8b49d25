// The frame of the main window: controls by name and place, the pictures,
// tab switching, minimise, close and dragging by the background.
#include <QAbstractButton>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "shell/account_tab.h"
#include "shell/window_fixture.h"

namespace plandesk::testing {
namespace {

using MainWindowLayout = WindowTest;

TEST_F(MainWindowLayout, IsAFramelessWindowOfItsOwnSize) {
  EXPECT_EQ(window->size(), QSize(800, 565));
  EXPECT_EQ(window->pos(), QPoint(50, 50));
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(MainWindowLayout, ControlsCarryTheirNamesAndPlaces) {
  struct Case {
    const char* name;
    const char* class_name;
    QRect geometry;
  } cases[] = {
      {"图片框1", "plandesk::BackgroundBox", {0, 0, 800, 565}},
      {"图形按钮6", "plandesk::PictureButton", {239, 22, 64, 84}},
      {"图形按钮3", "plandesk::PictureButton", {324, 22, 64, 84}},
      {"图形按钮4", "plandesk::PictureButton", {409, 22, 64, 84}},
      {"图形按钮5", "plandesk::PictureButton", {495, 22, 64, 84}},
      {"图形按钮1", "plandesk::PictureButton", {744, -2, 28, 20}},
      {"图形按钮2", "plandesk::PictureButton", {772, -2, 28, 20}},
      {"选择夹1", "QTabWidget", {8, 120, 784, 435}},
      {"按钮2", "QPushButton", {584, 56, 180, 30}},
      {"编辑框2", "QPlainTextEdit", {16, 12, 736, 88}},
  };
  for (const auto& c : cases) {
    auto* widget = find<QWidget>(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), c.class_name) << c.name;
    EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
  }
  EXPECT_EQ(find<QTimer>("时钟1")->interval(), 5000);
}

TEST_F(MainWindowLayout, CaptionsAreThoseOfTheDesign) {
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {
      {"单选框1", "和盛时时彩"},
      {"单选框2", "重庆时时彩"},
      {"单选框3", "江西时时彩"},
      {"单选框4", "北京PK10"},
      {"单选框5", "山东11选5"},
      {"按钮2", "清空计划重新开始"},
      {"按钮3", "保存设置"},
      {"按钮4", "修改密码"},
      {"按钮5", "绑定"},
      {"选择框_ssc后一定位", "开启后一定位计划"},
      {"选择框_ssc后一大小", "开启后一大小计划"},
      {"选择框_ssc后二", "开启后二计划"},
      {"选择框_ssc后三", "开启后三计划"},
      {"选择框_PK第一名", "开启第一名定位"},
      {"选择框_PK第三名", "开启第三名定位"},
      {"选择框_11x5万位", "开启万位定位"},
      {"选择框_11x5百位", "开启百位定位"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(find<QAbstractButton>(c.name)->text(), QString::fromUtf8(c.text)) << c.name;

  EXPECT_EQ(label_text("标签3"), "当前期号：");
  EXPECT_EQ(label_text("标签4"), "00000");
  EXPECT_EQ(numbers_point_size(), 42);
  EXPECT_TRUE(find<QLabel>("标签4")->font().bold());
  EXPECT_EQ(label_text("标签1"), "用户名：");
  window->account_tab().set_user_name("demo");
  EXPECT_EQ(label_text("标签1"), "用户名：demo");

  auto* tabs = find<QTabWidget>("选择夹1");
  ASSERT_EQ(tabs->count(), 4);
  const char* titles[] = {"计划", "设置", "账号", "推广"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs->tabText(i), QString::fromUtf8(titles[i]));

  for (const auto* name : {"分组框4", "分组框5", "分组框6", "分组框_用户信息", "编辑框_zhifubao",
                           "编辑框_zhifubaoname", "编辑框_ssc后一大小", "编辑框_11x5千位注数"})
    find<QWidget>(name);
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("编辑框_ssc后一大小注数")), nullptr)
      << "the big/small kind has no bet count";
}

TEST_F(MainWindowLayout, ListsHaveTheirColumns) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, int>> columns;
  } cases[] = {
      {"超级列表框2", {{"Num", 40}, {"期号", 110}, {"开奖号", 270}}},
      {"超级列表框1", {{"num", 50}, {"下级用户名", 150}, {"注册时间", 220}, {"到期时间", 220}, {"", 50}}},
  };
  for (const auto& c : cases) {
    auto* list = find<QTreeWidget>(c.name);
    ASSERT_EQ(list->columnCount(), static_cast<int>(c.columns.size())) << c.name;
    for (int i = 0; i < list->columnCount(); ++i) {
      EXPECT_EQ(list->headerItem()->text(i), QString::fromUtf8(c.columns[static_cast<std::size_t>(i)].first));
      EXPECT_EQ(list->columnWidth(i), c.columns[static_cast<std::size_t>(i)].second) << c.name << " " << i;
    }
  }
}

TEST_F(MainWindowLayout, PicturesAreCarriedAsResources) {
  EXPECT_EQ(QPixmap(":/pictures/background.png").size(), QSize(800, 565));
  for (const auto* name : {"tab_plans", "tab_settings", "tab_account", "tab_promotion"})
    for (const auto* state : {"_normal", "_hover", "_down"})
      EXPECT_EQ(QPixmap(QStringLiteral(":/pictures/") + name + state + ".png").size(), QSize(64, 84))
          << name << state;
  for (const auto* name : {"minimise", "close"})
    for (const auto* state : {"_normal", "_hover", "_down"})
      EXPECT_EQ(QPixmap(QStringLiteral(":/pictures/") + name + state + ".png").size(), QSize(28, 20))
          << name << state;
}

TEST_F(MainWindowLayout, PictureButtonsSelectTheTabs) {
  auto* tabs = find<QTabWidget>("选择夹1");
  const char* buttons[] = {"图形按钮3", "图形按钮5", "图形按钮4", "图形按钮6"};
  const int expected[] = {1, 3, 2, 0};
  for (int i = 0; i < 4; ++i) {
    QTest::mouseClick(find<QAbstractButton>(buttons[i]), Qt::LeftButton);
    EXPECT_EQ(tabs->currentIndex(), expected[i]) << buttons[i];
    EXPECT_TRUE(find<QAbstractButton>(buttons[i])->isChecked());
  }
  tabs->setCurrentIndex(2);
  EXPECT_TRUE(find<QAbstractButton>("图形按钮4")->isChecked()) << "the buttons follow the tab control";
  EXPECT_FALSE(find<QAbstractButton>("图形按钮6")->isChecked());
}

TEST_F(MainWindowLayout, CaptionButtonsMinimiseAndClose) {
  QTest::mouseClick(find<QAbstractButton>("图形按钮1"), Qt::LeftButton);
  EXPECT_TRUE(wait_until([&] { return window->isMinimized(); }));
  window->showNormal();
  QTest::mouseClick(find<QAbstractButton>("图形按钮2"), Qt::LeftButton);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowLayout, PressingTheBackgroundDragsTheWindow) {
  auto* background = find<QWidget>("图片框1");
  QTest::mousePress(background, Qt::LeftButton, {}, QPoint(650, 60));
  QTest::mouseMove(background, QPoint(700, 90));
  QTest::mouseRelease(background, Qt::LeftButton, {}, QPoint(700, 90));
  EXPECT_EQ(window->pos(), QPoint(100, 80));
}

TEST_F(MainWindowLayout, TicksBeforeTheFirstSelectionDoNothing) {
  for (int i = 0; i < 3; ++i) window->feed().tick();
  EXPECT_FALSE(window->feed().poll_in_flight());
  QTest::qWait(1);
  EXPECT_EQ(server.total_requests(), 0);
  EXPECT_FALSE(window->feed().state().selected_lottery);
  // The timer itself runs from the window's creation on.
  MainWindow second({{}, dir.path(), *store, messages});
  EXPECT_TRUE(second.findChild<QTimer*>(QStringLiteral("时钟1"))->isActive());
}

}  // namespace
}  // namespace plandesk::testing
