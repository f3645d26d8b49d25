#pragma once
// Types text into a widget the way a user does: ASCII through key presses,
// every other character committed through the input method, as a Chinese
// input method delivers it.

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>

namespace plandesk::testing {

inline void type_text(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80 && c.isPrint()) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QCoreApplication::sendEvent(widget, &commit);
    }
  }
}

}  // namespace plandesk::testing
