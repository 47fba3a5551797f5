#pragma once
// The inside of the sample world: its teams, series, the own squad and the matches played so far, and the
// operations that move it on and turn it into the game's XML answers. Used by SampleWorld.cpp (the public
// face), WorldSetup.cpp (creation, other teams), WorldSquad.cpp (the own club's week), WorldXml.cpp (the
// answers) and WorldWriter.cpp (the archive). Not meant for other code: use TSampleWorld.
#include "demo/Names.h"
#include "demo/SampleWorld.h"
#include "demo/WorldRandom.h"

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Natural position groups of players (also the roles a lineup slot asks for).
enum TWorldRole { RoleKeeper = 0, RoleDefender = 1, RoleWingBack = 2, RoleInner = 3, RoleWinger = 4, RoleForward = 5 };

struct TWorldPlayer {
  int64_t PlayerID = 0;
  TPersonName Name;
  int CountryID = 0;
  int Age = 17;
  int BirthdayRound = 1;      // the round of each season in which he becomes a year older
  int Form = 5;
  int Experience = 1;
  double ExperiencePoints = 0;
  int Leadership = 3;
  int Salary = 0;
  int TSI = 0;
  int CareerGoals = 0, LeagueGoals = 0, CupGoals = 0, FriendliesGoals = 0, CareerKickvales = 0;
  int Cards = 0;
  int InjuryLevel = -1;
  int Suspended = 0;          // league matches still to sit out
  int Specialty = 0, Agreeability = 2, Honesty = 2, Aggressiveness = 2;
  int TransferListed = 0;
  bool LeavesMidSeason = false;
  TSampleSkills Skills{};
  std::array<double, SampleSkillCount> Progress{};
  int Role = RoleInner;
  bool Coach = false;
  int TrainerType = 0;
  int TrainerSkill = 0;
  size_t HistoryIndex = 0;    // into TSampleWorldInfo::Players
  int TrainedPosition = 0;    // of the latest training
};

struct TWorldLineupEntry {
  int64_t PlayerID = 0;
  std::string FirstName, LastName;
  int RoleID = 0;
  int PositionCode = 0;       // 0 = not written
  int Behaviour = -1;         // -1 = not written
  double Stars = -1;          // -1 = not written
};

struct TWorldEvent {          // a goal, a booking or an injury
  int64_t PlayerID = 0;
  std::string PlayerName;
  int TeamID = 0;
  int Minute = 0;
  int Kind = 0;               // booking: 1 yellow, 2 red; injury: 1 bruise, 2 injury
  int HomeGoals = 0, AwayGoals = 0;  // goals: the score after it
};

enum TWorldRating { RatingMidfield = 0, RatingRightDef, RatingMidDef, RatingLeftDef, RatingRightAtt, RatingMidAtt, RatingLeftAtt };

struct TWorldSide {
  int TeamID = 0;
  std::string TeamName;
  int Goals = 0;
  std::array<int, 7> Ratings{};
  int TacticType = 0, TacticSkill = 0;
  std::optional<int> Attitude;   // written for the own team only
  std::string Formation;         // "4-4-2"
  int ExperienceLevel = 0;
  std::vector<TWorldLineupEntry> Lineup;
};

struct TWorldMatch {
  int64_t MatchID = 0;
  int MatchType = 1;
  int Week = 0;                  // the own league's week (round) the match belongs to
  int64_t Kickoff = 0;           // seconds since 1970
  TWorldSide Home, Away;
  int ArenaID = 0;
  std::string ArenaName;
  int WeatherID = 0;
  int SoldTotal = 0, SoldTerraces = 0, SoldBasic = 0, SoldRoof = 0, SoldVIP = 0;
  int PossessionFirstHome = 50, PossessionSecondHome = 50;
  std::vector<TWorldEvent> Goals, Bookings, Injuries;
};

struct TWorldTeam {
  int TeamID = 0;
  std::string Name;
  std::string ShortName;
  int CountryIndex = 0;
  int UnitIndex = 0;
  int ArenaID = 0;
  std::string ArenaName;
  int Capacity = 0;
  int RegionID = 0;
  std::string RegionName;
  int UserID = 0;
  std::string Loginname;
  double Strength = 7;           // skill level of its players (other teams only)
  int FoundedYear = 1997;
};

struct TWorldUnit {
  int UnitID = 0;
  std::string Name;              // "IV.23"
  int CountryIndex = 0;
  int Level = 4;
  std::array<int, 8> Teams{};    // indexes into the team table
};

struct TWorldArena {
  int Terraces = 0, Basic = 0, Roof = 0, VIP = 0;
  bool Building = false;
  int NewTerraces = 0, NewBasic = 0, NewRoof = 0, NewVIP = 0;  // the seats being added
  int WeeksLeft = 0;
  int64_t RebuiltDay = 0;
  int Total() const { return Terraces + Basic + Roof + VIP; }
};

struct TWorldEconomyWeek {
  int64_t IncomeSponsors = 0, IncomeSpectators = 0, IncomeFinancial = 0, IncomeTemporary = 0;
  int64_t CostsPlayers = 0, CostsStaff = 0, CostsArena = 0, CostsYouth = 0, CostsFinancial = 0, CostsTemporary = 0;
  int64_t IncomeSum() const { return IncomeSponsors + IncomeSpectators + IncomeFinancial + IncomeTemporary; }
  int64_t CostsSum() const {
    return CostsPlayers + CostsStaff + CostsArena + CostsYouth + CostsFinancial + CostsTemporary;
  }
  int64_t Total() const { return IncomeSum() - CostsSum(); }
};

// The archive's plan for one week: whether and when the manager downloaded.
struct TWorldWeekPlan {
  bool Missing = false;
  bool Doubled = false;
  bool FullWorld = false;
  int64_t MainMoment = 0;        // seconds since 1970
  int64_t EarlyMoment = 0;
};

// A roster player of another team (not simulated week by week).
struct TRosterPlayer {
  int64_t PlayerID = 0;
  TPersonName Name;
  int Role = RoleInner;
  int Age = 20;
};

class TSampleWorldState {
public:
  explicit TSampleWorldState(const TSampleWorldOptions& options);

  // ---- calendar ----
  static constexpr int RoundsPerSeason = 16;
  static constexpr int LeagueRounds = 14;
  int SeasonOfWeek(int week) const { return FirstSeason + week / RoundsPerSeason; }
  static int RoundOfWeek(int week) { return week % RoundsPerSeason + 1; }
  int WeekOf(int season, int round) const { return (season - FirstSeason) * RoundsPerSeason + round - 1; }
  int64_t SaturdayOfWeek(int week) const;          // the day of the week's league match
  int64_t LeagueKickoff(int week) const { return SaturdayOfWeek(week) * 86400 + 15 * 3600; }
  int64_t OtherKickoff(int week) const { return (SaturdayOfWeek(week) - 3) * 86400 + 19 * 3600 + 30 * 60; }
  TWorldWeekPlan PlanOfWeek(int week) const;
  int64_t Now() const { return PlanOfWeek(Week).MainMoment; }
  // Season of a league at a week of the own league (leagues keep their own season numbers).
  int LeagueSeason(int countryIndex, int week) const;
  int LeagueRound(int countryIndex, int week) const;
  bool RoundAhead(int countryIndex) const;

  // ---- the world's teams and series (WorldSetup.cpp) ----
  void CreateWorld();
  int TeamIndexOf(int teamID) const;
  int UnitIndexOf(int unitID) const;
  int64_t LeagueMatchID(int unitIndex, int week, int game) const { return MatchIDBase + week * 1000 + unitIndex * 10 + game; }
  int64_t OtherMatchID(int week) const { return MatchIDBase + week * 1000 + 500; }
  // The two team indexes of game 0..3 of a league round (1..14) of a series in a season.
  std::pair<int, int> Fixture(int unitIndex, int seasonIndex, int round, int game) const;
  // The game (0..3) of a round in which the team plays, or -1.
  int GameOfTeam(int unitIndex, int seasonIndex, int round, int teamIndex) const;
  double TeamStrength(int teamIndex, int seasonIndex) const;
  std::vector<TRosterPlayer> Roster(int teamIndex, int seasonIndex) const;
  // A league match of other teams, made up from the world's seed (its goals agree with the fixtures).
  TWorldMatch GenerateLeagueMatch(int unitIndex, int week, int game) const;
  // The goals of a league game: nullopt while it is not played yet.
  std::optional<std::pair<int, int>> LeagueResult(int unitIndex, int week, int game) const;
  // A played match by ID (the own team's, or a league match of any series); nullopt when unknown/unplayed.
  std::optional<TWorldMatch> FindMatch(int64_t matchID) const;
  // One side's lineup from a roster (for other teams' matches).
  void FillRosterSide(TWorldSide& side, int teamIndex, int seasonIndex, TWorldRandom& random) const;
  void FillOpponentRatings(TWorldSide& side, double strength, TWorldRandom& random) const;
  void AddScorers(TWorldMatch& match, TWorldSide& side, bool home, int goals, TWorldRandom& random) const;
  void FinishScoreSequence(TWorldMatch& match) const;

  // ---- the own club's week (WorldSquad.cpp) ----
  void CreateSquad();
  void StartWeek();                 // everything of the current week up to the download
  void PlayOwnLeagueMatch();        // the current round's league match (after the download)
  void RecordWeek();
  TWorldPlayer NewPlayer(int role, int age, int level, TWorldRandom& random, bool foreign);
  TWorldPlayer NewCoach(TWorldRandom& random);
  void UpdateValues(TWorldPlayer& p) const;
  void PlayOwnMatch(TWorldMatch& match, bool home, int opponentIndex);
  void PickLineup(TWorldSide& side, int matchType, TWorldRandom& random, int formationIndex);
  void SeasonTransfers();
  void MidSeasonTransfers();
  void Train();
  void WeeklyChanges();
  void UpdateEconomy();
  void JoinSquad(TWorldPlayer player);
  void LeaveSquad(size_t index, bool sold);

  // ---- answers (WorldXml.cpp) ----
  std::string OwnFile(int index, int64_t moment) const;
  std::string WorldFile(int64_t moment, bool trimmed) const;
  std::string MatchesAnswer(int teamID) const;
  std::string LineupAnswer(int64_t matchID, int teamID) const;
  std::string DetailsAnswer(int64_t matchID) const;
  std::string FixturesAnswer(int unitID, int season) const;
  std::string LeagueAnswer(int unitID) const;
  std::string TeamAnswer(int teamID) const;
  std::string RecordText() const;
  // The children of a match answer's root, for the match files.
  void FillLineupAnswer(pugi::xml_node root, const TWorldMatch& match, bool homeSide, int64_t moment) const;
  void FillDetailsAnswer(pugi::xml_node root, const TWorldMatch& match, int64_t moment) const;
  int64_t DownloadMomentOf(const TWorldMatch& match) const;

  // ---- state ----
  TSampleWorldOptions Options;
  TSampleWorldInfo Info;
  uint64_t Seed = 1;
  int FirstSeason = 1;
  int LastWeek = 0;                // the archive's last week
  int Week = 0;                    // the current week (0 = the first season's first round)
  int64_t AnchorSaturday = 0;      // the day of the last week's league match
  int64_t MatchIDBase = 0;
  int OwnCountry = 0;              // index into WorldCountries()
  int FollowedCountry = 0;
  std::vector<TWorldTeam> Teams;
  std::vector<TWorldUnit> Units;
  int OwnTeam = 0;                 // team index
  int OwnUnit = 0;                 // unit index
  std::vector<int> Followed;       // team indexes
  int UserID = 0;
  std::string Loginname, Email, HomePage, ShortName;
  int OwnRegionID = 0;
  std::string OwnRegionName;

  TWorldRandom Random{1};
  int64_t NextPlayerID = 0;
  std::vector<TWorldPlayer> Squad;
  std::map<int64_t, TWorldMatch> OwnMatches;   // played matches of the own team, by ID
  std::vector<int64_t> OwnMatchOrder;          // the same in the order played
  // The week's training
  int TrainingType = 8, TrainingLevel = 100, StaminaPart = 15;
  int Morale = 5, SelfConfidence = 5;
  std::map<int, double> FormationExperience;   // 442, 433, ... -> 0..10
  bool InCup = true;
  int NumberOfVictories = 0, NumberOfUndefeated = 0;
  // Economy and club
  int64_t Cash = 0;
  TWorldEconomyWeek Economy, LastEconomy;
  int64_t WeekTransfersIn = 0, WeekTransfersOut = 0, WeekGate = 0, WeekBuilding = 0;
  int FanClubSize = 0, SponsorsPopularity = 5, SupportersPopularity = 5;
  TWorldArena Arena;
  std::array<int, 7> Specialists{};            // keeper trainers, assistants, psychologists, spokesmen,
                                               // economists, physiotherapists, doctors
  int YouthLevel = 2;
  int64_t CoachArrival = 0;
  // The doubled round's earlier download (files and description), when the current week has one
  std::vector<std::string> EarlyFiles;
  std::optional<TSampleSnapshotInfo> EarlyInfo;
};

// Small XML writing helpers shared by the answer builders.
pugi::xml_node XmlChild(pugi::xml_node parent, const char* name);
void XmlText(pugi::xml_node parent, const char* name, std::string_view text);
void XmlInt(pugi::xml_node parent, const char* name, int64_t value);
std::string XmlStars(double stars);
std::string XmlToString(const pugi::xml_document& doc);
pugi::xml_node XmlAnswerRoot(pugi::xml_document& doc);  // declaration + "KickvaleData"
