#pragma once
// TkvMatchRating: how one side of a played match fared, sector by sector. Seven face-off bars (each own
// sector's share against the opposing sector it meets), the tactic bar, the group captions "Midfield",
// "Defence" and "Attack", and the "Relative Strength" column.
//
// The values come from the engine's match rating model (TMatchRatingModel); the widgets only draw them.
#include "ratings/MatchRating.h"

#include <QFrame>
#include <QLabel>

#include <array>

// The bar itself: the share filled from the left in a gradient of the bar's colours, the percentage
// written across it.
class TRatingGauge : public QWidget {
  Q_OBJECT

public:
  explicit TRatingGauge(QWidget* parent = nullptr);
  void SetValue(int percent, const TBarColours& colours);
  int Percent() const { return FPercent; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int FPercent = 0;
  TBarColours FColours = BarColours(0);
};

// The thin level bar under a face-off bar: 20 parts, the first `parts` filled, no border, no text; its
// background is the rating panel's.
class TLevelBar : public QWidget {
  Q_OBJECT

public:
  explicit TLevelBar(QWidget* parent = nullptr);
  void SetParts(int parts);
  int Parts() const { return FParts; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int FParts = 0;
};

// A caption label: font size 10, centred both ways.
class TkvMatchRatingLabel : public QLabel {
  Q_OBJECT

public:
  explicit TkvMatchRatingLabel(QWidget* parent = nullptr);
};

// One face-off bar with its caption at the left, the level label at the right and the thin level bar below.
// Its top left is the caption's; it spans to the level label's right edge, and down to the caption's bottom
// when the caption needs more lines than the bar is high.
class TkvMatchRatingBar : public QWidget {
  Q_OBJECT

public:
  explicit TkvMatchRatingBar(QWidget* parent = nullptr);
  void ShowBar(const TMatchRatingBar& bar);

  int Percent() const { return FGauge->Percent(); }
  QLabel* CaptionLabel() const { return FCaption; }
  QLabel* LevelLabel() const { return FLevel; }
  TRatingGauge* Gauge() const { return FGauge; }
  TLevelBar* LevelBar() const { return FLevelBar; }

private:
  void FitCaption();

  QLabel* FCaption = nullptr;
  TRatingGauge* FGauge = nullptr;
  QLabel* FLevel = nullptr;
  TLevelBar* FLevelBar = nullptr;
};

// The "Relative Strength" column: a bold heading, seven bold centred numbers aligned with bars 0..6 (the
// midfield's always "-") and the bold total below.
class TkvMatchRatingRelative : public QFrame {
  Q_OBJECT

public:
  explicit TkvMatchRatingRelative(QWidget* parent = nullptr);
  void ShowRelative(const TMatchRatingRelative& relative);

  QLabel* Heading() const { return FHeading; }
  QLabel* Label(int index) const;  // 0..6; ERangeError outside
  QLabel* Total() const { return FTotal; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QLabel* FHeading = nullptr;
  std::array<QLabel*, 7> FLabels{};
  QLabel* FTotal = nullptr;
};

class TkvMatchRating : public QFrame {
  Q_OBJECT

public:
  static constexpr QRgb DefaultBackground = 0xFFF4F1E8;

  explicit TkvMatchRating(QWidget* parent = nullptr);

  // One side of a match: match is the Match element of a match-details document, isHome picks the home
  // side as the own one. A match that cannot be shown raises (EConvertError, EPitchbookError) and the panel
  // keeps what it showed.
  void ShowMatch(const pugi::xml_node& match, bool isHome);
  // Draws a model computed elsewhere (the player ratings view).
  void ShowModel(const TMatchRatingModel& model);
  const TMatchRatingModel& Model() const { return FModel; }

  // The panel's background, also the background of the thin level bars.
  void SetBackground(QColor colour);
  QColor Background() const;

  TkvMatchRatingBar* Bar(int index) const;             // 0..7; ERangeError outside
  TkvMatchRatingLabel* GroupCaption(int index) const;  // 0..2; ERangeError outside
  TkvMatchRatingRelative* Relative() const { return FRelative; }

private:
  void Redraw();

  TMatchRatingModel FModel;
  std::array<TkvMatchRatingBar*, TMatchRatingModel::BarCount> FBars{};
  std::array<TkvMatchRatingLabel*, TMatchRatingModel::GroupCount> FGroupCaptions{};
  TkvMatchRatingRelative* FRelative = nullptr;
};
