#pragma once
// Test helper: stored match-lineup and match-details documents with just the values the rating model and
// the lineup displays read.
#include <array>
#include <string>
#include <vector>

namespace lineuptest {

struct TPlace {
  std::string ID;
  std::string Role;
  std::string Behaviour = "0";
  std::string Stars = "3";
  std::string Position;  // PositionCode; empty: left out
  std::string Name;      // empty: "P" + ID
};

// The eleven places of a plain 4-4-2: RoleID = PositionCode = 1..11, player IDs 101..111.
inline std::vector<TPlace> StartingEleven() {
  std::vector<TPlace> places;
  for (int role = 1; role <= 11; ++role)
    places.push_back({std::to_string(100 + role), std::to_string(role), "0", "3", std::to_string(role), ""});
  return places;
}

// The substitutes (RoleID 12..16), set pieces (17) and captain (18) as a download stores them.
inline std::vector<TPlace> BenchAndRoles() {
  std::vector<TPlace> places;
  for (int role = 12; role <= 16; ++role) places.push_back({std::to_string(200 + role), std::to_string(role), "0", "0", "", ""});
  places.push_back({"105", "17", "", "", "", ""});
  places.push_back({"110", "18", "", "", "", ""});
  return places;
}

inline std::string Tag(const std::string& name, const std::string& text) { return "<" + name + ">" + text + "</" + name + ">"; }

struct TLineupSpec {
  std::string Element = "matchLineup.asp";
  std::string TeamID = "4711";
  std::string HomeTeamID = "4711";
  std::string AwayTeamID = "815";
  std::string HomeTeamName = "Home FC";
  std::string AwayTeamName = "Away FC";
  std::string Experience = "4";
  std::vector<TPlace> Places;
};

inline std::string LineupXml(const TLineupSpec& s) {
  std::string x = "<" + s.Element + ">" + Tag("FileName", s.Element) + "<HomeTeam>" + Tag("HomeTeamID", s.HomeTeamID) +
                  Tag("HomeTeamName", s.HomeTeamName) + "</HomeTeam><AwayTeam>" + Tag("AwayTeamID", s.AwayTeamID) +
                  Tag("AwayTeamName", s.AwayTeamName) + "</AwayTeam><Team>" + Tag("TeamID", s.TeamID) +
                  Tag("ExperienceLevel", s.Experience) + "<Lineup>";
  for (const TPlace& p : s.Places) {
    x += "<Player>" + Tag("PlayerID", p.ID) + Tag("RoleID", p.Role) + Tag("PlayerName", p.Name.empty() ? "P" + p.ID : p.Name);
    if (!p.Position.empty()) x += Tag("PositionCode", p.Position);
    x += Tag("RatingStars", p.Stars) + Tag("Behaviour", p.Behaviour) + "</Player>";
  }
  return x + "</Lineup></Team></" + s.Element + ">";
}

// One side of the match details: midfield, right/central/left defence, right/central/left attack.
struct TSideSpec {
  std::string TacticType = "0";
  std::string TacticSkill = "0";
  std::array<std::string, 7> Ratings{"10", "10", "10", "10", "10", "10", "10"};
};

struct TDetailsSpec {
  std::string HomeTeamID = "4711";
  std::string AwayTeamID = "815";
  TSideSpec Home;
  TSideSpec Away;
  std::string FirstHalfHome = "50", FirstHalfAway = "50", SecondHalfHome = "50", SecondHalfAway = "50";
};

inline std::string SideXml(const std::string& side, const std::string& id, const TSideSpec& s) {
  static const char* const keys[7] = {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef",
                                      "RatingRightAtt", "RatingMidAtt",   "RatingLeftAtt"};
  std::string x = "<" + side + "Team>" + Tag(side + "TeamID", id) + Tag(side + "TeamName", side + " side") +
                  Tag("TacticType", s.TacticType) + Tag("TacticSkill", s.TacticSkill);
  for (int i = 0; i < 7; ++i) x += Tag(keys[i], s.Ratings[static_cast<size_t>(i)]);
  return x + "</" + side + "Team>";
}

// The Match element of a match-details document.
inline std::string MatchXml(const TDetailsSpec& s) {
  return "<Match>" + Tag("MatchID", "500") + SideXml("Home", s.HomeTeamID, s.Home) + SideXml("Away", s.AwayTeamID, s.Away) +
         Tag("PossessionFirstHalfHome", s.FirstHalfHome) + Tag("PossessionFirstHalfAway", s.FirstHalfAway) +
         Tag("PossessionSecondHalfHome", s.SecondHalfHome) + Tag("PossessionSecondHalfAway", s.SecondHalfAway) +
         "</Match>";
}

inline std::string DetailsXml(const TDetailsSpec& s) { return "<matchDetails.asp>" + MatchXml(s) + "</matchDetails.asp>"; }

}  // namespace lineuptest
