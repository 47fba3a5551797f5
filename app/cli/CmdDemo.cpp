// pitchbook-cli demo DIR [--seasons N] [--seed S] [--round R] [--json]
// Writes the sample world's archive into a program folder whose history folder is empty or missing: the
// same seed and options always give the same files.
#include "app/cli/CliCommand.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "demo/SampleWorld.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>
#include <memory>

namespace {

struct TDemoOptions {
  std::string Folder;
  int Seasons = 3;
  uint64_t Seed = 1;
  int Round = 16;
  bool Json = false;
};

int RunDemo(const TDemoOptions& o) {
  TSampleWorldOptions options;
  options.Seasons = o.Seasons;
  options.Seed = o.Seed;
  options.LastRound = o.Round;
  TSampleWorldInfo info;
  TSampleWriteResult written;
  // Snapshots of another world in the same history folder would make one archive of two clubs.
  const std::filesystem::path history = std::filesystem::path(o.Folder) / "History";
  std::error_code ec;
  if (std::filesystem::is_directory(history, ec) && !std::filesystem::is_empty(history, ec)) {
    std::cerr << FormatText(_("The history folder %s is not empty"), history.string().c_str()) << "\n";
    return 1;
  }
  try {
    written = WriteSampleWorld(o.Folder, options, &info);
  } catch (const std::exception& e) {
    std::cerr << FormatText(_("Cannot write the sample world: %s"), e.what()) << "\n";
    return 1;
  }
  if (o.Json) {
    nlohmann::json j;
    j["folder"] = o.Folder;
    j["seed"] = o.Seed;
    j["seasons"] = o.Seasons;
    j["firstSeason"] = info.FirstSeason;
    j["lastSeason"] = info.LastSeason;
    j["lastRound"] = info.LastRound;
    j["snapshots"] = written.Snapshots;
    j["files"] = written.Files;
    j["ownTeamID"] = info.OwnTeamID;
    j["ownTeamName"] = info.OwnTeamName;
    j["ownLeagueID"] = info.OwnLeagueID;
    j["ownUnitID"] = info.OwnUnitID;
    j["followedTeamIDs"] = info.FollowedTeamIDs;
    j["matches"] = info.Matches.size();
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << FormatText(_("Wrote %d snapshots (%d files) of %s, seasons %d to %d, to %s"), written.Snapshots,
                            written.Files, info.OwnTeamName.c_str(), info.FirstSeason, info.LastSeason,
                            o.Folder.c_str())
              << "\n";
  }
  return 0;
}

const TCliCommand DemoCommand([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TDemoOptions>();
  auto* cmd = app.add_subcommand("demo", _("Write a sample program folder with a club's archive of several seasons"));
  cmd->add_option("DIR", options->Folder, _("The program folder to write into"))->required();
  cmd->add_option("--seasons", options->Seasons, _("Number of seasons (1..40)"))->check(CLI::Range(1, 40));
  cmd->add_option("--seed", options->Seed, _("Seed of the generator"));
  cmd->add_option("--round", options->Round, _("Round of the last season the archive ends with (1..16)"))
      ->check(CLI::Range(1, 16));
  cmd->add_flag("--json", options->Json, _("Print a JSON summary"));
  cmd->callback([options, &context]() { context.ExitCode = RunDemo(*options); });
});

}  // namespace
