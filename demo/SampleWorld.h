#pragma once
// The sample world: a seeded, fully deterministic simulation of one manager's club in Kickvale over a number
// of seasons (16 rounds each), with its league, cup and friendly matches, two followed teams, several
// countries' leagues, and a squad whose skills, form, injuries, cards and ages evolve week by week.
//
// It serves three users:
//  - WriteSampleWorld writes a whole program folder (snapshots, match files, a record file, the team list),
//    the archive that the start-up loader reads (tests, benchmarks, `pitchbook-cli demo`);
//  - the local game server keeps one TSampleWorld, answers the interface's requests for the current round
//    from its accessors and moves it on with AdvanceRound;
//  - tests compare what the program reads back with TSampleWorldInfo, the generator's own account of what
//    it made (snapshots, matches per round, the squad's skill history and the training of every week).
//
// Nothing depends on the clock: the same options always give the same bytes.
//
// The week of round r of a season, in time order: the league match of round r - 1 (Saturday), the week's
// other match (cup or friendly, Wednesday), the training (Thursday), the download of round r's snapshot
// (Thursday to Saturday morning; some rounds also have an earlier download on Sunday to Tuesday), then the
// league match of round r (Saturday). League rounds are 1..14; rounds 15 and 16 have friendlies only. So a
// round's snapshot holds the league table after round r - 1 and the world file's MatchRound is r; the
// league match of round r is played after that snapshot was taken.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TSampleWorldOptions {
  int Seasons = 3;      // 1..40 seasons; the last one is the current season
  uint64_t Seed = 1;
  int LastRound = 16;   // the round of the current season that the archive ends with (1..16)
};

// Skills are indexed by the program's skill code minus 3: 0 stamina, 1 playmaking, 2 winger, 3 scoring,
// 4 keeper, 5 passing, 6 defending, 7 set pieces.
constexpr int SampleSkillCount = 8;
using TSampleSkills = std::array<int, SampleSkillCount>;

// One download of the own team (nine XML files, or the single record file).
struct TSampleSnapshotInfo {
  int Season = 0;
  int Round = 0;
  std::string FetchedDate;  // "yyyy-mm-dd hh:nn:ss", as in the world file
  std::string Date;         // "yyyy-mm-dd", the file name prefix (the download day)
  std::string FileName;     // the players file ("yyyy-mm-dd Players.xml") or the record file's name
  int SquadSize = 0;        // players in the players file, the coach included
  bool Early = false;       // the earlier of two downloads of one round
  bool Record = false;      // a ".krf" rating record file instead of nine XML files
  bool FullWorld = false;   // the world file lists every league (else only the own one)
};

// One match stored in a club match file (History/Matches/<TeamID>.xml).
struct TSampleMatchInfo {
  int FileTeamID = 0;       // whose match file holds it
  int64_t MatchID = 0;
  int Season = 0;           // as stored in MatchData (the season of FileTeamID's league)
  int Round = 0;
  int MatchType = 0;        // 1 league, 3 cup, 4/5/8/9 friendlies
  std::string MatchDate;
  int HomeTeamID = 0, AwayTeamID = 0;
  int HomeGoals = 0, AwayGoals = 0;
};

// The club's week: the training the coach gave and the matches that belong to the round.
struct TSampleRoundInfo {
  int Season = 0;
  int Round = 0;
  int TrainingType = 0;        // 0..12
  int TrainingLevel = 0;       // percent
  int StaminaTrainingPart = 0; // percent
  int CoachLevel = 0;          // the coach's TrainerSkill
  int64_t CoachID = 0;
  int64_t LeagueMatchID = 0;   // the league match of this round (played after the round's snapshot), 0 = none
  int64_t OtherMatchID = 0;    // the cup or friendly match of this round (played before the training), 0 = none
  int SnapshotCount = 0;       // downloads of this round in the archive (0 = round missing)
};

// One player in one round, as of the round's (main) snapshot.
struct TSamplePlayerWeek {
  int Season = 0;
  int Round = 0;
  int Age = 0;
  int Form = 0;
  int InjuryLevel = -1;
  int Cards = 0;
  TSampleSkills Skills{};
  // Progress towards the next level of each skill after this week's training (0 right after a change).
  std::array<double, SampleSkillCount> Progress{};
  // The position code (1..11) the week's training used: from the week's other match, else from the league
  // match of the round before; 0 when he played neither or was injured. Stamina and set pieces training
  // apply to every healthy player in weeks with a match.
  int TrainedPosition = 0;
};

struct TSamplePlayerHistory {
  int64_t PlayerID = 0;
  std::string Name;
  bool Coach = false;
  std::vector<TSamplePlayerWeek> Weeks;  // consecutive rounds from joining to leaving (or now)
};

struct TSampleWorldInfo {
  int OwnTeamID = 0;
  std::string OwnTeamName;
  int OwnLeagueID = 0;       // the LeagueID of the own country
  int OwnCountryID = 0;
  int OwnUnitID = 0;         // LeagueLevelUnitID of the own series
  int UserID = 0;
  std::string Loginname;
  std::vector<int> FollowedTeamIDs;  // the two followed teams (the first in the own series)
  int FirstSeason = 0;
  int LastSeason = 0;        // the current season of the own league
  int LastRound = 0;
  std::vector<TSampleSnapshotInfo> Snapshots;  // oldest first
  std::vector<TSampleRoundInfo> Rounds;        // every simulated round, oldest first
  std::vector<TSampleMatchInfo> Matches;       // the match files' contents (filled by WriteSampleWorld)
  std::vector<TSamplePlayerHistory> Players;   // everyone who was ever in the squad, in order of joining

  const TSampleRoundInfo* FindRound(int season, int round) const;
  const TSamplePlayerHistory* FindPlayer(int64_t playerID) const;
};

// The nine own-team files, in download order (the program's TMyTeamDlData): index, `file=` request value,
// kind in the snapshot name.
constexpr int SampleOwnFileCount = 9;
const char* SampleOwnFileRequest(int index);  // "team", "leaguedetails", "players", ...
const char* SampleOwnFileKind(int index);     // "TeamDetails", "LeagueDetails", "Players", ...

class TSampleWorldState;

class TSampleWorld {
public:
  // A world positioned on the first round of its first season (its first snapshot).
  explicit TSampleWorld(const TSampleWorldOptions& options);
  ~TSampleWorld();
  TSampleWorld(const TSampleWorld&) = delete;
  TSampleWorld& operator=(const TSampleWorld&) = delete;

  // Plays on to the next round: the league match of the current round, the next week's other match and
  // training, transfers, economy and arena. Continues past the archive's end into later seasons.
  void AdvanceRound();
  // Advances until the archive's last round (options' last season and LastRound).
  void RunToEnd();
  bool AtEnd() const;

  int Season() const;  // the own league's season and round of the current snapshot
  int Round() const;
  const TSampleWorldInfo& Info() const;
  const TSampleWorldOptions& Options() const;
  // The moment of the current round's download ("yyyy-mm-dd hh:nn:ss"); answers carry it as FetchedDate.
  std::string FetchedDate() const;

  // ---- The answers of the game's interface for the current moment (UTF-8 XML with declaration). ----
  // An accessor returns an empty text when the world has no such object. The accessors do not change the
  // world: they may run on several threads at once, but not while AdvanceRound runs.

  // One of the nine own-team files (index as in SampleOwnFileKind); the world file lists every league.
  std::string OwnTeamFile(int index) const;
  // The same by the request's `file=` value ("team", "players", ...); nullopt for other values.
  std::optional<std::string> OwnTeamFileByRequest(std::string_view file) const;
  // "matches&teamID=": the team's latest 20 finished matches (across seasons), then the next league match.
  std::string MatchesFile(int teamID) const;
  // "matchlineup&matchID=&teamID=": the lineup of one side of a played match; matchID 0 = the team's latest
  // finished match; teamID 0 = the own team.
  std::string MatchLineupFile(int64_t matchID, int teamID) const;
  // "matchdetails&matchID=": a played match.
  std::string MatchDetailsFile(int64_t matchID) const;
  // "leaguefixtures&leagueLevelUnitID=&season=": unitID 0 = the own series; season 0 = the current season
  // of that series' league (in that league's own season numbering).
  std::string LeagueFixturesFile(int unitID, int season) const;
  // "leaguedetails&leagueLevelUnitID=": the table of a series now; unitID 0 = the own series.
  std::string LeagueDetailsFile(int unitID) const;
  // "teamdetails&teamID=": teamID 0 = the own team.
  std::string TeamDetailsFile(int teamID) const;
  // The IDs of every team and series of the world (for a server's lists and for tests).
  std::vector<int> TeamIDs() const;
  std::vector<int> UnitIDs() const;

  // The current round's snapshot in record-file form (".krf" text, CR LF lines).
  std::string RecordFileText() const;
  // When the current round also had an earlier download (a doubled round), its nine files; else empty.
  const std::vector<std::string>& EarlySnapshotFiles() const;
  const TSampleSnapshotInfo* EarlySnapshot() const;

  // Internal state, for the folder writer.
  const TSampleWorldState& State() const { return *FState; }

private:
  std::unique_ptr<TSampleWorldState> FState;
};

struct TSampleWriteResult {
  int Snapshots = 0;   // XML snapshots written (the record file not counted)
  int Files = 0;       // files written in all
};

// Writes the whole archive of a world into the program folder: History/ with every round's snapshot
// (some rounds missing, some downloaded twice, the first one as a ".krf" record file), History/Matches/
// with the match files of the own and the two followed teams, empty History/Obsolete/ and Work/, and
// "TeamList.kcf". Existing files of the same names are overwritten; nothing else is touched.
// Raises EInOutError when a folder or file cannot be written.
TSampleWriteResult WriteSampleWorld(const std::filesystem::path& programFolder, const TSampleWorldOptions& options,
                                    TSampleWorldInfo* info = nullptr);
