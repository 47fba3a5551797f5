// The program's own readers load the sample world's archive and find in it what the generator says it made.
#include "TestSupport.h"
#include "core/MatchPage.h"
#include "core/PlayerList.h"
#include "core/Snapshot.h"
#include "core/TeamMatchFile.h"
#include "data/XMLArena.h"
#include "data/XMLClub.h"
#include "data/XMLEconomy.h"
#include "data/XMLLeague.h"
#include "data/XMLTeam.h"
#include "data/XMLTraining.h"
#include "data/TrainingData.h"
#include "data/XMLWorld.h"
#include "demo/SampleWorld.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;

namespace {

struct TArchive {
  TTempFolder Folder;
  TSampleWorldInfo Info;
  TArchive() {
    TSampleWorldOptions options;
    options.Seasons = 3;
    options.Seed = 19;
    options.LastRound = 11;
    WriteSampleWorld(Folder.Path(), options, &Info);
  }
  fs::path History() const { return Folder.Path() / "History"; }
};

const TArchive& Archive() {
  static TArchive archive;
  return archive;
}

const TSamplePlayerWeek* WeekOf(const TSamplePlayerHistory& p, int season, int round) {
  for (const auto& w : p.Weeks)
    if (w.Season == season && w.Round == round) return &w;
  return nullptr;
}

}  // namespace

TEST(SampleWorldReadBack, EverySnapshotLoadsWithItsRoundSquadAndTraining) {
  const auto& a = Archive();
  const auto complete = FindCompleteSnapshots(a.History());
  std::set<std::string> listed;
  for (const auto& p : complete) listed.insert(p.filename().string());
  int loaded = 0;
  for (const auto& s : a.Info.Snapshots) {
    if (s.Record) continue;
    SCOPED_TRACE(s.FileName);
    EXPECT_TRUE(listed.count(s.FileName));
    const fs::path players = a.History() / s.FileName;
    TXMLTeam team;
    team.Read(SnapshotSibling(players, TSnapshotKind::Team));
    TXMLLeague league(team);
    league.Read(SnapshotSibling(players, TSnapshotKind::League));
    TXMLTraining training;
    training.Read(SnapshotSibling(players, TSnapshotKind::Training));
    TXMLArena arena;
    arena.Read(SnapshotSibling(players, TSnapshotKind::Arena));
    TXMLEconomy economy;
    economy.Read(SnapshotSibling(players, TSnapshotKind::Economy));
    TXMLClub club;
    club.Read(SnapshotSibling(players, TSnapshotKind::Club));
    TXMLWorld world(team);
    world.Read(SnapshotSibling(players, TSnapshotKind::World));
    TPlayerList list;
    list.LoadFromPlayersFile(players);

    EXPECT_EQ(team.TeamID, std::to_string(a.Info.OwnTeamID));
    EXPECT_EQ(team.LeagueID, std::to_string(a.Info.OwnLeagueID));
    EXPECT_EQ(world.Season, s.Season);
    EXPECT_EQ(world.MatchRound, s.Round);
    EXPECT_EQ(world.CountryID, a.Info.OwnCountryID);
    EXPECT_EQ(world.FetchedDate, s.FetchedDate);
    EXPECT_EQ(league.Matches, std::min(s.Round - 1, 14));
    EXPECT_GE(league.Position, 1);
    EXPECT_EQ(arena.Total, arena.Terraces + arena.Basic + arena.Roof + arena.VIP);
    EXPECT_EQ(economy.ExpectedCash, economy.Cash + economy.ExpectedWeeksTotal);
    EXPECT_EQ(economy.IncomeSum - economy.CostsSum, economy.ExpectedWeeksTotal);
    EXPECT_EQ(list.Count(), s.SquadSize);
    const auto* round = a.Info.FindRound(s.Season, s.Round);
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(training.TrainingType, round->TrainingType);
    EXPECT_EQ(training.TrainerID, round->CoachID);
    EXPECT_EQ(team.TrainerPlayerID, round->CoachID);
    const int coach = list.IndexOfID(round->CoachID);
    ASSERT_GT(coach, 0);
    EXPECT_EQ(list[coach].TrainerSkill, std::to_string(round->CoachLevel));
    if (s.Early) continue;  // the early download shows the squad before the week's training
    for (const auto& p : list) {
      const auto* history = a.Info.FindPlayer(p.PlayerID);
      ASSERT_NE(history, nullptr);
      EXPECT_EQ(p.PlayerName, history->Name);
      const auto* week = WeekOf(*history, s.Season, s.Round);
      ASSERT_NE(week, nullptr);
      EXPECT_EQ(p.Age, week->Age);
      for (int k = 0; k < SampleSkillCount; ++k) EXPECT_EQ(p.GetBaseSkill(k + 3), week->Skills[k]) << p.PlayerName;
    }
    ++loaded;
  }
  EXPECT_GT(loaded, 30);
  EXPECT_EQ(complete.size(), a.Info.Snapshots.size() - 1);  // all but the record file
}

TEST(SampleWorldReadBack, TheRecordFileLoadsTheFirstRoundsSquad) {
  const auto& a = Archive();
  const auto& s = a.Info.Snapshots.front();
  ASSERT_TRUE(s.Record);
  TPlayerList list;
  list.LoadFromRecordFile(a.History() / s.FileName);
  ASSERT_EQ(list.Count(), s.SquadSize);
  for (const auto& p : list) {
    const auto* history = a.Info.FindPlayer(p.PlayerID);
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(p.PlayerName, history->Name);
    const auto& week = history->Weeks.front();
    EXPECT_EQ(p.Age, week.Age);
    for (int k = 0; k < SampleSkillCount; ++k) EXPECT_EQ(p.GetBaseSkill(k + 3), week.Skills[k]);
  }
}

TEST(SampleWorldReadBack, EveryStoredMatchReadsIntoAMatchRecordOfItsClub) {
  const auto& a = Archive();
  std::vector<int> teams = {a.Info.OwnTeamID};
  teams.insert(teams.end(), a.Info.FollowedTeamIDs.begin(), a.Info.FollowedTeamIDs.end());
  size_t read = 0;
  for (int teamID : teams) {
    TTeamMatchFile file;
    file.LoadFromFile(TTeamMatchFile::PathOf(a.History() / "Matches", std::to_string(teamID)));
    for (const auto& node : file.Matches()) {
      TMatchPage page;
      page.ReadMatchData(node);
      const auto& info = a.Info.Matches[read++];
      ASSERT_EQ(info.FileTeamID, teamID);
      EXPECT_EQ(page.MatchID, info.MatchID);
      EXPECT_EQ(page.MatchType, info.MatchType);
      EXPECT_EQ(page.HomeGoals, info.HomeGoals);
      EXPECT_EQ(page.AwayGoals, info.AwayGoals);
      EXPECT_EQ(page.MatchDate, info.MatchDate);
      EXPECT_GT(page.RatingMidfield, 0);
      EXPECT_GT(page.SoldVIP, 0);
      EXPECT_NE(page.Lineup[1].PlayerID, 0);
      EXPECT_EQ(page.Lineup[1].PositionCode, 1);
      EXPECT_GT(page.Lineup[1].RatingStars, 0);
      if (teamID == a.Info.OwnTeamID) {
        // The own matches are read from the own side (the one with an attitude).
        const bool home = page.HomeTeamID == std::to_string(teamID);
        EXPECT_TRUE(home || page.AwayTeamID == std::to_string(teamID));
        const auto* round = a.Info.FindRound(info.Season, info.Round);
        ASSERT_NE(round, nullptr);
        EXPECT_EQ(info.MatchType == 1 ? round->LeagueMatchID : round->OtherMatchID, info.MatchID);
      }
    }
  }
  EXPECT_EQ(read, a.Info.Matches.size());
}

TEST(SampleWorldReadBack, TheSquadTrainsAtThePaceOfTheProgramsWeeklyIncrement) {
  // What the history store estimates is what the world's players really progressed, week by week.
  const auto& a = Archive();
  int compared = 0, trained = 0;
  for (const auto& p : a.Info.Players) {
    if (p.Coach) continue;
    for (size_t i = 1; i < p.Weeks.size(); ++i) {
      const auto& x = p.Weeks[i - 1];
      const auto& y = p.Weeks[i];
      const auto* round = a.Info.FindRound(y.Season, y.Round);
      ASSERT_NE(round, nullptr);
      const bool everyone = round->TrainingType == 1 || round->TrainingType == 2;
      if (y.InjuryLevel >= 1 || (everyone ? round->OtherMatchID == 0 : y.TrainedPosition == 0)) continue;
      for (int k = 0; k < SampleSkillCount; ++k) {
        if (y.Skills[k] != x.Skills[k] || x.Skills[k] >= (k == 0 ? 9 : 20)) continue;  // changed, or at the top
        const double step = GetTrainingIncrement(k + 3, everyone ? 0 : y.TrainedPosition, round->StaminaTrainingPart,
                                                 round->TrainingLevel, round->CoachLevel, round->TrainingType, y.Age);
        EXPECT_NEAR(y.Progress[k], x.Progress[k] + step, 1e-9) << p.Name << " " << y.Season << "-" << y.Round;
        ++compared;
        trained += step > 0;
      }
    }
  }
  EXPECT_GT(compared, 1000);
  EXPECT_GT(trained, 100);
}
