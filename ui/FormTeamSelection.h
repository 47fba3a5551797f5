#pragma once
// The "Team Selection" window: the lineup search's progress (trials, their rate, the best team's value and
// averages, the bench's, elapsed and estimated time), the best lineup as it improves, and a Cancel button.
// It owns the search (TTeamSelect); the tactics advisor prepares it and starts it.
//
// The search reports through TWorker::Synchronize, which the desktop program runs on the window thread;
// closing the window while the search runs only hides it, and the window comes back when the search ends.
#include "ratings/TeamSelect.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class TFormMain;
class TFormTacticsAdvisor;
class TPlayerList;
class TTeamDisplay;

class TFormTeamSelection : public QWidget {
  Q_OBJECT

public:
  // The display's rectangle on the window (the bench goes below it).
  static constexpr int DisplayLeft = 8;
  static constexpr int DisplayTop = 8;
  static constexpr int DisplayWidth = 700;
  static constexpr int DisplayHeight = 400;

  // Built for the main window (whose rating settings the search takes) and the tactics advisor, which
  // hands the search to this window.
  TFormTeamSelection(TFormMain& main, TFormTacticsAdvisor& advisor);
  // Stops a running search and waits for it, running its window calls meanwhile.
  ~TFormTeamSelection() override;

  TTeamSelect& Selector() { return *FSelect; }
  // Takes the main window's squad as candidates, with the squad's rating settings. False while a search
  // runs.
  bool Prepare(const TPlayerList& squad);
  // Shows the window and starts the search with the best team's roles. fixed: the slots 0..10 drawn raised
  // (the players the user placed); the others are drawn lowered.
  bool StartSearch(const std::array<bool, 11>& fixed);
  // A search was started and its end has not been shown yet.
  bool Searching() const { return FSearching; }

  // ---- Handlers ------------------------------------------------------------------------------------------
  // Stops the search at its next check; the best lineup so far stays and is marked as incomplete.
  void ButtonCancelClick();
  void ShowProgress(const TTeamSelectProgress& progress);
  void StateChanged(TTeamSelectState state);

  // ---- For tests -----------------------------------------------------------------------------------------
  TTeamDisplay& Display() const { return *FDisplay; }
  QLabel& LabelTrials() const { return *FValues[0]; }
  QLabel& LabelTrialsPerSec() const { return *FValues[1]; }
  QLabel& LabelTeamValue() const { return *FValues[2]; }
  QLabel& LabelAvrPlayer() const { return *FValues[3]; }
  QLabel& LabelSubValue() const { return *FValues[4]; }
  QLabel& LabelAvrSub() const { return *FValues[5]; }
  QLabel& LabelElapsedTime() const { return *FValues[6]; }
  QLabel& LabelEstimatedTime() const { return *FValues[7]; }
  // Of the trials, those that a bound showed could not win.
  QLabel& LabelSkippedByBound() const { return *FValues[8]; }
  QLabel& LabelIncomplete() const { return *FLabelIncomplete; }
  QProgressBar& ProgressBar() const { return *FProgressBar; }
  QPushButton& ButtonCancel() const { return *FButtonCancel; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void ShowFixedPlaces();

  TFormMain& FMain;
  TFormTacticsAdvisor& FAdvisor;
  std::unique_ptr<TTeamSelect> FSelect;
  bool FSearching = false;
  bool FDestroying = false;
  std::array<bool, 11> FFixed{};

  TTeamDisplay* FDisplay = nullptr;
  std::array<QLabel*, 9> FValues{};
  QLabel* FLabelIncomplete = nullptr;
  QProgressBar* FProgressBar = nullptr;
  QPushButton* FButtonCancel = nullptr;
};
