#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace plandesk {

void DialogMessageBox::show(QWidget* parent, const QString& text, MessageIcon icon) {
  auto* box =
      new QMessageBox(icon == MessageIcon::information ? QMessageBox::Information : QMessageBox::NoIcon,
                      QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
  box->setObjectName("message_box");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace plandesk
