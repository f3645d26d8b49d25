#pragma once
// The two layers a WindowDecorator lays into a window: the background under
// every control (picture, header gradient, light panel, frame) and the title
// bar over them (icon, caption, minimise, close). Both follow the shared
// theme and the window's size and caption.

#include <QLabel>
#include <QPoint>
#include <QToolButton>
#include <QWidget>

namespace plandesk {

class DecoratorTheme;

class DecorationBackground : public QWidget {
  Q_OBJECT

 public:
  DecorationBackground(DecoratorTheme& theme, QWidget* window);
  void set_header_height(int height);
  int header_height() const { return header_height_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  DecoratorTheme& theme_;
  int header_height_ = 25;
};

class DecorationTitleBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int height_px = 25;

  DecorationTitleBar(DecoratorTheme& theme, QWidget* window);
  void refresh();  // caption, icon and colours from the window and theme

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  DecoratorTheme& theme_;
  QLabel* icon_;
  QLabel* caption_;
  QToolButton* minimise_;
  QToolButton* close_;
  bool dragging_ = false;
  QPoint drag_offset_;
};

}  // namespace plandesk
