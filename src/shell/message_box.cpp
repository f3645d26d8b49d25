#include "shell/message_box.h"

#include <QMessageBox>

namespace plandesk {

void QtMessageBox::show(QWidget* parent, MessageIcon icon, const QString& text) {
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("提示"));
  box.setText(text);
  switch (icon) {
    case MessageIcon::none:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::warning:
      box.setIcon(QMessageBox::Warning);
      break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace plandesk
