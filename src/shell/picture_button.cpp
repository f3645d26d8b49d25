#include "shell/picture_button.h"

#include <QPainter>

namespace plandesk {

PictureButton::PictureButton(const QString& object_name, const QString& picture, QWidget* parent)
    : QAbstractButton(parent),
      normal_(QStringLiteral(":/pictures/%1_normal.png").arg(picture)),
      hover_(QStringLiteral(":/pictures/%1_hover.png").arg(picture)),
      down_(QStringLiteral(":/pictures/%1_down.png").arg(picture)) {
  setObjectName(object_name);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
  resize(sizeHint());
}

QSize PictureButton::sizeHint() const {
  return normal_.isNull() ? QSize(32, 32) : normal_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPixmap* picture = &normal_;
  if (isDown() || isChecked())
    picture = &down_;
  else if (hovered_)
    picture = &hover_;
  painter.drawPixmap(rect(), *picture);
}

void PictureButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace plandesk
