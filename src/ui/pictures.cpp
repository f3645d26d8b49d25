#include "ui/pictures.h"

#include <QFile>

namespace plandesk {
namespace {

QByteArray resource_bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QByteArray login_picture() {
  return resource_bytes(":/plandesk/login.jpg");
}
QByteArray registration_picture() {
  return resource_bytes(":/plandesk/registration.jpg");
}

}  // namespace plandesk
