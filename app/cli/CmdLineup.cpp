// pitchbook-cli lineup [--home DIR] --formation CODE [--weather W] [--training] [--ignore-form]
//                      [--fixed SLOT=PLAYERID ...] [--threads N] [--all] [--json|--csv]
// The best-lineup search on the newest snapshot's squad, as the tactics advisor starts it with every
// remaining player checked: the coach left out, and the injured and suspended unless --all.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Csv.h"

#include "core/Intl.h"
#include "core/ProgramFolders.h"
#include "data/Startup.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "ratings/TeamSelect.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
struct TLineupRequest {
  std::string Home;
  int Formation = 0;
  int Weather = wDisabled;
  bool Training = false;
  bool IgnoreForm = false;
  std::vector<std::string> Fixed;
  int Threads = 0;
  bool All = false;
  TCliFormatFlags Output;
};

struct TFixedPlayer {
  int Slot = 0;
  int64_t PlayerID = 0;
};

// Slot ratings and strengths from the team's exact units: the nearest double to the true sum, so that
// 312.45 prints as 312.45 and not as its binary neighbour.
double SlotValue(const TTeam& team, int slot) { return double(team.SlotUnits(slot)) / TTeam::UnitsPerPoint; }
double AdjustedValue(const TTeam& team) { return double(team.AdjustedStrengthUnits()) / (10 * TTeam::UnitsPerPoint); }
double BenchValue(const TTeam& team) { return double(team.BenchUnits()) / TTeam::UnitsPerPoint; }

std::string NumberText(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

// "SLOT=PLAYERID" with a slot of 0..10.
bool ParseFixed(const std::string& text, TFixedPlayer& fixed) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos || !IsIntegerText(text.substr(0, equals))) return false;
  try {
    fixed.Slot = StrToInt(text.substr(0, equals));
    fixed.PlayerID = StrToInt64(text.substr(equals + 1));
  } catch (const std::exception&) {
    return false;
  }
  return fixed.Slot >= 0 && fixed.Slot <= TTeam::LastStarterSlot;
}

// The squad as the tactics advisor offers it, every enabled player checked.
std::unique_ptr<TPlayerList> Candidates(const TPlayerList& squad, const TLineupRequest& request) {
  auto list = std::make_unique<TPlayerList>(request.Weather, request.Training, request.IgnoreForm);
  for (const TPlayer& p : squad) {
    if (!Trim(p.TrainerSkill).empty()) continue;
    if (!request.All && (p.InjuryLevel > 0 || p.Cards == 3)) continue;
    list->Add(p.Clone());
  }
  return list;
}

// Fixes the players as the custom formation window hands them over; false with a message on stderr when
// one cannot be placed.
bool FixPlayers(TTeamSelect& select, const std::vector<std::string>& texts) {
  std::set<int> slots;
  for (const std::string& text : texts) {
    TFixedPlayer fixed;
    if (!ParseFixed(text, fixed)) {
      std::cerr << FormatText(_("Not a fixed place (SLOT=PLAYERID with a slot of 0 to 10): %s"), text.c_str()) << '\n';
      return false;
    }
    if (!slots.insert(fixed.Slot).second) {
      std::cerr << FormatText(_("Slot %d is fixed twice"), fixed.Slot) << '\n';
      return false;
    }
    if (const int index = select.FieldCandidates().IndexOfID(fixed.PlayerID)) {
      select.FixFieldCandidate(index, fixed.Slot);
    } else if (const int keeper = select.KeeperCandidates().IndexOfID(fixed.PlayerID)) {
      select.FixKeeperCandidate(keeper, fixed.Slot);
    } else {
      std::cerr << FormatText(_("Player %s is not among the candidates"), std::to_string(fixed.PlayerID).c_str())
                << '\n';
      return false;
    }
  }
  return true;
}

int64_t IdOf(const TPlayer* p) { return p ? p->PlayerID : 0; }

void PrintJson(const TTeamSelect& select, int formation) {
  const TTeam& team = select.BestTeam();
  nlohmann::ordered_json slots = nlohmann::ordered_json::array();
  for (int slot = 0; slot < TTeam::SlotCount; ++slot) {
    const TPlayer* p = team.GetSlot(slot);
    slots.push_back({{"slot", slot},
                     {"role", team.GetRoleFlags(slot)},
                     {"playerId", IdOf(p)},
                     {"name", p ? p->PlayerName : std::string()},
                     {"rating", SlotValue(team, slot)}});
  }
  const nlohmann::ordered_json result = {{"formation", formation},
                                         {"slots", slots},
                                         {"adjustedStrength", AdjustedValue(team)},
                                         {"benchStrength", BenchValue(team)},
                                         {"captain", IdOf(team.Captain())},
                                         {"setPiecesTaker", IdOf(team.SetPiecesTaker())},
                                         {"combinations", select.Tried()},
                                         {"skippedByBound", select.SkippedByBound()},
                                         {"elapsedMs", select.ElapsedMs()},
                                         {"complete", select.Complete()}};
  std::cout << result.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// One row per slot, as the JSON's slots.
void PrintCsv(const TTeamSelect& select) {
  const TTeam& team = select.BestTeam();
  TCsvWriter csv;
  csv.Row({"slot", "role", "playerId", "name", "rating"});
  for (int slot = 0; slot < TTeam::SlotCount; ++slot) {
    const TPlayer* p = team.GetSlot(slot);
    csv.Integer(slot).Integer(team.GetRoleFlags(slot)).Integer(IdOf(p)).Text(p ? p->PlayerName : std::string());
    if (p)
      csv.Number(SlotValue(team, slot));
    else
      csv.Text("");
    csv.EndRow();
  }
  std::cout << csv.Result();
}

void PrintText(const TTeamSelect& select, int formation) {
  const TTeam& team = select.BestTeam();
  std::ostringstream out;
  out << FormatText(_("Formation: %d"), formation) << '\n';
  // The name comes last, so that names of any width leave the columns straight.
  out << PadLeft(_("Slot"), 4) << "  " << PadLeft(_("Role"), 4) << "  " << PadLeft(_("Player ID"), 10) << "  "
      << PadLeft(_("Rating"), 8) << "  " << _("Name") << '\n';
  for (int slot = 0; slot < TTeam::SlotCount; ++slot) {
    const TPlayer* p = team.GetSlot(slot);
    out << PadLeft(std::to_string(slot), 4) << "  " << PadLeft(std::to_string(team.GetRoleFlags(slot)), 4) << "  "
        << PadLeft(std::to_string(IdOf(p)), 10) << "  " << PadLeft(p ? NumberText(SlotValue(team, slot)) : "", 8)
        << "  " << (p ? p->PlayerName : std::string()) << '\n';
  }
  auto who = [](const TPlayer* p) { return p ? std::to_string(p->PlayerID) + " " + p->PlayerName : std::string("-"); };
  out << FormatText(_("Adjusted strength: %s"), NumberText(AdjustedValue(team)).c_str()) << '\n'
      << FormatText(_("Bench strength: %s"), NumberText(BenchValue(team)).c_str()) << '\n'
      << FormatText(_("Captain: %s"), who(team.Captain()).c_str()) << '\n'
      << FormatText(_("Set-pieces taker: %s"), who(team.SetPiecesTaker()).c_str()) << '\n'
      << FormatText(_("Combinations: %s of %s"), std::to_string(select.Tried()).c_str(),
                    std::to_string(select.Total()).c_str())
      << '\n'
      << FormatText(_("Skipped by bound: %s"), std::to_string(select.SkippedByBound()).c_str()) << '\n'
      << FormatText(_("Elapsed: %s ms"), std::to_string(select.ElapsedMs()).c_str()) << '\n';
  if (!select.Complete()) out << _("The search did not go through every combination.") << '\n';
  std::cout << out.str();
}

int RunLineup(const TLineupRequest& request) {
  if (!TTeam::IsFormationCode(request.Formation)) {
    std::cerr << FormatText(_("Unknown formation: %d"), request.Formation) << '\n';
    return 2;
  }
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
  // The main window's Training toggle: without it the estimates are left out.
  history.SetTrainingOn(request.Training);

  TTeamSelect select(request.Weather, request.Training, request.IgnoreForm);
  select.SetThreads(request.Threads);
  try {
    select.Prepare(*Candidates(history.Latest().Players, request));
    if (!FixPlayers(select, request.Fixed)) return 2;
    TTeam formation(request.Weather, request.Training, request.IgnoreForm);
    formation.SetFormation(request.Formation);
    select.BestTeam().SetAllRoleFlags(formation.GetAllRoleFlags());
    select.Run(select.BestTeam().GetAllRoleFlags());
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  switch (request.Output.Format()) {
    case TCliFormat::Json:
      PrintJson(select, request.Formation);
      break;
    case TCliFormat::Csv:
      PrintCsv(select);
      break;
    case TCliFormat::Text:
      PrintText(select, request.Formation);
      break;
  }
  if (!select.Error().empty()) {
    std::cerr << select.Error() << '\n';
    return 1;
  }
  return 0;
}

const TCliCommand LineupCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TLineupRequest>();
  CLI::App* command = app.add_subcommand(
      "lineup", _("Search the strongest lineup of a formation among the newest snapshot's squad"));
  command->add_option("--home", request->Home, _("Program folder (default: as the desktop program finds it)"));
  command->add_option("--formation", request->Formation, _("Formation code: 442, 433, 1343, 2541, ..."))->required();
  command->add_option("--weather", request->Weather, _("Weather 0 Rainy .. 5 Disabled (default 5)"))
      ->check(CLI::Range(0, 5));
  command->add_flag("--training", request->Training, _("Add the estimated training progress to the skills"));
  command->add_flag("--ignore-form", request->IgnoreForm, _("Leave form out of the ratings"));
  command->add_option("--fixed", request->Fixed, _("A player fixed in a slot, SLOT=PLAYERID (slot 0..10)"));
  command->add_option("--threads", request->Threads, _("Threads of the search (default 0: one per core)"))
      ->check(CLI::NonNegativeNumber);
  command->add_flag("--all", request->All, _("Take injured and suspended players too"));
  AddFormatFlags(*command, request->Output, true);
  command->callback([request, &context] { context.ExitCode = RunLineup(*request); });
});
}  // namespace
