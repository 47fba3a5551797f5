#include "ui/HistoryGraph.h"

#include "core/Intl.h"
#include "core/Utils.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
// Half the width of a bar, in seasons: bars of neighbouring rounds keep a gap between them.
constexpr double BarHalfWidth = RoundWidth * 0.35;
// Room before the range's first round, so that its bar and its point marker are drawn whole.
constexpr double AxisLeadIn = RoundWidth / 2;
constexpr int LinePen = 2;
constexpr int SelectedLinePen = 4;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// 1, 2 or 5 times a power of ten, at least raw.
double NiceStep(double raw) {
  if (!(raw > 0)) return 1;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0, 10.0})
    if (f * magnitude >= raw * (1 - 1e-9)) return f * magnitude;
  return 10 * magnitude;
}
}  // namespace

struct THistoryGraph::TSeries {
  bool Bar = false;
  QString Name;
  QColor Colour;
  bool Visible = true;
  bool Selected = false;
  int Group = -1;  // bar groups: index into the bars' groups
  QLineSeries* Line = nullptr;   // lines; the upper edge of a bar group
  QLineSeries* Lower = nullptr;  // bar groups
  QAreaSeries* Area = nullptr;   // bar groups
  THistoryPoints Points;         // lines
  QAbstractSeries* Shown() const { return Bar ? static_cast<QAbstractSeries*>(Area) : Line; }
};

struct THistoryGraph::TLabel {
  double X = 0;
  double Y = 0;
  int Series = 0;
  QGraphicsSimpleTextItem* Item = nullptr;
};

// Built around its own chart: a chart set later would release the view's default one without freeing it.
THistoryGraph::THistoryGraph(QWidget* parent) : QChartView(new QChart, parent), FChart(chart()) {
  setRenderHint(QPainter::Antialiasing);
  // The chart's items repaint only their bounding rectangles, which leave out the pen and the point
  // markers: a line moved by new points or a refitted axis left dashes of its old place behind.
  setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
  // Room on the right for the label of the axis' last tick, which stands on the plot's edge.
  FChart->setMargins(QMargins(4, 4, 24, 4));
  FChart->layout()->setContentsMargins(0, 0, 0, 0);
  FChart->setBackgroundRoundness(0);
  FChart->legend()->setAlignment(Qt::AlignBottom);
  FChart->legend()->setVisible(false);
  QFont titleFont = FChart->titleFont();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.1);
  FChart->setTitleFont(titleFont);
  FTimeAxis = new QCategoryAxis;
  FTimeAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  FValueAxis = new QCategoryAxis;
  FValueAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  FChart->addAxis(FTimeAxis, Qt::AlignBottom);
  FChart->addAxis(FValueAxis, Qt::AlignLeft);
  connect(FChart, &QChart::plotAreaChanged, this, [this] { UpdateLabels(); });
}

THistoryGraph::~THistoryGraph() = default;

int THistoryGraph::AddLineSeries(const QString& name, const QColor& colour) {
  auto s = std::make_unique<TSeries>();
  s->Name = name;
  s->Colour = colour;
  s->Line = new QLineSeries;
  s->Line->setName(name);
  s->Line->setPen(QPen(colour, LinePen));
  s->Line->setPointsVisible(true);
  s->Line->setMarkerSize(5);
  FChart->addSeries(s->Line);
  s->Line->attachAxis(FTimeAxis);
  s->Line->attachAxis(FValueAxis);
  FSeries.push_back(std::move(s));
  return SeriesCount() - 1;
}

int THistoryGraph::AddBarGroup(const QString& name, const QColor& colour) {
  auto s = std::make_unique<TSeries>();
  s->Bar = true;
  s->Name = name;
  s->Colour = colour;
  s->Group = static_cast<int>(std::count_if(FSeries.begin(), FSeries.end(), [](const auto& x) { return x->Bar; }));
  // The area series does not own its edges.
  s->Line = new QLineSeries(this);
  s->Lower = new QLineSeries(this);
  s->Area = new QAreaSeries(s->Line, s->Lower);
  s->Area->setName(name);
  s->Area->setBrush(colour);
  // No outline: it would also trace the edges that join the bars along their bottoms.
  s->Area->setPen(Qt::NoPen);
  FChart->addSeries(s->Area);
  s->Area->attachAxis(FTimeAxis);
  s->Area->attachAxis(FValueAxis);
  FSeries.push_back(std::move(s));
  return SeriesCount() - 1;
}

QString THistoryGraph::SeriesName(int series) const { return FSeries.at(series)->Name; }

QGraphicsSimpleTextItem* THistoryGraph::NewLabel(const QString& text) {
  auto* item = new QGraphicsSimpleTextItem(text, FChart);
  QFont font = item->font();
  font.setPointSizeF(font.pointSizeF() * 0.85);
  item->setFont(font);
  item->setZValue(10);
  return item;
}

void THistoryGraph::SetLinePoints(int series, const THistoryPoints& points) {
  TSeries& s = *FSeries.at(series);
  s.Points = points;
  QList<QPointF> xy;
  xy.reserve(static_cast<qsizetype>(points.size()));
  for (const THistoryPoint& p : points) xy.append(QPointF(p.X, p.Y));
  s.Line->replace(xy);
  // Drop this series' old point labels, then make the new ones.
  std::erase_if(FPointLabels, [&](TLabel& label) {
    if (label.Series != series) return false;
    delete label.Item;
    return true;
  });
  for (const THistoryPoint& p : points) {
    if (p.Label.empty()) continue;
    QString text = FromUtf8(p.Label);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    FPointLabels.push_back({p.X, p.Y, series, NewLabel(text)});
  }
  Refit();
}

void THistoryGraph::SetBars(const TStackedBars& bars) {
  FBars = bars;
  for (TLabel& label : FBarLabels) delete label.Item;
  FBarLabels.clear();
  if (FBarLabelFormatter)
    for (size_t i = 0; i < FBars.BarCount(); ++i) FBarLabels.push_back({FBars.X[i], 0, -1, NewLabel(QString())});
  UpdateBars();
  Refit();
}

void THistoryGraph::SetBarLabelFormatter(std::function<QString(double)> formatter) {
  FBarLabelFormatter = std::move(formatter);
}

void THistoryGraph::ClearData() {
  for (size_t i = 0; i < FSeries.size(); ++i)
    if (!FSeries[i]->Bar) SetLinePoints(static_cast<int>(i), {});
  SetBars({});
}

THistoryGraph::TSeries* THistoryGraph::FirstBarGroup() const {
  for (const auto& s : FSeries)
    if (s->Bar) return s.get();
  return nullptr;
}

void THistoryGraph::UpdateBars() {
  std::vector<double> base(FBars.BarCount(), 0.0);
  for (const auto& s : FSeries) {
    if (!s->Bar) continue;
    QList<QPointF> upper, lower;
    const bool hasGroup = s->Group >= 0 && s->Group < static_cast<int>(FBars.Groups.size());
    for (size_t i = 0; hasGroup && i < FBars.BarCount(); ++i) {
      const double x = FBars.X[i];
      const double low = base[i];
      const double high = s->Visible ? low + FBars.Groups[s->Group][i] : low;
      // Down to the block's bottom at either edge, so that nothing is filled between two bars.
      upper << QPointF(x - BarHalfWidth, low) << QPointF(x - BarHalfWidth, high) << QPointF(x + BarHalfWidth, high)
            << QPointF(x + BarHalfWidth, low);
      lower << QPointF(x - BarHalfWidth, low) << QPointF(x - BarHalfWidth, low) << QPointF(x + BarHalfWidth, low)
            << QPointF(x + BarHalfWidth, low);
      base[i] = high;
    }
    s->Line->replace(upper);
    s->Lower->replace(lower);
  }
  for (size_t i = 0; i < FBarLabels.size() && i < FBars.BarCount(); ++i) {
    FBarLabels[i].Y = base[i];
    std::vector<bool> shown;
    for (const auto& s : FSeries)
      if (s->Bar) shown.push_back(s->Visible);
    FBarLabels[i].Item->setText(FBarLabelFormatter ? FBarLabelFormatter(FBars.Sum(i, shown)) : QString());
  }
}

void THistoryGraph::SetSeriesVisible(int series, bool visible) {
  TSeries& s = *FSeries.at(series);
  if (s.Visible == visible) return;
  s.Visible = visible;
  s.Shown()->setVisible(visible);
  if (s.Bar) UpdateBars();
  Refit();
}

bool THistoryGraph::IsSeriesVisible(int series) const { return FSeries.at(series)->Visible; }

void THistoryGraph::SetSeriesSelected(int series, bool selected) {
  TSeries& s = *FSeries.at(series);
  s.Selected = selected;
  if (!s.Bar) s.Line->setPen(QPen(s.Colour, selected ? SelectedLinePen : LinePen));
}

bool THistoryGraph::IsSeriesSelected(int series) const { return FSeries.at(series)->Selected; }

void THistoryGraph::SetSeasonRange(int startSeason, int endSeason) {
  FStartSeason = startSeason;
  FEndSeason = endSeason;
  FChart->setTitle(startSeason == endSeason ? FromUtf8(FormatText(_("Season %d"), startSeason))
                                            : FromUtf8(FormatText(_("Season %d - %d"), startSeason, endSeason)));
  const double min = startSeason, max = endSeason + 1.0;
  // At most about ten labels: every 2, 4, 8 or 16 rounds, or every few seasons.
  const double span = max - min;
  int roundsPerTick = 1;
  while (span * RoundsPerSeason / roundsPerTick > 10) roundsPerTick *= 2;
  SetTicks(FTimeAxis, min, max, roundsPerTick * RoundWidth,
           [](double v) { return FromUtf8(HistoryAxisLabel(v)); }, min - AxisLeadIn);
  Refit();
}

void THistoryGraph::SetTicks(QCategoryAxis* axis, double min, double max, double step,
                             const std::function<QString(double)>& text, std::optional<double> rangeMin) {
  for (const QString& label : axis->categoriesLabels()) axis->remove(label);
  // A category ends where its label stands; the first one starts just below the minimum, so that the
  // minimum itself carries a label.
  axis->setStartValue(min - step / 1000);
  const int count = static_cast<int>(std::llround((max - min) / step));
  for (int k = 0; k <= count; ++k) {
    const double v = min + k * step;
    if (v > max + step / 1000) break;
    axis->append(text(v), v);
  }
  // Both ends at once: set one after the other, the minimum could pass the old maximum on the way.
  axis->setRange(rangeMin.value_or(min), max);
}

void THistoryGraph::FitValueAxis() {
  const double from = FStartSeason, to = FEndSeason + 1.0;
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  bool bars = false;
  for (const auto& s : FSeries) {
    if (!s->Visible || s->Bar) continue;
    for (const THistoryPoint& p : s->Points)
      if (p.X >= from && p.X < to) {
        lo = std::min(lo, p.Y);
        hi = std::max(hi, p.Y);
      }
  }
  std::vector<bool> shown;
  for (const auto& s : FSeries)
    if (s->Bar) {
      shown.push_back(s->Visible);
      bars = bars || s->Visible;
    }
  if (bars) {
    lo = std::min(lo, 0.0);
    for (size_t i = 0; i < FBars.BarCount(); ++i)
      if (FBars.X[i] >= from && FBars.X[i] < to) hi = std::max(hi, FBars.Sum(i, shown));
    if (!(hi >= lo)) hi = lo;
  }
  if (!(lo <= hi)) {
    lo = 0;
    hi = 1;
  }
  // Room above the highest bar or labelled point for its label.
  const bool labelled = (bars && FBarLabelFormatter) || !FPointLabels.empty();
  const double extra = labelled ? (hi - lo) * 0.15 : 0;
  double step = NiceStep((hi + extra - lo) / 8);
  const double minStep = FValueDecimals > 0 ? std::pow(10.0, -FValueDecimals) * 5 : 1;
  step = std::max(step, minStep);
  double min = std::floor(lo / step) * step;
  double max = std::ceil((hi + extra) / step) * step;
  // Lines keep off the plot's edges, so that their points are not cut in half.
  if (!bars && min >= lo && !(lo >= 0 && min <= 0)) min -= step;
  if (!bars && max <= hi && extra == 0) max += step;
  if (lo >= 0 && min < 0) min = 0;
  if (max <= min) max = min + step;
  FValueMin = min;
  FValueMax = max;
  const int decimals = FValueDecimals;
  SetTicks(FValueAxis, min, max, step, [decimals](double v) {
    return decimals > 0 ? FromUtf8(FormatFloat(v, decimals)) : FromUtf8(GroupDigits(' ', std::llround(v)));
  });
}

void THistoryGraph::UpdateLegend() {
  const bool shown = VisibleCount() > 1;
  FChart->legend()->setVisible(shown);
  for (const auto& s : FSeries)
    for (QLegendMarker* marker : FChart->legend()->markers(s->Shown())) marker->setVisible(s->Visible);
}

void THistoryGraph::UpdateLabels() {
  const double from = FTimeAxis->min(), to = FTimeAxis->max();
  const QRectF area = FChart->plotArea();
  auto inRange = [&](const TLabel& label) {
    return label.X >= from && label.X <= to && !label.Item->text().isEmpty();
  };
  for (const TLabel& label : FPointLabels) {
    const TSeries& s = *FSeries[label.Series];
    const bool visible = s.Visible && inRange(label);
    label.Item->setVisible(visible);
    if (!visible) continue;
    const QPointF at = FChart->mapToPosition(QPointF(label.X, label.Y), s.Line);
    const QRectF box = label.Item->boundingRect();
    const double x = std::clamp(at.x() - box.width() / 2, area.left(), std::max(area.left(), area.right() - box.width()));
    label.Item->setPos(x, std::max(area.top(), at.y() - box.height() - 3));
  }

  TSeries* bar = FirstBarGroup();
  bool anyBar = false;
  for (const auto& s : FSeries) anyBar = anyBar || (s->Bar && s->Visible);
  // Labels wider than the room between two bars stand upright; one that would still touch its left
  // neighbour is left out (a narrower season range shows it).
  double spacing = std::numeric_limits<double>::infinity(), widest = 0;
  std::optional<double> previous;
  for (const TLabel& label : FBarLabels) {
    if (!anyBar || !bar || !inRange(label)) continue;
    const double x = FChart->mapToPosition(QPointF(label.X, 0), bar->Area).x();
    if (previous) spacing = std::min(spacing, x - *previous);
    previous = x;
    widest = std::max(widest, label.Item->boundingRect().width());
  }
  const bool upright = widest + 2 > spacing;
  double lastRight = -std::numeric_limits<double>::infinity();
  for (const TLabel& label : FBarLabels) {
    const bool visible = anyBar && bar && inRange(label);
    label.Item->setVisible(visible);
    if (!visible) continue;
    label.Item->setRotation(upright ? -90 : 0);
    const QPointF at = FChart->mapToPosition(QPointF(label.X, label.Y), bar->Area);
    const QRectF box = label.Item->boundingRect();
    // Upright text runs up from its origin: it is box.height() wide and box.width() tall.
    const double width = upright ? box.height() : box.width();
    const double left = at.x() - width / 2;
    if (left < lastRight + 1) {
      label.Item->setVisible(false);
      continue;
    }
    lastRight = left + width;
    if (upright)
      label.Item->setPos(left, at.y() - 3);
    else
      label.Item->setPos(left, std::max(area.top(), at.y() - box.height() - 3));
  }
}

void THistoryGraph::Refit() {
  FitValueAxis();
  UpdateLegend();
  UpdateLabels();
}

QString THistoryGraph::Title() const { return FChart->title(); }
double THistoryGraph::AxisMin() const { return FTimeAxis->min(); }
double THistoryGraph::AxisMax() const { return FTimeAxis->max(); }
double THistoryGraph::ValueMin() const { return FValueMin; }
double THistoryGraph::ValueMax() const { return FValueMax; }
QStringList THistoryGraph::AxisLabels() const { return FTimeAxis->categoriesLabels(); }
bool THistoryGraph::LegendShown() const { return FChart->legend()->isVisible(); }

int THistoryGraph::VisibleCount() const {
  return static_cast<int>(std::count_if(FSeries.begin(), FSeries.end(), [](const auto& s) { return s->Visible; }));
}

std::vector<QPointF> THistoryGraph::SeriesPoints(int series) const {
  const TSeries& s = *FSeries.at(series);
  std::vector<QPointF> points;
  if (!s.Bar) {
    for (const THistoryPoint& p : s.Points) points.emplace_back(p.X, p.Y);
    return points;
  }
  // The second and third corner of each bar block are its top.
  const QList<QPointF> upper = s.Line->points();
  for (qsizetype i = 1; i + 1 < upper.size(); i += 4) points.emplace_back((upper[i].x() + upper[i + 1].x()) / 2, upper[i].y());
  return points;
}

QStringList THistoryGraph::ShownLabels() const {
  std::vector<std::pair<double, QString>> shown;
  for (const auto* labels : {&FPointLabels, &FBarLabels})
    for (const TLabel& label : *labels)
      if (label.Item->isVisible()) shown.emplace_back(label.X, label.Item->text());
  std::stable_sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  QStringList texts;
  for (const auto& [x, text] : shown) texts << text;
  return texts;
}
