#pragma once
// Writes small archives for the history store and start-up loader tests: the nine files of a snapshot, rating
// record files and club match files, with just the values a test cares about.
#include "TestSupport.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace historytest {

struct TTestPlayer {
  int64_t ID = 0;
  std::string Name = "Player";
  int Age = 20;
  int Form = 6;
  // Stamina, playmaking, winger, scoring, keeper, passing, defending, set pieces.
  int Skills[8] = {5, 5, 5, 5, 5, 5, 5, 5};
  std::string TrainerSkill;  // non-empty for the coach
};

struct TTestSnapshot {
  std::string Day = "2009-09-28";                  // the file names' date
  std::string FetchedDate = "2009-09-28 12:00:00";  // WorldDetails/FetchedDate
  int Season = 38;
  int Round = 5;
  std::string TeamID = "4711";
  std::string LeagueID = "77";
  int TrainingLevel = 100;
  int StaminaShare = 0;
  int TrainingType = 1;
  int64_t TrainerPlayerID = 0;
  std::vector<TTestPlayer> Players;
};

inline std::string Element(const std::string& name, const std::string& text) {
  return "<" + name + ">" + text + "</" + name + ">";
}
inline std::string Element(const std::string& name, int64_t value) { return Element(name, std::to_string(value)); }

inline std::string PlayerXml(const TTestPlayer& p) {
  static const char* const skills[8] = {"StaminaSkill", "PlaymakerSkill", "WingerSkill", "ScorerSkill",
                                        "KeeperSkill",  "PassingSkill",   "DefenderSkill", "SetPiecesSkill"};
  std::string x = "<Player>" + Element("PlayerID", p.ID) + Element("PlayerName", p.Name) + Element("Age", p.Age) +
                  Element("InjuryLevel", -1) + Element("PlayerForm", p.Form);
  for (int i = 0; i < 8; ++i) x += Element(skills[i], p.Skills[i]);
  for (const char* name : {"Experience", "Leadership", "Salary", "TSI", "CareerGoals", "LeagueGoals", "CupGoals",
                           "FriendliesGoals", "CareerKickvales", "CountryID", "Cards", "Specialty",
                           "TransferListed", "Agreeability", "Honesty", "Aggressiveness"})
    x += Element(name, 1);
  x += "<TrainerData>" + Element("TrainerType", p.TrainerSkill.empty() ? "" : "0") +
       Element("TrainerSkill", p.TrainerSkill) + "</TrainerData></Player>";
  return x;
}

inline std::string Doc(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KickvaleData>" + body + "</KickvaleData>\n";
}

// The nine files of a snapshot in folder; returns the path of its Players file.
inline std::filesystem::path WriteSnapshot(const std::filesystem::path& folder, const TTestSnapshot& s) {
  auto file = [&](const char* kind) { return folder / (s.Day + " " + kind + ".xml"); };
  WriteWholeFile(file("TeamDetails"),
                 Doc("<User>" + Element("Loginname", "manager") + Element("Email", "") + Element("ICQ", "") +
                     "</User><Team>" + Element("TeamID", s.TeamID) + Element("TeamName", "FC Test") +
                     Element("HomePage", "") + Element("NumberOfVictories", 1) + Element("NumberOfUndefeated", 2) +
                     "<League>" + Element("LeagueID", s.LeagueID) + "</League><LeagueLevelUnit>" +
                     Element("LeagueLevelUnitName", "IV.3") + "</LeagueLevelUnit><Trainer>" +
                     Element("PlayerID", s.TrainerPlayerID) + "</Trainer></Team>"));
  WriteWholeFile(file("LeagueDetails"),
                 Doc(Element("LeagueID", s.LeagueID) + "<Team>" + Element("TeamID", s.TeamID) +
                     Element("Matches", s.Round) + Element("GoalsFor", 10) + Element("GoalsAgainst", 5) +
                     Element("Points", 9) + Element("Position", 2) + "</Team>"));
  std::string players;
  for (const TTestPlayer& p : s.Players) players += PlayerXml(p);
  WriteWholeFile(file("Players"), Doc("<Team><PlayerList>" + players + "</PlayerList></Team>"));
  std::string training = "<Team>" + Element("TrainingLevel", s.TrainingLevel) +
                         Element("StaminaTrainingPart", s.StaminaShare) + Element("TrainingType", s.TrainingType) +
                         Element("Morale", 5) + Element("SelfConfidence", 5);
  for (const char* e : {"Experience433", "Experience451", "Experience352", "Experience532", "Experience343",
                        "Experience541"})
    training += Element(e, 3);
  WriteWholeFile(file("Training"), Doc(training + "<Trainer>" + Element("TrainerID", 1) + "</Trainer></Team>"));
  WriteWholeFile(file("ArenaDetails"),
                 Doc("<Arena>" + Element("ArenaName", "Test Arena") + "<CurrentCapacity>" + Element("Terraces", 1) +
                     Element("Basic", 2) + Element("Roof", 3) + Element("VIP", 4) + Element("Total", 10) +
                     "</CurrentCapacity><ExpandedCapacity/></Arena>"));
  std::string economy = "<Team>";
  for (const char* e :
       {"FanClubSize", "SponsorsPopularity", "SupportersPopularity", "Cash", "ExpectedCash", "IncomeSponsors",
        "IncomeSpectators", "IncomeFinancial", "IncomeTemporary", "IncomeSum", "CostsPlayers", "CostsStaff",
        "CostsArena", "CostsYouth", "CostsFinancial", "CostsTemporary", "CostsSum", "ExpectedWeeksTotal",
        "LastIncomeSponsors", "LastIncomeSpectators", "LastIncomeFinancial", "LastIncomeTemporary",
        "LastIncomeSum", "LastCostsPlayers", "LastCostsStaff", "LastCostsArena", "LastCostsYouth",
        "LastCostsFinancial", "LastCostsTemporary", "LastCostsSum", "LastWeeksTotal"})
    economy += Element(e, 7);
  WriteWholeFile(file("Economy"), Doc(economy + "</Team>"));
  std::string club = "<Team><Specialists>";
  for (const char* e : {"KeeperTrainers", "AssistantTrainers", "Psychologists", "PressSpokesmen", "Economists",
                        "Physiotherapists", "Doctors"})
    club += Element(e, 1);
  WriteWholeFile(file("Club"), Doc(club + "</Specialists><YouthSquad>" + Element("YouthLevel", 2) +
                                   "</YouthSquad></Team>"));
  WriteWholeFile(file("RegionDetails"), Doc("<Region/>"));
  WriteWholeFile(file("WorldDetails"),
                 Doc(Element("FetchedDate", s.FetchedDate) + "<LeagueList><League>" + Element("LeagueID", s.LeagueID) +
                     Element("Season", s.Season) + Element("MatchRound", s.Round) + "<Country>" +
                     Element("CountryID", 5) + "</Country></League></LeagueList>"));
  return file("Players");
}

inline const char* const SnapshotKinds[9] = {"TeamDetails", "LeagueDetails", "Players", "Training", "ArenaDetails",
                                             "Economy", "Club", "RegionDetails", "WorldDetails"};

// A rating record file: header lines, then one player section per player.
inline std::string RecordText(int season, int round, const std::string& date, const std::vector<TTestPlayer>& players,
                              const std::string& extraHeader = "") {
  std::string t = "[header]\nteamID=4711\nleagueID=77\nteamName=FC  Record\ndate=" + date +
                  "\nseason=" + std::to_string(season) + "\nmatchround=" + std::to_string(round) + "\ncountryID=5\n";
  for (const char* key :
       {"spelade", "gjorda", "inslappta", "poang", "placering", "victories", "undefeated", "fanclub", "sponsors",
        "supporters", "mvTranare", "hjTranare", "psykolog", "presstalesman", "ekonom", "massor", "lakare",
        "juniorverksamhet", "trLevel", "trTypeValue", "stamningValue", "sjalvfortroendeValue", "exper433",
        "exper451", "exper352", "exper532", "exper343", "exper541", "trainer", "cash", "incomeSponsorer",
        "incomePublik", "incomeFinansiella", "incomeTillfalliga", "incomeSumma", "costsSpelare", "costsPersonal",
        "costsArena", "costsJuniorverksamhet", "costsRantor", "costsTillfalliga", "costsSumma", "total",
        "lastIncomeSponsorer", "lastIncomePublik", "lastIncomeFinansiella", "lastIncomeTillfalliga",
        "lastIncomeSumma", "lastCostsSpelare", "lastCostsPersonal", "lastCostsArena", "lastCostsJuniorverksamhet",
        "lastCostsRantor", "lastCostsTillfalliga", "lastCostsSumma", "lastTotal", "antalStaplats", "antalSitt",
        "antalTak", "antalVIP", "seatTotal", "expandingStaplats", "expandingSitt", "expandingTak", "expandingVIP"})
    t += std::string(key) + "=3\n";
  t += "arenaname=Old  Ground\n" + extraHeader;
  for (const TTestPlayer& p : players) {
    t += "[player" + std::to_string(p.ID) + "]\nname=" + p.Name + "\nald=" + std::to_string(p.Age) +
         "\nska=-1\nfor=" + std::to_string(p.Form) + "\n";
    const char* keys[8] = {"uth", "spe", "ytt", "mal", "mlv", "fra", "bac", "fas"};
    for (int i = 0; i < 8; ++i) t += std::string(keys[i]) + "=" + std::to_string(p.Skills[i]) + "\n";
    t += "rut=1\nled=1\nsal=1\nmkt=1000\ngev=0\ngtl=0\ngtc=0\ngtt=0\nkck=0\nCountryID=5\nwarnings=0\n"
         "speciality=0\nspecialityLabel=\ngentleness=1\ngentlenessLabel=x\nhonesty=1\nhonestyLabel=x\n"
         "Aggressiveness=1\nAggressivenessLabel=x\nTrainerType=\nTrainerSkill=" + p.TrainerSkill + "\n";
  }
  return t;
}

struct TTestLineupEntry {
  int64_t PlayerID;
  int PositionCode;
};

// One MatchData element of a club match file.
inline std::string MatchDataXml(int matchID, int season, int round, int matchType,
                                const std::vector<TTestLineupEntry>& lineup, const std::string& homeGoals = "2") {
  std::string players;
  for (const auto& e : lineup)
    players += "<Player>" + Element("PlayerID", e.PlayerID) + Element("PositionCode", e.PositionCode) +
               Element("Behaviour", 0) + Element("RatingStars", "3.5") + "</Player>";
  std::string ratings;
  for (const char* r : {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef", "RatingRightAtt",
                        "RatingMidAtt", "RatingLeftAtt"})
    ratings += Element(r, 6);
  return "<MatchData ID=\"" + std::to_string(matchID) + "\">" + Element("Season", season) +
         Element("MatchRound", round) + "<matchDetails.asp>" + Element("FileName", "matchDetails.asp") + "<Match>" +
         Element("MatchID", matchID) + Element("MatchDate", "2009-09-26 15:00:00") + "<HomeTeam>" +
         Element("HomeTeamID", 4711) + Element("HomeTeamName", "FC Test") + Element("HomeGoals", homeGoals) +
         Element("TeamAttitude", 0) + ratings + "</HomeTeam><AwayTeam>" + Element("AwayTeamID", 815) +
         Element("AwayTeamName", "Other") + Element("AwayGoals", 1) + ratings + "</AwayTeam><Arena>" +
         Element("ArenaName", "Test Arena") + Element("WeatherID", 3) + Element("SoldTotal", 1000) +
         "</Arena></Match></matchDetails.asp><matchLineup.asp>" + Element("FileName", "matchLineup.asp") +
         Element("MatchID", matchID) + Element("MatchType", matchType) + "<Team>" + Element("TeamID", 4711) +
         Element("ExperienceLevel", 3) + "<Lineup>" + players + "</Lineup></Team></matchLineup.asp></MatchData>";
}

inline void WriteMatchFile(const std::filesystem::path& path, const std::vector<std::string>& matchData) {
  std::string body;
  for (const auto& m : matchData) body += m;
  WriteWholeFile(path, "<?xml version=\"1.0\" ?>\n<PitchbookTeamData>" + body + "</PitchbookTeamData>\n");
}

// A player with every skill at level.
inline TTestPlayer MakePlayer(int64_t id, int level = 5, int age = 20) {
  TTestPlayer p;
  p.ID = id;
  p.Name = "Player " + std::to_string(id);
  p.Age = age;
  for (int& s : p.Skills) s = level;
  return p;
}

}  // namespace historytest
