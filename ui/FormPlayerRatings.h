#pragma once
// TFormPlayerRatings: the window "Player Ratings and Team Formation". One played match of a match grid in
// detail: both lineups on a pitch with substitutes and roles, each side's total player experience, and each
// side's sector ratings against the other. Team1 is the club whose lineup is stored first, Team2 the other
// side; the pages carry the teams' names.
//
// The engine's TPlayerRatingsView computes everything the window shows; the window draws it.
//
// Wiring of the main window:
//  - AttachGrid(grid) for each match grid: its double click (PlayerRatingsRequested) then shows the window
//    with that match; Prev / Next (and Page Up / Page Down) walk through that grid's rows.
//  - ShowForGrid(grid): the Player Ratings command, for the grid that is to show its current match.
//  - Opened() / Closed(): press and release the tool button of the window.
#include "ratings/PlayerRatingsView.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;
class THistory;
class TMatchGrid;
class TkvMatchLineup;
class TkvMatchRating;

class TFormPlayerRatings : public QDialog {
  Q_OBJECT

public:
  explicit TFormPlayerRatings(QWidget* parent = nullptr);
  ~TFormPlayerRatings() override;

  // Fills the whole window from a MatchData element of a club match file and the match's season and week
  // (as the match grid shows them). A record without a lineup or match details, or with a malformed
  // number, is reported in a message box and the window keeps the match it showed.
  void Input(const pugi::xml_node& matchData, int season, int week);

  // Connects the grid's double click to this window (once per grid).
  void AttachGrid(TMatchGrid* grid);
  // Shows the grid's current match (the main window's Player Ratings command); the window shows even
  // when the grid has no match to give.
  void ShowForGrid(TMatchGrid* grid);
  // The grid Prev and Next walk through: by default the grid whose match was shown last. The main window
  // may decide instead (its active match grid).
  void SetGridChooser(std::function<TMatchGrid*()> chooser) { FGridChooser = std::move(chooser); }
  TMatchGrid* CurrentGrid() const;

  // Where the specialties come from (the program's history store unless set).
  void SetHistory(const THistory* history) { FHistory = history; }

  const TPlayerRatingsView& View() const { return FView; }

  // Parts, for the main window and tests.
  QTabWidget* Pages() const { return FPages; }
  QTabWidget* LineupPages() const { return FLineupPages; }
  QTabWidget* RatingPages() const { return FRatingPages; }
  TkvMatchLineup* MatchLineupOwn() const { return FMatchLineupOwn; }
  TkvMatchLineup* MatchLineupOpp() const { return FMatchLineupOpp; }
  TkvMatchRating* MatchRatingOwn() const { return FMatchRatingOwn; }
  TkvMatchRating* MatchRatingOpp() const { return FMatchRatingOpp; }
  QLabel* LabelXP() const { return FLabelXP; }
  QLabel* LabelXPOpponent() const { return FLabelXPOpponent; }
  QPushButton* ButtonPrev() const { return FButtonPrev; }
  QPushButton* ButtonNext() const { return FButtonNext; }

public slots:
  // A match grid's request: shows the window (pressing the tool button through Opened) and the match.
  void ShowMatch(const pugi::xml_node& matchData, const QString& season, const QString& round);
  void ButtonPrevClick();
  void ButtonNextClick();

signals:
  // The window was shown / closed (or hidden): the main window presses / releases ToolButtonPlayerRatings.
  void Opened();
  void Closed();

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void FormCreate();
  void ShowView();
  void Step(bool forward);
  void CentreOnParent();

  TPlayerRatingsView FView;
  const THistory* FHistory = nullptr;
  QPointer<TMatchGrid> FGrid;
  std::function<TMatchGrid*()> FGridChooser;
  bool FCentred = false;

  QTabWidget* FPages = nullptr;
  QTabWidget* FLineupPages = nullptr;
  QTabWidget* FRatingPages = nullptr;
  QWidget* FLineupTeam2 = nullptr;
  TkvMatchLineup* FMatchLineupOwn = nullptr;
  TkvMatchLineup* FMatchLineupOpp = nullptr;
  TkvMatchRating* FMatchRatingOwn = nullptr;
  TkvMatchRating* FMatchRatingOpp = nullptr;
  QLabel* FLabelXP = nullptr;
  QLabel* FLabelXPOpponent = nullptr;
  QPushButton* FButtonPrev = nullptr;
  QPushButton* FButtonNext = nullptr;
};
