#pragma once
// TFormHistoryGraphs ("History Graphs"): the development of one player and of the club over all pages of
// the history store. Player pages: General, Skills, Positions, Stars, TSI, Training; club pages: team spirit
// and stars, arena and supporters, economy. Every chart shares the time axis and the season range chosen
// with Start/End (Left/Right shift both).
//
// The numbers come from data/HistorySeries*.h; this window lays them out. The main window is reached only
// through TFormHistoryGraphsHost.
#include "data/HistorySeriesPlayer.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPieSeries;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;
class THistory;
class THistoryGraph;
class THistoryPage;
class TPlayer;
class TPlayerGrid;

// What the graphs window needs of the main window. Every member may be left empty.
struct TFormHistoryGraphsHost {
  // The main player grid: the player shown is its current row; Prev/Next move that row.
  TPlayerGrid* MainGrid = nullptr;
  // The history window's current page (its league decides the wage text); nullptr = the newest page.
  std::function<THistoryPage*()> CurrentPage;
  // The window was closed: the main window releases its Player Information tool button.
  std::function<void()> Closed;
};

class TFormHistoryGraphs : public QDialog {
  Q_OBJECT

public:
  // The charts.
  enum TGraph {
    hgSkills,
    hgPositions,
    hgStars,
    hgTSI,
    hgTeamSpirit,
    hgTeamStars,
    hgSupporterClub,
    hgCapacity,
    hgAttendance,
    hgPopularity,
    hgRevenue,
    hgExpenses,
    GraphCount
  };
  // The pages: the top tabs and the tabs inside them.
  enum TPage {
    hpGeneral, hpSkills, hpPositions, hpStars, hpTSI, hpTraining,          // Players
    hpTeamSpirit, hpTeamStars,                                             // Team
    hpSupporterClub, hpCapacity, hpAttendance, hpPopularity,               // Arena
    hpEconomyGeneral, hpRevenue, hpExpenses,                               // Economy
    PageCount
  };

  explicit TFormHistoryGraphs(THistory& history, QWidget* parent = nullptr);
  ~TFormHistoryGraphs() override;

  void SetHost(TFormHistoryGraphsHost host) { FHost = std::move(host); }

  // ---- Opening from the main player grid ---------------------------------------------------------------
  // The main grid's double click on a cell of column col: unchecks every skill and position series, picks
  // the page and series that suit the column, shows the grid's current player and the window.
  void ShowForGridColumn(int col);
  // Reads the main grid's current row into a new player (weather Disabled) and shows him.
  void PickGridPlayer();
  // Shows the player (the window keeps the record).
  void ShowPlayer(std::unique_ptr<TPlayer> player);
  const TPlayer* Player() const { return FPlayer.get(); }
  // Prev/Next: move the main grid's current row up or down (wrapping around) and show that player.
  void ButtonPrevClick();
  void ButtonNextClick();

  // ---- Pages, series and check boxes ---------------------------------------------------------------------
  void SetPage(TPage page);
  TPage CurrentPage() const;
  THistoryGraph* Graph(TGraph graph) const { return FPanels[graph].Graph; }
  // The check box of series (bar charts: group) index of a chart; nullptr when it has none.
  QCheckBox* CheckBox(TGraph graph, int index) const;
  // &Select / &Unselect of a chart's panel.
  void SelectAll(TGraph graph, bool checked);
  // Unchecks the boxes the preset buttons clear, then checks the group: a skills preset is named by the
  // position ("Forward", "Wing", "I. Midfielder", "Wing Back", "C. Defender", "Goalkeeper"), a positions
  // preset by the skill ("Stamina", "Playmaking", "Winger", "Scoring", "Keeper", "Passing", "Defending").
  enum TSkillPreset { spForward, spWing, spInnerMidfielder, spWingBack, spCentralDefender, spGoalkeeper };
  enum TPositionPreset { ppStamina, ppPlaymaking, ppWinger, ppScoring, ppKeeper, ppPassing, ppDefending };
  void SkillPreset(TSkillPreset preset);
  void PositionPreset(TPositionPreset preset);
  // Team → Stars and Arena → Attendance: the league match's set or the other match's.
  void ShowLeagueSet(TGraph graph, bool league);

  // ---- Season range ---------------------------------------------------------------------------------------
  QSpinBox* EditStart() const { return FEditStart; }
  QSpinBox* EditEnd() const { return FEditEnd; }
  void ButtonLeftClick();
  void ButtonRightClick();
  // Refills the club charts and the week box from the history store (each show does it).
  void FillClubCharts();

  // ---- Economy → General ------------------------------------------------------------------------------------
  QComboBox* ComboWeek() const { return FComboWeek; }
  // Shows the figures of entry k of the week box (0 = the newest week).
  void ComboWeekChange(int k);
  QPieSeries* PieRevenue() const { return FPieRevenue; }
  QPieSeries* PieExpenses() const { return FPieExpenses; }

  // ---- Training --------------------------------------------------------------------------------------------
  QTreeWidget* PastTrainingList() const { return FPastTraining; }
  QTreeWidget* FutureTrainingList() const { return FFutureTraining; }
  QProgressBar* TrainingBar(int skill) const { return FTrainingBars.at(skill - 3); }
  // The future-training settings.
  QComboBox* ComboTrainingType() const { return FComboTrainingType; }
  QSpinBox* EditIntensity() const { return FEditIntensity; }
  QSpinBox* EditCoach() const { return FEditCoach; }
  QSpinBox* EditAge() const { return FEditAge; }
  QSpinBox* EditStaminaShare() const { return FEditStaminaShare; }
  QCheckBox* CheckExcludeOffSeason() const { return FCheckExcludeOffSeason; }
  QCheckBox* CheckHalfTraining() const { return FCheckHalfTraining; }
  void UpdateFutureTraining();

  // A label of the window by its object name ("LabelWage", "LabelBestOpponent", ...); for tests.
  QLabel* FindLabel(const QString& name) const;

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  struct TPanel {
    THistoryGraph* Graph = nullptr;
    std::vector<QCheckBox*> Boxes;
    QVBoxLayout* Side = nullptr;
    QRadioButton* League = nullptr;
    QRadioButton* Other = nullptr;
  };
  struct TSeriesLook {
    const char* Name;
    QRgb Colour;
  };

  // Construction (FormHistoryGraphs.cpp).
  QWidget* BuildChartPage(TGraph graph, const std::vector<TSeriesLook>& series, bool bars, bool checkBoxes,
                          bool leagueSwitch);
  QWidget* BuildPlayerHeader();
  QWidget* BuildRangeBar();
  void AddPresets();
  QLabel* NewLabel(const QString& name, QWidget* parent, bool bold = false);
  // Player pages (FormHistoryGraphsPlayer.cpp).
  QWidget* BuildGeneralPage();
  QGroupBox* BuildMatchPanel(const QString& title, const QString& prefix);
  QWidget* BuildTrainingPage();
  void ShowPlayerData();
  void ShowGeneral();
  void ShowMatch(const QString& prefix, const TPlayedMatch& match);
  void ShowTraining();
  void ResetFutureTrainingSettings();
  // Club pages (FormHistoryGraphsClub.cpp).
  QWidget* BuildEconomyGeneralPage();
  void FillLeagueSet(TGraph graph);
  // Range.
  void EditStartChange();
  void EditEndChange();
  void ApplyRange();
  void UpdateRangeBounds();

  THistory& FHistory;
  TFormHistoryGraphsHost FHost;
  std::unique_ptr<TPlayer> FPlayer;
  std::array<TPanel, GraphCount> FPanels{};
  QTabWidget* FTopTabs = nullptr;
  std::array<QTabWidget*, 4> FInnerTabs{};
  QLabel* FLabelPlayerName = nullptr;
  QWidget* FGeneralPanel = nullptr;
  QSpinBox* FEditStart = nullptr;
  QSpinBox* FEditEnd = nullptr;
  bool FRangeSet = false;     // Start and End were set on the first show
  bool FRangeUpdating = false;
  QComboBox* FComboWeek = nullptr;
  QPieSeries* FPieRevenue = nullptr;
  QPieSeries* FPieExpenses = nullptr;
  QTreeWidget* FPastTraining = nullptr;
  QTreeWidget* FFutureTraining = nullptr;
  std::array<QProgressBar*, 8> FTrainingBars{};
  QComboBox* FComboTrainingType = nullptr;
  QSpinBox* FEditIntensity = nullptr;
  QSpinBox* FEditCoach = nullptr;
  QSpinBox* FEditAge = nullptr;
  QSpinBox* FEditStaminaShare = nullptr;
  QCheckBox* FCheckExcludeOffSeason = nullptr;
  QCheckBox* FCheckHalfTraining = nullptr;
  bool FFutureUpdating = false;
};
