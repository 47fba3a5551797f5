#include "ui/MatchGridImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {
constexpr QRgb PitchGreen = 0xFF3C963C;
constexpr QRgb CupGold = 0xFFE0A818;
constexpr QRgb CupEdge = 0xFF8A6400;
constexpr QRgb CloudFill = 0xFFE4E8EC;
constexpr QRgb CloudDark = 0xFF9AA3AD;
constexpr QRgb CloudEdge = 0xFF5E6873;
constexpr QRgb SunFill = 0xFFFFD21E;
constexpr QRgb SunEdge = 0xFFD08A00;
constexpr QRgb RainBlue = 0xFF2E6FD8;

using TDraw = std::function<void(QPainter&)>;

// Draws a picture once per kind, code and pixel ratio.
QPixmap Cached(char kind, int code, qreal ratio, const TDraw& draw) {
  static QHash<QString, QPixmap> cache;
  const QString key = QStringLiteral("%1%2@%3").arg(kind).arg(code).arg(ratio);
  if (auto found = cache.constFind(key); found != cache.constEnd()) return *found;
  QPixmap pixmap(QSize(MatchImageWidth, MatchImageHeight) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
  }
  cache.insert(key, pixmap);
  return pixmap;
}

void DrawPitch(QPainter& p, const QRectF& r, bool qualification) {
  p.setPen(QPen(QColor(0xFF1E5A1E), 1));
  p.setBrush(QColor(PitchGreen));
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::NoBrush);
  const QRectF lines = r.adjusted(2, 2, -2, -2);
  p.drawRect(lines);
  p.drawLine(QPointF(lines.center().x(), lines.top()), QPointF(lines.center().x(), lines.bottom()));
  if (!qualification) {
    p.drawEllipse(lines.center(), 2.5, 2.5);
    return;
  }
  // Promotion or relegation: an arrow up and an arrow down beside the centre line.
  const QPointF c = lines.center();
  QPainterPath up;
  up.moveTo(c.x() - 6, c.y() - 1);
  up.lineTo(c.x() - 3.5, c.y() - 4);
  up.lineTo(c.x() - 1, c.y() - 1);
  QPainterPath down;
  down.moveTo(c.x() + 1, c.y() + 1);
  down.lineTo(c.x() + 3.5, c.y() + 4);
  down.lineTo(c.x() + 6, c.y() + 1);
  p.setPen(QPen(QColor(0xFFFFE14A), 1.6));
  p.drawPath(up);
  p.drawPath(down);
}

// A trophy filling the rect (about 10 x 14).
void DrawCup(QPainter& p, const QRectF& r) {
  const qreal w = r.width();
  const qreal h = r.height();
  const qreal x = r.left();
  const qreal y = r.top();
  p.setPen(QPen(QColor(CupEdge), 1));
  p.setBrush(Qt::NoBrush);
  // Handles.
  p.drawArc(QRectF(x, y + h * 0.08, w * 0.4, h * 0.36), 90 * 16, 180 * 16);
  p.drawArc(QRectF(x + w * 0.6, y + h * 0.08, w * 0.4, h * 0.36), 270 * 16, 180 * 16);
  QPainterPath bowl;
  bowl.moveTo(x + w * 0.18, y);
  bowl.lineTo(x + w * 0.82, y);
  bowl.cubicTo(x + w * 0.82, y + h * 0.45, x + w * 0.62, y + h * 0.58, x + w * 0.5, y + h * 0.6);
  bowl.cubicTo(x + w * 0.38, y + h * 0.58, x + w * 0.18, y + h * 0.45, x + w * 0.18, y);
  bowl.closeSubpath();
  p.setBrush(QColor(CupGold));
  p.drawPath(bowl);
  p.drawRect(QRectF(x + w * 0.44, y + h * 0.6, w * 0.12, h * 0.22));
  p.drawRoundedRect(QRectF(x + w * 0.22, y + h * 0.8, w * 0.56, h * 0.18), 1, 1);
}

// A football: white with a black patch and seams.
void DrawBall(QPainter& p, const QPointF& c, qreal radius) {
  p.setPen(QPen(QColor(0xFF202020), 1));
  p.setBrush(Qt::white);
  p.drawEllipse(c, radius, radius);
  QPolygonF patch;
  for (int i = 0; i < 5; ++i) {
    const double angle = -M_PI / 2 + i * 2 * M_PI / 5;
    patch << QPointF(c.x() + radius * 0.42 * std::cos(angle), c.y() + radius * 0.42 * std::sin(angle));
  }
  p.setBrush(QColor(0xFF202020));
  p.drawPolygon(patch);
  p.setPen(QPen(QColor(0xFF202020), 0.8));
  for (int i = 0; i < 5; ++i) {
    const double angle = -M_PI / 2 + i * 2 * M_PI / 5;
    p.drawLine(QPointF(c.x() + radius * 0.42 * std::cos(angle), c.y() + radius * 0.42 * std::sin(angle)),
               QPointF(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle)));
  }
}

// A globe: sea blue with a meridian and two parallels.
void DrawGlobe(QPainter& p, const QPointF& c, qreal radius) {
  p.setPen(QPen(QColor(0xFF1D4E89), 1));
  p.setBrush(QColor(0xFF4C9BE8));
  p.drawEllipse(c, radius, radius);
  p.setPen(QPen(QColor(0xFFEAF4FF), 0.9));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, radius * 0.45, radius);
  p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
  p.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
  p.drawLine(QPointF(c.x() - radius * 0.85, c.y() - radius * 0.5), QPointF(c.x() + radius * 0.85, c.y() - radius * 0.5));
  p.drawLine(QPointF(c.x() - radius * 0.85, c.y() + radius * 0.5), QPointF(c.x() + radius * 0.85, c.y() + radius * 0.5));
}

QPainterPath CloudPath(const QRectF& r) {
  QPainterPath cloud;
  cloud.setFillRule(Qt::WindingFill);
  const qreal w = r.width();
  const qreal h = r.height();
  cloud.addEllipse(QRectF(r.left(), r.top() + h * 0.4, w * 0.42, h * 0.6));
  cloud.addEllipse(QRectF(r.left() + w * 0.22, r.top(), w * 0.48, h * 0.8));
  cloud.addEllipse(QRectF(r.left() + w * 0.55, r.top() + h * 0.3, w * 0.45, h * 0.7));
  cloud.addRect(QRectF(r.left() + w * 0.2, r.top() + h * 0.6, w * 0.6, h * 0.4));
  return cloud.simplified();
}

void DrawCloud(QPainter& p, const QRectF& r, QRgb fill) {
  p.setPen(QPen(QColor(CloudEdge), 1));
  p.setBrush(QColor(fill));
  p.drawPath(CloudPath(r));
}

void DrawSun(QPainter& p, const QPointF& c, qreal radius, bool rays) {
  if (rays) {
    p.setPen(QPen(QColor(SunEdge), 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
      const double angle = i * M_PI / 4;
      p.drawLine(QPointF(c.x() + (radius + 1.5) * std::cos(angle), c.y() + (radius + 1.5) * std::sin(angle)),
                 QPointF(c.x() + (radius + 3.5) * std::cos(angle), c.y() + (radius + 3.5) * std::sin(angle)));
    }
  }
  p.setPen(QPen(QColor(SunEdge), 1));
  p.setBrush(QColor(SunFill));
  p.drawEllipse(c, radius, radius);
}
}  // namespace

QPixmap MatchTypePixmap(int matchType, qreal ratio) {
  const QRectF pitch(1.5, 1.5, 21, 13);
  switch (matchType) {
    case 1: return Cached('T', 1, ratio, [&](QPainter& p) { DrawPitch(p, pitch, false); });
    case 2: return Cached('T', 2, ratio, [&](QPainter& p) { DrawPitch(p, pitch, true); });
    case 3: return Cached('T', 3, ratio, [](QPainter& p) { DrawCup(p, QRectF(6.5, 1, 11, 14.5)); });
    case 4: return Cached('T', 4, ratio, [](QPainter& p) { DrawBall(p, QPointF(12, 8), 6.5); });
    case 5:
      return Cached('T', 5, ratio, [](QPainter& p) {
        DrawBall(p, QPointF(7.5, 8), 6.2);
        DrawCup(p, QRectF(14.5, 3, 8.5, 11.5));
      });
    case 8: return Cached('T', 8, ratio, [](QPainter& p) { DrawGlobe(p, QPointF(12, 8), 6.5); });
    case 9:
      return Cached('T', 9, ratio, [](QPainter& p) {
        DrawGlobe(p, QPointF(7.5, 8), 6.2);
        DrawCup(p, QRectF(14.5, 3, 8.5, 11.5));
      });
    default: return {};
  }
}

QPixmap WeatherPixmap(int weather, qreal ratio) {
  switch (weather) {
    case 0:
      return Cached('W', 0, ratio, [](QPainter& p) {
        p.setPen(QPen(QColor(RainBlue), 1.4, Qt::SolidLine, Qt::RoundCap));
        for (qreal x : {7.0, 11.5, 16.0}) p.drawLine(QPointF(x, 11), QPointF(x - 1.5, 15));
        DrawCloud(p, QRectF(3, 1, 18, 10), CloudDark);
      });
    case 1:
      return Cached('W', 1, ratio, [](QPainter& p) {
        DrawCloud(p, QRectF(8, 1, 14, 9), CloudDark);
        DrawCloud(p, QRectF(2, 5, 16, 10), CloudFill);
      });
    case 2:
      return Cached('W', 2, ratio, [](QPainter& p) {
        DrawSun(p, QPointF(9, 6), 3.5, true);
        DrawCloud(p, QRectF(8, 6, 14, 9), CloudFill);
      });
    case 3: return Cached('W', 3, ratio, [](QPainter& p) { DrawSun(p, QPointF(12, 8), 3.8, true); });
    case 4:
      return Cached('W', 4, ratio, [](QPainter& p) {
        QFont font = p.font();
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0xFF6C7680));
        p.drawText(QRectF(0, 0, MatchImageWidth, MatchImageHeight), Qt::AlignCenter, QStringLiteral("?"));
      });
    case 5:
      return Cached('W', 5, ratio, [](QPainter& p) {
        p.setPen(QPen(QColor(0xFF8C949C), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 8), 5.5, 5.5);
        p.drawLine(QPointF(8.2, 11.8), QPointF(15.8, 4.2));
      });
    default: return {};
  }
}
