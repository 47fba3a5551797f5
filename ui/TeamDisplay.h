#pragma once
// TTeamDisplay: the display of a TTeam (a lineup found by the lineup search, or set up by hand): sixteen
// name slots, eleven on a pitch and five on a bench panel below it, a strip of predicted stars under each
// starter whose colour says how reliable the prediction is, the captain's and set-pieces taker's icons, and
// the "Penalty takers" button.
//
// The display is placed in a rectangle of its owner; the bench is a second panel on the owner, below it.
// Where everything goes and what it shows is computed in TeamDisplayModel.h.
#include "ui/StarImages.h"
#include "ui/TeamDisplayModel.h"

#include <QFrame>
#include <QList>
#include <QPixmap>
#include <QPointer>

#include <array>
#include <memory>

class QLabel;
class QPushButton;
class THistory;
class TTeam;

class TTeamDisplay : public QFrame {
  Q_OBJECT

public:
  static constexpr int SlotCount = 16;
  static constexpr int StarterCount = 11;
  static constexpr int SlotWidth = 157;
  static constexpr int SlotHeight = 17;
  static constexpr int StripWidth = 140;
  static constexpr int StripHeight = 14;

  // images: captain icon at index 0, set-pieces icon at index 1 (the program's own when there are none).
  TTeamDisplay(QWidget* owner, const QRect& rect, const QList<QPixmap>* images = nullptr);
  ~TTeamDisplay() override;

  // Takes a copy of the team and lays it out.
  void SetTeam(const TTeam& team);
  const TTeam& Team() const { return *FTeam; }
  // Names, predicted stars and the two icons for the team as it is.
  void FillSlots();
  // Where the predictions come from (the program's history store unless set).
  void SetHistory(const THistory* history) { FHistory = history; }

  // The text of the "Penalty takers" button for the current team.
  QString PenaltyTakersText() const;

  // Parts, for the lineup window and tests.
  QLabel* Slot(int index) const;                 // 0..15; ERangeError outside
  TStarStrip* Strip(int slot, int colour) const;  // slot 0..10, colour 0 yellow, 1 orange, 2 red
  QFrame* BenchPanel() const { return FBench; }
  QLabel* BenchCaption(int index) const;         // 0..4 for slots 11..15
  QPushButton* PenaltyTakersButton() const { return FPenaltyButton; }
  QLabel* CaptainIcon() const { return FCaptainIcon; }
  QLabel* SetPiecesIcon() const { return FSetPiecesIcon; }
  // The predictions of the last FillSlots (slots 0..10).
  const TPredictedStars& Prediction(int slot) const;

signals:
  // The "Penalty takers" button was pressed: the owner shows the text.
  void PenaltyTakersRequested(const QString& text);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void Layout();
  void ClearSlots();
  bool HasPlayers() const;
  void PlaceIcons();

  std::unique_ptr<TTeam> FTeam;
  const THistory* FHistory = nullptr;
  TTeamRoleCounts FRoleCounts;
  bool FLaidOut = false;
  TPitchSlots FPlaces{};

  // On the owner, below the display; deleted with the display (or by the owner, when that goes first).
  QPointer<QFrame> FBench;
  std::array<QLabel*, SlotCount> FSlots{};
  std::array<std::array<TStarStrip*, StarColourCount>, StarterCount> FStrips{};
  std::array<QLabel*, 5> FBenchCaptions{};
  std::array<TPredictedStars, StarterCount> FPredictions{};
  QPushButton* FPenaltyButton = nullptr;
  QLabel* FCaptainIcon = nullptr;
  QLabel* FSetPiecesIcon = nullptr;
};
