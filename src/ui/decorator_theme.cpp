#include "ui/decorator_theme.h"

#include <algorithm>
#include <utility>

namespace plandesk {

DecoratorTheme::DecoratorTheme(QIcon icon, QObject* parent) : QObject(parent), icon_(std::move(icon)) {}

void DecoratorTheme::set_picture(QImage picture, QColor colour, bool stretched) {
  picture_ = std::move(picture);
  colour_ = colour;
  stretched_ = stretched;
  repaint_windows();
}

void DecoratorTheme::set_panels(bool effects, int alpha) {
  effects_ = effects;
  panel_alpha_ = std::clamp(alpha, 0, 255);
  repaint_windows();
}

void DecoratorTheme::add_window(QWidget* window) {
  windows_.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
  if (!windows().contains(window)) windows_.append(window);
}

QList<QWidget*> DecoratorTheme::windows() const {
  QList<QWidget*> alive;
  for (const auto& w : windows_)
    if (w) alive.append(w.data());
  return alive;
}

void DecoratorTheme::repaint_windows() {
  emit changed();
  for (QWidget* w : windows())
    if (w->isVisible()) w->update();
}

}  // namespace plandesk
