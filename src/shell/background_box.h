#pragma once
// The picture under the whole main window. Pressing the left button on it
// drags the frameless window, through the window system where it can move
// windows itself and by following the mouse where it cannot.

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace plandesk {

class BackgroundBox : public QWidget {
  Q_OBJECT
 public:
  BackgroundBox(const QString& object_name, const QString& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
  bool dragging_ = false;
  QPoint grab_offset_;  // mouse position relative to the window's top-left corner
};

}  // namespace plandesk
