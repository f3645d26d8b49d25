#pragma once
// A main window built as the program builds it, over a real plan store in a
// temporary folder and a feed server on 127.0.0.1, with message boxes
// recorded instead of shown and the 5-second timer stopped so that the tests
// decide when a tick comes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "plans/plan_store.h"
#include "support/temp_dir.h"
#include "shell/feed_controller.h"
#include "shell/feed_server.h"
#include "shell/main_window.h"
#include "support/recording_message_box.h"

class QLabel;
class QLineEdit;
class QCheckBox;

namespace plandesk::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  // Builds the window (again): a second start over the same folder and store.
  void build_window();

  template <typename T>
  T* find(const char* name) const {
    auto* found = window->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Runs `action` and waits until the window has applied `cycles` polls.
  template <typename Action>
  void and_wait(Action action, int cycles = 1);

  void select_and_wait(LotteryCode lottery) {
    and_wait([&] { window->select_lottery(lottery); });
  }
  void tick_and_wait() {
    and_wait([&] { window->feed().tick(); });
  }

  QString plan_text() const;
  QString label_text(const char* name) const;
  int numbers_point_size() const;
  std::vector<PlanRecord> plans(int type) const;
  void set_box(const char* name, const char* text) const;
  void set_checked(const char* name, bool checked) const;

  TempDir dir;
  FeedServer server;
  RecordingMessageBox messages;
  std::unique_ptr<PlanStore> store;
  std::unique_ptr<MainWindow> window;
};

// Waits (processing events) until `done` holds; fails the test when it does
// not within a generous bound meant only to keep a broken test from hanging.
bool wait_until(const std::function<bool()>& done);

template <typename Action>
void WindowTest::and_wait(Action action, int cycles) {
  int applied = 0;
  auto connection = QObject::connect(&window->feed(), &FeedController::cycle_applied, [&] { ++applied; });
  action();
  EXPECT_TRUE(wait_until([&] { return applied >= cycles; })) << "no poll was applied";
  QObject::disconnect(connection);
}

}  // namespace plandesk::testing
