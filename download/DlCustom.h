#pragma once
// The base of the three download jobs (own team, matches, team list): a worker thread that connects to the
// game server, writes a coloured report and changes the download window only through callbacks run via
// TWorker::Synchronize. The program folder's work folder is the jobs' cache: it is emptied of its XML files
// when a job is created and again when it is destroyed.
#include "core/ProgramFolders.h"
#include "core/Worker.h"
#include "download/DlConnect.h"

#include <pugixml.hpp>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class THistory;
class THistoryPage;
class TKVIndyHTTP;
struct TTeamListEntry;

// The kinds of report line: information (green), notice about existing data (aqua), error (yellow, shown
// after "** ") and the team heading of the match download (green, bold and underlined).
enum class TDlMessageKind { Info, Notice, Error, Heading };

struct TDlMessage {
  TDlMessageKind Kind = TDlMessageKind::Info;
  std::string Text;
  // The message takes the place of the lines written by the previous one ("Downloading %s..." is
  // overwritten by "Downloaded %s").
  bool Replace = false;

  bool operator==(const TDlMessage&) const = default;
};

// The line as shown: errors carry the prefix "** ".
std::string DlMessageLine(const TDlMessage& message);

// The report as the download window (or the command line) keeps it, with the replace rule applied.
class TDlReportLog {
public:
  void Add(const TDlMessage& message);
  void Clear();
  const std::vector<TDlMessage>& Lines() const { return FLines; }
  // Index of the first line written by the last message (-1 before the first).
  int Position() const { return FPosition; }
  // All lines as shown, each ended by a line break.
  std::string Text() const;

private:
  std::vector<TDlMessage> FLines;
  int FPosition = -1;
};

// The state of one of the nine own-team file rows of the window.
enum class TDlFileState { Pending, Done, Failed };

// The window side of a job. Each callback runs through TWorker::Synchronize; an empty one is skipped.
struct TDlCallbacks {
  std::function<void(const TDlMessage& message)> Report;
  // Own-team file row (0..8, TMyTeamDlData order): indicator, and bold label while it downloads.
  std::function<void(int row, TDlFileState state)> FileState;
  std::function<void(int row, bool bold)> FileBold;
  // The Download button's caption ("Stop" while a job runs, "Download" after) and the Close button.
  std::function<void(const std::string& caption)> DownloadCaption;
  std::function<void(bool enabled)> CloseEnabled;
  // The team-list job disables the Download button while it runs.
  std::function<void(bool enabled)> DownloadEnabled;
  // A login through a ticked "Switch login server" succeeded.
  std::function<void()> UntickSwitchLoginServer;
  // A new page is in the history store: the Season radio button and season edit become usable.
  std::function<void()> EnableSeasonControls;
  // Show the new page's squad in the main or temporary player grid and refresh the tool buttons.
  std::function<void(THistoryPage& page)> ShowNewPage;
  // After a match download: rebuild the main window's team combos from the match stores ...
  std::function<void()> RefreshTeamTitles;
  // ... and reload each downloaded team whose name the main window's team combo shows.
  std::function<void(const TTeamListEntry& team)> ReloadTeam;
  // An error shown in a message box with an OK button ("Invalid team ID").
  std::function<void(const std::string& text)> ErrorBox;
};

// What every job takes from the window and the preferences.
struct TDlSettings {
  TDlConnectInput Login;           // "User name", "Security code", "Switch login server"
  bool UpdateExistingData = true;  // "Update existing data"
  TProgramFolders Folders;         // work, history and matches folders
};

class TDlCustom : public TWorker {
public:
  // Empties the work folder of its XML files.
  TDlCustom(TKVIndyHTTP& http, THistory& history, TDlSettings settings, TDlCallbacks callbacks);
  // Stops the job when it still runs, waits for it and empties the work folder again.
  ~TDlCustom() override;

  // Whether the job reported an error line, and whether it reached its successful end.
  bool ReportedError() const { return FReportedError.load(); }
  bool Completed() const { return FCompleted.load(); }
  const TDlSettings& Settings() const { return FSettings; }

  // Deletes every "*.xml" (any case) directly in the folder; other files and folders stay.
  static void EmptyWorkFolder(const std::filesystem::path& workFolder);
  // Parses a server answer; raises EInOutError when it is not well-formed XML with a root element (an answer
  // cut short or garbled), naming it by name.
  static void ParseAnswer(std::string_view text, pugi::xml_document& document, const std::string& name);

protected:
  // Thrown by CheckTerminated between steps; not an error, so it is no std::exception.
  struct TTerminated {};

  void ReportInfo(const std::string& text, bool replace = false) { Report(TDlMessageKind::Info, text, replace); }
  void ReportNotice(const std::string& text, bool replace = false) { Report(TDlMessageKind::Notice, text, replace); }
  void ReportError(const std::string& text, bool replace = false) { Report(TDlMessageKind::Error, text, replace); }
  void ReportHeading(const std::string& text) { Report(TDlMessageKind::Heading, text, false); }
  void Report(TDlMessageKind kind, const std::string& text, bool replace);
  // "Connection error" and the exception's message.
  void ReportConnectionError(const std::exception& error);

  // The connection step; false when the login failed (reported).
  bool ConnectToServer();
  // Raises TTerminated when a stop was asked for.
  void CheckTerminated() const;
  void SetCompleted() { FCompleted.store(true); }

  // Runs fn through Synchronize. An exception raised on the window thread is carried back and raised
  // again here, so that it becomes a report line of the job instead of escaping the window's event loop.
  static void SyncCall(const std::function<void()>& fn);
  // Runs a window callback through SyncCall when it is set.
  template <class F, class... A> void Sync(const F& callback, A&&... args) {
    if (callback) SyncCall([&] { callback(std::forward<A>(args)...); });
  }
  // Download caption "Stop" / "Download" and Close disabled / enabled.
  void ShowRunning(bool running);

  // Derived jobs call this first in their destructors, so that the thread has ended before their members go.
  void StopAndWait();

  TKVIndyHTTP& FHttp;
  THistory& FHistory;
  TDlSettings FSettings;
  TDlCallbacks FCallbacks;

private:
  // The connection step's reports, into this job's report.
  TDlReport ReportCallback();

  std::atomic<bool> FReportedError{false};
  std::atomic<bool> FCompleted{false};
};
