#pragma once
// A MessageBox for tests: every box is answered with OK at once and its text
// and icon are kept for the test to read.

#include <QList>
#include <QString>

#include "ui/message_box.h"

namespace plandesk::testing {

struct ShownMessage {
  QString text;
  MessageIcon icon;
  QWidget* parent;
};

class RecordingMessageBox : public MessageBox {
 public:
  void show(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::none) override {
    shown.append({text, icon, parent});
  }
  QStringList texts() const {
    QStringList out;
    for (const auto& m : shown) out.append(m.text);
    return out;
  }
  QList<ShownMessage> shown;
};

}  // namespace plandesk::testing
