#pragma once
// The program's main window and the owner of the shared run-time objects: the HTTP client, the two player
// grids and the two match grids of its tabs, the clipboard list and the start-up loader. FormCreate sets
// up the format settings, the preferences and the data folders before anything else reads them; the show
// handler starts the loader on its thread; the close handler stops it and saves the preferences and the
// grid files.
//
// Commands that open a tool window find it by number: a tool button's image index equals the tag of the
// window it opens (see ui/Icons.h). Tool windows register themselves with RegisterToolWindow; until a
// window is registered, the commands that open it stay disabled.
#include "core/PlayerList.h"
#include "core/ProgramFolders.h"
#include "ui/PlayerGrid.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QSystemTrayIcon;
class QTabWidget;
class QToolBar;
class QToolButton;
class THistory;
class THistoryPage;
class TFormPlayerRatings;
class TFormPreferences;
class TKVIndyHTTP;
class TMatchGrid;
class TStartup;

// The snapshot the player comparison compares the shown snapshot with: going back from the shown page n
// (n, n-1, ..., 1), the first page whose forms differ from page n's (THistory::SameForm); 0 when there is
// none or when n is not one of 2..Count.
int ComparisonPageOf(const THistory& history, int shownPage);

class TFormMain : public QMainWindow {
  Q_OBJECT

public:
  // The commands that have a menu entry and a tool button (or two), enabled together.
  enum TCommand : int {
    cmTacticsAdvisor,
    cmArenaAdvisor,
    cmRatingAnalyzer,
    cmKeeperAnalyzer,
    cmInjuryAnalyzer,
    cmMatchViewer,
    cmPlayerInformation,
    cmAssumePassableForms,
    cmTraining,
    cmPlayerComparison,
    cmWeather,
    cmPreferences,
    cmMyTeamDownload,
    cmHistory,
    cmAddToMainGrid,
    cmPlayerRatings,
    cmMatchDownload,
    cmCount
  };

  // The window opens on the program folder (with trailing separator).
  explicit TFormMain(std::filesystem::path programFolder, QWidget* parent = nullptr);
  ~TFormMain() override;

  // Loads the preferences, creates the data folders, the grids and the clipboard list and restores the
  // grids. Returns false (after telling the user why) when a data folder cannot be created: the program
  // must not start then.
  bool FormCreate();
  const TProgramFolders& Folders() const { return *FFolders; }
  const std::filesystem::path& ProgramFolder() const { return FProgramFolder; }
  TKVIndyHTTP& HTTP() const { return *FHTTP; }

  // ---- Grids and the clipboard list ----------------------------------------------------------------------
  TPlayerGrid& MainPlayerGrid() const { return *FPlayerGridM; }
  TPlayerGrid& TempPlayerGrid() const { return *FPlayerGridT; }
  TMatchGrid& MainMatchGrid() const { return *FMatchGridM; }
  TMatchGrid& TempMatchGrid() const { return *FMatchGridT; }
  TPlayerList& ClipboardList() const { return *FClipboardList; }
  // The main player grid when it is the window's focus widget (also while another window is active), else
  // the temporary one.
  TPlayerGrid& FocusedPlayerGrid() const;
  QTabWidget& Pages() const { return *FPages; }

  // ---- Display modes ------------------------------------------------------------------------------------
  int GetWeatherCode() const;
  bool IsAssumePassableForms() const;
  bool IsTrainingOn() const;
  bool IsComparisonOn() const;
  int ComparisonPage() const { return FComparisonPage; }
  TPlayerGridModes DisplayModes() const;
  // The weather button's image (9..13, 25) and the image last applied to the grids (its tag).
  int WeatherImage() const { return FWeatherImage; }
  int AppliedWeatherImage() const { return FWeatherTag; }

  // ---- Commands -----------------------------------------------------------------------------------------
  QAction* MenuAction(TCommand command) const { return FMenuActions[command]; }
  // The command's tool button action (the same as the menu action for the display modes).
  QAction* ButtonAction(TCommand command) const { return FButtonActions[command]; }
  bool IsCommandEnabled(TCommand command) const;
  // Enables or disables menu entry and tool button together. A command whose window is not registered
  // stays disabled.
  void SetCommandEnabled(TCommand command, bool enabled);
  // The tag of the window a command opens (= its button's image index).
  static int CommandTag(TCommand command);

  // A tool window registers itself under its tag. open, when given, shows it in place of QWidget::show
  // (variant: for the download window 0 = "My Team" page, 1 = "Match" page).
  void RegisterToolWindow(int tag, QWidget* window, std::function<void(int variant)> open = {});
  QWidget* ToolWindow(int tag) const;
  // Releases the tool buttons of the tag (a tool window calls it when it closes).
  void ReleaseToolButton(int tag);
  // Opens or raises the window of the tag and presses its button (see the class comment).
  void ToolButtonClick(int tag, int variant = 0);

  // With at least one snapshot: Rating Analyzer; with two: Training and Player Comparison too. Never
  // disables.
  void UpdateToolButtons();
  // The team ID of the selected team-box item.
  static std::string ComboBoxIDText(const QComboBox& box);
  // Re-lays out the status panes.
  void RzStatusBarResize();

  // The snapshot the history window shows (1-based, 0 = none). The start-up loader makes it the newest.
  int ShownHistoryPage() const { return FShownHistoryPage; }
  void SetShownHistoryPage(int page);

  // ---- Players tab --------------------------------------------------------------------------------------
  // Add to Main Grid: the temporary grid's rows into the main grid, replacing its rows unless Shift is held.
  void AddToMainGridClick();
  // Clears the grid after the user's confirmation (main: the main grid).
  void ClearGridClick(bool main);
  void OpenClick(bool main);
  // Open after the dialog: the file (players XML or ".krf") into the grid. False (after the error box)
  // when it cannot be read; the grid is then unchanged.
  bool OpenTeamFile(bool main, const std::filesystem::path& file);
  void ListAddClick();
  void ListClearClick();
  void CopyToClipboardClick();
  void CopyAllToClipboardClick();
  void PopupAddClick();
  void PopupMoveClick();
  void DeletePlayerClick();
  void ExportToKeeperAnalyzerClick();
  void ExportToInjuryAnalyzerClick();
  void TacticsAdvisorClick();
  // With the Tactics Advisor button already down: the team selection window, the custom formation window or
  // the advisor to the front, in that order.
  void BringTacticsWindowsForward(QWidget& advisorWindow);
  // Chooses the weather of an image (9..13, 25) and applies it.
  void ChooseWeather(int imageIndex);
  // Applies the weather shown on the button (nothing when it is applied already).
  void ApplyWeather();
  // The display-mode commands, as a click on the menu entry (the check mark flips).
  void AssumePassableFormsClick();
  void TrainingClick();
  void PlayerComparisonClick();
  // Whether Shift is held (the window sees keys before its controls).
  bool ShiftHeld() const;

  // ---- Matches tab --------------------------------------------------------------------------------------
  QComboBox& TeamBox(bool main) const { return *(main ? FTeamBoxM : FTeamBoxT); }
  QComboBox& TypeBox(bool main) const { return *(main ? FTypeBoxM : FTypeBoxT); }
  QComboBox& ResultBox(bool main) const { return *(main ? FResultBoxM : FResultBoxT); }
  QComboBox& WeatherBox(bool main) const { return *(main ? FWeatherBoxM : FWeatherBoxT); }
  // Rebuilds both team boxes from the club match files, keeping their selections where possible.
  void RefreshTeamTitles();
  // Selects the remembered teams and filters of the preferences and restores the match grids from their
  // grid files (the team's match file when there is no usable grid file).
  void RestoreMatchGrids();
  void TeamBoxChange(bool main);
  void FilterBoxChange(bool main, QComboBox& box);
  // Removes the selected match from the team's match file after the user's confirmation.
  void DeleteMatchClick(bool main);
  // The Match Download menu entry: the download window needs a snapshot first.
  void MatchDownloadMenuClick();

  // ---- Preferences --------------------------------------------------------------------------------------
  // After the preferences window's OK or Defaults: shows and hides the grid columns as the preferences
  // say when a column flag changed, and fits the columns again.
  void ApplyColumnPreferences();
  TFormPreferences& FormPreferences() const { return *FFormPreferences; }
  TFormPlayerRatings& FormPlayerRatings() const { return *FFormPlayerRatings; }

  // ---- Start-up -----------------------------------------------------------------------------------------
  TStartup* Startup() const { return FStartup.get(); }
  // True once the start-up loader has finished loading (FinishLoading ran).
  bool LoadingFinished() const { return FLoadingFinished; }
  // True once the loader has done everything it does at start (the status pane hidden).
  bool StartupDone() const { return FStartupDone; }
  QLabel& StartupPane() const { return *FStartupPane; }
  QProgressBar& ProgressBar() const { return *FProgressBar; }
  QLabel& ColumnPane() const { return *FColumnPane; }
  QLabel& InfoPane() const { return *FInfoPane; }
  // Fits the columns of every grid to its width.
  void FitAllColumns();

signals:
  // Loading has ended and the data-dependent commands are enabled.
  void StartupLoadingFinished();
  // The start-up loader has done its work (toggles restored, status pane hidden).
  void StartupCompleted();
  // The loader made a page the shown one (the history window follows it).
  void HistoryPageShown(int page);
  // The loader found snapshots: the download window enables its season choice.
  void SeasonControlsEnabled();
  // The popup's export entries: the values for the analyzers (their windows fill themselves and are shown
  // through ToolButtonClick afterwards).
  void KeeperAnalyzerExport(int tsi, int formItem, int secondFormItem);
  void InjuryAnalyzerExport(int injuryWeeks, int age, int doctors);
  // The tactics advisor command with its squad (the team selection's selector takes it).
  void TacticsAdvisorRequested(std::shared_ptr<TPlayerList> squad);

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct TToolWindowEntry {
    QWidget* Window = nullptr;
    std::function<void(int variant)> Open;
  };

  void BuildActions();
  void BuildMenus();
  void BuildPlayersTab();
  void BuildMatchesTab();
  void BuildStatusBar();
  void BuildTray();
  QWidget* BuildFilterPanel(bool main);
  QToolBar* NewToolBar(QWidget* parent);
  QAction* NewCommand(TCommand command, const char* menuText, const char* hint, int imageIndex,
                      bool checkableButton);
  void CreateGrids();
  void FitWindowToGrids();
  void FitColumns(TAdvGrid& grid);
  void ApplyInitialSplits();
  void UpdateCommandEnabled(TCommand command);
  void UpdatePopupMenu();
  void ClampSplitter(QSplitter& splitter);

  // The start-up loader.
  void FormShow();
  void StartStartup();
  void StopStartup();
  void ShowProgress();
  void FinishLoading();
  void RestoreToggles();
  void HideStartupPane();
  void SelectOwnTeamWhenNoneChosen();
  // The close sequence.
  void FormClose();
  void SaveGridFiles();
  void RememberPrivatePreferences();

  // Player commands.
  std::unique_ptr<TPlayer> ReadCurrentPlayer(const TPlayerGrid& grid) const;
  void AddCurrentPlayer(TPlayerGrid& source, TPlayerGrid& target);
  void SetModesOnGrids();

  std::filesystem::path FProgramFolder;
  std::unique_ptr<TProgramFolders> FFolders;
  std::unique_ptr<TKVIndyHTTP> FHTTP;
  std::unique_ptr<TPlayerList> FClipboardList;
  std::unique_ptr<TStartup> FStartup;
  std::unique_ptr<TFormPreferences> FFormPreferences;
  std::unique_ptr<TFormPlayerRatings> FFormPlayerRatings;

  QTabWidget* FPages = nullptr;
  QSplitter* FPlayersSplitter = nullptr;
  QSplitter* FMatchesSplitter = nullptr;
  TPlayerGrid* FPlayerGridM = nullptr;
  TPlayerGrid* FPlayerGridT = nullptr;
  TMatchGrid* FMatchGridM = nullptr;
  TMatchGrid* FMatchGridT = nullptr;
  QComboBox* FTeamBoxM = nullptr;
  QComboBox* FTeamBoxT = nullptr;
  QComboBox* FTypeBoxM = nullptr;
  QComboBox* FTypeBoxT = nullptr;
  QComboBox* FResultBoxM = nullptr;
  QComboBox* FResultBoxT = nullptr;
  QComboBox* FWeatherBoxM = nullptr;
  QComboBox* FWeatherBoxT = nullptr;

  QLabel* FColumnPane = nullptr;
  QLabel* FInfoPane = nullptr;
  QLabel* FStartupPane = nullptr;
  QProgressBar* FProgressBar = nullptr;
  QSystemTrayIcon* FTrayIcon = nullptr;

  std::array<QAction*, cmCount> FMenuActions{};
  std::array<QAction*, cmCount> FButtonActions{};
  std::array<bool, cmCount> FRuleEnabled{};
  std::array<TToolWindowEntry, 32> FToolWindows{};
  QToolButton* FWeatherButton = nullptr;
  QMenu* FPopupMenuWeather = nullptr;
  QActionGroup* FWeatherGroup = nullptr;
  QMenu* FPopupMenuPlayer = nullptr;
  QAction* FListAdd = nullptr;
  QAction* FListClear = nullptr;
  QAction* FListCopy = nullptr;
  QAction* FListCopyAll = nullptr;
  QAction* FListCount = nullptr;
  QAction* FPopupPlayerInformation = nullptr;
  QAction* FPopupExportKeeper = nullptr;
  QAction* FPopupExportInjury = nullptr;
  QAction* FPopupAdd = nullptr;
  QAction* FPopupMove = nullptr;
  QAction* FPopupDelete = nullptr;
  QAction* FWhatsNew = nullptr;
  QAction* FDeleteMatchM = nullptr;
  QAction* FDeleteMatchT = nullptr;

  int FWeatherImage = 25;
  int FWeatherTag = 25;
  int FComparisonPage = 0;
  int FShownHistoryPage = 0;
  int FScrollBarSize = 16;
  int FStatusUnit = 8;
  bool FShiftHeld = false;
  bool FShown = false;
  bool FClosed = false;
  bool FLoadingFinished = false;
  bool FStartupDone = false;
  bool FCreated = false;
};
