#include "shell/window_fixture.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace plandesk::testing {

WindowTest::WindowTest() {
  auto opened = open_store(dir.path());
  if (!opened.store) throw std::runtime_error(opened.error);
  store = std::move(opened.store);
  build_window();
}

WindowTest::~WindowTest() {
  // A poll still waiting at the server would hold up the window's end.
  server.release();
  window.reset();
}

void WindowTest::build_window() {
  window.reset();
  ServiceContext service;
  service.user_name = "demo";
  service.password = "demo123";
  service.base_url = server.base_url();
  window = std::make_unique<MainWindow>(MainWindowDeps{service, dir.path(), *store, messages});
  window->load_settings();
  window->findChild<QTimer*>(QStringLiteral("时钟1"))->stop();
  window->show();
}

bool wait_until(const std::function<bool()>& done) {
  return QTest::qWaitFor(done, 20000);
}

QString WindowTest::plan_text() const {
  return window->findChild<QPlainTextEdit*>(QStringLiteral("编辑框1"))->toPlainText();
}

QString WindowTest::label_text(const char* name) const {
  return find<QLabel>(name)->text();
}

int WindowTest::numbers_point_size() const {
  return find<QLabel>("标签4")->font().pointSize();
}

std::vector<PlanRecord> WindowTest::plans(int type) const {
  auto listed = store->list_plans(type);
  EXPECT_TRUE(listed.status.ok) << listed.status.error;
  return listed.plans;
}

void WindowTest::set_box(const char* name, const char* text) const {
  auto* box = find<QLineEdit>(name);
  box->clear();
  QTest::keyClicks(box, QString::fromUtf8(text));
}

void WindowTest::set_checked(const char* name, bool checked) const {
  auto* box = find<QCheckBox>(name);
  if (box->isChecked() != checked) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
  EXPECT_EQ(box->isChecked(), checked) << name;
}

}  // namespace plandesk::testing
