#include "ui/skin.h"

#include <QApplication>
#include <QFile>

namespace plandesk {

void attach_skin(QApplication& app) {
  QFile sheet(":/plandesk/skin.qss");
  if (!sheet.open(QIODevice::ReadOnly)) return;
  app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
}

}  // namespace plandesk
