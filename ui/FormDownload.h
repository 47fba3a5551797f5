#pragma once
// The download window: login fields, the list of followed teams (kept in "TeamList.kcf" in the program
// folder), the match download's options, the nine file rows of the own-team download and the coloured
// connection report. It starts the download jobs on their threads; the jobs change the window only through
// callbacks that run on the window thread (TSyncHook), and through the main window's grids and team boxes.
//
// At most one job runs at a time: the jobs share the one HTTP client and the work folder, which every job
// empties when it is created. While one runs, Download turns into Stop and the team-list buttons are
// disabled.
#include "download/DlCustom.h"
#include "download/TeamList.h"

#include <QDialog>

#include <filesystem>
#include <memory>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDlMatch;
class TDlMyTeam;
class TDlTeamList;
class TFormMain;
class TMyTeamDisplay;

class TFormDownload : public QDialog {
  Q_OBJECT

public:
  // The two pages of the tab control.
  enum TPage : int { pgMyTeam = 0, pgMatch = 1 };

  // Builds the window for the main window (whose HTTP client, folders, grids and team boxes it uses) and
  // registers it there as the window of the two download commands. Call FormCreate next.
  explicit TFormDownload(TFormMain& main);
  // FormDestroy: stops a running job, saves the team list.
  ~TFormDownload() override;

  // Fills the login fields from the preferences and loads the team list.
  void FormCreate();
  // The main window's commands open the window here, on the page asked for, modally.
  void Open(int page);

  // ---- Handlers --------------------------------------------------------------------------------------------
  // Starts the job of the shown page, or stops the running job when the button says "Stop".
  void ButtonDownloadClick();
  // "My league" (myLeague true) or "Other team" (the ID in "Team ID:").
  void ButtonDlTeamListClick(bool myLeague);
  // Removes the checked teams after asking whether their match files go too.
  void ButtonRemoveCheckedClick();
  // "Select All" (true) / "Select None" (false).
  void ButtonSelectClick(bool checked);
  void ButtonCloseClick();
  // The login fields changed: Download and the team-list buttons need both.
  void EditChange();
  // Enter in a login field or the team ID clicks Download; Escape closes. focused: the control that has the
  // focus (nullptr: the window's focus widget).
  void FormKeyDown(int key, const QWidget* focused = nullptr);
  // Before the tab control shows page newPage.
  void PageControlDownloadTypeChanging(int newPage);
  // The season up-down moved by delta (+1 up, -1 down).
  void UpDownSeasonChanging(int delta);
  // A key typed into the season edit.
  void EditSeasonKeyPress();
  void FormClose();

  // ---- The jobs' window side (each runs on the window thread) ------------------------------------------
  void AddReportMessage(const TDlMessage& message);
  void EnableSeasonControls();
  // The team list view shows the list again (after the team-list job changed it).
  void ShowTeamList();

  // ---- For the main window and the tests ----------------------------------------------------------------
  TTeamList& TeamList() { return FTeamList; }
  // Whether a job is running (its thread has not ended).
  bool JobRunning() const;
  // The report as plain text, one line per message.
  QString ReportText() const;
  // The season up-down's position and range.
  int SeasonPosition() const { return FSeasonPosition; }
  int SeasonMin() const { return FSeasonMin; }
  int SeasonMax() const { return FSeasonMax; }

  QTabWidget& PageControl() const { return *FPageControl; }
  QLineEdit& EditUserName() const { return *FEditUserName; }
  QLineEdit& EditSecurityCode() const { return *FEditSecurityCode; }
  QLineEdit& EditTeamID() const { return *FEditTeamID; }
  QLineEdit& EditSeason() const { return *FEditSeason; }
  QTreeWidget& ListViewTeams() const { return *FListViewTeams; }
  QPushButton& ButtonDownload() const { return *FButtonDownload; }
  QPushButton& ButtonClose() const { return *FButtonClose; }
  QPushButton& ButtonMyLeague() const { return *FButtonMyLeague; }
  QPushButton& ButtonOtherTeam() const { return *FButtonOtherTeam; }
  QPushButton& ButtonRemoveChecked() const { return *FButtonRemoveChecked; }
  QPushButton& ButtonSelectAll() const { return *FButtonSelectAll; }
  QPushButton& ButtonSelectNone() const { return *FButtonSelectNone; }
  QRadioButton& RadioLastMatch() const { return *FRadioLastMatch; }
  QRadioButton& RadioRecentMatches() const { return *FRadioRecentMatches; }
  QRadioButton& RadioSeason() const { return *FRadioSeason; }
  QToolButton& UpDownSeasonUp() const { return *FSeasonUp; }
  QToolButton& UpDownSeasonDown() const { return *FSeasonDown; }
  QCheckBox& CheckUpdateExisting() const { return *FCheckUpdateExisting; }
  QCheckBox& CheckSwitchLoginServer() const { return *FCheckSwitchLoginServer; }
  QTextEdit& Report() const { return *FReport; }
  TMyTeamDisplay& FileRows() const { return *FFileRows; }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* BuildMyTeamPage();
  QWidget* BuildMatchPage();
  void WriteIntroduction();
  TDlSettings Settings() const;
  TDlCallbacks Callbacks();
  // Download, "My league" and "Other team" as the login fields and the running job allow.
  void UpdateButtons();
  void SetDownloadCaption(const QString& caption);
  void SetSeasonPosition(int position);
  void ListViewItemChanged(QTreeWidgetItem* item);
  void ShowNewPage(THistoryPage& page);
  void ReloadTeam(const TTeamListEntry& team);
  void SaveTeamList() const;
  // Asks a job to stop and waits for its thread, running its window calls meanwhile, then frees it.
  template <class TJob> void FreeJob(std::unique_ptr<TJob>& job);

  TFormMain& FMain;
  TTeamList FTeamList;
  std::unique_ptr<TDlMyTeam> FMyTeamJob;
  std::unique_ptr<TDlMatch> FMatchJob;
  std::unique_ptr<TDlTeamList> FTeamListJob;
  // The team-list job runs (Download stays disabled meanwhile).
  bool FTeamListRunning = false;
  // Stop was clicked: Download waits, disabled, until the job has ended.
  bool FStopping = false;
  // First report block written by the last message (-1 before the first).
  int FReportPosition = -1;
  bool FShowingTeamList = false;
  int FSeasonPosition = 0;
  int FSeasonMin = 0;
  int FSeasonMax = 100;

  QTabWidget* FPageControl = nullptr;
  TMyTeamDisplay* FFileRows = nullptr;
  QLineEdit* FEditUserName = nullptr;
  QLineEdit* FEditSecurityCode = nullptr;
  QTreeWidget* FListViewTeams = nullptr;
  QPushButton* FButtonSelectAll = nullptr;
  QPushButton* FButtonSelectNone = nullptr;
  QPushButton* FButtonMyLeague = nullptr;
  QPushButton* FButtonOtherTeam = nullptr;
  QLineEdit* FEditTeamID = nullptr;
  QPushButton* FButtonRemoveChecked = nullptr;
  QButtonGroup* FModeGroup = nullptr;
  QRadioButton* FRadioLastMatch = nullptr;
  QRadioButton* FRadioRecentMatches = nullptr;
  QRadioButton* FRadioSeason = nullptr;
  QLineEdit* FEditSeason = nullptr;
  QToolButton* FSeasonUp = nullptr;
  QToolButton* FSeasonDown = nullptr;
  QCheckBox* FCheckUpdateExisting = nullptr;
  QCheckBox* FCheckSwitchLoginServer = nullptr;
  QTextEdit* FReport = nullptr;
  QPushButton* FButtonDownload = nullptr;
  QPushButton* FButtonClose = nullptr;
};
