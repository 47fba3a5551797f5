#pragma once
// THistoryGraph: one chart of the history graphs. Its bottom axis is the shared time axis (one unit per
// season, labels "season(round)"), its series are lines or groups of stacked bars drawn at the pages' axis
// positions, and labels can be attached to single points and to the tops of the bars. It shows its legend
// only while more than one series is visible and fits its vertical axis to the visible data of the season
// range.
//
// Bars are drawn as area series over the same numeric axis as the lines (a bar series of Qt Charts would put
// its bars on a category axis, one slot per bar, and the weeks without a snapshot would vanish).
#include "data/HistorySeries.h"

#include <QChartView>
#include <QColor>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAreaSeries;
class QCategoryAxis;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QXYSeries;

class THistoryGraph : public QChartView {
  Q_OBJECT

public:
  explicit THistoryGraph(QWidget* parent = nullptr);
  ~THistoryGraph() override;

  // ---- Series (index = order of creation) ---------------------------------------------------------------
  int AddLineSeries(const QString& name, const QColor& colour);
  // A group of the stacked bars; groups stack from the bottom in the order they were added.
  int AddBarGroup(const QString& name, const QColor& colour);
  int SeriesCount() const { return static_cast<int>(FSeries.size()); }
  QString SeriesName(int series) const;

  // The points of a line series (labels included).
  void SetLinePoints(int series, const THistoryPoints& points);
  // The bars of all groups: bars.Groups[g] belongs to the g-th bar group.
  void SetBars(const TStackedBars& bars);
  // Text on top of each bar from the sum of its visible groups; none without a formatter.
  void SetBarLabelFormatter(std::function<QString(double sum)> formatter);
  // Removes every point and bar (the series stay).
  void ClearData();

  void SetSeriesVisible(int series, bool visible);
  bool IsSeriesVisible(int series) const;
  // A selected line is drawn with a heavier pen.
  void SetSeriesSelected(int series, bool selected);
  bool IsSeriesSelected(int series) const;

  // ---- Axes ------------------------------------------------------------------------------------------------
  // The bottom axis runs from half a round before startSeason to endSeason + 1 (labels from startSeason on,
  // so that the first round's bar and marker show whole); the title becomes "Season %d" or
  // "Season %d - %d"; the vertical axis is fitted.
  void SetSeasonRange(int startSeason, int endSeason);
  // Labels of the vertical axis with this many decimals (stars: 1); money and counts are grouped by blanks.
  void SetValueDecimals(int decimals) { FValueDecimals = decimals; }
  // Re-fits the vertical axis and places the labels (after data or visibility changed).
  void Refit();

  // ---- What is shown (for tests and screenshots) -------------------------------------------------------
  QString Title() const;
  double AxisMin() const;
  double AxisMax() const;
  double ValueMin() const;
  double ValueMax() const;
  QStringList AxisLabels() const;
  bool LegendShown() const;
  int VisibleCount() const;
  // The drawn points of a line series or the bars' tops of a bar group (x, top of the group's block).
  std::vector<QPointF> SeriesPoints(int series) const;
  // The texts of the point and bar labels that lie in the season range, left to right.
  QStringList ShownLabels() const;

private:
  struct TSeries;
  struct TLabel;

  void UpdateBars();
  void UpdateLegend();
  void UpdateLabels();
  void FitValueAxis();
  // Labels every step from min to max; the axis runs from rangeMin (default: min) to max.
  void SetTicks(QCategoryAxis* axis, double min, double max, double step, const std::function<QString(double)>& text,
                std::optional<double> rangeMin = std::nullopt);
  QGraphicsSimpleTextItem* NewLabel(const QString& text);
  TSeries* FirstBarGroup() const;

  QChart* FChart;
  QCategoryAxis* FTimeAxis;
  QCategoryAxis* FValueAxis;
  std::vector<std::unique_ptr<TSeries>> FSeries;
  TStackedBars FBars;
  std::function<QString(double)> FBarLabelFormatter;
  std::vector<TLabel> FPointLabels;
  std::vector<TLabel> FBarLabels;
  int FStartSeason = 0;
  int FEndSeason = 0;
  int FValueDecimals = 0;
  double FValueMin = 0;
  double FValueMax = 1;
};
