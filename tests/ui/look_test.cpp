// The carried pictures and the skin.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include "ui/pictures.h"
#include "ui/skin.h"

namespace plandesk {
namespace {

TEST(Pictures, AreJpegsOfTheirWindowsSize) {
  EXPECT_EQ(QImage::fromData(login_picture(), "JPG").size(), QSize(500, 340));
  EXPECT_EQ(QImage::fromData(registration_picture(), "JPG").size(), QSize(395, 346));
}

QStringList style_warnings;

void keep_style_warnings(QtMsgType, const QMessageLogContext&, const QString& text) {
  if (text.contains("style", Qt::CaseInsensitive)) style_warnings.append(text);
}

TEST(Skin, AttachesAStyleSheetQtCanParse) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  ASSERT_TRUE(app->styleSheet().isEmpty());
  const auto previous = qInstallMessageHandler(keep_style_warnings);
  attach_skin(*app);
  QPushButton button("注册");
  button.show();
  button.grab();
  qInstallMessageHandler(previous);
  EXPECT_FALSE(app->styleSheet().isEmpty());
  EXPECT_TRUE(style_warnings.isEmpty()) << style_warnings.join("\n").toStdString();
  app->setStyleSheet(QString());
}

}  // namespace
}  // namespace plandesk
