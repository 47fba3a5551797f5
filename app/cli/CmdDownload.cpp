// pitchbook-cli download own|matches|teams --server HOST:PORT --user NAME --code CODE [--home DIR]
//   [--mode last|recent|season] [--season N] [--update] [--team ID] [--json]
// Runs one download job as the download window would and prints its report ("** " before errors). The
// server must be named: the command never asks the game for its recommended server, so it talks to no
// other host than the one given. Exit code 0 when the job completed, 1 when it reported an error, 2 when
// it could not start.
#include "app/cli/CliCommand.h"

#include "core/Intl.h"
#include "core/ProgramFolders.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "download/DlMatch.h"
#include "download/DlMyTeam.h"
#include "download/DlTeamList.h"
#include "download/KVIndyHTTP.h"
#include "download/TeamList.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <map>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace {

struct TDownloadRequest {
  std::string Kind;  // own, matches, teams
  std::string Home;
  std::string Server;
  std::string User;
  std::string Code;
  std::string Mode = "last";
  int Season = 0;
  bool Update = false;
  std::string TeamID;
  bool Json = false;
};

// Prints the report as it grows. A line is printed once the next message shows that it stays (a message
// with the replace flag takes the place of the one before it), so the output is the report's final text.
class TReportPrinter {
public:
  explicit TReportPrinter(bool quiet) : FQuiet(quiet) {}
  ~TReportPrinter() { Flush(); }

  void Add(const TDlMessage& message) {
    FLog.Add(message);
    if (!message.Replace) Flush();
    FPending = message;
  }
  void Flush() {
    if (FPending && !FQuiet) std::cout << DlMessageLine(*FPending) << std::endl;
    FPending.reset();
  }
  const TDlReportLog& Log() const { return FLog; }

private:
  bool FQuiet;
  TDlReportLog FLog;
  std::optional<TDlMessage> FPending;
};

const char* KindName(TDlMessageKind kind) {
  switch (kind) {
    case TDlMessageKind::Info:
      return "info";
    case TDlMessageKind::Notice:
      return "notice";
    case TDlMessageKind::Error:
      return "error";
    case TDlMessageKind::Heading:
      return "heading";
  }
  return "info";
}

int RunDownload(const TDownloadRequest& request) {
  const fs::path programFolder = CliProgramFolder(request.Home);
  TPreferences& preferences = Preferences();
  preferences.ProgramFolder = programFolder;
  if (const TPreferencesResult result = preferences.Load(); !result) std::cerr << result.Message << '\n';
  // Only the server given: no server list, no other host. The preferences are not saved afterwards.
  preferences.ConnectionSite = request.Server;
  preferences.ChooseBestServer = false;

  const TProgramFolders folders(programFolder, preferences.UseAlternateHistoryPath,
                                preferences.AlternateHistoryPath);
  try {
    folders.CreateDataFolders();
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 2;
  }
  TKVIndyHTTP http(preferences, folders.WorkFolder());
  http.SetMainWebHost(request.Server);

  TDlSettings settings;
  settings.Login = TDlConnectInput{request.User, request.Code, false};
  settings.UpdateExistingData = request.Update;
  settings.Folders = folders;

  TReportPrinter printer(request.Json);
  TDlCallbacks callbacks;
  callbacks.Report = [&](const TDlMessage& message) { printer.Add(message); };
  callbacks.ErrorBox = [&](const std::string& text) { printer.Add({TDlMessageKind::Error, text, false}); };

  const fs::path teamListFile = programFolder / TTeamList::FileName;
  TTeamList teamList;
  if (request.Kind != "own") {
    std::error_code ec;
    if (fs::exists(teamListFile, ec)) {
      try {
        ListViewLoadFromFile(teamList, teamListFile);
      } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 2;
      }
    }
  }

  const std::vector<TTeamListEntry> loadedEntries = teamList.Entries();
  std::unique_ptr<TDlCustom> job;
  if (request.Kind == "own") {
    job = std::make_unique<TDlMyTeam>(http, History(), settings, callbacks);
  } else if (request.Kind == "matches") {
    static const std::map<std::string, TDlMatchMode> modes = {
        {"last", TDlMatchMode::LastMatch}, {"recent", TDlMatchMode::RecentMatches}, {"season", TDlMatchMode::Season}};
    TDlMatchOptions options;
    options.Mode = modes.at(request.Mode);
    options.Season = request.Season;
    options.Teams = teamList.CheckedEntries();
    if (options.Teams.empty()) {
      std::cerr << _("The team list has no checked team.") << '\n';
      return 2;
    }
    job = std::make_unique<TDlMatch>(http, History(), settings, callbacks, std::move(options));
  } else {
    job = std::make_unique<TDlTeamList>(http, History(), settings, callbacks, teamList, request.TeamID,
                                        request.TeamID.empty());
  }
  job->RunHere();
  printer.Flush();
  const bool completed = job->Completed();
  job.reset();

  // Teams added before a failing one stay listed, as in the window.
  if (request.Kind == "teams" && teamList.Entries() != loadedEntries) {
    try {
      ListViewSaveToFile(teamList, teamListFile);
    } catch (const std::exception& e) {
      std::cerr << e.what() << '\n';
      return 1;
    }
  }
  if (request.Json) {
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const TDlMessage& line : printer.Log().Lines())
      lines.push_back({{"kind", KindName(line.Kind)}, {"text", line.Text}});
    const nlohmann::ordered_json result = {{"completed", completed}, {"report", lines}};
    std::cout << result.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  }
  return completed ? 0 : 1;
}

const TCliCommand DownloadCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TDownloadRequest>();
  CLI::App* cmd = app.add_subcommand(
      "download", "Download from the game server: the own team's snapshot, the listed teams' matches, or teams "
                  "for the team list");
  cmd->add_option("KIND", request->Kind, "own, matches or teams")
      ->required()
      ->check(CLI::IsMember({"own", "matches", "teams"}));
  cmd->add_option("--home", request->Home, "Program folder (default: as the desktop program finds it)");
  cmd->add_option("--server", request->Server, "The game server, HOST:PORT (no other host is contacted)")
      ->required();
  cmd->add_option("--user", request->User, "Login name")->required();
  cmd->add_option("--code", request->Code, "Security code")->required();
  cmd->add_option("--mode", request->Mode, "Match download: last, recent or season (default last)")
      ->check(CLI::IsMember({"last", "recent", "season"}));
  cmd->add_option("--season", request->Season, "Season of the season mode (0: the current one)")
      ->check(CLI::Range(0, 9999));
  cmd->add_flag("--update", request->Update, "Update existing data (replace stored files and matches)");
  cmd->add_option("--team", request->TeamID, "Team list: add this team instead of the own league's teams");
  cmd->add_flag("--json", request->Json, "Print the report as a JSON object");
  cmd->callback([request, &context] { context.ExitCode = RunDownload(*request); });
});

}  // namespace
