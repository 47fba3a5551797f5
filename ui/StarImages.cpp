#include "ui/StarImages.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace {
struct TStarTint {
  QRgb Light;  // top of the gradient
  QRgb Body;   // bottom of the gradient
  QRgb Edge;   // outline
};
constexpr TStarTint Tints[StarColourCount] = {
    {0xFFFFF3A0, 0xFFF5C400, 0xFF9C7400},  // yellow
    {0xFFFFD9A0, 0xFFF08000, 0xFF8F4300},  // orange
    {0xFFFFB0A8, 0xFFD81E1E, 0xFF7A0000},  // red
};

int ColourIndex(int colour) { return colour >= 0 && colour < StarColourCount ? colour : scYellow; }

// Five points; the centre sits a little low because the two lower points reach less far than the top one.
QPolygonF StarPolygon(qreal size) {
  const qreal outer = size / 2 - 0.75;
  const qreal inner = outer * 0.45;
  const QPointF centre(size / 2, size / 2 + size * 0.05);
  QPolygonF polygon;
  for (int i = 0; i < 10; ++i) {
    const qreal radius = i % 2 == 0 ? outer : inner;
    const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    polygon << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  }
  return polygon;
}
}  // namespace

QPixmap StarPicture(int colour, int size, qreal devicePixelRatio) {
  static QHash<QString, QPixmap> cache;
  const int index = ColourIndex(colour);
  if (size <= 0) return {};
  const QString key = QStringLiteral("%1/%2@%3").arg(index).arg(size).arg(devicePixelRatio);
  if (auto found = cache.constFind(key); found != cache.constEnd()) return *found;

  QPixmap pixmap(QSize(size, size) * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const TStarTint& tint = Tints[index];
    QLinearGradient gradient(0, 0, 0, size);
    gradient.setColorAt(0, QColor::fromRgba(tint.Light));
    gradient.setColorAt(0.55, QColor::fromRgba(tint.Body));
    gradient.setColorAt(1, QColor::fromRgba(tint.Body).darker(115));
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor::fromRgba(tint.Edge), size >= 20 ? 1.2 : 1.0));
    painter.drawPolygon(StarPolygon(size));
  }
  cache.insert(key, pixmap);
  return pixmap;
}

const TCustomStarImages& TStarImages::ForColour(int colour) const {
  switch (colour) {
    case scOrange: return OrangeStars;
    case scRed: return RedStars;
    default: return YellowStars;
  }
}

TStarImages TStarImages::Drawn(qreal devicePixelRatio) {
  TStarImages images;
  images.YellowStars = {StarPicture(scYellow, BigSize, devicePixelRatio), StarPicture(scYellow, SmallSize, devicePixelRatio)};
  images.OrangeStars = {StarPicture(scOrange, BigSize, devicePixelRatio), StarPicture(scOrange, SmallSize, devicePixelRatio)};
  images.RedStars = {StarPicture(scRed, BigSize, devicePixelRatio), StarPicture(scRed, SmallSize, devicePixelRatio)};
  return images;
}

TStarStrip::TStarStrip(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TStarStrip::SetPicture(const QPixmap& picture) {
  FPicture = picture;
  update();
}

void TStarStrip::paintEvent(QPaintEvent*) {
  if (FPicture.isNull() || width() <= 0) return;
  QPainter painter(this);
  // Cut at the strip's width: the last star may show only in part (half stars).
  painter.drawTiledPixmap(rect(), FPicture);
}
