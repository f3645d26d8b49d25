// Draws the pictures of the main window (background, tab buttons, minimise
// and close buttons, program icon) into PNG files. Run by
// resources/make-pictures; its output is committed in resources/pictures/.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QtMath>
#include <cstdio>
#include <functional>

namespace {

const QColor header_dark(0x0b, 0x3a, 0x6e);
const QColor header_light(0x16, 0x7a, 0xb8);
const QColor gold(0xf5, 0xc2, 0x42);

QFont cjk_font(double point_size, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("PingFang SC"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun")});
  font.setPointSizeF(point_size);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QImage blank(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

bool save(const QImage& image, const QString& folder, const QString& name) {
  const auto path = QDir(folder).filePath(name + QStringLiteral(".png"));
  if (!image.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// The round logo: a lottery ball with "彩" on it.
void draw_logo(QPainter& p, QPointF centre, double radius) {
  QRadialGradient ball(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.4);
  ball.setColorAt(0, QColor(0xff, 0xd8, 0x6b));
  ball.setColorAt(0.55, QColor(0xf0, 0x8a, 0x24));
  ball.setColorAt(1, QColor(0xc6, 0x3b, 0x1c));
  p.setPen(QPen(QColor(255, 255, 255, 200), 2));
  p.setBrush(ball);
  p.drawEllipse(centre, radius, radius);
  p.setPen(Qt::white);
  p.setFont(cjk_font(radius * 0.75, true));
  p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
             QStringLiteral("彩"));
}

QImage background() {
  QImage image = blank(800, 565);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  QLinearGradient body(0, 120, 0, 565);
  body.setColorAt(0, QColor(0xe4, 0xec, 0xf5));
  body.setColorAt(1, QColor(0xd3, 0xdf, 0xec));
  p.fillRect(image.rect(), body);

  QLinearGradient header(0, 0, 800, 120);
  header.setColorAt(0, header_dark);
  header.setColorAt(1, header_light);
  p.fillRect(QRect(0, 0, 800, 120), header);

  // Soft waves and rings over the header.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 3; ++i) {
    QPainterPath wave;
    const double base = 78 + i * 14;
    wave.moveTo(0, base);
    for (int x = 0; x <= 800; x += 10)
      wave.lineTo(x, base + 9 * qSin((x / 800.0) * 2 * M_PI * (1.2 + 0.3 * i) + i));
    wave.lineTo(800, 120);
    wave.lineTo(0, 120);
    wave.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 14 + 6 * i));
    p.drawPath(wave);
  }
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) {
    p.setPen(QPen(QColor(255, 255, 255, 22 - 4 * i), 2));
    p.drawEllipse(QPointF(690, 40), 40.0 + 26 * i, 40.0 + 26 * i);
  }
  p.setPen(QPen(gold, 2));
  p.drawLine(0, 119, 800, 119);

  draw_logo(p, QPointF(46, 58), 26);
  p.setPen(Qt::white);
  p.setFont(cjk_font(19, true));
  p.drawText(QRectF(82, 26, 150, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("PlanDesk"));
  p.setPen(QColor(0xd6, 0xe8, 0xf8));
  p.setFont(cjk_font(11, false));
  p.drawText(QRectF(83, 60, 150, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("彩票计划助手"));

  p.setPen(QPen(header_dark, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 799, 564));
  return image;
}

using IconPainter = std::function<void(QPainter&, QRectF)>;

void icon_plans(QPainter& p, QRectF r) {
  p.setPen(Qt::NoPen);
  const double w = r.width() / 7;
  const double heights[] = {0.45, 0.7, 0.55};
  for (int i = 0; i < 3; ++i) {
    const double h = r.height() * heights[i];
    p.drawRoundedRect(QRectF(r.left() + w * (1 + 2 * i) - w / 2, r.bottom() - h, w * 1.2, h), 2, 2);
  }
  QPen line(p.brush().color(), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(line);
  QPainterPath trend;
  trend.moveTo(r.left() + 2, r.top() + r.height() * 0.55);
  trend.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.3);
  trend.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.42);
  trend.lineTo(r.right() - 2, r.top() + 4);
  p.setBrush(Qt::NoBrush);
  p.drawPath(trend);
}

void icon_settings(QPainter& p, QRectF r) {
  const QPointF c = r.center();
  const double outer = r.width() * 0.47, inner = r.width() * 0.36;
  QPainterPath gear;
  const int teeth = 8;
  for (int i = 0; i < teeth * 4; ++i) {
    const double angle = (i / double(teeth * 4)) * 2 * M_PI;
    const double radius = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
    const QPointF point(c.x() + radius * qCos(angle), c.y() + radius * qSin(angle));
    if (i == 0)
      gear.moveTo(point);
    else
      gear.lineTo(point);
  }
  gear.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(c, r.width() * 0.15, r.width() * 0.15);
  p.setPen(Qt::NoPen);
  p.drawPath(gear.subtracted(hole));
}

void icon_account(QPainter& p, QRectF r) {
  p.setPen(Qt::NoPen);
  const QPointF c = r.center();
  p.drawEllipse(QPointF(c.x(), r.top() + r.height() * 0.3), r.width() * 0.2, r.width() * 0.2);
  QPainterPath body;
  body.moveTo(r.left() + r.width() * 0.12, r.bottom());
  body.cubicTo(r.left() + r.width() * 0.12, r.top() + r.height() * 0.5, r.right() - r.width() * 0.12,
               r.top() + r.height() * 0.5, r.right() - r.width() * 0.12, r.bottom());
  body.closeSubpath();
  p.drawPath(body);
}

void icon_promotion(QPainter& p, QRectF r) {
  p.setPen(Qt::NoPen);
  QPainterPath horn;
  horn.moveTo(r.left() + r.width() * 0.08, r.top() + r.height() * 0.38);
  horn.lineTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.38);
  horn.lineTo(r.left() + r.width() * 0.62, r.top() + r.height() * 0.12);
  horn.lineTo(r.left() + r.width() * 0.62, r.top() + r.height() * 0.88);
  horn.lineTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.62);
  horn.lineTo(r.left() + r.width() * 0.08, r.top() + r.height() * 0.62);
  horn.closeSubpath();
  p.drawPath(horn);
  p.drawRect(
      QRectF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.62, r.width() * 0.1, r.height() * 0.28));
  p.setPen(QPen(p.brush().color(), 2.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 2; ++i) {
    const double d = r.width() * (0.18 + 0.16 * i);
    p.drawArc(QRectF(r.left() + r.width() * 0.62 - d, r.center().y() - d, 2 * d, 2 * d), -40 * 16, 80 * 16);
  }
}

enum class State { normal, hover, down };

QImage tab_button(const QString& caption, const IconPainter& icon, State state) {
  QImage image = blank(64, 84);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame(2, 2, 60, 80);
  if (state != State::normal) {
    p.setPen(QPen(QColor(255, 255, 255, state == State::down ? 120 : 70), 1));
    p.setBrush(QColor(255, 255, 255, state == State::down ? 64 : 34));
    p.drawRoundedRect(frame, 8, 8);
  }
  if (state == State::down) {
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(14, 78, 36, 4), 2, 2);
  }
  p.setBrush(QColor(255, 255, 255, state == State::normal ? 225 : 255));
  icon(p, QRectF(14, 10, 36, 36));
  p.setPen(QColor(255, 255, 255, state == State::normal ? 225 : 255));
  p.setFont(cjk_font(10.5, true));
  p.drawText(QRectF(0, 50, 64, 24), Qt::AlignCenter, caption);
  return image;
}

QImage caption_button(bool close, State state) {
  QImage image = blank(28, 20);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (state != State::normal) {
    QColor fill = close ? QColor(0xe8, 0x11, 0x23) : QColor(255, 255, 255, 60);
    if (state == State::down) fill = close ? QColor(0xb5, 0x0f, 0x1c) : QColor(255, 255, 255, 100);
    p.fillRect(image.rect(), fill);
  }
  p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
  if (close) {
    p.drawLine(QPointF(10, 6), QPointF(18, 14));
    p.drawLine(QPointF(18, 6), QPointF(10, 14));
  } else {
    p.drawLine(QPointF(9.5, 12), QPointF(18.5, 12));
  }
  return image;
}

QImage program_icon() {
  QImage image = blank(64, 64);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw_logo(p, QPointF(32, 32), 29);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);

  bool ok = save(background(), folder, QStringLiteral("background"));
  ok = save(program_icon(), folder, QStringLiteral("program_icon")) && ok;
  struct Tab {
    const char* name;
    const char* caption;
    IconPainter icon;
  } tabs[] = {{"tab_plans", "计划", icon_plans},
              {"tab_settings", "设置", icon_settings},
              {"tab_account", "账号", icon_account},
              {"tab_promotion", "推广", icon_promotion}};
  const struct {
    State state;
    const char* suffix;
  } states[] = {{State::normal, "_normal"}, {State::hover, "_hover"}, {State::down, "_down"}};
  for (const auto& state : states) {
    for (const auto& tab : tabs)
      ok = save(tab_button(QString::fromUtf8(tab.caption), tab.icon, state.state), folder,
                QString::fromUtf8(tab.name) + state.suffix) &&
           ok;
    ok = save(caption_button(false, state.state), folder, QStringLiteral("minimise") + state.suffix) && ok;
    ok = save(caption_button(true, state.state), folder, QStringLiteral("close") + state.suffix) && ok;
  }
  return ok ? 0 : 1;
}
