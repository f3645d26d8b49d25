#include "ui/decoration_widgets.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "ui/decorator_theme.h"

namespace plandesk {

DecorationBackground::DecorationBackground(DecoratorTheme& theme, QWidget* window)
    : QWidget(window), theme_(theme) {
  setObjectName("decoration_background");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  connect(&theme_, &DecoratorTheme::changed, this, qOverload<>(&QWidget::update));
}

void DecorationBackground::set_header_height(int height) {
  header_height_ = std::max(height, DecorationTitleBar::height_px);
  update();
}

void DecorationBackground::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect all = rect();
  const QImage& picture = theme_.picture();
  if (picture.isNull())
    p.fillRect(all, theme_.colour().lighter(160));
  else if (theme_.stretched())
    p.drawImage(all, picture);
  else
    p.drawTiledPixmap(all, QPixmap::fromImage(picture));

  // The header fades from a light veil into the picture, so the caption and
  // whatever the window shows at its top stay readable on any picture.
  QLinearGradient veil(0, 0, 0, header_height_);
  veil.setColorAt(0, QColor(255, 255, 255, 150));
  veil.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(QRect(0, 0, all.width(), header_height_), veil);

  if (theme_.effects() && all.height() > header_height_ + 16) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, theme_.panel_alpha()));
    p.drawRoundedRect(QRectF(8, header_height_, all.width() - 16, all.height() - header_height_ - 8), 6, 6);
    p.setRenderHint(QPainter::Antialiasing, false);
  }

  p.setPen(theme_.colour());
  p.setBrush(Qt::NoBrush);
  p.drawRect(all.adjusted(0, 0, -1, -1));
}

namespace {

QToolButton* title_button(const QString& name, const QString& text, const QString& tip, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolTip(tip);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setFixedSize(28, 20);
  return b;
}

}  // namespace

DecorationTitleBar::DecorationTitleBar(DecoratorTheme& theme, QWidget* window)
    : QWidget(window),
      theme_(theme),
      icon_(new QLabel(this)),
      caption_(new QLabel(this)),
      minimise_(title_button("decoration_minimise", QStringLiteral("\u2013"), "最小化", this)),
      close_(title_button("decoration_close", QStringLiteral("\u00d7"), "关闭", this)) {
  setObjectName("decoration_title_bar");
  icon_->setObjectName("decoration_icon");
  caption_->setObjectName("decoration_caption");
  icon_->setGeometry(6, 4, 17, 17);
  caption_->move(28, 0);
  connect(minimise_, &QToolButton::clicked, window, &QWidget::showMinimized);
  connect(close_, &QToolButton::clicked, window, &QWidget::close);
  connect(&theme_, &DecoratorTheme::changed, this, &DecorationTitleBar::refresh);
  refresh();
}

void DecorationTitleBar::refresh() {
  QWidget* w = window();
  resize(w->width(), height_px);
  icon_->setPixmap(theme_.icon().pixmap(17, 17));
  caption_->setText(w->windowTitle());
  caption_->resize(std::max(0, w->width() - 28 - 2 * 28 - 4), height_px);
  close_->move(w->width() - 28, 0);
  minimise_->move(w->width() - 2 * 28, 0);
  const QString colour = theme_.colour().darker(180).name();
  caption_->setStyleSheet(
      QStringLiteral("color: %1; font-weight: bold; background: transparent;").arg(colour));
  const QString buttons = QStringLiteral(
                              "QToolButton { color: %1; border: none; background: transparent; }"
                              "QToolButton:hover { background: %2; color: white; }")
                              .arg(colour, theme_.colour().name());
  minimise_->setStyleSheet(buttons);
  close_->setStyleSheet(buttons);
}

// The title bar moves its window: through the window system where it can do
// so, otherwise by following the mouse.
void DecorationTitleBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  QWindow* handle = window()->windowHandle();
  if (handle && handle->startSystemMove()) return;
  dragging_ = true;
  drag_offset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void DecorationTitleBar::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) window()->move(event->globalPosition().toPoint() - drag_offset_);
}

void DecorationTitleBar::mouseReleaseEvent(QMouseEvent*) {
  dragging_ = false;
}

}  // namespace plandesk
