#include "ratings/PlayerRatingsView.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/PlayerList.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/History.h"
#include "ratings/RatingScale.h"

#include <cctype>
#include <string_view>

namespace {
std::string ExperienceText(const pugi::xml_node& lineup) {
  const std::string text = ChildText(lineup.child("Team"), "ExperienceLevel");
  return text.empty() ? std::string() : SkillLevelText(StrToInt(text));
}

// The lineup names a team; the match details name it too, for a lineup stored without the names.
std::string TeamName(const pugi::xml_node& lineup, const pugi::xml_node& match, bool home) {
  const char* side = home ? "HomeTeam" : "AwayTeam";
  const char* name = home ? "HomeTeamName" : "AwayTeamName";
  std::string text = ChildText(lineup.child(side), name);
  return text.empty() ? ChildText(match.child(side), name) : text;
}

// The opponent's lineup is stored under the FileName of its answer: "matchLineup.asp" for the answers this
// program downloads, other spellings ("matchlineup.xml") for the answers of later interface versions.
bool IsLineupName(std::string_view name) {
  constexpr std::string_view prefix = "matchlineup";
  if (name.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
  return true;
}
}  // namespace

TPlayerRatingsView::TPlayerRatingsView() : FTeam1Caption("Team1"), FTeam2Caption("Team2") {
  FMatchLineupOwn.SetStarsVisible(true);
  FMatchLineupOpp.SetStarsVisible(true);
}

pugi::xml_node TPlayerRatingsView::OwnLineup(const pugi::xml_node& matchData) {
  return matchData.child(TTeamMatchFile::LineupName);
}

pugi::xml_node TPlayerRatingsView::OpponentLineup(const pugi::xml_node& matchData) {
  const pugi::xml_node own = OwnLineup(matchData);
  if (!own) return {};
  for (pugi::xml_node node = own.next_sibling(); node; node = node.next_sibling())
    if (node.type() == pugi::node_element && IsLineupName(node.name())) return node;
  return {};
}

void TPlayerRatingsView::FillSpecialties(TMatchLineupArrangement& lineup, const THistory& history, int season,
                                         int week) {
  const int page = history.FindRound(season, week);
  if (page == 0) return;
  auto apply = [&](TPlayerBox& box, const TPlayerList& players) {
    if (box.PlayerID == 0) return;
    if (const int index = players.IndexOfID(box.PlayerID); index > 0) box.Specialty = players[index].Specialty;
  };
  // The earlier snapshot comes last: a player sold in the match's week is only in that one.
  for (int index : {page, page - 1}) {
    if (index < 1) continue;
    const TPlayerList& players = history.Page(index).Players;
    for (int i = 0; i < TPitchArrangement::BoxCount; ++i) apply(lineup.Panel(i), players);
    for (int i = 0; i < TMatchLineupArrangement::ExtraCount; ++i) apply(lineup.Extra(i), players);
  }
}

void TPlayerRatingsView::Input(const pugi::xml_node& matchData, int season, int week, const THistory& history) {
  const pugi::xml_node ownLineup = OwnLineup(matchData);
  const pugi::xml_node details = matchData.child(TTeamMatchFile::DetailsName);
  if (!ownLineup || !details)
    throw EPitchbookError(_("This match cannot be shown: its lineup or its match details were not downloaded."));
  const pugi::xml_node match = details.child("Match");

  // Built aside, so that a failure leaves the match shown before intact.
  TPlayerRatingsView next;
  next.FHasMatch = true;
  next.FLabelXP = ExperienceText(ownLineup);
  next.FOwnIsHome = ChildText(ownLineup.child("Team"), "TeamID") == ChildText(ownLineup.child("HomeTeam"), "HomeTeamID");
  next.FTeam1Caption = TeamName(ownLineup, match, next.FOwnIsHome);
  next.FTeam2Caption = TeamName(ownLineup, match, !next.FOwnIsHome);

  next.FMatchLineupOwn.LoadLineup(ownLineup);
  FillSpecialties(next.FMatchLineupOwn, history, season, week);
  if (const pugi::xml_node oppLineup = OpponentLineup(matchData)) {
    next.FOpponentLineupShown = true;
    next.FLabelXPOpponent = ExperienceText(oppLineup);
    next.FMatchLineupOpp.LoadLineup(oppLineup);
    FillSpecialties(next.FMatchLineupOpp, history, season, week);
  }

  next.FMatchRatingOwn.ShowMatch(match, next.FOwnIsHome);
  next.FMatchRatingOpp.ShowMatch(match, !next.FOwnIsHome);
  *this = std::move(next);
}
