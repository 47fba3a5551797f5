// pitchbook-cli ratings MATCHID [--home DIR] [--team ID] [--json]
// What the "Player Ratings and Team Formation" window shows for one match of a club's match file: both
// sides' lineups (pitch places and extra slots with roles, behaviours, stars and specialties), the total
// player experience, the eight rating bars with their level texts and sub-levels, and the relative-strength
// column.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/HistorySeriesPlayer.h"
#include "ratings/MatchRowValues.h"
#include "ratings/PlayerRatingsView.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {
struct TRatingsRequest {
  std::string MatchID;
  std::string Home;
  std::string Team;
  TCliFormatFlags Output;
};

// Season and round as the grid gives them to the window; 0 for a text that is no number.
int WeekNumber(const std::string& text) {
  try {
    return StrToInt(Trim(text));
  } catch (const EConvertError&) {
    return 0;
  }
}

// A level text of two lines, "solid\n(High)", as level and sub-level; one line (a value off the scale,
// "N/A") is the level alone.
std::pair<std::string, std::string> SplitLevelText(const std::string& text) {
  const size_t lineBreak = text.find('\n');
  if (lineBreak == std::string::npos) return {text, ""};
  std::string sub = Trim(text.substr(lineBreak + 1));
  if (sub.size() >= 2 && sub.front() == '(' && sub.back() == ')') sub = sub.substr(1, sub.size() - 2);
  return {Trim(text.substr(0, lineBreak)), sub};
}

nlohmann::ordered_json BoxJson(const TPlayerBox& box, const std::string& place, int index) {
  return {{"place", place},
          {"index", index},
          {"role", box.Caption},
          {"positionCode", box.PositionCode},
          {"playerId", box.PlayerID},
          {"name", box.PlayerName},
          {"behaviour", box.Behaviour > 0 ? BehaviourName(box.Behaviour) : std::string()},
          {"stars", box.Stars},
          {"specialty", SpecialtyName(box.Specialty)}};
}

nlohmann::ordered_json LineupJson(const TMatchLineupArrangement& lineup) {
  nlohmann::ordered_json players = nlohmann::ordered_json::array();
  for (int i = 0; i < TPitchArrangement::BoxCount; ++i)
    if (const TPlayerBox& box = lineup.Panel(i); box.Visible && box.Filled) players.push_back(BoxJson(box, "pitch", i));
  for (int i = 0; i < TMatchLineupArrangement::ExtraCount; ++i)
    if (const TPlayerBox& box = lineup.Extra(i); box.Filled && box.PlayerID != 0)
      players.push_back(BoxJson(box, "slot", i));
  return players;
}

nlohmann::ordered_json RatingJson(const TMatchRatingModel& model) {
  nlohmann::ordered_json bars = nlohmann::ordered_json::array();
  for (int i = 0; i < TMatchRatingModel::BarCount; ++i) {
    const TMatchRatingBar& bar = model.Bar(i);
    const auto [level, subLevel] = SplitLevelText(bar.LevelText);
    nlohmann::ordered_json object = {{"caption", bar.Caption}, {"share", bar.Percent}, {"level", level},
                                     {"subLevel", subLevel}};
    if (i < TMatchRatingModel::TacticBar) {
      object["levelParts"] = bar.LevelParts;
      object["relative"] = model.Relative().Labels()[static_cast<size_t>(i)];
    }
    bars.push_back(std::move(object));
  }
  return {{"bars", bars}, {"relativeTotal", model.Relative().Total()}};
}

nlohmann::ordered_json TeamJson(const std::string& caption, const std::string& experience, bool lineupShown,
                                const TMatchLineupArrangement& lineup, const TMatchRatingModel& rating) {
  nlohmann::ordered_json team = {{"caption", caption}, {"experience", experience}, {"formation", lineup.Formation()}};
  team["players"] = lineupShown ? LineupJson(lineup) : nlohmann::ordered_json::array();
  team["ratings"] = RatingJson(rating);
  return team;
}

void PrintTeam(std::ostringstream& out, const std::string& caption, const std::string& experience, bool lineupShown,
               const TMatchLineupArrangement& lineup, const TMatchRatingModel& rating) {
  out << caption << '\n';
  if (lineupShown) {
    auto line = [&out](const TPlayerBox& box) {
      out << "  " << PadRight(box.Caption, 16) << PadLeft(std::to_string(box.PlayerID), 10) << "  "
          << PadLeft(FloatToStr(box.Stars), 4) << "  " << PadRight(box.Behaviour > 0 ? BehaviourName(box.Behaviour) : "", 20)
          << PadRight(SpecialtyName(box.Specialty), 12) << box.PlayerName << '\n';
    };
    for (const TPlayerBox& box : lineup.Panels())
      if (box.Visible && box.Filled) line(box);
    for (const TPlayerBox& box : lineup.Extras())
      if (box.Filled && box.PlayerID != 0) line(box);
  }
  out << "  " << _("Total player experience:") << ' ' << experience << '\n';
  for (int i = 0; i < TMatchRatingModel::BarCount; ++i) {
    if (i == 0 || i == 1 || i == 4) out << "  " << TMatchRatingModel::GroupCaption(i == 0 ? 0 : i == 1 ? 1 : 2) << '\n';
    const TMatchRatingBar& bar = rating.Bar(i);
    const auto [level, subLevel] = SplitLevelText(bar.LevelText);
    out << "    " << PadRight(bar.Caption, 18) << PadLeft(std::to_string(bar.Percent) + "%", 5) << "  "
        << PadRight(subLevel.empty() ? level : level + " (" + subLevel + ")", 28);
    if (i < TMatchRatingModel::TacticBar) out << rating.Relative().Labels()[static_cast<size_t>(i)];
    out << '\n';
  }
  out << "  " << _("Relative strength:") << ' ' << rating.Relative().Total() << '\n';
}

int RunRatings(const TRatingsRequest& request) {
  TProgramFolders folders;
  const std::string teamID = LoadCliClub(request.Home, request.Team, folders);
  if (teamID.empty()) return 2;
  const std::string matchID = Trim(request.MatchID);
  TPlayerRatingsView view;
  try {
    const std::filesystem::path path = TTeamMatchFile::PathOf(folders.MatchesFolder(), teamID);
    TTeamMatchFile file;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) file.LoadFromFile(path);
    // The newest copy of a match is the last one, as the grid finds it.
    pugi::xml_node found;
    for (const pugi::xml_node& match : file.Matches())
      if (matchID == match.attribute("ID").value()) found = match;
    if (!found) {
      std::cerr << FormatText(_("Match %s is not in the match file of club %s."), matchID.c_str(), teamID.c_str())
                << '\n';
      return 1;
    }
    const TSeasonRound when = SplitSeasonWeek(Trim(BuildMatchRow(found, teamID)[mcSeasonWeek]));
    view.Input(found, WeekNumber(when.Season), WeekNumber(when.Round), History());
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  if (request.Output.Json) {
    PrintJson({{"matchId", matchID},
               {"ownIsHome", view.OwnIsHome()},
               {"teams",
                {TeamJson(view.Team1Caption(), view.LabelXP(), true, view.MatchLineupOwn(), view.MatchRatingOwn()),
                 TeamJson(view.Team2Caption(), view.LabelXPOpponent(), view.OpponentLineupShown(),
                          view.MatchLineupOpp(), view.MatchRatingOpp())}}});
    return 0;
  }
  std::ostringstream out;
  PrintTeam(out, view.Team1Caption(), view.LabelXP(), true, view.MatchLineupOwn(), view.MatchRatingOwn());
  out << '\n';
  PrintTeam(out, view.Team2Caption(), view.LabelXPOpponent(), view.OpponentLineupShown(), view.MatchLineupOpp(),
            view.MatchRatingOpp());
  std::cout << out.str();
  return 0;
}

const TCliCommand RatingsCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TRatingsRequest>();
  CLI::App* command = app.add_subcommand(
      "ratings", _("Show a match's lineups and sector ratings as the player ratings window does"));
  command->add_option("MATCHID", request->MatchID, _("Match ID"))->required();
  command->add_option("--home", request->Home, _("Program folder (default: as the desktop program finds it)"));
  command->add_option("--team", request->Team, _("Team ID of the club whose match file holds it (default: the own club)"));
  AddFormatFlags(*command, request->Output, false);
  command->callback([request, &context] { context.ExitCode = RunRatings(*request); });
});
}  // namespace
