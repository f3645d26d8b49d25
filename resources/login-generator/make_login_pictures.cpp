// Draws the pictures of the login and registration windows (JPEG). Run by scripts/make-login-pictures;
// the output is committed under resources/.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <cmath>

namespace {

struct Palette {
  QColor top, bottom, glow;
};

// Soft light spots and a rising chart line across the lower part of the
// picture; the seed keeps every run identical.
void draw_background(QPainter& p, QSize size, const Palette& palette, quint32 seed) {
  QLinearGradient sky(0, 0, size.width() * 0.35, size.height());
  sky.setColorAt(0, palette.top);
  sky.setColorAt(1, palette.bottom);
  p.fillRect(QRect(QPoint(0, 0), size), sky);

  QRandomGenerator random(seed);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 14; ++i) {
    const QPointF centre(random.bounded(size.width()), random.bounded(size.height()));
    const double radius = 18 + random.bounded(60);
    QRadialGradient spot(centre, radius);
    QColor c = palette.glow;
    c.setAlpha(40 + random.bounded(50));
    spot.setColorAt(0, c);
    c.setAlpha(0);
    spot.setColorAt(1, c);
    p.setBrush(spot);
    p.drawEllipse(centre, radius, radius);
  }

  QPainterPath line;
  const int steps = 12;
  for (int i = 0; i <= steps; ++i) {
    const double x = size.width() * i / steps;
    const double y = size.height() * (0.92 - 0.35 * i / steps) + 14 * std::sin(i * 1.7);
    if (i == 0)
      line.moveTo(x, y);
    else
      line.lineTo(x, y);
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 110), 2.5));
  p.drawPath(line);
  p.setBrush(QColor(255, 255, 255, 170));
  p.setPen(Qt::NoPen);
  for (int i = 0; i < line.elementCount(); ++i) p.drawEllipse(QPointF(line.elementAt(i)), 3.5, 3.5);
}

void draw_title(QPainter& p, const QString& title, const QString& subtitle) {
  p.setPen(QColor(0x1d, 0x4d, 0x2a));
  QFont big("DejaVu Sans", 24, QFont::Bold);
  p.setFont(big);
  p.drawText(QPointF(24, 70), title);
  QFont small("WenQuanYi Micro Hei", 11);
  p.setFont(small);
  p.setPen(QColor(0x2c, 0x63, 0x3a));
  p.drawText(QPointF(26, 95), subtitle);
}

QImage picture(QSize size, const Palette& palette, quint32 seed, const QString& subtitle) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  draw_background(p, size, palette, seed);
  draw_title(p, "PlanDesk", subtitle);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const Palette login{QColor(0xe4, 0xf6, 0xe0), QColor(0x3f, 0x9e, 0x62), QColor(0xff, 0xff, 0xf0)};
  const Palette registration{QColor(0xe2, 0xf4, 0xf2), QColor(0x2f, 0x8a, 0x86), QColor(0xf0, 0xff, 0xff)};
  const bool ok =
      picture({500, 340}, login, 7, "计划 · 开奖 · 统计").save(out + "/login.jpg", "JPG", 90) &&
      picture({395, 346}, registration, 11, "注册账号").save(out + "/registration.jpg", "JPG", 90);
  QTextStream(stderr) << (ok ? "pictures written to " : "could not write pictures to ") << out << "\n";
  return ok ? 0 : 1;
}
