#pragma once
// The pictures of the login and registration windows, carried as Qt
// resources.

#include <QByteArray>

namespace plandesk {

QByteArray login_picture();         // JPEG, drawn over the login window
QByteArray registration_picture();  // JPEG, drawn over the registration window

}  // namespace plandesk
