#pragma once
// The pictures and the program icon the program carries as Qt resources.

#include <QByteArray>
#include <QIcon>

namespace plandesk {

QByteArray login_picture();         // JPEG, drawn over the login window
QByteArray registration_picture();  // JPEG, drawn over the registration window
QIcon program_icon();

}  // namespace plandesk
