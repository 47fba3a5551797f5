// pitchbook-cli analyze FILE.raf [--home DIR] [--json]
// A rating analyzer file read against the newest snapshot, as the window loads it: the places with their
// players and behaviours, the team settings, and the midfield and counter-attack estimates.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"

#include "core/Intl.h"
#include "core/ProgramFolders.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "data/Startup.h"
#include "core/PlayerVocabulary.h"
#include "ratings/MatchNames.h"
#include "ratings/RatingAnalyzerFile.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {
struct TAnalyzeRequest {
  std::string File;
  std::string Home;
  bool Json = false;
};

// The behaviour code of an outfield place, or -1 for the keeper.
int BehaviourAt(const TRatingAnalyzerSetup& setup, int position) {
  if (position == 0) return -1;
  return BehaviourOfItem(AnalyzerPositionGroup(position), setup.BehaviourItems[static_cast<size_t>(position - 1)]);
}

TAnalyzerEstimate Estimate(const TRatingAnalyzerSetup& setup) {
  std::array<const TPlayer*, AnalyzerPositionCount> players{};
  for (int i = 0; i < AnalyzerPositionCount; ++i)
    if (const int64_t id = setup.PlayerIDs[static_cast<size_t>(i)])
      players[static_cast<size_t>(i)] = setup.Players->Get(setup.Players->IndexOfID(id));
  return EstimateRatings(AnalyzerPlaces(players, setup.BehaviourItems), setup.Team);
}

nlohmann::ordered_json ValueJson(double value) {
  // The level names are the program's own, untranslated, so that scripts can compare them.
  const double whole = std::trunc(value);
  std::string level = whole > MaxSkillLevel ? std::string(SkillLevelNames[MaxSkillLevel]) + " +" +
                                                  std::to_string(static_cast<long long>(whole) - MaxSkillLevel)
                      : whole < 0 ? SkillLevelNames[0]
                                  : SkillLevelNames[static_cast<int>(whole)];
  return {{"value", value}, {"level", level}, {"sublevel", SubLevelNames[AnalyzerSubLevel(value)]}};
}

void PrintJson(const TRatingAnalyzerSetup& setup, const TAnalyzerEstimate& estimate) {
  nlohmann::ordered_json positions = nlohmann::ordered_json::array();
  for (int i = 0; i < AnalyzerPositionCount; ++i) {
    const int behaviour = BehaviourAt(setup, i);
    positions.push_back({{"key", AnalyzerPositionKeys[i]},
                         {"playerId", setup.PlayerIDs[static_cast<size_t>(i)]},
                         {"behaviour", behaviour < 0 ? nlohmann::ordered_json() : AnalyzerBehaviourNames[behaviour]}});
  }
  const nlohmann::ordered_json result = {{"teamSpirit", setup.Team.TeamSpirit},
                                         {"attitude", setup.Team.Attitude},
                                         {"arena", setup.Team.Arena},
                                         {"counterAttacks", setup.Team.CounterAttacks},
                                         {"positions", positions},
                                         {"midfield", ValueJson(estimate.Midfield)},
                                         {"counter", ValueJson(estimate.Counter)}};
  std::cout << result.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

std::string NumberText(double value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out.precision(4);
  out << std::fixed << value;
  return out.str();
}

void PrintText(const TRatingAnalyzerSetup& setup, const TAnalyzerEstimate& estimate) {
  std::ostringstream out;
  out << PadLeft(_("Position"), 18) << "  " << PadLeft(_("Player ID"), 10) << "  " << _("Behaviour") << "  "
      << _("Name") << '\n';
  for (int i = 0; i < AnalyzerPositionCount; ++i) {
    const int64_t id = setup.PlayerIDs[static_cast<size_t>(i)];
    const TPlayer* p = id ? setup.Players->Get(setup.Players->IndexOfID(id)) : nullptr;
    const int behaviour = BehaviourAt(setup, i);
    out << PadLeft(AnalyzerPositionKeys[i], 18) << "  " << PadLeft(std::to_string(id), 10) << "  "
        << (behaviour < 0 ? std::string("-") : std::string(_(AnalyzerBehaviourNames[behaviour]))) << "  "
        << (p ? p->PlayerName : std::string()) << '\n';
  }
  out << FormatText(_("Team Spirit: %s"), _(TeamSpiritNames[setup.Team.TeamSpirit])) << '\n'
      << FormatText(_("Attitude: %s"), _(AnalyzerAttitudeNames[setup.Team.Attitude])) << '\n'
      << FormatText(_("Arena: %s"), _(AnalyzerArenaNames[setup.Team.Arena])) << '\n';
  const TAnalyzerLevel midfield = AnalyzerLevelText(estimate.Midfield);
  const TAnalyzerLevel counter = AnalyzerLevelText(estimate.Counter);
  out << FormatText(_("Midfield: %s (%s, %s)"), NumberText(estimate.Midfield).c_str(), midfield.Level.c_str(),
                    midfield.SubLevel.c_str())
      << '\n'
      << FormatText(_("Counter-attacks: %s (%s, %s)"), NumberText(estimate.Counter).c_str(), counter.Level.c_str(),
                    counter.SubLevel.c_str())
      << '\n';
  std::cout << out.str();
}

int RunAnalyze(const TAnalyzeRequest& request) {
  std::string error;
  if (!LoadCliArchive(request.Home, error)) {
    std::cerr << error << '\n';
    return 2;
  }
  THistory& history = History();
  if (history.Count() == 0) {
    std::cerr << _("The archive holds no snapshot.") << '\n';
    return 1;
  }
  TRatingAnalyzerSetup setup;
  try {
    setup = LoadRatingAnalyzerFile(request.File, history.Latest().Players);
  } catch (const std::exception&) {
    std::cerr << _(RatingAnalyzerLoadError) << '\n';
    return 1;
  }
  const TAnalyzerEstimate estimate = Estimate(setup);
  if (request.Json)
    PrintJson(setup, estimate);
  else
    PrintText(setup, estimate);
  return 0;
}

const TCliCommand AnalyzeCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TAnalyzeRequest>();
  CLI::App* command = app.add_subcommand(
      "analyze", _("Estimate midfield and counter-attacks of a rating analyzer file against the newest snapshot"));
  command->add_option("file", request->File, _("Rating analyzer file (.raf)"))->required();
  command->add_option("--home", request->Home, _("Program folder (default: as the desktop program finds it)"));
  command->add_flag("--json", request->Json, _("Print the result as a JSON object"));
  command->callback([request, &context] { context.ExitCode = RunAnalyze(*request); });
});
}  // namespace
