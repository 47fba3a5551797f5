#include "ui/MatchRatingWidget.h"

#include "core/Errors.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
using Layout = TMatchRatingModel;

constexpr QRgb GaugeEmpty = 0xFFFCFCFA;
constexpr QRgb GaugeEdge = 0xFF8A8A84;
constexpr QRgb LevelPart = 0xFF34507A;
constexpr QRgb ColumnFill = 0xFFFFFDF6;
constexpr QRgb ColumnEdge = 0xFFB8B2A0;

QColor Rgb(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

QLabel* NumberLabel(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(Bold(label->font()));
  return label;
}
}  // namespace

// ---- TRatingGauge -------------------------------------------------------------------------------------

TRatingGauge::TRatingGauge(QWidget* parent) : QWidget(parent) {}

void TRatingGauge::SetValue(int percent, const TBarColours& colours) {
  FPercent = std::clamp(percent, 0, 100);
  FColours = colours;
  update();
}

void TRatingGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(rect(), QColor::fromRgba(GaugeEmpty));
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  const int filled = inner.width() * FPercent / 100;
  const QRect fill(inner.left(), inner.top(), filled, inner.height());
  // The colour fades along the whole bar, so that a longer bar reaches further into the light colour.
  QLinearGradient gradient(inner.left(), 0, inner.right(), 0);
  gradient.setColorAt(0, Rgb(FColours.Colour));
  gradient.setColorAt(1, Rgb(FColours.Fade));
  if (filled > 0) painter.fillRect(fill, gradient);
  painter.setPen(QColor::fromRgba(GaugeEdge));
  painter.drawRect(frame);

  // The percentage, dark with a light halo: readable on the dark start, the light end and the empty part.
  const QString text = QStringLiteral("%1 %").arg(FPercent);
  QFont font = painter.font();
  font.setBold(true);
  const QFontMetricsF metrics(font);
  const QPointF origin(inner.left() + (inner.width() - metrics.horizontalAdvance(text)) / 2,
                       inner.top() + (inner.height() + metrics.capHeight()) / 2);
  QPainterPath path;
  path.addText(origin, font, text);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.strokePath(path, QPen(QColor(255, 255, 255, 210), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(path, QColor(0x20, 0x20, 0x20));
}

// ---- TLevelBar ----------------------------------------------------------------------------------------

TLevelBar::TLevelBar(QWidget* parent) : QWidget(parent) {}

void TLevelBar::SetParts(int parts) {
  FParts = std::clamp(parts, 0, LevelBarParts);
  update();
}

void TLevelBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // No border and no background of its own: the panel's shows between and behind the parts. The empty
  // parts are a shade of it, so that the scale of 20 can be read.
  const QColor empty = palette().color(QPalette::Window).darker(110);
  const int top = 2;
  const int h = std::max(1, height() - 3);
  for (int part = 0; part < LevelBarParts; ++part) {
    const int left = width() * part / LevelBarParts;
    const int right = width() * (part + 1) / LevelBarParts - 1;
    painter.fillRect(QRect(left, top, std::max(1, right - left), h),
                     part < FParts ? QColor::fromRgba(LevelPart) : empty);
  }
}

// ---- TkvMatchRatingLabel ------------------------------------------------------------------------------

TkvMatchRatingLabel::TkvMatchRatingLabel(QWidget* parent) : QLabel(parent) {
  QFont font = this->font();
  font.setPointSize(10);
  setFont(font);
  setAlignment(Qt::AlignCenter);
}

// ---- TkvMatchRatingBar --------------------------------------------------------------------------------

TkvMatchRatingBar::TkvMatchRatingBar(QWidget* parent) : QWidget(parent) {
  const int barLeft = Layout::BarLeft - Layout::CaptionLeft;
  resize(Layout::LevelLabelLeft + Layout::LevelLabelWidth - Layout::CaptionLeft, Layout::BarHeight + Layout::LevelBarHeight);
  FCaption = new QLabel(this);
  FCaption->setGeometry(0, 0, Layout::CaptionWidth - 6, Layout::BarHeight);
  FCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FCaption->setWordWrap(true);
  FGauge = new TRatingGauge(this);
  FGauge->setGeometry(barLeft, 0, Layout::BarWidth, Layout::BarHeight);
  FLevelBar = new TLevelBar(this);
  FLevelBar->setGeometry(barLeft, Layout::BarHeight, Layout::BarWidth, Layout::LevelBarHeight);
  FLevel = new QLabel(this);
  FLevel->setGeometry(Layout::LevelLabelLeft - Layout::CaptionLeft, 0, Layout::LevelLabelWidth, height());
  FLevel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TkvMatchRatingBar::ShowBar(const TMatchRatingBar& bar) {
  FCaption->setText(QString::fromStdString(bar.Caption));
  FGauge->SetValue(bar.Percent, bar.Colours);
  FLevel->setText(QString::fromStdString(bar.LevelText));
  FLevelBar->SetParts(bar.LevelParts);
  FLevelBar->setVisible(bar.LevelBarVisible);
  // Without the thin bar below it the label belongs to the bar alone.
  FLevel->resize(FLevel->width(), bar.LevelBarVisible ? Layout::BarHeight + Layout::LevelBarHeight : Layout::BarHeight);
  FitCaption();
}

void TkvMatchRatingBar::FitCaption() {
  // A tactic's name (more so a translated one) can wrap onto more lines than the bar is high, and one of its
  // words can be wider than the caption. The caption takes the height of its lines, from the bar's top down
  // (this widget grows with it), and a smaller font while a word does not fit its width.
  constexpr qreal SmallestPoints = 6;
  const QString text = FCaption->text();
  const int width = FCaption->width();
  auto lines = [&](const QFont& font) {
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, text);
  };
  QFont font = this->font();
  while (font.pointSizeF() - 0.5 >= SmallestPoints && lines(font).width() > width)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  FCaption->setFont(font);
  const int captionHeight = std::max(Layout::BarHeight, lines(font).height());
  FCaption->resize(width, captionHeight);
  resize(this->width(), std::max(Layout::BarHeight + Layout::LevelBarHeight, captionHeight));
}

// ---- TkvMatchRatingRelative ---------------------------------------------------------------------------

TkvMatchRatingRelative::TkvMatchRatingRelative(QWidget* parent) : QFrame(parent) {
  resize(TMatchRatingRelative::Width, TMatchRatingRelative::Height());
  FHeading = NumberLabel(this, QString::fromStdString(TMatchRatingRelative::Heading()));
  FHeading->setWordWrap(true);
  FHeading->setGeometry(0, 0, width(), TMatchRatingRelative::HeadingHeight);
  for (size_t i = 0; i < FLabels.size(); ++i) {
    FLabels[i] = NumberLabel(this, QStringLiteral("-"));
    FLabels[i]->setGeometry(0, TMatchRatingRelative::LabelTop(static_cast<int>(i)), width(),
                            TMatchRatingRelative::LabelHeight);
  }
  FTotal = NumberLabel(this, QStringLiteral("100"));
  FTotal->setGeometry(0, TMatchRatingRelative::TotalTop(), width(), TMatchRatingRelative::TotalHeight);
}

void TkvMatchRatingRelative::paintEvent(QPaintEvent*) {
  // A framed strip of its own, in a lighter shade than the panel; the heading and the total are set off.
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgba(ColumnFill));
  painter.fillRect(QRect(0, 0, width(), TMatchRatingRelative::HeadingHeight), QColor::fromRgba(ColumnEdge).lighter(125));
  painter.setPen(QColor::fromRgba(ColumnEdge));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.drawLine(0, TMatchRatingRelative::HeadingHeight, width(), TMatchRatingRelative::HeadingHeight);
  painter.drawLine(0, TMatchRatingRelative::TotalTop() - 1, width(), TMatchRatingRelative::TotalTop() - 1);
}

void TkvMatchRatingRelative::ShowRelative(const TMatchRatingRelative& relative) {
  for (size_t i = 0; i < FLabels.size(); ++i) FLabels[i]->setText(QString::fromStdString(relative.Labels()[i]));
  FTotal->setText(QString::fromStdString(relative.Total()));
}

QLabel* TkvMatchRatingRelative::Label(int index) const {
  if (index < 0 || index >= static_cast<int>(FLabels.size())) throw ERangeError();
  return FLabels[static_cast<size_t>(index)];
}

// ---- TkvMatchRating -----------------------------------------------------------------------------------

TkvMatchRating::TkvMatchRating(QWidget* parent) : QFrame(parent) {
  resize(Layout::Width, Layout::Height());
  setAutoFillBackground(true);
  SetBackground(QColor::fromRgba(DefaultBackground));
  for (int i = 0; i < Layout::BarCount; ++i) {
    auto* bar = new TkvMatchRatingBar(this);
    bar->move(Layout::CaptionLeft, Layout::BarTop(i));
    FBars[static_cast<size_t>(i)] = bar;
  }
  for (int g = 0; g < Layout::GroupCount; ++g) {
    auto* caption = new TkvMatchRatingLabel(this);
    caption->setGeometry(Layout::BarLeft, Layout::GroupCaptionTop(g), Layout::BarWidth, Layout::GroupCaptionHeight);
    caption->setText(QString::fromStdString(TMatchRatingModel::GroupCaption(g)));
    FGroupCaptions[static_cast<size_t>(g)] = caption;
  }
  FRelative = new TkvMatchRatingRelative(this);
  FRelative->move(Layout::RelativeLeft, TMatchRatingLayout::ColumnTop);
  Redraw();
}

void TkvMatchRating::SetBackground(QColor colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
}

QColor TkvMatchRating::Background() const { return palette().color(QPalette::Window); }

void TkvMatchRating::ShowMatch(const pugi::xml_node& match, bool isHome) {
  FModel.ShowMatch(match, isHome);
  Redraw();
}

void TkvMatchRating::ShowModel(const TMatchRatingModel& model) {
  FModel = model;
  Redraw();
}

void TkvMatchRating::Redraw() {
  for (int i = 0; i < Layout::BarCount; ++i) FBars[static_cast<size_t>(i)]->ShowBar(FModel.Bar(i));
  FRelative->ShowRelative(FModel.Relative());
}

TkvMatchRatingBar* TkvMatchRating::Bar(int index) const {
  if (index < 0 || index >= Layout::BarCount) throw ERangeError();
  return FBars[static_cast<size_t>(index)];
}

TkvMatchRatingLabel* TkvMatchRating::GroupCaption(int index) const {
  if (index < 0 || index >= Layout::GroupCount) throw ERangeError();
  return FGroupCaptions[static_cast<size_t>(index)];
}
