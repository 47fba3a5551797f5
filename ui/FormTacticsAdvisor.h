#pragma once
// The "Tactics Advisor" window: sets up a lineup search. Which outfield players and keepers may be chosen
// (check lists with exclusions for injured, suspended, the coach and last match's players, and quick
// choices of the best N or of everyone above a rating), and in which formation (normal, asymmetric wing
// backs, asymmetric wingers). G&O hands the choice to the team selection window and starts the search;
// &Custom opens the custom formation window for a hand-built formation with fixed players.
//
// The main window's "Tactics Advisor" command opens a session: it prepares the search with the main player
// grid's squad and shows this window. The session lasts, with the command's button down, until this window
// is closed without G&O or the team selection window is closed after its search.
#include "core/Team.h"

#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TFormCustomFormation;
class TFormMain;
class TFormTeamSelection;
class TPlayer;
class TPlayerList;

// The roles of the sixteen slots for a formation code of the advisor (442, 1442, 2442, ...). The codes
// that the team's formation table lacks (1532, 1541, 2352, 2451) follow the rule of the others: on
// "Asym WB" one wing back becomes a central defender, on "Asym W" one winger an inner midfielder. False for
// a code that is neither.
bool AdvisorFormationRoles(int code, TRoleArray& roles);

// The text of a check-list item: the trimmed name cut or padded to 30 characters, the best rating rounded
// in 3 characters, a blank, the abbreviation of the best position in 2 characters, a blank.
QString AdvisorItemText(const TPlayer& player);

class TFormTacticsAdvisor : public QWidget {
  Q_OBJECT

public:
  // The formation pages.
  enum TPage : int { pgNormal = 0, pgAsymWB = 1, pgAsymW = 2 };
  // The exclusion check boxes.
  enum TExclusion : int { exInjured, exSuspended, exCoach, exLastMatch, exCount };
  static constexpr int FormationCount = 7;

  // Built for the main window and registered there as the window of the Tactics Advisor command.
  explicit TFormTacticsAdvisor(TFormMain& main);
  ~TFormTacticsAdvisor() override;

  // The windows created after this one hand themselves over here.
  void SetTeamSelection(TFormTeamSelection* window) { FTeamSelection = window; }
  void SetCustomFormation(TFormCustomFormation* window) { FCustomFormation = window; }
  TFormTeamSelection* TeamSelection() const { return FTeamSelection; }
  TFormCustomFormation* CustomFormation() const { return FCustomFormation; }

  // The main window's command (variant unused): with a session open, brings the right window forward;
  // else prepares the search with the squad that the command handed over and shows the window.
  void Open(int variant = 0);
  bool SessionActive() const { return FSessionActive; }
  // Ends the session: releases the main window's button.
  void EndSession();

  // ---- Handlers ------------------------------------------------------------------------------------------
  // Fills both lists from the prepared candidates, applies the exclusions and preselects.
  void FormShow();
  void ButtonSelectAllClick();
  void ButtonUnselectAllClick();
  void ButtonInverseSelectionClick();
  // Best with the "Best" edit's N.
  void ButtonBestClick();
  void ApplyBest(int n);
  void ButtonMinValueClick();
  void ApplyMinValue(double minimum);
  // An exclusion check box was clicked: every item of both lists is evaluated again.
  void CheckBoxExcludeClick();
  // G&O; custom: called by the custom formation window, whose roles and placed players the search takes.
  void ButtonGOClick(bool custom = false);
  void ButtonCustomClick();
  void ButtonCancelClick();
  // The custom formation window opened or closed: the advisor's controls are off meanwhile.
  void SetControlsEnabled(bool enabled);

  // ---- For the custom formation window and tests --------------------------------------------------------
  // Names of the checked players (field players or keepers), in list order.
  std::vector<std::string> CheckedNames(bool keepers) const;
  // The formation code of the checked radio button on the active page (442 + 1000 / 2000).
  int FormationCode() const;
  // The caption of the checked radio button on the active page.
  QString CheckedFormationCaption() const;
  int CheckedCount(bool keepers) const;
  int EnabledCount(bool keepers) const;

  QTabWidget& PageControl() const { return *FPages; }
  QRadioButton& RadioFormation(int page, int index) const;
  QPushButton& ButtonCustom(int page) const;
  QListWidget& ListPlayers() const { return *FListPlayers; }
  QListWidget& ListKeepers() const { return *FListKeepers; }
  QLabel& LabelPlayers() const { return *FLabelPlayers; }
  QLabel& LabelKeepers() const { return *FLabelKeepers; }
  QSpinBox& EditBest() const { return *FEditBest; }
  QSpinBox& EditMinValue() const { return *FEditMinValue; }
  QCheckBox& CheckExclude(TExclusion exclusion) const { return *FExclude[exclusion]; }
  QPushButton& ButtonGO() const { return *FButtonGO; }
  QPushButton& ButtonCancel() const { return *FButtonCancel; }
  QPushButton& ButtonSelectAll() const { return *FButtonSelectAll; }
  QPushButton& ButtonUnselectAll() const { return *FButtonUnselectAll; }
  QPushButton& ButtonInverseSelection() const { return *FButtonInverse; }
  QPushButton& ButtonBest() const { return *FButtonBest; }
  QPushButton& ButtonMinValue() const { return *FButtonMinValue; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  QWidget* BuildFormationPage();
  void FillList(QListWidget& list, const TPlayerList& players);
  bool Excluded(const TPlayer& player) const;
  // Applies the exclusions to every item; returns the number of enabled field players.
  int ApplyExclusions();
  void UpdateBestRange(int enabledPlayers);
  void UpdateCounts();
  void ListItemChanged(QListWidgetItem* item);
  void BringForward();

  TFormMain& FMain;
  TFormTeamSelection* FTeamSelection = nullptr;
  TFormCustomFormation* FCustomFormation = nullptr;
  std::shared_ptr<TPlayerList> FSquad;  // handed over by the main window's command
  bool FSessionActive = false;
  bool FFilling = false;

  QWidget* FControls = nullptr;
  QTabWidget* FPages = nullptr;
  std::vector<std::vector<QRadioButton*>> FRadios;
  std::vector<QPushButton*> FCustomButtons;
  QListWidget* FListPlayers = nullptr;
  QListWidget* FListKeepers = nullptr;
  QLabel* FLabelPlayers = nullptr;
  QLabel* FLabelKeepers = nullptr;
  QPushButton* FButtonSelectAll = nullptr;
  QPushButton* FButtonUnselectAll = nullptr;
  QPushButton* FButtonInverse = nullptr;
  QPushButton* FButtonBest = nullptr;
  QSpinBox* FEditBest = nullptr;
  QPushButton* FButtonMinValue = nullptr;
  QSpinBox* FEditMinValue = nullptr;
  QCheckBox* FExclude[exCount]{};
  QPushButton* FButtonGO = nullptr;
  QPushButton* FButtonCancel = nullptr;
};
