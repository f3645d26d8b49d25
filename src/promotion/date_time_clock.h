#pragma once
// The current local time, handed in so that tests decide what "now" is.

#include <QDateTime>
#include <functional>

namespace plandesk {

using DateTimeClock = std::function<QDateTime()>;

inline QDateTime system_now() {
  return QDateTime::currentDateTime();
}

}  // namespace plandesk
