// pitchbook-cli live --server HOST:PORT --user NAME --code CODE --match ID [--match ID ...] [--interval S]
// [--json]: follows matches as the match viewer does (viewAll after adding, then viewNew every interval) and
// prints the commentary as it arrives, until every match has ended.
#include "app/cli/CliCommand.h"

#include "core/ProgramFolders.h"
#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"
#include "download/MatchUpdates.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

struct TLiveOptions {
  std::string Server, User, Code, Home;
  std::vector<std::string> Matches;
  double Interval = 60;
  bool Json = false;
};

// "\r\n" as the terminal's line break.
std::string PlainText(std::string text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

// Prints what each tab wrote since the last call.
class TLivePrinter {
public:
  TLivePrinter(TMatchPages& pages, bool json) : FPages(pages), FJson(json), FPrinted(pages.Count(), 0) {}
  void Print() {
    for (size_t i = 0; i < FPages.Count(); ++i) {
      TMatch& tab = FPages.Tab(i);
      if (tab.Commentary.size() == FPrinted[i]) continue;
      if (FJson) {
        nlohmann::ordered_json pieces = nlohmann::ordered_json::array();
        for (size_t k = FPrinted[i]; k < tab.Commentary.size(); ++k) {
          const TDisplayElement& e = tab.Commentary[k];
          pieces.push_back({{"text", e.Text}, {"colour", LiveColourName(e.Colour)}, {"bold", e.Bold}});
        }
        nlohmann::ordered_json line = {{"match", tab.MatchID}, {"caption", tab.Caption}, {"minute", tab.MinuteText},
                                       {"score", tab.ScoreText}, {"ended", tab.Ended},   {"pieces", pieces}};
        std::cout << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
      } else {
        std::cout << "== " << tab.Caption << " (" << tab.MatchID << "), " << tab.MinuteText << " ==";
        for (size_t k = FPrinted[i]; k < tab.Commentary.size(); ++k) std::cout << PlainText(tab.Commentary[k].Text);
        std::cout << std::endl;
      }
      FPrinted[i] = tab.Commentary.size();
    }
  }

private:
  TMatchPages& FPages;
  bool FJson;
  std::vector<size_t> FPrinted;
};

int RunLive(const TLiveOptions& options) {
  TProgramFolders folders(CliProgramFolder(options.Home), false, "");
  folders.CreateDataFolders();
  TPreferences prefs;
  prefs.ConnectionSite = options.Server;
  prefs.ChooseBestServer = false;
  TKVIndyHTTP http(prefs, folders.WorkFolder());
  http.SetMainWebHost(options.Server);
  if (!http.IsSessionAlive() && !http.Login(options.User, options.Code)) {
    std::cerr << "Login failed" << std::endl;
    return 1;
  }
  TMatchPages pages;
  for (const std::string& id : options.Matches) {
    if (pages.Find(id)) continue;
    try {
      http.GetText(http.LiveURL("&actionType=addMatch&matchID=%s", {id}));
    } catch (const std::exception& e) {
      std::cerr << "Connection failed: " << e.what() << std::endl;
      return 1;
    }
    if (!pages.AddMatch(id)) {
      std::cerr << "At most " << TMatchPages::MaxMatches << " matches can be followed" << std::endl;
      return 1;
    }
  }
  bool failed = false;
  TMatchViewerHooks hooks;
  hooks.SetStatus = [&failed](const std::string& status) { failed = failed || status == "Connection failed"; };
  TLivePrinter printer(pages, options.Json);
  RefreshAll(pages, http, hooks);
  printer.Print();
  while (!failed && pages.AnyRunning()) {
    std::this_thread::sleep_for(std::chrono::duration<double>(options.Interval));
    TMatchUpdates worker(pages, http, hooks);
    worker.RunHere();
    printer.Print();
  }
  if (failed) std::cerr << "Connection failed" << std::endl;
  return failed ? 1 : 0;
}

const TCliCommand LiveCommand([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TLiveOptions>();
  CLI::App* cmd = app.add_subcommand("live", "Follow live matches and print their commentary until they end");
  cmd->add_option("--server", options->Server, "Game server HOST:PORT")->required();
  cmd->add_option("--user", options->User, "Login name")->required();
  cmd->add_option("--code", options->Code, "Security code")->required();
  cmd->add_option("--match", options->Matches, "MatchID to follow (up to ten)")->required();
  cmd->add_option("--interval", options->Interval, "Seconds between refreshes (default 60)")
      ->check(CLI::NonNegativeNumber);
  cmd->add_option("--home", options->Home, "Program folder (its Work folder holds the live file)");
  cmd->add_flag("--json", options->Json, "One JSON object per line and tab");
  cmd->callback([options, &context] { context.ExitCode = RunLive(*options); });
});

}  // namespace
