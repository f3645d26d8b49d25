#include "shell/background_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace plandesk {

BackgroundBox::BackgroundBox(const QString& object_name, const QString& picture, QWidget* parent)
    : QWidget(parent), picture_(QStringLiteral(":/pictures/%1.png").arg(picture)) {
  setObjectName(object_name);
}

void BackgroundBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), picture_);
}

void BackgroundBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  QWidget* top = window();
  QWindow* handle = top->windowHandle();
  if (handle && handle->startSystemMove()) return;
  dragging_ = true;
  grab_offset_ = event->globalPosition().toPoint() - top->frameGeometry().topLeft();
}

void BackgroundBox::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  window()->move(event->globalPosition().toPoint() - grab_offset_);
}

void BackgroundBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

}  // namespace plandesk
