#pragma once
// The start-up loader: converts match folders of the old per-folder layout into the club's match file,
// reads every snapshot of the history folder into the history store (one page per game week, the newest
// snapshot of each), attaches the club's matches to the pages, reports the files that failed, and makes
// the newest page current. It runs on its own thread while the main window is already usable; every
// change to a window goes through TWorker::Synchronize and the callbacks below.
#include "core/Worker.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class THistory;
class THistoryPage;
class TPreferences;
class TProgramFolders;
class TStartup;

// The window side of the loader. Each callback runs through Synchronize (on the window thread in the
// desktop program); an empty callback is skipped.
struct TStartupCallbacks {
  // The start-up status pane shows the text; the progress bar goes back to 0 %.
  std::function<void(const std::string& text)> StatusText;
  // The progress bar (shown when hidden) shows the percentage; called only when it changes.
  std::function<void(int percent)> Progress;
  // Loading has ended (normally, stopped or by an error): bar to 100 % and hidden, the data-dependent
  // commands enabled, the tool buttons updated.
  std::function<void()> FinishLoading;
  // Files failed to load: show the text in a message box.
  std::function<void(const std::string& text)> ReportLoadErrors;
  // At least one old match folder was converted: the download window refreshes its team titles.
  std::function<void()> MatchFoldersUpgraded;
  // Makes the page the history window's current page (no grid); may raise.
  std::function<void(THistoryPage& page)> ShowNewestPage;
  // Enables the download window's season radio button and season edit.
  std::function<void()> EnableSeasonControls;
  // Whether both player grids are empty; with ShowNewestPage failing, RunMyTeamDownload leads the user to
  // the download window.
  std::function<bool()> PlayerGridsEmpty;
  std::function<void()> RunMyTeamDownload;
  // Re-applies the remembered toggles (assumed passable forms, training, player comparison); errors are
  // ignored.
  std::function<void()> RestoreToggles;
  std::function<void()> HideStatusPane;
  // The update check, run on the loader's thread when it is resumed without being told to stop.
  std::function<void(TStartup& startup)> UpdateCheck;
};

// Where the loader works and the preferences it follows.
struct TStartupSettings {
  std::filesystem::path HistoryFolder;
  std::filesystem::path ObsoleteFolder;
  std::filesystem::path MatchesFolder;
  bool LimitHistoryDataLoading = true;
  int SeasonLimit = 2;
  // The desktop program keeps the thread suspended for the update check; the CLI and tests let it end.
  bool SuspendAtEnd = true;
  // Threads that parse the files, the loader's own included (1: all on the loader's thread). The archive
  // loaded is the same whatever the number.
  int Workers = 2;

  // The folders and the two start-up preferences of the program.
  static TStartupSettings Of(const TProgramFolders& folders, const TPreferences& preferences);
};

class TStartup : public TWorker {
public:
  TStartup(THistory& history, TStartupSettings settings, TStartupCallbacks callbacks = {});
  ~TStartup() override;

  // Converts every old match folder of the history folder; true when at least one was converted.
  bool UpgradeMatchFolders();
  // Converts one old match folder into the club's match file and moves it into the obsolete folder.
  // Raises when a file of the folder cannot be read or the match file cannot be written; the match file
  // and the folder are then left as they were.
  void UpgradeMatchFolder(const std::filesystem::path& folder);
  // Fills the history store from the history folder (see the class comment).
  void LoadHistory();

  // The files that failed to load in the last LoadHistory, in the order they failed.
  const std::vector<std::string>& LoadErrors() const { return FLoadErrors; }
  // The message about them, empty when there are none.
  std::string LoadErrorsReport() const { return LoadErrorsText(FLoadErrors); }
  static std::string LoadErrorsText(const std::vector<std::string>& loadErrors);

  // Status texts and progress, through the callbacks.
  void SetStatusText(const std::string& text);
  void SetProgress(int percent);

protected:
  void Execute() override;

private:
  struct TCandidate;
  struct TMatchElement;
  void ExecuteSteps();
  std::vector<std::string> CollectCandidates();
  bool DetermineKey(TCandidate& candidate) const;
  void LoadPage(TCandidate& candidate) const;
  void MoveToObsolete(const std::string& path) const;
  void AttachMatches();
  void AttachMatchesOfDocument(const std::string& file, const std::string& text);
  bool AttachMatchesOfElements(const std::string& file, const std::string& text);
  void SetProgressOf(double percent);
  template <class F> void Sync(const F& callback);

  THistory& FHistory;
  TStartupSettings FSettings;
  TStartupCallbacks FCallbacks;
  std::vector<std::string> FLoadErrors;
  int FShownProgress = -1;
};
