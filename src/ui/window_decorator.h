#pragma once
// Dresses top-level windows: frameless, the theme's picture stretched over
// them, a title bar of its own (program icon, caption, minimise, close), a
// light header veil and a light translucent panel under the controls.
//
// The look itself lives in the shared DecoratorTheme; a decorator is a handle
// on it. For one window the calls come in the order set_theme, set_panels,
// decorate.

#include <QByteArray>
#include <QColor>
#include <QWidget>

namespace plandesk {

class DecoratorTheme;

// The colour and header height the login and registration windows use.
inline const QColor account_theme_colour{0x51, 0xAE, 0x51};
inline constexpr int account_header_height = 110;
inline constexpr int account_panel_alpha = 130;

class WindowDecorator {
 public:
  explicit WindowDecorator(DecoratorTheme& theme) : theme_(theme) {}

  // Replaces the shared picture (JPEG bytes; undecodable bytes leave the
  // picture empty) and colour; every visible decorated window repaints.
  void set_theme(const QByteArray& jpeg, QColor colour, bool stretched);
  void set_panels(bool effects, int translucency);
  // Takes over the window's frame and background. The header is at least as
  // tall as the title bar. Decorating a window again only updates it.
  void decorate(QWidget* window, int header_height);

  DecoratorTheme& theme() const { return theme_; }

 private:
  DecoratorTheme& theme_;
};

}  // namespace plandesk
