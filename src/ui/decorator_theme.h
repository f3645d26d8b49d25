#pragma once
// The look that every WindowDecorator of the program shares: one picture,
// one theme colour, one panel setting, and the list of windows dressed with
// them. The application owns one theme and hands it to its decorators, so
// that a change made through any decorator shows on every decorated window.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace plandesk {

class DecoratorTheme : public QObject {
  Q_OBJECT

 public:
  // Defaults until a decorator sets its own: effects on, panels 160 of 255,
  // theme colour red 0x22, green 0xCA, blue 0xDD, no picture.
  explicit DecoratorTheme(QIcon icon, QObject* parent = nullptr);

  const QImage& picture() const { return picture_; }
  QColor colour() const { return colour_; }
  bool stretched() const { return stretched_; }
  bool effects() const { return effects_; }
  int panel_alpha() const { return panel_alpha_; }
  // The program icon the title bars show at 17 x 17 pixels.
  const QIcon& icon() const { return icon_; }

  // Each setter repaints every visible decorated window.
  void set_picture(QImage picture, QColor colour, bool stretched);
  void set_panels(bool effects, int alpha);

  void add_window(QWidget* window);
  // The decorated windows that still exist, in the order they were added.
  QList<QWidget*> windows() const;

 signals:
  void changed();

 private:
  void repaint_windows();

  QImage picture_;
  QColor colour_{0x22, 0xCA, 0xDD};
  bool stretched_ = true;
  bool effects_ = true;
  int panel_alpha_ = 160;
  QIcon icon_;
  QList<QPointer<QWidget>> windows_;
};

}  // namespace plandesk
