#include "ui/Icons.h"

#include "ui/GridImages.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>

#include <map>

namespace {
struct TIconEntry {
  int Index;
  const char* ThemeName;  // freedesktop icon name
  QRgb Colour;            // the stand-in's colour
  const char* Glyph;      // the stand-in's letters
};

// Names chosen from what the Adwaita theme (and most others) ship in colour.
constexpr TIconEntry IconEntries[] = {
    {iiAddToMainGrid, "go-up", 0xFF3A7BD5, "\u2191"},
    {iiTacticsAdvisor, "system-users", 0xFF2E8B57, "T"},
    {iiAssumePassableForms, "face-smile", 0xFFE0A800, "F"},
    {iiRatingAnalyzer, "accessories-calculator", 0xFF6A5ACD, "R"},
    {iiDownload, "emblem-downloads", 0xFF1E90FF, "\u2193"},
    {iiHistory, "document-open-recent", 0xFF8B6914, "H"},
    {iiPlayerInformation, "user-info", 0xFF4682B4, "i"},
    {iiArenaAdvisor, "go-home", 0xFFB22222, "A"},
    {iiMatchViewer, "media-playback-start", 0xFF228B22, "\u25B6"},
    {iiTraining, "appointment-soon", 0xFFFF8C00, "Tr"},
    {iiPlayerComparison, "object-flip-horizontal", 0xFF708090, "\u2194"},
    {iiKeeperAnalyzer, "security-high", 0xFF2F4F4F, "K"},
    {iiPlayerRatings, "document-properties", 0xFF556B2F, "P"},
    {iiInjuryAnalyzer, "face-sick", 0xFFDC143C, "+"},
    {iiPreferences, "preferences-system", 0xFF696969, "\u2699"},
};

const TIconEntry* EntryOf(int index) {
  for (const TIconEntry& entry : IconEntries)
    if (entry.Index == index) return &entry;
  return nullptr;
}

int WeatherOfImage(int index) {
  switch (index) {
    case iiSunny: return 3;
    case iiPartiallyCloudy: return 2;
    case iiOvercast: return 1;
    case iiRainy: return 0;
    case iiUndefinedWeather: return 4;
    default: return 5;
  }
}

bool IsWeatherImage(int index) {
  return (index >= iiSunny && index <= iiUndefinedWeather) || index == iiDisabledWeather;
}

// A round badge in the icon's colour with its letters: readable on light and dark tool bars.
QIcon DrawnIcon(const TIconEntry& entry) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = QColor::fromRgba(entry.Colour);
    painter.setPen(QPen(colour.darker(140), size / 16.0));
    painter.setBrush(colour);
    const qreal margin = size / 16.0;
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    QFont font;
    font.setBold(true);
    font.setPixelSize(std::max(7, size * (QString::fromUtf8(entry.Glyph).size() > 1 ? 2 : 3) / 5));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString::fromUtf8(entry.Glyph));
    icon.addPixmap(pixmap);
  }
  return icon;
}

// The grids' weather picture (26 x 18) centred on a square, so that it lines up with the other buttons.
QIcon WeatherIcon(int weather) {
  QIcon icon;
  const QPixmap& picture = TGridImages::Weather(weather);
  for (int size : {16, 24, 32}) {
    QPixmap pixmap(size * 2, size * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal w = size, h = size * 18.0 / 26.0;
    painter.drawPixmap(QRectF(0, (size - h) / 2, w, h), picture, QRectF(QPointF(0, 0), picture.size()));
    icon.addPixmap(pixmap);
  }
  return icon;
}

std::map<int, QIcon>& IconCache() {
  static std::map<int, QIcon> cache;
  return cache;
}
}  // namespace

void InitIconTheme() {
  static bool done = false;
  if (done) return;
  done = true;
  // Some platforms (offscreen, minimal) name no icon folders: the freedesktop ones are added.
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& folder :
       QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                 QStandardPaths::LocateDirectory))
    if (!paths.contains(folder)) paths << folder;
  QIcon::setThemeSearchPaths(paths);
  const QString current = QIcon::themeName();
  if (!current.isEmpty() && current != QLatin1String("hicolor")) return;
  for (const QString& folder : paths)
    if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Adwaita/index.theme")))) {
      QIcon::setThemeName(QStringLiteral("Adwaita"));
      return;
    }
}

bool ToolIconFromTheme(int imageIndex) {
  InitIconTheme();
  const TIconEntry* entry = EntryOf(imageIndex);
  return entry && QIcon::hasThemeIcon(QString::fromLatin1(entry->ThemeName));
}

QIcon ToolIcon(int imageIndex) {
  auto& cache = IconCache();
  if (auto it = cache.find(imageIndex); it != cache.end()) return it->second;
  QIcon icon;
  if (IsWeatherImage(imageIndex)) {
    icon = WeatherIcon(WeatherOfImage(imageIndex));
  } else if (const TIconEntry* entry = EntryOf(imageIndex)) {
    icon = ToolIconFromTheme(imageIndex) ? QIcon::fromTheme(QString::fromLatin1(entry->ThemeName)) : DrawnIcon(*entry);
  }
  cache[imageIndex] = icon;
  return icon;
}

QIcon ThemeIcon(const char* name) {
  InitIconTheme();
  return QIcon::fromTheme(QString::fromLatin1(name));
}

int WeatherCodeOfImage(int imageIndex) { return WeatherOfImage(imageIndex); }

QPixmap CKPPBadge() {
  // Drawn: the interface's name on the game's green, the size of a tool button.
  QPixmap pixmap(2 * 64, 2 * 30);
  pixmap.setDevicePixelRatio(2);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(20, 90, 40), 1));
  painter.setBrush(QColor(46, 139, 87));
  painter.drawRoundedRect(QRectF(0.5, 0.5, 63, 29), 5, 5);
  QFont font;
  font.setBold(true);
  font.setPixelSize(13);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(0, 1, 64, 17), Qt::AlignCenter, QStringLiteral("CKPP"));
  font.setBold(false);
  font.setPixelSize(8);
  painter.setFont(font);
  painter.drawText(QRectF(0, 16, 64, 12), Qt::AlignCenter, QStringLiteral("Kickvale"));
  return pixmap;
}

QIcon ProgramIcon() {
  static QIcon icon = [] {
    QIcon result;
    for (int size : {16, 32, 64}) {
      QPixmap pixmap(size, size);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      // A ball on a pitch-green disc.
      painter.setBrush(QColor(46, 139, 87));
      painter.setPen(Qt::NoPen);
      painter.drawEllipse(QRectF(0, 0, size, size));
      painter.setBrush(Qt::white);
      painter.setPen(QPen(Qt::black, size / 24.0));
      const qreal r = size * 0.3;
      painter.drawEllipse(QPointF(size / 2.0, size / 2.0), r, r);
      painter.setBrush(Qt::black);
      QPainterPath pentagon;
      for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 5;
        const QPointF p(size / 2.0 + r * 0.45 * std::cos(a), size / 2.0 + r * 0.45 * std::sin(a));
        if (i == 0)
          pentagon.moveTo(p);
        else
          pentagon.lineTo(p);
      }
      pentagon.closeSubpath();
      painter.drawPath(pentagon);
      result.addPixmap(pixmap);
    }
    return result;
  }();
  return icon;
}
