#pragma once
// Test helper: a MatchData element of a club match file, written as the download stores one, with the
// values a test cares about. Club team 4711 against 815.
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace {
// A MatchData element written as the download stores one, with the values a test cares about.
struct TStoredMatch {
  std::string ID = "500";
  std::string Season = "38";
  std::string Round = "05";
  std::string Version = "1.3";
  std::string MatchType = "1";
  bool ClubAtHome = true;
  std::string HomeGoals = "2";
  std::string AwayGoals = "1";
  std::string Attitude = "0";
  std::string Tactic = "1";
  std::string TacticSkill = "5";
  // Midfield, right, central, left defence, right, central, left attack of the club's side.
  std::array<std::string, 7> Ratings{"9", "10", "11", "12", "13", "14", "15"};
  std::string Weather = "3";
  std::string Sold = "12345";
  std::string Experience = "4";
  std::vector<std::string> Stars{"3", "3", "3", "3", "3", "3", "3", "3", "3", "3", "3"};
};

inline std::string SideXml(const char* side, const std::string& id, const std::string& name, const std::string& goals,
                    const TStoredMatch& stored, bool club) {
  const char* keys[7] = {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef",
                         "RatingRightAtt", "RatingMidAtt",   "RatingLeftAtt"};
  std::ostringstream x;
  x << "<" << side << "Team><" << side << "TeamID>" << id << "</" << side << "TeamID><" << side << "TeamName>"
    << name << "</" << side << "TeamName><" << side << "Goals>" << goals << "</" << side << "Goals>";
  // The opponent's side carries other values, so that reading the wrong side shows.
  x << "<TeamAttitude>" << (club ? stored.Attitude : "") << "</TeamAttitude>";
  x << "<TacticType>" << (club ? stored.Tactic : "3") << "</TacticType><TacticSkill>" << (club ? stored.TacticSkill : "9")
    << "</TacticSkill>";
  for (int i = 0; i < 7; ++i) x << "<" << keys[i] << ">" << (club ? stored.Ratings[i] : "1") << "</" << keys[i] << ">";
  x << "</" << side << "Team>";
  return x.str();
}

inline std::string MatchDataXml(const TStoredMatch& s) {
  const std::string homeID = s.ClubAtHome ? "4711" : "815";
  const std::string awayID = s.ClubAtHome ? "815" : "4711";
  std::ostringstream x;
  x << "<MatchData ID=\"" << s.ID << "\"><Season>" << s.Season << "</Season><MatchRound>" << s.Round
    << "</MatchRound><matchDetails.asp><Version>" << s.Version << "</Version><Match><MatchID>" << s.ID
    << "</MatchID>" << SideXml("Home", homeID, "Home FC", s.HomeGoals, s, s.ClubAtHome)
    << SideXml("Away", awayID, "Away FC", s.AwayGoals, s, !s.ClubAtHome) << "<Arena><WeatherID>" << s.Weather
    << "</WeatherID><SoldTotal>" << s.Sold << "</SoldTotal></Arena></Match></matchDetails.asp>"
    << "<matchLineup.asp><MatchID>" << s.ID << "</MatchID><MatchType>" << s.MatchType
    << "</MatchType><HomeTeam><HomeTeamID>" << homeID << "</HomeTeamID><HomeTeamName>Home FC</HomeTeamName>"
    << "</HomeTeam><AwayTeam><AwayTeamID>" << awayID << "</AwayTeamID><AwayTeamName>Away FC</AwayTeamName>"
    << "</AwayTeam><Team><TeamID>4711</TeamID><ExperienceLevel>" << s.Experience << "</ExperienceLevel><Lineup>";
  int id = 1;
  for (const std::string& stars : s.Stars) {
    x << "<Player><PlayerID>" << id << "</PlayerID><RoleID>" << id + 1 << "</RoleID><Behaviour>0</Behaviour>"
      << "<RatingStars>" << stars << "</RatingStars></Player>";
    ++id;
  }
  x << "</Lineup></Team></matchLineup.asp></MatchData>";
  return x.str();
}

// A whole club match file holding the given matches.
inline std::string TeamMatchFileXml(const std::vector<TStoredMatch>& matches) {
  std::string text = "<?xml version=\"1.0\" ?>\n<PitchbookTeamData>";
  for (const TStoredMatch& match : matches) text += MatchDataXml(match);
  return text + "</PitchbookTeamData>\n";
}
}  // namespace
