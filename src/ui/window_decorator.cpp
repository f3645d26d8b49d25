#include "ui/window_decorator.h"

#include <QEvent>
#include <QImage>

#include "ui/decoration_widgets.h"
#include "ui/decorator_theme.h"

namespace plandesk {
namespace {

// Keeps the two decoration layers the size of their window and the title bar
// in step with the window's caption.
class DecorationFollower : public QObject {
 public:
  DecorationFollower(QWidget* window, DecorationBackground* background, DecorationTitleBar* title_bar)
      : QObject(window), background_(background), title_bar_(title_bar) {
    setObjectName("decoration_follower");
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Resize:
      case QEvent::Show:
        background_->setGeometry(static_cast<QWidget*>(watched)->rect());
        background_->lower();
        title_bar_->raise();
        title_bar_->refresh();
        break;
      case QEvent::WindowTitleChange:
        title_bar_->refresh();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  DecorationBackground* background_;
  DecorationTitleBar* title_bar_;
};

}  // namespace

void WindowDecorator::set_theme(const QByteArray& jpeg, QColor colour, bool stretched) {
  theme_.set_picture(QImage::fromData(jpeg), colour, stretched);
}

void WindowDecorator::set_panels(bool effects, int translucency) {
  theme_.set_panels(effects, translucency);
}

void WindowDecorator::decorate(QWidget* window, int header_height) {
  if (!window) return;
  auto* background = window->findChild<DecorationBackground*>(QString(), Qt::FindDirectChildrenOnly);
  auto* title_bar = window->findChild<DecorationTitleBar*>(QString(), Qt::FindDirectChildrenOnly);
  if (!background) {
    // Changing the frame hides a visible window; show it again afterwards.
    const bool was_visible = window->isVisible();
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    background = new DecorationBackground(theme_, window);
    title_bar = new DecorationTitleBar(theme_, window);
    new DecorationFollower(window, background, title_bar);
    if (was_visible) window->show();
  }
  background->set_header_height(header_height);
  background->setGeometry(window->rect());
  background->lower();
  background->show();
  title_bar->raise();
  title_bar->refresh();
  title_bar->show();
  theme_.add_window(window);
  window->update();
}

}  // namespace plandesk
