#include "ui/PlayerPanelImages.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <numbers>

namespace {
using TDraw = std::function<void(QPainter&)>;

// The icons sit on the header's gradient, light at the top and dark at the bottom: each one carries its
// own round backing so that it reads on every header style.
QPixmap Icon(qreal ratio, const TDraw& draw) {
  QPixmap pixmap(QSize(HeaderIconSize, HeaderIconSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
  }
  return pixmap;
}

void Backing(QPainter& p, QColor fill, QColor edge) {
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
}

void DrawTechnical(QPainter& p) {
  Backing(p, QColor(0xE8, 0xEC, 0xF2), QColor(0x40, 0x48, 0x58));
  // A cog: eight teeth round a ring.
  QPainterPath cog;
  const QPointF c(8, 8);
  for (int i = 0; i < 16; ++i) {
    const qreal r = i % 4 < 2 ? 6.2 : 4.6;
    const qreal a = (i - 0.5) * std::numbers::pi / 8;
    const QPointF point = c + QPointF(r * std::cos(a), r * std::sin(a));
    if (i == 0)
      cog.moveTo(point);
    else
      cog.lineTo(point);
  }
  cog.closeSubpath();
  cog.addEllipse(c, 1.8, 1.8);
  cog.setFillRule(Qt::OddEvenFill);
  p.setPen(QPen(QColor(0x2A, 0x30, 0x3C), 0.8));
  p.setBrush(QColor(0x6A, 0x78, 0x90));
  p.drawPath(cog);
}

void DrawQuick(QPainter& p) {
  Backing(p, QColor(0x20, 0x38, 0x70), QColor(0x10, 0x18, 0x30));
  QPolygonF bolt;
  bolt << QPointF(9.5, 1.8) << QPointF(4, 9) << QPointF(7.6, 9) << QPointF(6, 14.4) << QPointF(12, 6.8)
       << QPointF(8.3, 6.8) << QPointF(10.4, 1.8);
  p.setPen(QPen(QColor(0xA0, 0x60, 0x00), 0.7));
  p.setBrush(QColor(0xFF, 0xD8, 0x20));
  p.drawPolygon(bolt);
}

void DrawPowerful(QPainter& p) {
  Backing(p, QColor(0xF4, 0xE4, 0xD0), QColor(0x60, 0x30, 0x10));
  // A dumbbell.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x30, 0x30, 0x30));
  p.drawRect(QRectF(4.5, 7.2, 7, 1.6));
  p.drawRoundedRect(QRectF(2.2, 4.2, 2.6, 7.6), 0.8, 0.8);
  p.drawRoundedRect(QRectF(11.2, 4.2, 2.6, 7.6), 0.8, 0.8);
  p.drawRoundedRect(QRectF(0.9, 5.6, 1.6, 4.8), 0.5, 0.5);
  p.drawRoundedRect(QRectF(13.5, 5.6, 1.6, 4.8), 0.5, 0.5);
}

void DrawUnpredictable(QPainter& p) {
  Backing(p, QColor(0x7A, 0x3C, 0xB0), QColor(0x3A, 0x10, 0x60));
  QFont font;
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawHead(QPainter& p) {
  Backing(p, QColor(0xD8, 0xF0, 0xD8), QColor(0x20, 0x50, 0x20));
  // A head and, above it, the ball.
  p.setPen(QPen(QColor(0x50, 0x30, 0x20), 0.8));
  p.setBrush(QColor(0xE8, 0xB8, 0x90));
  p.drawEllipse(QRectF(4, 7, 7, 7.5));
  p.setPen(QPen(Qt::black, 0.8));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(8.6, 1.6, 5.2, 5.2));
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(11.2, 4.2), 1.0, 1.0);
}

void DrawRegainer(QPainter& p) {
  Backing(p, QColor(0xE0, 0xF4, 0xE8), QColor(0x10, 0x60, 0x30));
  // A circling arrow: back on his feet.
  p.setPen(QPen(QColor(0x10, 0x80, 0x40), 1.8, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(4, 4, 8, 8), 90 * 16, 270 * 16);
  QPolygonF head;
  head << QPointF(8, 1.6) << QPointF(11.4, 4) << QPointF(8, 6.4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x10, 0x80, 0x40));
  p.drawPolygon(head);
}

// An arrow pointing up, turned by the given angle; white with a dark edge, so that it shows on the
// light top and the dark bottom of a header alike.
void DrawArrow(QPainter& p, qreal angle) {
  p.translate(8, 8);
  p.rotate(angle);
  QPolygonF arrow;
  arrow << QPointF(0, -6.5) << QPointF(6, 0) << QPointF(2.4, 0) << QPointF(2.4, 6.5) << QPointF(-2.4, 6.5)
        << QPointF(-2.4, 0) << QPointF(-6, 0);
  p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(Qt::white);
  p.drawPolygon(arrow);
}
}  // namespace

const QPixmap* TSpecialtyImages::ForSpecialty(int specialty) const {
  switch (specialty) {
    case 1: return &Technical;
    case 2: return &Quick;
    case 3: return &Powerful;
    case 4: return &Unpredictable;
    case 5: return &Head;
    case 6: return &Regainer;
    default: return nullptr;
  }
}

TSpecialtyImages TSpecialtyImages::Drawn(qreal ratio) {
  TSpecialtyImages images;
  images.Technical = Icon(ratio, DrawTechnical);
  images.Quick = Icon(ratio, DrawQuick);
  images.Powerful = Icon(ratio, DrawPowerful);
  images.Unpredictable = Icon(ratio, DrawUnpredictable);
  images.Head = Icon(ratio, DrawHead);
  images.Regainer = Icon(ratio, DrawRegainer);
  return images;
}

const QPixmap* TBehaviourImages::ForIcon(TBehaviourIcon icon) const {
  switch (icon) {
    case TBehaviourIcon::Up: return &Up;
    case TBehaviourIcon::Right: return &Right;
    case TBehaviourIcon::Down: return &Down;
    case TBehaviourIcon::Left: return &Left;
    case TBehaviourIcon::None: break;
  }
  return nullptr;
}

TBehaviourImages TBehaviourImages::Drawn(qreal ratio) {
  TBehaviourImages images;
  images.Up = Icon(ratio, [](QPainter& p) { DrawArrow(p, 0); });
  images.Right = Icon(ratio, [](QPainter& p) { DrawArrow(p, 90); });
  images.Down = Icon(ratio, [](QPainter& p) { DrawArrow(p, 180); });
  images.Left = Icon(ratio, [](QPainter& p) { DrawArrow(p, 270); });
  return images;
}
