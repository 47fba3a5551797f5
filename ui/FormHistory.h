#pragma once
// TFormHistory ("History"): the list of every page of the history store. The user loads a page's players
// into a player grid or corrects the training type recorded in a snapshot. The window also keeps the
// current page: the snapshot the other windows show.
//
// The main window is reached only through TFormHistoryHost (its grids, the player comparison, the Arena
// Advisor command and its History tool button), so that this window does not depend on it.
#include <QDialog>

#include <functional>

class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class THistory;
class THistoryPage;
class TPlayerGrid;

// What the history window needs of the main window. Every member may be left empty.
struct TFormHistoryHost {
  TPlayerGrid* MainGrid = nullptr;
  TPlayerGrid* TempGrid = nullptr;
  // The shown page changed (1-based index in the history store, 0 = none); called first in ShowPage, so that
  // the player comparison switched off right after compares with the new page.
  std::function<void(int pageIndex)> CurrentPageChanged;
  // Whether the player comparison is on, and its command (run once to switch it off when a page is shown).
  std::function<bool()> IsComparisonOn;
  std::function<void()> RunPlayerComparison;
  // The Arena Advisor command (menu item and tool button).
  std::function<bool()> IsArenaAdvisorEnabled;
  std::function<void(bool enabled)> SetArenaAdvisorEnabled;
  // Closes the history graphs when they are open (their numbers change with the training type).
  std::function<void()> CloseHistoryGraphs;
  // The window was closed: the main window releases its History tool button.
  std::function<void()> Closed;
};

class TFormHistory : public QDialog {
  Q_OBJECT

public:
  // The list columns.
  enum TColumn { hcDate, hcDay, hcWeek, hcMatches, hcTraining, hcFileName, HistoryColumnCount };

  explicit TFormHistory(THistory& history, QWidget* parent = nullptr);
  ~TFormHistory() override;

  void SetHost(TFormHistoryHost host) { FHost = std::move(host); }
  THistory& HistoryStore() const { return FHistory; }

  // The page last shown; nullptr before the first, and once the history store no longer holds it (a later
  // download of the same week replaces the page).
  THistoryPage* CurrentPage() const { return InStore(FCurrentPage); }
  // Its index in the history store (1-based), 0 when there is none.
  int CurrentPageIndex() const;
  // Makes the page current; switches the player comparison off; loads the page's players into the grid
  // when one is given (after clearing it); enables the Arena Advisor command exactly when the page's team
  // has a name.
  void ShowPage(THistoryPage* page, TPlayerGrid* grid);

  // ---- The list -------------------------------------------------------------------------------------------
  QTreeWidget* ListView() const { return FList; }
  // Refills the list from the history store, newest date first (rows of one date newest week first), and
  // selects the current page's row (else the first).
  void FillList();
  // The page of a row; nullptr for none or when the store no longer holds it.
  THistoryPage* RowPage(const QTreeWidgetItem* item) const;
  THistoryPage* SelectedPage() const;

  // ---- Commands -------------------------------------------------------------------------------------------
  // Shows the selected row's page in the temporary grid (preference LoadPlayersToTempGird) or the main grid,
  // then closes the window.
  void ButtonLoadClick();
  // Checks the menu item of the selected row's training type.
  void ModifyTrainingTypeDropDown();
  // Writes training type index (0..12) into the selected snapshot's training file after asking; nothing
  // when it is the row's type already. Returns true when the type was changed.
  bool ModifyTrainingType(int trainingType);
  QMenu* TrainingTypeMenu() const { return FTrainingMenu; }
  QPushButton* ButtonModifyTrainingType() const { return FButtonModify; }
  QPushButton* ButtonLoad() const { return FButtonLoad; }

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void UpdateButtons();
  // The page when the history store holds it, else nullptr.
  THistoryPage* InStore(THistoryPage* page) const;

  THistory& FHistory;
  TFormHistoryHost FHost;
  THistoryPage* FCurrentPage = nullptr;
  QTreeWidget* FList;
  QPushButton* FButtonLoad;
  QPushButton* FButtonClose;
  QPushButton* FButtonModify;
  QMenu* FTrainingMenu;
};
