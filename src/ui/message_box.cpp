#include "ui/message_box.h"

#include <QMessageBox>

namespace plandesk {

void QtMessageBox::show(QWidget* parent, MessageIcon icon, const QString& text) {
  auto* box = new QMessageBox(parent);
  box->setObjectName("message_box");
  box->setWindowTitle(QStringLiteral("提示"));
  box->setText(text);
  switch (icon) {
    case MessageIcon::none:
      box->setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::information:
      box->setIcon(QMessageBox::Information);
      break;
    case MessageIcon::warning:
      box->setIcon(QMessageBox::Warning);
      break;
  }
  box->setStandardButtons(QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace plandesk
