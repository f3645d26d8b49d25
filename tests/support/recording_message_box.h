#pragma once
// A MessageBox for tests: every box is answered with OK at once; its icon
// and text are kept for the test to read.

#include <QString>
#include <QStringList>
#include <vector>

#include "ui/message_box.h"

namespace plandesk::testing {

class RecordingMessageBox final : public MessageBox {
 public:
  struct Shown {
    MessageIcon icon;
    QString text;
  };
  void show(QWidget*, MessageIcon icon, const QString& text) override { shown.push_back({icon, text}); }

  QStringList texts() const {
    QStringList out;
    for (const auto& m : shown) out.append(m.text);
    return out;
  }

  std::vector<Shown> shown;
};

}  // namespace plandesk::testing
