// The sample world's archive: determinism, the folder layout the start-up loader expects, well-formed
// files with numbers where the readers need numbers, and a plausible evolution of the squad.
#include "TestSupport.h"
#include "demo/SampleWorld.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace {

// One archive of three seasons, written once for all tests of this file.
struct TArchive {
  TTempFolder Folder;
  TSampleWorldInfo Info;
  TSampleWriteResult Result;
  TArchive() {
    TSampleWorldOptions options;
    options.Seasons = 3;
    options.Seed = 7;
    Result = WriteSampleWorld(Folder.Path(), options, &Info);
  }
  fs::path History() const { return Folder.Path() / "History"; }
};

const TArchive& Archive() {
  static TArchive archive;
  return archive;
}

std::map<std::string, std::string> ReadTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = ReadWholeFile(e.path());
  return files;
}

pugi::xml_document Parse(const fs::path& path) {
  pugi::xml_document doc;
  auto result = doc.load_file(path.c_str());
  EXPECT_TRUE(result) << path << ": " << result.description();
  return doc;
}

bool HasNonAscii(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

const std::vector<std::string> Kinds = {"TeamDetails", "LeagueDetails", "Players", "Training",     "ArenaDetails",
                                        "Economy",     "Club",          "RegionDetails", "WorldDetails"};

}  // namespace

TEST(SampleWorldArchive, SameSeedGivesIdenticalBytesAndAnotherSeedDiffers) {
  TTempFolder a, b, c;
  TSampleWorldOptions options;
  options.Seasons = 2;
  options.Seed = 42;
  WriteSampleWorld(a.Path(), options);
  WriteSampleWorld(b.Path(), options);
  options.Seed = 43;
  WriteSampleWorld(c.Path(), options);
  const auto ta = ReadTree(a.Path()), tb = ReadTree(b.Path()), tc = ReadTree(c.Path());
  ASSERT_GT(ta.size(), 100u);
  EXPECT_TRUE(ta == tb);
  EXPECT_FALSE(ta == tc);
}

TEST(SampleWorldArchive, EverySnapshotHasItsNineFilesAndNothingElseLies) {
  const auto& a = Archive();
  std::map<std::string, std::set<std::string>> kindsByDate;
  std::vector<std::string> records;
  for (const auto& e : fs::directory_iterator(a.History())) {
    if (!e.is_regular_file()) continue;
    const std::string name = e.path().filename().string();
    if (e.path().extension() == ".krf") {
      records.push_back(name);
      continue;
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_match(name, m, std::regex(R"((\d{4}-\d\d-\d\d) ([A-Za-z]+)\.xml)"))) << name;
    kindsByDate[m[1]].insert(m[2]);
  }
  for (const auto& [date, kinds] : kindsByDate)
    EXPECT_EQ(kinds, std::set<std::string>(Kinds.begin(), Kinds.end())) << date;
  int xmlSnapshots = 0;
  for (const auto& s : a.Info.Snapshots) {
    if (s.Record) {
      EXPECT_EQ(records, std::vector<std::string>{s.FileName});
      continue;
    }
    ++xmlSnapshots;
    EXPECT_EQ(s.FileName, s.Date + " Players.xml");
    EXPECT_TRUE(kindsByDate.count(s.Date)) << s.Date;
  }
  EXPECT_EQ(static_cast<int>(kindsByDate.size()), xmlSnapshots);
  EXPECT_EQ(a.Result.Snapshots, xmlSnapshots);
  EXPECT_TRUE(fs::is_directory(a.History() / "Obsolete"));
  EXPECT_TRUE(fs::is_directory(a.Folder.Path() / "Work"));
}

TEST(SampleWorldArchive, SomeRoundsAreMissingSomeDoubledAndTheFirstIsARecordFile) {
  const auto& a = Archive();
  ASSERT_EQ(a.Info.Rounds.size(), 48u);
  int missing = 0, doubled = 0;
  for (const auto& r : a.Info.Rounds) {
    missing += r.SnapshotCount == 0;
    doubled += r.SnapshotCount == 2;
    int listed = 0;
    for (const auto& s : a.Info.Snapshots) listed += s.Season == r.Season && s.Round == r.Round;
    EXPECT_EQ(listed, r.SnapshotCount) << r.Season << "-" << r.Round;
  }
  EXPECT_GT(missing, 0);
  EXPECT_GT(doubled, 0);
  EXPECT_TRUE(a.Info.Snapshots.front().Record);
  EXPECT_EQ(a.Info.Snapshots.front().Round, 1);
  EXPECT_EQ(a.Info.Snapshots.back().Season, a.Info.LastSeason);
  EXPECT_EQ(a.Info.Snapshots.back().Round, 16);
  // The two downloads of a doubled round are on different days, the early one first and marked.
  for (size_t i = 1; i < a.Info.Snapshots.size(); ++i) {
    const auto& p = a.Info.Snapshots[i - 1];
    const auto& s = a.Info.Snapshots[i];
    EXPECT_LT(p.FetchedDate, s.FetchedDate);
    EXPECT_LT(p.Date, s.Date);
    if (p.Season == s.Season && p.Round == s.Round) {
      EXPECT_TRUE(p.Early);
      EXPECT_FALSE(s.Early);
    }
  }
}

TEST(SampleWorldArchive, TheWorldFileNamesTheSnapshotsRoundAndFetchTime) {
  const auto& a = Archive();
  int full = 0, trimmed = 0;
  for (const auto& s : a.Info.Snapshots) {
    if (s.Record) continue;
    auto world = Parse(a.History() / (s.Date + " WorldDetails.xml"));
    auto root = world.document_element();
    EXPECT_EQ(std::string(root.child_value("FetchedDate")), s.FetchedDate);
    EXPECT_EQ(s.FetchedDate.substr(0, 10), s.Date);
    std::vector<pugi::xml_node> leagues;
    for (auto l : root.child("LeagueList").children("League")) leagues.push_back(l);
    EXPECT_EQ(std::string(root.last_child().name()), "LeagueList");
    (leagues.size() == 1 ? trimmed : full)++;
    EXPECT_EQ(s.FullWorld, leagues.size() > 1);
    bool found = false;
    for (size_t i = 0; i < leagues.size(); ++i) {
      if (std::stoi(leagues[i].child_value("LeagueID")) != a.Info.OwnLeagueID) continue;
      found = true;
      if (leagues.size() > 1) {
        EXPECT_GT(i, 0u) << "the own league is never the first one";
      }
      EXPECT_EQ(std::stoi(leagues[i].child_value("Season")), s.Season);
      EXPECT_EQ(std::stoi(leagues[i].child_value("MatchRound")), s.Round);
      EXPECT_EQ(std::stoi(leagues[i].child("Country").child_value("CountryID")), a.Info.OwnCountryID);
    }
    EXPECT_TRUE(found) << s.Date;
    auto league = Parse(a.History() / (s.Date + " LeagueDetails.xml"));
    EXPECT_EQ(std::stoi(league.document_element().child_value("LeagueID")), a.Info.OwnLeagueID);
  }
  EXPECT_GT(full, 3);
  EXPECT_GT(trimmed, 3);
}

TEST(SampleWorldArchive, EveryFileIsWellFormedWithNumbersWhereReadersNeedThem) {
  const auto& a = Archive();
  // Elements whose text the program converts strictly; the expanded arena capacity may be empty.
  static const std::set<std::string> integers = {
      "PlayerID", "Age", "InjuryLevel", "PlayerForm", "StaminaSkill", "PlaymakerSkill", "ScorerSkill", "PassingSkill",
      "WingerSkill", "SetPiecesSkill", "DefenderSkill", "KeeperSkill", "Experience", "Leadership", "Salary", "TSI",
      "CareerGoals", "LeagueGoals", "CupGoals", "FriendliesGoals", "CareerKickvales", "CountryID", "Cards",
      "Specialty", "TransferListed", "Agreeability", "Honesty", "Aggressiveness", "TrainerType", "TrainerSkill",
      "TeamID", "LeagueID", "NumberOfVictories", "NumberOfUndefeated", "Matches", "GoalsFor", "GoalsAgainst",
      "Points", "Position", "TrainingLevel", "StaminaTrainingPart", "TrainingType", "Morale", "SelfConfidence",
      "Experience433", "Experience451", "Experience352", "Experience532", "Experience343", "Experience541",
      "TrainerID", "FanClubSize", "SponsorsPopularity", "SupportersPopularity", "Cash", "ExpectedCash",
      "IncomeSponsors", "IncomeSpectators", "IncomeFinancial", "IncomeTemporary", "IncomeSum", "CostsPlayers",
      "CostsStaff", "CostsArena", "CostsYouth", "CostsFinancial", "CostsTemporary", "CostsSum",
      "ExpectedWeeksTotal", "LastWeeksTotal", "KeeperTrainers", "AssistantTrainers", "Psychologists",
      "PressSpokesmen", "Economists", "Physiotherapists", "Doctors", "YouthLevel", "Season", "MatchRound",
      "MatchID", "HomeGoals", "AwayGoals", "TeamAttitude", "RatingMidfield", "RatingRightDef", "RatingMidDef",
      "RatingLeftDef", "RatingRightAtt", "RatingMidAtt", "RatingLeftAtt", "SoldTotal", "SoldTerraces",
      "SoldBasic", "SoldRoof", "SoldVIP", "WeatherID", "MatchType", "ExperienceLevel", "PositionCode",
      "Behaviour", "RoleID", "TacticType", "TacticSkill", "PossessionFirstHalfHome", "PossessionSecondHalfHome"};
  const std::regex integer(R"(-?\d+)"), stars(R"(\d+(\.5)?)");
  int checked = 0;
  for (const auto& e : fs::recursive_directory_iterator(a.Folder.Path())) {
    if (e.path().extension() != ".xml") continue;
    auto doc = Parse(e.path());
    EXPECT_EQ(ReadWholeFile(e.path()).rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u) << e.path();
    for (auto node : doc.select_nodes("//*")) {
      auto n = node.node();
      const std::string name = n.name();
      const std::string text = n.child_value();
      if (name.rfind("Last", 0) == 0 && integers.count(name.substr(4))) {
        EXPECT_TRUE(std::regex_match(text, integer)) << e.path() << " " << name << "=" << text;
      } else if (integers.count(name)) {
        if (n.find_child([](pugi::xml_node c) { return c.type() == pugi::node_element; })) continue;
        if (text.empty() && std::string(n.parent().name()) == "ExpandedCapacity") continue;
        EXPECT_TRUE(std::regex_match(text, integer)) << e.path() << " " << name << "=" << text;
        if (!text.empty() && std::regex_match(text, integer)) {
          const long long v = std::stoll(text);
          EXPECT_TRUE(v >= INT32_MIN && v <= INT32_MAX) << name << "=" << text;
        }
      } else if (name == "RatingStars") {
        EXPECT_TRUE(std::regex_match(text, stars)) << e.path() << " " << text;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100000);
}

TEST(SampleWorldArchive, PlayersHaveNamesBeyondAsciiAndTheCoachIsInTheSquad) {
  const auto& a = Archive();
  int nonAscii = 0;
  for (const auto& p : a.Info.Players) nonAscii += HasNonAscii(p.Name);
  EXPECT_GT(nonAscii, 10);
  for (const auto& s : a.Info.Snapshots) {
    if (s.Record) continue;
    auto players = Parse(a.History() / s.FileName);
    auto list = players.document_element().child("Team").child("PlayerList");
    int count = 0, coaches = 0;
    std::string coachID;
    for (auto p : list.children("Player")) {
      ++count;
      if (p.child("TrainerData")) {
        ++coaches;
        coachID = p.child_value("PlayerID");
        EXPECT_FALSE(std::string(p.child("TrainerData").child_value("TrainerSkill")).empty());
      }
    }
    EXPECT_EQ(count, s.SquadSize);
    EXPECT_GE(count, 20);
    EXPECT_LE(count, 30);
    EXPECT_EQ(coaches, 1);
    auto team = Parse(a.History() / (s.Date + " TeamDetails.xml"));
    EXPECT_EQ(coachID, team.document_element().child("Team").child("Trainer").child_value("PlayerID"));
    auto training = Parse(a.History() / (s.Date + " Training.xml"));
    EXPECT_EQ(coachID, training.document_element().child("Team").child("Trainer").child_value("TrainerID"));
  }
}

TEST(SampleWorldArchive, SkillsMoveAtMostOneLevelAWeekAndAgesOneYearASeason) {
  const auto& a = Archive();
  int rises = 0, joined = 0, left = 0;
  const auto& first = a.Info.Rounds.front();
  const auto& last = a.Info.Rounds.back();
  for (const auto& p : a.Info.Players) {
    ASSERT_FALSE(p.Weeks.empty());
    const auto& w0 = p.Weeks.front();
    const auto& wn = p.Weeks.back();
    joined += w0.Season != first.Season || w0.Round != first.Round;
    left += wn.Season != last.Season || wn.Round != last.Round;
    for (size_t i = 1; i < p.Weeks.size(); ++i) {
      const auto& x = p.Weeks[i - 1];
      const auto& y = p.Weeks[i];
      EXPECT_EQ((y.Season - x.Season) * 16 + y.Round - x.Round, 1) << p.Name << ": weeks are consecutive";
      EXPECT_GE(y.Age - x.Age, 0);
      EXPECT_LE(y.Age - x.Age, 1);
      for (int k = 0; k < SampleSkillCount; ++k) {
        EXPECT_LE(std::abs(y.Skills[k] - x.Skills[k]), 1) << p.Name << " skill " << k;
        rises += y.Skills[k] > x.Skills[k];
        if (y.Skills[k] != x.Skills[k]) {
          EXPECT_EQ(y.Progress[k], 0.0);
        }
        EXPECT_GE(y.Progress[k], 0.0);
        EXPECT_LT(y.Progress[k], 1.0);
      }
      EXPECT_GE(y.Form, 1);
      EXPECT_LE(y.Form, 8);
    }
    for (size_t i = 16; i < p.Weeks.size(); ++i) EXPECT_EQ(p.Weeks[i].Age, p.Weeks[i - 16].Age + 1) << p.Name;
  }
  EXPECT_GT(rises, 5);  // the game's pace: a few levels a season over the squad
  EXPECT_GT(joined, 3);
  EXPECT_GT(left, 3);
}

TEST(SampleWorldArchive, MatchFilesHoldEveryOwnMatchWithBothLineupsInItsRound) {
  const auto& a = Archive();
  auto own = Parse(a.History() / "Matches" / (std::to_string(a.Info.OwnTeamID) + ".xml"));
  auto root = own.document_element();
  EXPECT_EQ(std::string(root.name()), "PitchbookTeamData");
  std::set<std::string> ids;
  int league = 0, other = 0;
  for (auto m : root.children("MatchData")) {
    EXPECT_TRUE(ids.insert(m.attribute("ID").value()).second);
    const std::string season = m.child_value("Season"), round = m.child_value("MatchRound");
    EXPECT_EQ(season.size(), 2u);
    EXPECT_EQ(round.size(), 2u);
    auto lineups = m.children("matchLineup.asp");
    ASSERT_EQ(std::distance(lineups.begin(), lineups.end()), 2);
    EXPECT_EQ(std::string(m.child("matchLineup.asp").child("Team").child_value("TeamID")), std::to_string(a.Info.OwnTeamID));
    auto match = m.child("matchDetails.asp").child("Match");
    EXPECT_EQ(std::string(match.child_value("MatchID")), m.attribute("ID").value());
    // Only the own side carries the attitude: the reader takes that side's ratings.
    const bool home = std::string(match.child("HomeTeam").child_value("HomeTeamID")) == std::to_string(a.Info.OwnTeamID);
    EXPECT_EQ(match.child(home ? "HomeTeam" : "AwayTeam").child("TeamAttitude").empty(), false);
    EXPECT_TRUE(match.child(home ? "AwayTeam" : "HomeTeam").child("TeamAttitude").empty());
    EXPECT_EQ(match.child("Arena").select_nodes("*").size(), 8u);
    const auto* r = a.Info.FindRound(std::stoi(season), std::stoi(round));
    ASSERT_NE(r, nullptr);
    const long long id = std::stoll(m.attribute("ID").value());
    if (std::string(m.child("matchLineup.asp").child_value("MatchType")) == "1") {
      ++league;
      EXPECT_EQ(r->LeagueMatchID, id);
    } else {
      ++other;
      EXPECT_EQ(r->OtherMatchID, id);
    }
  }
  EXPECT_EQ(league, 3 * 14);  // the archive ends in round 16, after the last league round
  EXPECT_GT(other, 20);
  for (int followed : a.Info.FollowedTeamIDs) {
    auto file = Parse(a.History() / "Matches" / (std::to_string(followed) + ".xml"));
    int count = 0;
    for (auto m : file.document_element().children("MatchData")) {
      ++count;
      EXPECT_EQ(std::string(m.child("matchLineup.asp").child("Team").child_value("TeamID")), std::to_string(followed));
    }
    EXPECT_EQ(count, 2 * 14) << followed;  // followed for the last two seasons
  }
}

TEST(SampleWorldArchive, TheTeamListTicksTheOwnAndTheFollowedTeams) {
  const auto& a = Archive();
  const std::string text = ReadWholeFile(a.Folder.Path() / "TeamList.kcf");
  std::vector<std::string> lines;
  std::regex line(R"(([01])\|(\d+)\|(\d+)\|([^|\r\n]+)\|\r\n)");
  for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it) lines.push_back((*it)[1].str() + (*it)[2].str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "1" + std::to_string(a.Info.OwnTeamID));
  EXPECT_EQ(lines[1], "1" + std::to_string(a.Info.FollowedTeamIDs[0]));
  EXPECT_EQ(lines[2], "1" + std::to_string(a.Info.FollowedTeamIDs[1]));
  EXPECT_EQ(lines[3][0], '0');
}

TEST(SampleWorldArchive, TheRecordFileHasEveryHeaderKeyAndOneSectionPerPlayer) {
  const auto& a = Archive();
  const auto& s = a.Info.Snapshots.front();
  const std::string text = ReadWholeFile(a.History() / s.FileName);
  EXPECT_EQ(text.find("[player"), text.find("\r\n\r\n[player") + 4);
  for (const char* key : {"leagueID", "teamID", "date", "season", "matchround", "countryID", "spelade", "placering",
                          "trLevel", "trTypeValue", "cash", "lastTotal", "seatTotal", "expandingVIP", "trainer"})
    EXPECT_NE(text.find(std::string("\r\n") + key + "="), std::string::npos) << key;
  EXPECT_NE(text.find("\r\ndate=" + s.Date + "\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nseason=" + std::to_string(s.Season) + "\r\n"), std::string::npos);
  int sections = 0, closings = 0;
  for (size_t at = 0; (at = text.find("[player", at)) != std::string::npos; ++at) ++sections;
  for (size_t at = 0; (at = text.find("TrainerSkill=", at)) != std::string::npos; ++at) ++closings;
  EXPECT_EQ(sections, s.SquadSize);
  EXPECT_EQ(closings, s.SquadSize);
}

TEST(SampleWorldArchive, TheCommandLineWritesTheFolderAndRejectsBadOptions) {
  TTempFolder tmp;
  auto ok = RunCli("demo '" + (tmp / "home").string() + "' --seasons 1 --seed 3 --round 5 --json");
  ASSERT_EQ(ok.ExitCode, 0) << ok.Err;
  EXPECT_NE(ok.Out.find("\"snapshots\""), std::string::npos);
  EXPECT_TRUE(fs::exists(tmp / "home" / "TeamList.kcf"));
  auto bad = RunCli("demo '" + (tmp / "other").string() + "' --seasons 0");
  EXPECT_NE(bad.ExitCode, 0);
  EXPECT_FALSE(fs::exists(tmp / "other" / "History"));
  // A second world would mix two clubs in one archive.
  const auto before = ReadTree(tmp / "home");
  auto again = RunCli("demo '" + (tmp / "home").string() + "' --seed 4");
  EXPECT_NE(again.ExitCode, 0);
  EXPECT_NE(again.Err.find("not empty"), std::string::npos);
  EXPECT_TRUE(ReadTree(tmp / "home") == before);
}
