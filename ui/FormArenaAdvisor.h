#pragma once
// TFormArenaAdvisor ("Arena Advisor"): the arena of the snapshot the history window shows, its upkeep and
// income, three recommended sizes from the supporter club and a project the user edits. The arithmetic is
// in ratings/ArenaAdvisor.h; this window only mirrors it into its controls.
#include "ratings/ArenaAdvisor.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TFormMain;
class THistoryPage;

class TFormArenaAdvisor : public QDialog {
  Q_OBJECT

public:
  explicit TFormArenaAdvisor(TFormMain& main);
  ~TFormArenaAdvisor() override;

  // The page shown: the history window's current snapshot; nullptr when there is none.
  THistoryPage* ShownPage() const;
  // Fills every page from the shown snapshot (empty when there is none).
  void FormShow();

  // ---- Controls (for the tests) ----------------------------------------------------------------------------
  QTabWidget* Pages() const { return FPages; }
  // row: 0 current, 1 expanding, 2 final; type 4 = total.
  QLabel* CapacityLabel(int row, int type) const { return FCapacity[row][type]; }
  QLabel* ArenaNameLabel() const { return FArenaName; }
  QLabel* ClubLabel() const { return FClub; }
  QLabel* MoodLabel() const { return FMood; }
  QLabel* ProfitLabel() const { return FProfit; }
  QLabel* UpkeepCostLabel(int type) const { return FUpkeepCost[type]; }  // type 4 = total
  QLabel* RecommendationLabel(int which, int column) const { return FRecommend[which][column]; }
  QPushButton* SetButton(int which) const { return FSetButtons[which]; }
  QLineEdit* ProjectEdit(int type) const { return FProjectEdits[type]; }  // type 4 = total
  QPushButton* ShareButton(int type) const { return FShareButtons[type]; }
  QPushButton* RowLabelButton(int type) const { return FRowLabels[type]; }  // type 4 = "TOTAL"
  QLabel* ProjectMoneyLabel(int i) const { return FProjectMoney[i]; }     // 0 cost, 1 maintenance, 2 income
  QCheckBox* CheckBoxDifference() const { return FDifference; }
  QPushButton* ButtonGraphs() const { return FButtonGraphs; }
  QPushButton* ButtonClose() const { return FButtonClose; }

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  QWidget* BuildGeneralPage();
  QWidget* BuildMaintenancePage();
  QWidget* BuildEngineeringPage();
  void ShowRecommendations();
  // The project's texts into the edits, without their change handlers running.
  void ShowProjectEdits();
  void ShowProjectMoney();
  void ProjectCapacityChange(int type);
  void ProjectTotalChange();
  void ButtonGraphsClick();

  TFormMain& FMain;
  TArenaSeats FCurrent{};
  int64_t FClubSize = 0;
  TArenaProject FProject;
  // Set while the window fills the project edits, so that their change handlers do not fire each other.
  bool FFillingCapacities = false;
  bool FFillingTotal = false;

  QTabWidget* FPages;
  QLabel* FArenaName;
  std::array<std::array<QLabel*, SeatTypeCount + 1>, 3> FCapacity{};
  QLabel* FClub;
  QLabel* FMood;
  std::array<QLabel*, SeatTypeCount + 1> FUpkeepCapacity{};
  std::array<QLabel*, SeatTypeCount + 1> FUpkeepCost{};
  std::array<QLabel*, SeatTypeCount + 1> FUpkeepIncome{};
  QLabel* FProfit;
  // Per recommendation: four capacities, total, cost, maintenance, income.
  std::array<std::array<QLabel*, SeatTypeCount + 4>, ArenaRecommendationCount> FRecommend{};
  std::array<QPushButton*, ArenaRecommendationCount> FSetButtons{};
  std::array<QLineEdit*, SeatTypeCount + 1> FProjectEdits{};
  std::array<QPushButton*, SeatTypeCount> FShareButtons{};
  std::array<QPushButton*, SeatTypeCount + 1> FRowLabels{};
  std::array<QLabel*, 3> FProjectMoney{};
  QCheckBox* FDifference;
  QPushButton* FButtonGraphs;
  QPushButton* FButtonClose;
};
