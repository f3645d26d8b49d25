#pragma once
// A button drawn entirely by its pictures: one for rest, one under the mouse
// and one while pressed or checked.

#include <QAbstractButton>
#include <QPixmap>

namespace plandesk {

class PictureButton : public QAbstractButton {
  Q_OBJECT
 public:
  // Loads "<picture>_normal.png", "<picture>_hover.png" and "<picture>_down.png"
  // from the resource folder ":/pictures/"; the button takes the size of the
  // rest picture.
  PictureButton(const QString& object_name, const QString& picture, QWidget* parent);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap normal_;
  QPixmap hover_;
  QPixmap down_;
  bool hovered_ = false;
};

}  // namespace plandesk
