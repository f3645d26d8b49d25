#pragma once
// Finding the windows a test did not create itself, by their objectName.

#include <QApplication>
#include <QWidget>

namespace plandesk::testing {

template <typename Window = QWidget>
Window* find_top_level(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name)
      if (auto* window = qobject_cast<Window*>(w)) return window;
  return nullptr;
}

// A control of a window by its design name. A missing control is a fault of
// the window under test: the test stops there.
template <typename Control>
Control* control(const QWidget* window, const QString& name) {
  Control* found = window ? window->findChild<Control*>(name) : nullptr;
  if (!found) qFatal("no control named %s", qPrintable(name));
  return found;
}

}  // namespace plandesk::testing
