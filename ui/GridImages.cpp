#include "ui/GridImages.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <map>

// The resources live in a static library: referencing the initializer keeps them linked in.
static void InitGridResources() { Q_INIT_RESOURCE(images); }

namespace {
// The game's country IDs (league IDs 1..140) and their flags. Oceania (13) is no country and gets the
// neutral box, as do the empty slots.
constexpr std::array<const char*, 141> FlagCodes = [] {
  std::array<const char*, 141> codes{};
  struct TEntry {
    int ID;
    const char* Code;
  };
  constexpr TEntry entries[] = {
      {1, "se"},      {2, "gb-eng"},  {3, "de"},      {4, "it"},   {5, "fr"},   {6, "mx"},   {7, "ar"},
      {8, "us"},      {9, "no"},      {10, "dk"},     {11, "fi"},  {12, "nl"},  {14, "ca"},  {15, "gb-sct"},
      {16, "ie"},     {17, "cl"},     {18, "co"},     {19, "uy"},  {20, "ve"},  {21, "pe"},  {22, "br"},
      {23, "pt"},     {24, "za"},     {25, "jp"},     {26, "pl"},  {27, "in"},  {28, "cn"},  {29, "kr"},
      {30, "th"},     {31, "tr"},     {32, "eg"},     {33, "at"},  {34, "ru"},  {35, "es"},  {36, "ro"},
      {37, "is"},     {38, "be"},     {39, "my"},     {40, "ch"},  {41, "sg"},  {42, "hr"},  {43, "rs"},
      {44, "hu"},     {45, "gr"},     {46, "cz"},     {47, "ee"},  {48, "lv"},  {49, "id"},  {50, "ph"},
      {51, "il"},     {52, "tw"},     {53, "hk"},     {55, "bg"},  {56, "gb-wls"}, {57, "si"}, {61, "lt"},
      {62, "ua"},     {63, "ba"},     {64, "pk"},     {65, "vn"},  {66, "sk"},  {67, "py"},  {68, "ec"},
      {69, "bo"},     {70, "ng"},     {71, "fo"},     {72, "ma"},  {75, "sa"},  {76, "tn"},  {77, "cr"},
      {78, "ae"},     {79, "lu"},     {80, "ir"},     {82, "cy"},  {83, "do"},  {86, "sn"},  {87, "by"},
      {88, "gb-nir"}, {89, "jm"},     {90, "ke"},     {91, "pa"},  {92, "mk"},  {94, "al"},  {95, "hn"},
      {96, "sv"},     {97, "mt"},     {98, "kg"},     {99, "md"},  {100, "ge"}, {101, "ad"}, {102, "gt"},
      {103, "jo"},    {104, "am"},    {105, "tt"},    {121, "ni"}, {122, "kz"}, {123, "sr"}, {125, "li"},
      {126, "dz"},    {127, "mn"},    {128, "lb"},    {129, "bh"}, {130, "bb"}, {131, "cv"}, {132, "ci"},
      {133, "az"},    {134, "kw"},    {135, "iq"},    {136, "me"}, {137, "ao"}, {138, "bd"}, {139, "ye"},
      {140, "om"},
  };
  for (const TEntry& entry : entries) codes[static_cast<size_t>(entry.ID)] = entry.Code;
  return codes;
}();

constexpr int FlagWidth = 20;
constexpr int FlagHeight = 12;
constexpr qreal FlagScale = 2;  // the files hold 40 x 24 pixels

// A pixmap of logical size w x h drawn at twice the pixels, so that it stays sharp when scaled.
QPixmap NewPixmap(int w, int h) {
  QPixmap pixmap(w * 2, h * 2);
  pixmap.setDevicePixelRatio(2);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPixmap NeutralFlag() {
  QPixmap pixmap = NewPixmap(FlagWidth, FlagHeight);
  QPainter painter(&pixmap);
  painter.fillRect(QRectF(0, 0, FlagWidth, FlagHeight), QColor(224, 224, 224));
  painter.setPen(QPen(QColor(150, 150, 150), 1));
  painter.drawRect(QRectF(0.5, 0.5, FlagWidth - 1, FlagHeight - 1));
  return pixmap;
}

QPixmap Card(const QColor& fill, const QColor& border) {
  QPixmap pixmap = NewPixmap(8, 12);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(border, 0.8));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(0.9, 0.9, 6.2, 10.2), 1.2, 1.2);
  return pixmap;
}

// A plaster: the sign of a bruise that does not keep the player out.
QPixmap BruisedPixmap() {
  QPixmap pixmap = NewPixmap(19, 8);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(170, 120, 70), 0.8));
  painter.setBrush(QColor(232, 185, 135));
  painter.drawRoundedRect(QRectF(0.5, 0.5, 18, 7), 3.5, 3.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(250, 230, 205));
  painter.drawRect(QRectF(6.5, 1.5, 6, 5));
  painter.setBrush(QColor(200, 150, 100));
  for (double x : {2.5, 4.0, 15.0, 16.5})
    for (double y : {2.8, 5.2}) painter.drawEllipse(QPointF(x, y), 0.45, 0.45);
  return pixmap;
}

// A red cross: the player is injured for weeks.
QPixmap InjuredPixmap() {
  QPixmap pixmap = NewPixmap(11, 11);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath cross;
  cross.setFillRule(Qt::WindingFill);
  cross.addRect(QRectF(3.7, 0.7, 3.6, 9.6));
  cross.addRect(QRectF(0.7, 3.7, 9.6, 3.6));
  painter.setPen(QPen(QColor(140, 0, 0), 0.9));
  painter.setBrush(QColor(230, 20, 20));
  painter.drawPath(cross.simplified());
  return pixmap;
}

QPainterPath CloudPath(double x, double y, double w, double h) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.addEllipse(QRectF(x, y + h * 0.35, w * 0.45, h * 0.65));
  path.addEllipse(QRectF(x + w * 0.22, y, w * 0.5, h * 0.85));
  path.addEllipse(QRectF(x + w * 0.5, y + h * 0.25, w * 0.5, h * 0.75));
  path.addRoundedRect(QRectF(x + w * 0.15, y + h * 0.55, w * 0.7, h * 0.45), 2, 2);
  return path.simplified();
}

void DrawSun(QPainter& painter, const QPointF& centre, double radius) {
  painter.setPen(QPen(QColor(235, 160, 0), 1.1, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 8; ++i) {
    const double angle = i * M_PI / 4;
    painter.drawLine(centre + QPointF(std::cos(angle), std::sin(angle)) * (radius + 1.2),
                     centre + QPointF(std::cos(angle), std::sin(angle)) * (radius + 3.2));
  }
  painter.setPen(QPen(QColor(225, 140, 0), 0.8));
  painter.setBrush(QColor(255, 215, 0));
  painter.drawEllipse(centre, radius, radius);
}

void DrawCloud(QPainter& painter, double x, double y, double w, double h, const QColor& fill) {
  painter.setPen(QPen(fill.darker(150), 0.8));
  painter.setBrush(fill);
  painter.drawPath(CloudPath(x, y, w, h));
}

QPixmap WeatherPixmap(int code) {
  QPixmap pixmap = NewPixmap(26, 18);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (code) {
    case 0:  // rainy
      DrawCloud(painter, 4, 1, 18, 10, QColor(140, 145, 155));
      painter.setPen(QPen(QColor(30, 90, 220), 1.2, Qt::SolidLine, Qt::RoundCap));
      for (double x : {8.0, 12.5, 17.0}) painter.drawLine(QPointF(x, 12.5), QPointF(x - 1.5, 16.5));
      break;
    case 1:  // overcast
      DrawCloud(painter, 2, 2, 14, 9, QColor(175, 180, 188));
      DrawCloud(painter, 7, 5, 17, 11, QColor(150, 155, 165));
      break;
    case 2:  // partially cloudy
      DrawSun(painter, QPointF(9, 7), 3.6);
      DrawCloud(painter, 9, 6, 15, 10, QColor(235, 238, 242));
      break;
    case 3:  // sunny
      DrawSun(painter, QPointF(13, 9), 4.5);
      break;
    case 4: {  // undefined
      painter.setPen(QPen(QColor(110, 110, 110), 1));
      painter.setBrush(QColor(235, 235, 235));
      painter.drawEllipse(QPointF(13, 9), 7.5, 7.5);
      QFont font = painter.font();
      font.setPixelSize(12);
      font.setBold(true);
      painter.setFont(font);
      painter.drawText(QRectF(5, 1, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case 5:  // disabled: no weather effects
      painter.setPen(QPen(QColor(120, 120, 120), 1.6));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QPointF(13, 9), 6.5, 6.5);
      painter.drawLine(QPointF(8.4, 13.6), QPointF(17.6, 4.4));
      break;
    default:
      break;
  }
  return pixmap;
}
}  // namespace

const char* TGridImages::FlagCode(int countryID) {
  if (countryID < 1 || countryID > 140) return nullptr;
  return FlagCodes[static_cast<size_t>(countryID)];
}

const QPixmap& TGridImages::Flag(int countryID) {
  static std::map<int, QPixmap> cache;
  static const QPixmap neutral = NeutralFlag();
  const char* code = FlagCode(countryID);
  if (!code) return neutral;
  auto it = cache.find(countryID);
  if (it != cache.end()) return it->second;
  static const bool resourcesReady = (InitGridResources(), true);
  (void)resourcesReady;
  QPixmap pixmap(QStringLiteral(":/flags/%1.png").arg(QLatin1String(code)));
  if (pixmap.isNull())
    pixmap = neutral;
  else
    pixmap.setDevicePixelRatio(FlagScale);
  return cache.emplace(countryID, pixmap).first->second;
}

const QPixmap& TGridImages::YellowCard() {
  static const QPixmap pixmap = Card(QColor(255, 215, 0), QColor(180, 140, 0));
  return pixmap;
}

const QPixmap& TGridImages::RedCard() {
  static const QPixmap pixmap = Card(QColor(225, 25, 25), QColor(130, 0, 0));
  return pixmap;
}

const QPixmap& TGridImages::Bruised() {
  static const QPixmap pixmap = BruisedPixmap();
  return pixmap;
}

const QPixmap& TGridImages::Injured() {
  static const QPixmap pixmap = InjuredPixmap();
  return pixmap;
}

const QPixmap& TGridImages::Weather(int code) {
  static const std::array<QPixmap, 6> pixmaps = [] {
    std::array<QPixmap, 6> result;
    for (int i = 0; i < 6; ++i) result[static_cast<size_t>(i)] = WeatherPixmap(i);
    return result;
  }();
  static const QPixmap none;
  if (code < 0 || code > 5) return none;
  return pixmaps[static_cast<size_t>(code)];
}
