// The sample world as the local game server uses it: one round at a time, with the interface's answers
// derived from the same world as the archive, and a calendar the match download can place matches in.
#include "TestSupport.h"
#include "demo/SampleWorld.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <set>

namespace {

pugi::xml_document Doc(const std::string& text) {
  pugi::xml_document doc;
  auto result = doc.load_string(text.c_str());
  EXPECT_TRUE(result) << result.description();
  return doc;
}

int Int(pugi::xml_node node, const char* path) { return std::stoi(node.first_element_by_path(path).child_value()); }

TSampleWorldOptions Options(int seasons, int lastRound, uint64_t seed = 11) {
  TSampleWorldOptions o;
  o.Seasons = seasons;
  o.LastRound = lastRound;
  o.Seed = seed;
  return o;
}

// Days between two "yyyy-mm-dd hh:nn:ss" moments, as whole days of the first date to the second.
int DaysBetween(const std::string& a, const std::string& b) {
  auto days = [](const std::string& s) {
    int y = std::stoi(s.substr(0, 4)), m = std::stoi(s.substr(5, 2)), d = std::stoi(s.substr(8, 2));
    y -= m <= 2;
    const int era = y / 400, yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy;
  };
  return days(b) - days(a);
}

}  // namespace

TEST(SampleWorldServer, AdvancingMovesOneRoundAndPassesIntoTheNextSeason) {
  TSampleWorld world(Options(2, 16));
  EXPECT_EQ(world.Round(), 1);
  const int first = world.Season();
  EXPECT_EQ(first, world.Info().FirstSeason);
  for (int i = 0; i < 15; ++i) world.AdvanceRound();
  EXPECT_EQ(world.Round(), 16);
  EXPECT_EQ(world.Season(), first);
  world.AdvanceRound();
  EXPECT_EQ(world.Round(), 1);
  EXPECT_EQ(world.Season(), first + 1);
  world.RunToEnd();
  EXPECT_TRUE(world.AtEnd());
  const std::string before = world.FetchedDate();
  world.AdvanceRound();  // the server may play on past the archive
  EXPECT_EQ(world.Season(), world.Info().LastSeason + 1);
  EXPECT_EQ(world.Round(), 1);
  EXPECT_LT(before, world.FetchedDate());
  EXPECT_EQ(DaysBetween(before, world.FetchedDate()) / 7, 1);
}

TEST(SampleWorldServer, AnswersOfTheLastRoundAreTheArchivesNewestSnapshot) {
  TTempFolder folder;
  TSampleWorldInfo info;
  WriteSampleWorld(folder.Path(), Options(1, 9), &info);
  TSampleWorld world(Options(1, 9));
  world.RunToEnd();
  const auto& newest = info.Snapshots.back();
  EXPECT_EQ(world.FetchedDate(), newest.FetchedDate);
  for (int i = 0; i < SampleOwnFileCount - 1; ++i)
    EXPECT_EQ(world.OwnTeamFile(i), ReadWholeFile(folder / "History" / (newest.Date + " " + SampleOwnFileKind(i) + ".xml")))
        << SampleOwnFileKind(i);
  EXPECT_EQ(world.OwnTeamFileByRequest("players"), world.OwnTeamFile(2));
  EXPECT_EQ(world.OwnTeamFileByRequest("worlddetails"), world.OwnTeamFile(8));
  EXPECT_FALSE(world.OwnTeamFileByRequest("matchdetails"));
  // The server's world file lists every league (the download trims it).
  auto worldFile = Doc(world.OwnTeamFile(8));
  EXPECT_GT(worldFile.document_element().child("LeagueList").select_nodes("League").size(), 1u);
}

TEST(SampleWorldServer, AskingForAnswersDoesNotChangeTheWorld) {
  TSampleWorld quiet(Options(1, 16, 5)), asked(Options(1, 16, 5));
  for (int round = 1; round < 12; ++round) {
    for (int id : asked.TeamIDs()) {
      asked.MatchesFile(id);
      asked.MatchLineupFile(0, id);
      asked.TeamDetailsFile(id);
    }
    for (int unit : asked.UnitIDs()) {
      asked.LeagueDetailsFile(unit);
      asked.LeagueFixturesFile(unit, 0);
    }
    asked.RecordFileText();
    asked.AdvanceRound();
    quiet.AdvanceRound();
  }
  for (int i = 0; i < SampleOwnFileCount; ++i) EXPECT_EQ(asked.OwnTeamFile(i), quiet.OwnTeamFile(i));
}

TEST(SampleWorldServer, TheMatchDownloadPlacesEveryLatestMatchInItsRound) {
  // The "Last match" download derives the round from the league table and the matches list; the world's
  // calendar must agree with that derivation week after week.
  int checked = 0;
  for (uint64_t seed : {3, 4, 5, 6}) {
    for (TSampleWorld world(Options(2, 16, seed)); !world.AtEnd(); world.AdvanceRound()) {
      const int ownID = world.Info().OwnTeamID;
      const std::string lineupText = world.MatchLineupFile(0, 0);
      if (lineupText.empty()) continue;
      auto lineupDoc = Doc(lineupText);
      auto lineup = lineupDoc.document_element();
      const long long matchID = std::stoll(lineup.child_value("MatchID"));
      const int type = Int(lineup, "MatchType");
      int s = Doc(world.LeagueFixturesFile(0, 0)).document_element().child("Season").text().as_int();
      int r = Int(Doc(world.LeagueDetailsFile(0)).document_element(), "Team/Matches");
      const int limit = s * 100 + r + 1;
      auto matchesDoc = Doc(world.MatchesFile(ownID));
      auto matches = matchesDoc.document_element().child("Team").child("MatchList");
      int leagueSeen = 0, leagueAfter = 0;
      bool passed = false;
      std::string thisDate, firstLeagueDate;
      for (auto m : matches.children("Match")) {
        if (std::string(m.child_value("Status")) != "FINISHED") break;
        const bool league = std::string(m.child_value("MatchType")) == "1";
        if (league) {
          ++leagueSeen;
          if (firstLeagueDate.empty()) firstLeagueDate = m.child_value("MatchDate");
          if (passed) ++leagueAfter;
        }
        if (std::stoll(m.child_value("MatchID")) == matchID) {
          passed = true;
          thisDate = m.child_value("MatchDate");
        }
      }
      ASSERT_TRUE(passed) << "the latest match is in the matches list";
      auto move = [&](int d) {
        r += d;
        if (r < 1) {
          r += 14;
          --s;
        }
        while (r > 16) {
          r -= 16;
          ++s;
        }
      };
      if (type == 1) move(-leagueAfter);
      else if (type == 3) move(1 - leagueAfter);
      else {
        move(-(leagueSeen - 1));
        if (!firstLeagueDate.empty() && firstLeagueDate < thisDate) move(DaysBetween(firstLeagueDate, thisDate) / 7 + 1);
      }
      const auto* round = world.Info().FindRound(s, r);
      ASSERT_NE(round, nullptr) << s << "-" << r;
      EXPECT_EQ(type == 1 ? round->LeagueMatchID : round->OtherMatchID, matchID) << s << "-" << r;
      EXPECT_TRUE(r == 15 || r == 16 || s * 100 + r <= limit);
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(SampleWorldServer, FixturesTablesAndMatchDetailsTellTheSameResults) {
  TSampleWorld world(Options(2, 9, 21));
  world.RunToEnd();
  const int round = world.Round();
  auto fixturesDoc = Doc(world.LeagueFixturesFile(0, 0));
  auto fixtures = fixturesDoc.document_element();
  EXPECT_EQ(Int(fixtures, "LeagueLevelUnitID"), world.Info().OwnUnitID);
  EXPECT_EQ(Int(fixtures, "Season"), world.Info().LastSeason);
  std::map<int, int> points;
  int k = 0, played = 0;
  std::map<int, std::set<int>> teamsOfRound;
  for (auto m : fixtures.children("Match")) {
    const int matchRound = Int(m, "MatchRound");
    EXPECT_EQ(matchRound, k / 4 + 1);  // four matches a round, in round order
    ++k;
    const int home = Int(m, "HomeTeam/HomeTeamID"), away = Int(m, "AwayTeam/AwayTeamID");
    EXPECT_TRUE(teamsOfRound[matchRound].insert(home).second);
    EXPECT_TRUE(teamsOfRound[matchRound].insert(away).second);
    const bool isPlayed = !std::string(m.child_value("HomeGoals")).empty();
    EXPECT_EQ(isPlayed, matchRound < round);
    if (!isPlayed) {
      EXPECT_EQ(world.MatchDetailsFile(std::stoll(m.child_value("MatchID"))), "");
      continue;
    }
    ++played;
    const int hg = Int(m, "HomeGoals"), ag = Int(m, "AwayGoals");
    points[home] += hg > ag ? 3 : hg == ag ? 1 : 0;
    points[away] += ag > hg ? 3 : hg == ag ? 1 : 0;
    auto detailsDoc = Doc(world.MatchDetailsFile(std::stoll(m.child_value("MatchID"))));
    auto details = detailsDoc.document_element();
    EXPECT_EQ(Int(details, "Match/HomeTeam/HomeGoals"), hg);
    EXPECT_EQ(Int(details, "Match/AwayTeam/AwayGoals"), ag);
    auto lineupDoc = Doc(world.MatchLineupFile(std::stoll(m.child_value("MatchID")), away));
    auto lineup = lineupDoc.document_element();
    EXPECT_EQ(Int(lineup, "Team/TeamID"), away);
    EXPECT_GE(lineup.child("Team").child("Lineup").select_nodes("Player").size(), 18u);
  }
  EXPECT_EQ(k, 56);
  EXPECT_EQ(played, 4 * (round - 1));
  auto tableDoc = Doc(world.LeagueDetailsFile(0));
  auto table = tableDoc.document_element();
  int position = 0;
  for (auto t : table.children("Team")) {
    EXPECT_EQ(Int(t, "Position"), ++position);
    EXPECT_EQ(Int(t, "Matches"), round - 1);
    EXPECT_EQ(Int(t, "Points"), points[Int(t, "TeamID")]);
  }
  EXPECT_EQ(position, 8);
  EXPECT_EQ(world.MatchDetailsFile(1), "");
  EXPECT_EQ(world.MatchLineupFile(std::stoll(fixtures.child("Match").child_value("MatchID")), 1), "");
}

TEST(SampleWorldServer, AFollowedForeignTeamHasItsOwnLeaguesSeasonAndTeamDetails) {
  TSampleWorld world(Options(3, 12, 8));
  world.RunToEnd();
  const int followed = world.Info().FollowedTeamIDs[1];
  auto teamDoc = Doc(world.TeamDetailsFile(followed));
  auto team = teamDoc.document_element().child("Team");
  EXPECT_EQ(Int(team, "TeamID"), followed);
  const int unit = Int(team, "LeagueLevelUnit/LeagueLevelUnitID");
  const int leagueID = Int(team, "League/LeagueID");
  EXPECT_NE(leagueID, world.Info().OwnLeagueID);
  int leagueSeason = 0;
  auto worldDoc = Doc(world.OwnTeamFile(8));
  for (auto l : worldDoc.document_element().child("LeagueList").children("League"))
    if (Int(l, "LeagueID") == leagueID) leagueSeason = Int(l, "Season");
  auto fixturesDoc = Doc(world.LeagueFixturesFile(unit, 0));
  auto fixtures = fixturesDoc.document_element();
  EXPECT_EQ(Int(fixtures, "Season"), leagueSeason);
  auto lastSeasonDoc = Doc(world.LeagueFixturesFile(unit, leagueSeason - 1));
  auto lastSeason = lastSeasonDoc.document_element();
  EXPECT_EQ(Int(lastSeason, "Season"), leagueSeason - 1);
  EXPECT_EQ(lastSeason.select_nodes("Match/HomeGoals").size(), 56u);  // a past season is complete
  EXPECT_EQ(world.LeagueFixturesFile(unit, leagueSeason + 1), "");
  EXPECT_EQ(world.TeamDetailsFile(1), "");
  EXPECT_EQ(Int(Doc(world.TeamDetailsFile(0)).document_element(), "Team/TeamID"), world.Info().OwnTeamID);
}
