#pragma once
// TLineupDisplay: the rating analyzer's pitch. A team display without bench or icons that carries, for each
// of the eleven places of a 4-4-2, a caption, a player box and (outfield places) a behaviour box listing the
// behaviours the place's group allows, plus the program's version label.
//
// TMyLineupDisplay adds the analyzer's own copies of the players (the boxes' items), the selected player
// and the estimate of the lineup as it stands.
#include "core/PlayerList.h"
#include "ratings/RatingAnalyzer.h"
#include "ratings/RatingAnalyzerFile.h"
#include "ui/TeamDisplay.h"

#include <array>
#include <memory>

class QComboBox;
class QLabel;

class TLineupDisplay : public TTeamDisplay {
  Q_OBJECT

public:
  static constexpr int PlaceWidth = 160;

  TLineupDisplay(QWidget* owner, const QRect& rect);
  ~TLineupDisplay() override;

  QComboBox& PlayerBox(int place) const { return *FPlayerBoxes.at(static_cast<size_t>(place)); }
  // Places 1..10; the keeper has none.
  QComboBox& BehaviourBox(int place) const { return *FBehaviourBoxes.at(static_cast<size_t>(place)); }
  QLabel& Caption(int place) const { return *FCaptions.at(static_cast<size_t>(place)); }
  QLabel& VersionLabel() const { return *FVersionLabel; }
  // The place of a player box, -1 for any other widget.
  int PlaceOfBox(const QObject* box) const;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void PlaceBoxes();

  std::array<QComboBox*, AnalyzerPositionCount> FPlayerBoxes{};
  std::array<QComboBox*, AnalyzerPositionCount> FBehaviourBoxes{};  // [0] stays nullptr
  std::array<QLabel*, AnalyzerPositionCount> FCaptions{};
  QLabel* FVersionLabel = nullptr;
};

class TMyLineupDisplay : public TLineupDisplay {
  Q_OBJECT

public:
  TMyLineupDisplay(QWidget* owner, const QRect& rect);
  ~TMyLineupDisplay() override;

  // Copies the snapshot's players; every player box gets " " and then the names, all on the blank item.
  void FillPlayers(const TPlayerList& snapshot);
  // Takes a loaded set-up: its players become the boxes' items, the places and behaviours its choices.
  void ApplySetup(const TRatingAnalyzerSetup& setup);
  // The places, behaviours and player copies as a file would hold them (team settings left default).
  TRatingAnalyzerSetup Setup() const;

  const TPlayerList& Players() const { return *FPlayers; }
  // The player chosen in a place, nullptr for the blank item.
  TPlayer* PlayerAt(int place) const;
  // Chooses the player of that ID in the place (blank when 0 or unknown), as the user would.
  void ChoosePlayer(int place, int64_t playerID);
  // Every box back to its first item.
  void ResetBoxes();
  TPlayer* SelectedPlayer() const { return FSelected; }
  // Makes the place's player the selected one.
  void SelectPlace(int place);

  TAnalyzerEstimate Estimate(const TAnalyzerTeamSettings& team) const;

signals:
  // The selected player changed (nullptr for none).
  void PlayerSelected(TPlayer* player);
  // A place or a behaviour changed: the estimate is stale.
  void LineupChanged();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void PlayerBoxChosen(int place, int item);
  void FillBoxes();

  std::unique_ptr<TPlayerList> FPlayers = std::make_unique<TPlayerList>();
  TPlayer* FSelected = nullptr;
};
