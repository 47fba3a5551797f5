// pitchbook-cli read KIND FILE: reads one of the game's files with the reader a history page would use and
// prints the record's fields by their names. Each kind is one row of the table below.
#include "app/cli/CliCommand.h"

#include "core/Errors.h"
#include "core/MatchPage.h"
#include "core/PlayerList.h"
#include "core/TeamMatchFile.h"
#include "data/XMLArena.h"
#include "data/XMLClub.h"
#include "data/XMLEconomy.h"
#include "data/XMLLeague.h"
#include "data/XMLRegion.h"
#include "data/XMLTeam.h"
#include "data/XMLTraining.h"
#include "data/XMLWorld.h"
#include "download/MatchPages.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <fstream>
#include <iterator>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {
// Field name -> value, in the record's order.
using TFields = nlohmann::ordered_json;

struct TReadRequest {
  std::string Kind;
  std::string File;
  // The rows of the league table and of the world file are chosen by the page's team, as on a page.
  std::string TeamID;
  std::string LeagueID;
  // The tab a live answer is applied to.
  std::string MatchID;
  bool Json = false;
};

TXMLTeam TeamOf(const TReadRequest& request) {
  TXMLTeam team;
  team.TeamID = request.TeamID;
  team.LeagueID = request.LeagueID;
  return team;
}

TFields ReadTeam(const TReadRequest& request) {
  TXMLTeam r;
  r.Read(request.File);
  return {{"LeagueID", r.LeagueID},
          {"TeamID", r.TeamID},
          {"TeamName", r.TeamName},
          {"Loginname", r.Loginname},
          {"Email", r.Email},
          {"ICQ", r.ICQ},
          {"HomePage", r.HomePage},
          {"LeagueLevelUnitName", r.LeagueLevelUnitName},
          {"NumberOfVictories", r.NumberOfVictories},
          {"NumberOfUndefeated", r.NumberOfUndefeated},
          {"TrainerPlayerID", r.TrainerPlayerID}};
}

TFields ReadLeague(const TReadRequest& request) {
  const TXMLTeam team = TeamOf(request);
  TXMLLeague r(team);
  r.Read(request.File);
  return {{"Matches", r.Matches},
          {"GoalsFor", r.GoalsFor},
          {"GoalsAgainst", r.GoalsAgainst},
          {"Points", r.Points},
          {"Position", r.Position}};
}

TFields ReadTraining(const TReadRequest& request) {
  TXMLTraining r;
  r.Read(request.File);
  return {{"TrainingLevel", r.TrainingLevel},
          {"StaminaTrainingPart", r.StaminaTrainingPart},
          {"TrainingType", r.TrainingType},
          {"Morale", r.Morale},
          {"SelfConfidence", r.SelfConfidence},
          {"Experience433", r.Experience433},
          {"Experience451", r.Experience451},
          {"Experience352", r.Experience352},
          {"Experience532", r.Experience532},
          {"Experience343", r.Experience343},
          {"Experience541", r.Experience541},
          {"TrainerID", r.TrainerID}};
}

TFields ReadArena(const TReadRequest& request) {
  TXMLArena r;
  r.Read(request.File);
  return {{"ArenaName", r.ArenaName},
          {"Terraces", r.Terraces},
          {"Basic", r.Basic},
          {"Roof", r.Roof},
          {"VIP", r.VIP},
          {"Total", r.Total},
          {"ExpandedTerraces", r.ExpandedTerraces},
          {"ExpandedBasic", r.ExpandedBasic},
          {"ExpandedRoof", r.ExpandedRoof},
          {"ExpandedVIP", r.ExpandedVIP}};
}

TFields ReadEconomy(const TReadRequest& request) {
  TXMLEconomy r;
  r.Read(request.File);
  return {{"FanClubSize", r.FanClubSize},
          {"SponsorsPopularity", r.SponsorsPopularity},
          {"SupportersPopularity", r.SupportersPopularity},
          {"Cash", r.Cash},
          {"ExpectedCash", r.ExpectedCash},
          {"IncomeSponsors", r.IncomeSponsors},
          {"IncomeSpectators", r.IncomeSpectators},
          {"IncomeFinancial", r.IncomeFinancial},
          {"IncomeTemporary", r.IncomeTemporary},
          {"IncomeSum", r.IncomeSum},
          {"CostsPlayers", r.CostsPlayers},
          {"CostsStaff", r.CostsStaff},
          {"CostsArena", r.CostsArena},
          {"CostsYouth", r.CostsYouth},
          {"CostsFinancial", r.CostsFinancial},
          {"CostsTemporary", r.CostsTemporary},
          {"CostsSum", r.CostsSum},
          {"ExpectedWeeksTotal", r.ExpectedWeeksTotal},
          {"LastIncomeSponsors", r.LastIncomeSponsors},
          {"LastIncomeSpectators", r.LastIncomeSpectators},
          {"LastIncomeFinancial", r.LastIncomeFinancial},
          {"LastIncomeTemporary", r.LastIncomeTemporary},
          {"LastIncomeSum", r.LastIncomeSum},
          {"LastCostsPlayers", r.LastCostsPlayers},
          {"LastCostsStaff", r.LastCostsStaff},
          {"LastCostsArena", r.LastCostsArena},
          {"LastCostsYouth", r.LastCostsYouth},
          {"LastCostsFinancial", r.LastCostsFinancial},
          {"LastCostsTemporary", r.LastCostsTemporary},
          {"LastCostsSum", r.LastCostsSum},
          {"LastWeeksTotal", r.LastWeeksTotal}};
}

TFields ReadClub(const TReadRequest& request) {
  TXMLClub r;
  r.Read(request.File);
  return {{"KeeperTrainers", r.KeeperTrainers},
          {"AssistantTrainers", r.AssistantTrainers},
          {"Psychologists", r.Psychologists},
          {"PressSpokesmen", r.PressSpokesmen},
          {"Economists", r.Economists},
          {"Physiotherapists", r.Physiotherapists},
          {"Doctors", r.Doctors},
          {"YouthLevel", r.YouthLevel}};
}

TFields ReadRegion(const TReadRequest& request) {
  TXMLRegion r;
  r.Read(request.File);
  return TFields::object();
}

TFields ReadWorld(const TReadRequest& request) {
  const TXMLTeam team = TeamOf(request);
  TXMLWorld r(team);
  r.Read(request.File);
  return {{"FetchedDate", r.FetchedDate},
          {"Season", r.Season},
          {"MatchRound", r.MatchRound},
          {"CountryID", r.CountryID}};
}

// A saved live answer applied to a fresh tab of the match, as the viewer's first refresh would.
TFields ReadLive(const TReadRequest& request) {
  if (request.MatchID.empty()) throw EConvertError("--match is required for a live answer");
  std::ifstream in(request.File, std::ios::binary);
  if (!in) throw EInOutError("Cannot open file \"" + request.File + "\"");
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TMatchPages pages;
  TMatch* tab = pages.AddMatch(request.MatchID);
  pages.ApplyLiveAnswer(bytes);
  TFields pieces = TFields::array();
  for (const TDisplayElement& e : tab->Commentary)
    pieces.push_back({{"text", e.Text}, {"colour", LiveColourName(e.Colour)}, {"bold", e.Bold}});
  return {{"caption", tab->Caption},       {"score", tab->ScoreText},     {"minute", tab->MinuteText},
          {"attendance", tab->AttendanceText}, {"weather", tab->WeatherText}, {"ended", tab->Ended},
          {"pieces", pieces}};
}

struct TReadKind {
  const char* Name;
  TFields (*Read)(const TReadRequest& request);
};

// Every player of a players file (or a ".krf" record file) with the values as they were read.
TFields ReadPlayers(const TReadRequest& request) {
  TPlayerList list;
  if (std::filesystem::path(request.File).extension() == ".krf")
    list.LoadFromRecordFile(request.File);
  else
    list.LoadFromPlayersFile(request.File);
  TFields players = TFields::array();
  for (const TPlayer& p : list) {
    players.push_back({{"PlayerID", p.PlayerID},
                       {"PlayerName", p.PlayerName},
                       {"Age", p.Age},
                       {"InjuryLevel", p.InjuryLevel},
                       {"PlayerForm", p.PlayerForm},
                       {"StaminaSkill", p.StaminaSkill},
                       {"PlaymakerSkill", p.PlaymakerSkill},
                       {"ScorerSkill", p.ScorerSkill},
                       {"PassingSkill", p.PassingSkill},
                       {"WingerSkill", p.WingerSkill},
                       {"SetPiecesSkill", p.SetPiecesSkill},
                       {"DefenderSkill", p.DefenderSkill},
                       {"KeeperSkill", p.KeeperSkill},
                       {"Experience", p.Experience},
                       {"Leadership", p.Leadership},
                       {"Salary", p.Salary},
                       {"TSI", p.TSI},
                       {"CareerGoals", p.CareerGoals},
                       {"LeagueGoals", p.LeagueGoals},
                       {"CupGoals", p.CupGoals},
                       {"FriendliesGoals", p.FriendliesGoals},
                       {"CareerKickvales", p.CareerKickvales},
                       {"CountryID", p.CountryID},
                       {"Cards", p.Cards},
                       {"Specialty", p.Specialty},
                       {"TransferListed", p.TransferListed},
                       {"Agreeability", p.Agreeability},
                       {"Honesty", p.Honesty},
                       {"Aggressiveness", p.Aggressiveness},
                       {"TrainerType", p.TrainerType},
                       {"TrainerSkill", p.TrainerSkill}});
  }
  return {{"Players", players}};
}

// Every MatchData element of a club match file, read as the match record a history page attaches.
TFields ReadMatches(const TReadRequest& request) {
  TTeamMatchFile file;
  file.LoadFromFile(request.File);
  TFields matches = TFields::array();
  for (const auto& node : file.Matches()) {
    TMatchPage m;
    m.ReadMatchData(node);
    TFields lineup = TFields::array();
    for (int slot = 1; slot <= TMatchPage::LineupSize; ++slot) {
      const auto& e = m.LineupEntry(slot);
      lineup.push_back({{"Slot", slot},
                        {"PlayerID", e.PlayerID},
                        {"PositionCode", e.PositionCode},
                        {"Behaviour", e.Behaviour},
                        {"RatingStars", e.RatingStars}});
    }
    matches.push_back({{"MatchID", m.MatchID},
                       {"MatchDate", m.MatchDate},
                       {"MatchType", m.MatchType},
                       {"ArenaName", m.ArenaName},
                       {"HomeTeamID", m.HomeTeamID},
                       {"HomeTeamName", m.HomeTeamName},
                       {"AwayTeamID", m.AwayTeamID},
                       {"AwayTeamName", m.AwayTeamName},
                       {"HomeGoals", m.HomeGoals},
                       {"AwayGoals", m.AwayGoals},
                       {"SoldTotal", m.SoldTotal},
                       {"SoldTerraces", m.SoldTerraces},
                       {"SoldBasic", m.SoldBasic},
                       {"SoldRoof", m.SoldRoof},
                       {"SoldVIP", m.SoldVIP},
                       {"WeatherID", m.WeatherID},
                       {"TeamAttitude", m.TeamAttitude},
                       {"ExperienceLevel", m.ExperienceLevel},
                       {"RatingMidfield", m.RatingMidfield},
                       {"RatingLeftDef", m.RatingLeftDef},
                       {"RatingMidDef", m.RatingMidDef},
                       {"RatingRightDef", m.RatingRightDef},
                       {"RatingLeftAtt", m.RatingLeftAtt},
                       {"RatingMidAtt", m.RatingMidAtt},
                       {"RatingRightAtt", m.RatingRightAtt},
                       {"Lineup", lineup}});
  }
  return {{"Matches", matches}};
}

const TReadKind ReadKinds[] = {
    {"team", ReadTeam},       {"league", ReadLeague}, {"training", ReadTraining}, {"arena", ReadArena},
    {"economy", ReadEconomy}, {"club", ReadClub},     {"region", ReadRegion},     {"world", ReadWorld},
    {"players", ReadPlayers}, {"match", ReadMatches}, {"live", ReadLive},
};

void PrintFields(const TFields& fields, bool json) {
  if (json) {
    std::cout << fields.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return;
  }
  for (const auto& [name, value] : fields.items()) {
    if (value.is_array()) {  // players and matches: one block of fields each
      for (const auto& item : value) {
        PrintFields(item, false);
        std::cout << '\n';
      }
      continue;
    }
    std::cout << name << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << '\n';
  }
}

int RunRead(const TReadRequest& request) {
  for (const TReadKind& kind : ReadKinds) {
    if (request.Kind != kind.Name) continue;
    try {
      PrintFields(kind.Read(request), request.Json);
      return 0;
    } catch (const std::exception& e) {
      std::cerr << e.what() << '\n';
      return 1;
    }
  }
  return 1;  // unreachable: CLI11 accepts only the kinds of the table
}

const TCliCommand ReadCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TReadRequest>();
  std::vector<std::string> kinds;
  for (const TReadKind& kind : ReadKinds) kinds.emplace_back(kind.Name);
  CLI::App* command = app.add_subcommand("read", "Read one of the game's files and print the record's fields");
  command->add_option("kind", request->Kind, "Kind of file")->required()->check(CLI::IsMember(kinds));
  command->add_option("file", request->File, "The file to read")->required();
  command->add_option("--team-id", request->TeamID, "TeamID that selects the row of a league table");
  command->add_option("--league-id", request->LeagueID, "LeagueID that selects the league of a world file");
  command->add_option("--match", request->MatchID, "MatchID of the tab a live answer is applied to");
  command->add_flag("--json", request->Json, "Print the fields as a JSON object");
  command->callback([request, &context] { context.ExitCode = RunRead(*request); });
});
}  // namespace
