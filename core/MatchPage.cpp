#include "core/MatchPage.h"

#include "core/Errors.h"
#include "core/Utils.h"

#include <string_view>

namespace {
std::string_view Text(const pugi::xml_node& node, const char* name) { return node.child(name).child_value(); }

int32_t Int(const pugi::xml_node& node, const char* name) { return StrToInt(Text(node, name)); }

// The club's side carries the attitude the club played with; the opponent's attitude is hidden. Files of
// the newer interface carry no attitude on either side: then the side is the one whose team the lineup
// belongs to (the club's own lineup is the one stored first), so that the ratings read are the club's and
// not always the away team's.
pugi::xml_node ClubSide(const pugi::xml_node& match, const pugi::xml_node& lineup) {
  const pugi::xml_node home = match.child("HomeTeam");
  const pugi::xml_node away = match.child("AwayTeam");
  if (!Text(home, "TeamAttitude").empty()) return home;
  if (!Text(away, "TeamAttitude").empty()) return away;
  const std::string_view lineupTeam = Text(lineup.child("Team"), "TeamID");
  if (!lineupTeam.empty() && lineupTeam == Text(home, "HomeTeamID")) return home;
  return away;
}
}  // namespace

void TMatchPage::Clear() { *this = TMatchPage(); }

void TMatchPage::ReadMatchData(const pugi::xml_node& matchData) {
  // Read into a fresh record and take it over only when every value converted.
  TMatchPage page;
  const pugi::xml_node match = matchData.child("matchDetails.asp").child("Match");
  const pugi::xml_node lineup = matchData.child("matchLineup.asp");

  page.MatchDate = Text(match, "MatchDate");
  page.MatchID = Int(match, "MatchID");

  const pugi::xml_node side = ClubSide(match, lineup);
  if (!Text(side, "TeamAttitude").empty()) page.TeamAttitude = Int(side, "TeamAttitude");

  const pugi::xml_node home = match.child("HomeTeam");
  page.HomeTeamName = Text(home, "HomeTeamName");
  page.HomeTeamID = Text(home, "HomeTeamID");
  page.HomeGoals = Int(home, "HomeGoals");
  const pugi::xml_node away = match.child("AwayTeam");
  page.AwayTeamName = Text(away, "AwayTeamName");
  page.AwayTeamID = Text(away, "AwayTeamID");
  page.AwayGoals = Int(away, "AwayGoals");

  const pugi::xml_node arena = match.child("Arena");
  page.ArenaName = Text(arena, "ArenaName");
  page.SoldTotal = Int(arena, "SoldTotal");
  // Older match details list only the total; the split by seat kind came with more children.
  int arenaChildren = 0;
  for (pugi::xml_node child = arena.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element) ++arenaChildren;
  if (arenaChildren > 7) {
    page.SoldTerraces = Int(arena, "SoldTerraces");
    page.SoldBasic = Int(arena, "SoldBasic");
    page.SoldRoof = Int(arena, "SoldRoof");
    page.SoldVIP = Int(arena, "SoldVIP");
  }
  page.WeatherID = Int(arena, "WeatherID");

  page.RatingMidfield = Int(side, "RatingMidfield");
  page.RatingRightDef = Int(side, "RatingRightDef");
  page.RatingMidDef = Int(side, "RatingMidDef");
  page.RatingLeftDef = Int(side, "RatingLeftDef");
  page.RatingRightAtt = Int(side, "RatingRightAtt");
  page.RatingMidAtt = Int(side, "RatingMidAtt");
  page.RatingLeftAtt = Int(side, "RatingLeftAtt");

  page.MatchType = Int(lineup, "MatchType");
  const pugi::xml_node team = lineup.child("Team");
  page.ExperienceLevel = Int(team, "ExperienceLevel");
  int slot = 1;
  for (pugi::xml_node player = team.child("Lineup").child("Player"); player && slot <= LineupSize;
       player = player.next_sibling(), ++slot) {
    TMatchLineupEntry& entry = page.Lineup[slot];
    if (!Text(player, "PlayerID").empty()) entry.PlayerID = Int(player, "PlayerID");
    if (!Text(player, "PositionCode").empty()) entry.PositionCode = Int(player, "PositionCode");
    if (!Text(player, "Behaviour").empty()) entry.Behaviour = Int(player, "Behaviour");
    if (!Text(player, "RatingStars").empty()) entry.RatingStars = StrToFloat(Text(player, "RatingStars"));
  }
  *this = std::move(page);
}

const TMatchLineupEntry& TMatchPage::LineupEntry(int slot) const {
  if (slot < 1 || slot > LineupSize) throw ERangeError();
  return Lineup[slot];
}

int TMatchPage::IndexOfPlayer(int32_t id) const {
  if (id == 0) return 0;
  for (int slot = 1; slot <= LineupSize; ++slot)
    if (Lineup[slot].PlayerID == id) return slot;
  return 0;
}

double TMatchPage::GetStars(int32_t id) const {
  const int slot = IndexOfPlayer(id);
  return slot == 0 ? 0 : Lineup[slot].RatingStars;
}

int TMatchPage::GetPositionGroup(int32_t id) const {
  const int slot = IndexOfPlayer(id);
  if (slot == 0) return 0;
  switch (Lineup[slot].PositionCode) {
    case 1: return 1;
    case 2: case 5: return 2;
    case 3: case 4: return 3;
    case 6: case 9: return 6;
    case 7: case 8: return 7;
    case 10: case 11: return 10;
    default: return 0;
  }
}

int TMatchPage::GetRoleFlags(int32_t id) const {
  const int slot = IndexOfPlayer(id);
  if (slot == 0) return 0;
  switch (Lineup[slot].Behaviour) {
    case mbExtraForward: return 32;
    case mbExtraDefender: return 2;
    case mbExtraInnerMidfield: return 8;
    default: break;
  }
  // The old lineup lists the starting places in a fixed order, so the place tells the position.
  switch (slot) {
    case 1: return 1;
    case 2: case 5: return 4;
    case 3: case 4: return 2;
    case 6: case 9: return 16;
    case 7: case 8: return 8;
    case 10: case 11: return 32;
    default: return 0;
  }
}

bool TMatchPage::IsInLateSlots(int32_t id) const { return IndexOfPlayer(id) >= FirstLateSlot; }

TStarsByGroup TMatchPage::SumStarsByGroup() const {
  TStarsByGroup sums;
  for (int slot = 1; slot <= 11; ++slot) {
    const TMatchLineupEntry& entry = Lineup[slot];
    // A player listed twice counts with the stars of his first place.
    const double stars = GetStars(entry.PlayerID);
    switch (entry.PositionCode) {
      case 10: case 11: sums.Forwards += stars; break;
      case 6: case 9: sums.Wingers += stars; break;
      case 1: sums.Keeper += stars; break;
      case 2: case 3: case 4: case 5: sums.Defenders += stars; break;
      case 7: case 8: sums.InnerMidfielders += stars; break;
      default: break;
    }
  }
  return sums;
}
