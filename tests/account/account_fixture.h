#pragma once
// What every account window test needs: a service on 127.0.0.1 with canned
// replies, a temporary data folder, the two decorators over one theme, and a
// message box that records.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "account/account_environment.h"
#include "service/recording_server.h"
#include "support/temp_dir.h"
#include "support/recording_message_box.h"
#include "support/top_level.h"
#include "support/typing.h"
#include "text/gbk.h"
#include "ui/decorator_theme.h"
#include "ui/window_decorator.h"

namespace plandesk::testing {

class AccountFixture : public ::testing::Test {
 protected:
  AccountFixture() { context.base_url = server.base_url(); }

  AccountEnvironment environment() {
    return {context, dir.path(), login_decorator, registration_decorator, messages};
  }

  // The value the service received under `key` in the last request to `path`, as UTF-8.
  std::string received(const std::string& path, const std::string& key) const {
    const auto requests = server.requests();
    for (auto it = requests.rbegin(); it != requests.rend(); ++it)
      if (it->path == path)
        return it->params.count(key) ? gbk_to_utf8(it->params.find(key)->second) : "<absent>";
    return "<no request>";
  }

  std::size_t requests_to(const std::string& path) const {
    std::size_t n = 0;
    for (const auto& r : server.requests())
      if (r.path == path) ++n;
    return n;
  }

  // Replaces the text of a box the way a user does: select all, type.
  static void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    type_text(edit, text);
  }

  RecordingServer server;
  TempDir dir;
  ServiceContext context;
  DecoratorTheme theme{QIcon()};
  WindowDecorator login_decorator{theme};
  WindowDecorator registration_decorator{theme};
  RecordingMessageBox messages;
};

}  // namespace plandesk::testing
