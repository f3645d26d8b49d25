#include "ui/window_decorator.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include "ui/decorator_theme.h"

namespace plandesk {
namespace {

QByteArray jpeg_of(QColor colour) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 95);
  return bytes;
}

bool near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

QColor pixel(QWidget& w, QPoint at) {
  return w.grab().toImage().pixelColor(at);
}

class WindowDecoratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(300, 240);
    window.setWindowTitle("登陆");
  }
  QImage icon_image() {
    QImage i(32, 32, QImage::Format_ARGB32);
    i.fill(Qt::magenta);
    return i;
  }
  DecoratorTheme theme{QIcon(QPixmap::fromImage(icon_image()))};
  QWidget window;
};

TEST_F(WindowDecoratorTest, DrawsItsOwnFrameWithIconCaptionAndButtons) {
  WindowDecorator decorator(theme);
  decorator.set_theme(jpeg_of(Qt::red), account_theme_colour, true);
  decorator.set_panels(true, 130);
  decorator.decorate(&window, 110);
  window.show();

  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  auto* icon = window.findChild<QLabel*>("decoration_icon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->pixmap().size(), QSize(17, 17));
  auto* caption = window.findChild<QLabel*>("decoration_caption");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "登陆");
  window.setWindowTitle("修改密码");
  EXPECT_EQ(caption->text(), "修改密码");

  auto* close = window.findChild<QToolButton*>("decoration_close");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->geometry().right(), window.width() - 1);  // the title bar follows the window's width
  QTest::mouseClick(close, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(WindowDecoratorTest, PaintsPictureHeaderVeilAndPanel) {
  WindowDecorator decorator(theme);
  decorator.set_theme(jpeg_of(QColor(200, 0, 0)), account_theme_colour, true);
  decorator.set_panels(true, 130);
  decorator.decorate(&window, 110);
  window.show();

  // Beside the panel, below the header: the bare picture.
  const QColor bare = pixel(window, {3, 200});
  EXPECT_TRUE(near(bare, QColor(200, 0, 0))) << bare.name().toStdString();
  // Just under the title bar the white veil lightens the picture; at the
  // foot of the header it has faded out.
  const QColor veiled = pixel(window, {150, 30});
  EXPECT_GT(veiled.green(), 60);
  EXPECT_TRUE(near(pixel(window, {3, 108}), QColor(200, 0, 0), 16));
  // Inside the panel: the picture under white at 130 of 255.
  const QColor panel = pixel(window, {150, 180});
  EXPECT_NEAR(panel.green(), 130, 12);
  EXPECT_NEAR(panel.red(), 200 + (255 - 200) * 130 / 255, 12);

  decorator.set_panels(false, 130);
  EXPECT_TRUE(near(pixel(window, {150, 180}), QColor(200, 0, 0)));
}

TEST_F(WindowDecoratorTest, ThemeIsSharedByEveryDecoratorAndWindow) {
  WindowDecorator login_decorator(theme);
  WindowDecorator registration_decorator(theme);
  QWidget other;
  other.resize(200, 200);

  login_decorator.set_theme(jpeg_of(QColor(200, 0, 0)), account_theme_colour, true);
  login_decorator.set_panels(false, 130);
  login_decorator.decorate(&window, 110);
  registration_decorator.decorate(&other, 110);
  window.show();
  other.show();
  EXPECT_TRUE(near(pixel(other, {100, 150}), QColor(200, 0, 0)));

  QSignalSpy changed(&theme, &DecoratorTheme::changed);
  registration_decorator.set_theme(jpeg_of(QColor(0, 0, 200)), account_theme_colour, true);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_TRUE(near(pixel(window, {100, 150}), QColor(0, 0, 200)));
  EXPECT_EQ(theme.windows(), (QList<QWidget*>{&window, &other}));
}

TEST_F(WindowDecoratorTest, DecoratingAgainUpdatesInsteadOfStacking) {
  WindowDecorator decorator(theme);
  decorator.decorate(&window, 10);  // raised to the title bar's height
  decorator.decorate(&window, 110);
  EXPECT_EQ(window.findChildren<QLabel*>("decoration_caption").size(), 1);
  EXPECT_EQ(theme.windows().size(), 1);
}

TEST_F(WindowDecoratorTest, UndecodablePictureFallsBackToThemeColour) {
  WindowDecorator decorator(theme);
  decorator.set_theme(QByteArray("not a jpeg"), account_theme_colour, true);
  decorator.set_panels(false, 0);
  decorator.decorate(&window, 30);
  window.show();
  EXPECT_TRUE(theme.picture().isNull());
  EXPECT_TRUE(near(pixel(window, {100, 150}), account_theme_colour.lighter(160)));
}

TEST_F(WindowDecoratorTest, ForgetsDestroyedWindows) {
  WindowDecorator decorator(theme);
  {
    QWidget gone;
    decorator.decorate(&gone, 110);
  }
  decorator.decorate(&window, 110);
  EXPECT_EQ(theme.windows(), QList<QWidget*>{&window});
  decorator.set_theme(jpeg_of(Qt::green), account_theme_colour, true);  // nothing dangling to repaint
}

}  // namespace
}  // namespace plandesk
