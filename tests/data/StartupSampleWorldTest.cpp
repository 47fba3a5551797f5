// The start-up loader on a generated sample world, checked against the generator's own account of what it
// wrote: one page per round (the later download of a doubled round), the matches of each round, and the
// training estimates of the squad.
#include "core/Snapshot.h"
#include "data/Startup.h"
#include "data/History.h"
#include "data/TrainingData.h"
#include "demo/SampleWorld.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;

namespace {
struct TLoadedWorld {
  TTempFolder Folder;
  TSampleWorldInfo Info;
  THistory History;
  std::vector<std::string> LoadErrors;

  explicit TLoadedWorld(int seasons, bool limit = false) {
    TSampleWorldOptions options;
    options.Seasons = seasons;
    options.Seed = 11;
    options.LastRound = 9;
    WriteSampleWorld(Folder.Path(), options, &Info);
    TStartupSettings settings;
    settings.HistoryFolder = Folder / "History";
    settings.ObsoleteFolder = settings.HistoryFolder / "Obsolete";
    settings.MatchesFolder = settings.HistoryFolder / "Matches";
    settings.LimitHistoryDataLoading = limit;
    settings.SuspendAtEnd = false;
    TStartup startup(History, settings);
    startup.RunHere();
    LoadErrors = startup.LoadErrors();
  }

  // The snapshot the loader keeps of each round: the later download.
  std::map<std::pair<int, int>, const TSampleSnapshotInfo*> Expected() const {
    std::map<std::pair<int, int>, const TSampleSnapshotInfo*> kept;
    for (const auto& s : Info.Snapshots) {
      auto& k = kept[{s.Season, s.Round}];
      if (!k || k->FetchedDate < s.FetchedDate) k = &s;
    }
    return kept;
  }
};

TLoadedWorld& World() {
  static TLoadedWorld world(6);
  return world;
}
}  // namespace

TEST(StartupSampleWorld, EveryRoundBecomesOnePageFromItsLaterDownload) {
  TLoadedWorld& w = World();
  EXPECT_TRUE(w.LoadErrors.empty());
  const auto expected = w.Expected();
  ASSERT_EQ(w.History.Count(), static_cast<int>(expected.size()));
  int index = 1;
  for (const auto& [round, snapshot] : expected) {
    const THistoryPage& page = w.History.Page(index++);
    EXPECT_EQ(page.World.Season, round.first);
    EXPECT_EQ(page.World.MatchRound, round.second);
    EXPECT_EQ(fs::path(page.FileName).filename().string(), snapshot->FileName);
    EXPECT_EQ(page.IsXml, !snapshot->Record);
    EXPECT_EQ(page.Players.Count(), snapshot->SquadSize);
    if (!snapshot->Record) {
      EXPECT_EQ(page.World.FetchedDate, snapshot->FetchedDate);
    }
    EXPECT_EQ(page.Team.TeamID, std::to_string(w.Info.OwnTeamID));
  }
  // Earlier downloads of past rounds went to the obsolete folder, that of the current round stayed.
  const fs::path history = w.Folder / "History";
  int moved = 0;
  for (const auto& s : w.Info.Snapshots) {
    if (!s.Early) continue;
    const bool current = s.Season == w.Info.LastSeason && s.Round == w.Info.LastRound;
    EXPECT_EQ(fs::exists(history / s.FileName), current) << s.FileName;
    EXPECT_EQ(fs::exists(history / "Obsolete" / s.FileName), !current) << s.FileName;
    moved += !current;
  }
  EXPECT_GT(moved, 0);
}

TEST(StartupSampleWorld, EachPageHoldsTheMatchesOfItsRound) {
  TLoadedWorld& w = World();
  int league = 0, other = 0;
  for (int i = 1; i <= w.History.Count(); ++i) {
    const THistoryPage& page = w.History.Page(i);
    const TSampleRoundInfo* round = w.Info.FindRound(page.World.Season, page.World.MatchRound);
    ASSERT_NE(round, nullptr);
    // The league match of the archive's last round is not played yet.
    const bool played = !(page.World.Season == w.Info.LastSeason && page.World.MatchRound == w.Info.LastRound);
    EXPECT_EQ(page.LeagueMatch.MatchID, played ? round->LeagueMatchID : 0) << page.World.RoundLabel();
    EXPECT_EQ(page.OtherMatch.MatchID, round->OtherMatchID) << page.World.RoundLabel();
    league += page.LeagueMatch.HasMatch();
    other += page.OtherMatch.HasMatch();
  }
  EXPECT_GT(league, 20);
  EXPECT_GT(other, 20);
}

TEST(StartupSampleWorld, PagesCarryTheTrainingAndCoachOfTheirWeek) {
  TLoadedWorld& w = World();
  for (int i = 1; i <= w.History.Count(); ++i) {
    THistoryPage& page = w.History.Page(i);
    const TSampleRoundInfo* round = w.Info.FindRound(page.World.Season, page.World.MatchRound);
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(page.Training.TrainingType, round->TrainingType);
    EXPECT_EQ(page.Training.TrainingLevel, round->TrainingLevel);
    if (page.IsXml) {
      EXPECT_EQ(page.Training.StaminaTrainingPart, round->StaminaTrainingPart);
    }
    ASSERT_NE(page.GetTrainer(), nullptr) << page.World.RoundLabel();
    EXPECT_EQ(page.GetTrainer()->PlayerID, round->CoachID);
    EXPECT_EQ(page.GetTrainer()->TrainerSkill, std::to_string(round->CoachLevel));
  }
}

namespace {
// What the generator's training gave a player in the week of page j (skill index 0..7), from its account.
struct TGeneratorWeek {
  const TSamplePlayerWeek* Week = nullptr;
  const TSamplePlayerWeek* Before = nullptr;  // the week before, for the level and age at training time
};

TGeneratorWeek FindWeek(const TSamplePlayerHistory& p, int season, int round) {
  for (size_t k = 0; k < p.Weeks.size(); ++k)
    if (p.Weeks[k].Season == season && p.Weeks[k].Round == round)
      return {&p.Weeks[k], k > 0 ? &p.Weeks[k - 1] : nullptr};
  return {};
}

bool IsTrained(int trainingType, int skill) {
  const TTrainingType& t = TTrainingData[static_cast<size_t>(trainingType)];
  return t.Skill1 == skill + 3 || t.Skill2 == skill + 3;
}
}  // namespace

TEST(StartupSampleWorld, TrainingEstimatesFollowTheGeneratorsTraining) {
  TLoadedWorld& w = World();
  std::map<std::pair<int, int>, int> pageOf;
  for (int i = 1; i <= w.History.Count(); ++i)
    pageOf[{w.History.Page(i).World.Season, w.History.Page(i).World.MatchRound}] = i;
  // Page j follows page j - 1 by exactly one game week.
  auto consecutive = [&](int j) {
    if (j < 2) return false;
    const auto& a = w.History.Page(j - 1).World;
    const auto& b = w.History.Page(j).World;
    return (a.Season == b.Season && a.MatchRound + 1 == b.MatchRound) ||
           (a.Season + 1 == b.Season && a.MatchRound == 16 && b.MatchRound == 1);
  };
  auto inBench = [](const TMatchPage& m, int64_t id) {
    const int slot = m.IndexOfPlayer(static_cast<int32_t>(id));
    return slot >= 12 && slot <= 18;
  };
  // The generator's increment of page j's week for one skill.
  auto generated = [&](int j, const TSamplePlayerHistory& p, int skill) -> std::optional<double> {
    const THistoryPage& page = w.History.Page(j);
    const TGeneratorWeek g = FindWeek(p, page.World.Season, page.World.MatchRound);
    if (!g.Week || !g.Before || p.Coach) return std::nullopt;
    const TSampleRoundInfo* r = w.Info.FindRound(page.World.Season, page.World.MatchRound);
    const TSampleRoundInfo* before = w.Info.FindRound(w.History.Page(j - 1).World.Season,
                                                      w.History.Page(j - 1).World.MatchRound);
    // The game does not train injured players; the program's estimate does not know about injuries.
    if (g.Week->InjuryLevel >= 1) return std::nullopt;
    if (!IsTrained(r->TrainingType, skill)) return 0.0;
    if (g.Before->Skills[static_cast<size_t>(skill)] >= (skill == 0 ? 9 : 20)) return 0.0;
    const bool everyone = r->TrainingType == 1 || r->TrainingType == 2;
    const bool anyMatch = r->OtherMatchID != 0 || before->LeagueMatchID != 0;
    const int position = everyone ? 0 : g.Week->TrainedPosition;
    if (everyone ? !anyMatch : position == 0) return 0.0;
    return GetTrainingIncrement(skill + 3, position, r->StaminaTrainingPart, r->TrainingLevel, r->CoachLevel,
                                r->TrainingType, g.Before->Age);
  };

  // 1. Week by week: where the game's rule and the program's reading meet (the player is not only on a bench,
  //    which the program counts as a forward's position, and no birthday falls between training and download),
  //    the program's increment is the generator's.
  int weeksCompared = 0, trainedWeeks = 0;
  for (int j = 2; j <= w.History.Count(); ++j) {
    if (!consecutive(j)) continue;
    const THistoryPage& page = w.History.Page(j);
    const int type = page.Training.TrainingType;
    if (type == 1 || type == 2) continue;
    for (const TPlayer& player : page.Players) {
      const TSamplePlayerHistory* p = w.Info.FindPlayer(player.PlayerID);
      ASSERT_NE(p, nullptr);
      if (inBench(page.OtherMatch, player.PlayerID) ||
          (!page.OtherMatch.IndexOfPlayer(static_cast<int32_t>(player.PlayerID)) &&
           inBench(w.History.Page(j - 1).LeagueMatch, player.PlayerID)))
        continue;
      const TGeneratorWeek g = FindWeek(*p, page.World.Season, page.World.MatchRound);
      if (!g.Before || g.Before->Age != player.Age) continue;
      for (int skill = 0; skill < SampleSkillCount; ++skill) {
        const auto expected = generated(j, *p, skill);
        if (!expected) continue;
        EXPECT_NEAR(w.History.GetWeeklyIncrement(j, player.PlayerID, skill + 3, true), *expected, 1.01e-4)
            << page.World.RoundLabel() << " " << player.PlayerID << " skill " << skill + 3;
        ++weeksCompared;
        trainedWeeks += *expected > 0;
      }
    }
  }
  EXPECT_GT(trainedWeeks, 200);
  EXPECT_GT(weeksCompared, 5000);

  // 2. The estimate: over every window from a level change seen in the archive up to a page, in which each
  //    week's increment is the generator's, the program's sum is the generator's progress (capped at 0.99).
  int estimates = 0, nonZero = 0;
  for (int n = 2; n <= w.History.Count(); ++n) {
    const THistoryPage& last = w.History.Page(n);
    for (const TPlayer& player : last.Players) {
      const TSamplePlayerHistory* p = w.Info.FindPlayer(player.PlayerID);
      if (!p || p->Coach) continue;
      for (int skill = 0; skill < SampleSkillCount; ++skill) {
        const int code = skill + 3;
        if (player.Age >= 30 && code != 3 && code != 10) continue;
        if (player.GetBaseSkill(code) >= (code == 3 ? 8 : 20)) continue;
        bool clean = true, changeSeen = false;
        int weeks = 0;
        for (int j = n; j >= 2 && clean; --j) {
          const TPlayer* now = w.History.Page(j).FindPlayer(player.PlayerID);
          const TPlayer* before = w.History.Page(j - 1).FindPlayer(player.PlayerID);
          if (!now || !before || !consecutive(j)) {
            clean = false;
            break;
          }
          if (before->GetBaseSkill(code) != now->GetBaseSkill(code)) {
            changeSeen = true;
            break;
          }
          const auto expected = generated(j, *p, skill);
          const TGeneratorWeek g = FindWeek(*p, w.History.Page(j).World.Season, w.History.Page(j).World.MatchRound);
          clean = expected && g.Before->Age == now->Age &&
                  std::abs(w.History.GetWeeklyIncrement(j, player.PlayerID, code, true) - *expected) < 1.01e-4;
          ++weeks;
        }
        if (!clean || !changeSeen) continue;
        const TGeneratorWeek g = FindWeek(*p, last.World.Season, last.World.MatchRound);
        const double progress = std::min(g.Week->Progress[static_cast<size_t>(skill)], 0.99);
        EXPECT_NEAR(w.History.GetTrainingProgress(static_cast<int32_t>(player.PlayerID), code, true, n), progress,
                    1.01e-4 * (weeks + 1))
            << last.World.RoundLabel() << " " << player.PlayerID << " skill " << code;
        ++estimates;
        nonZero += progress > 0;
      }
    }
  }
  EXPECT_GT(estimates, 50);
  EXPECT_GT(nonZero, 20);
}

TEST(StartupSampleWorld, SeasonLimitKeepsTheNewestThreeSeasons) {
  TLoadedWorld w(5, true);
  ASSERT_GT(w.History.Count(), 0);
  EXPECT_EQ(w.History.Page(1).World.Season, w.Info.LastSeason - 2);
  EXPECT_EQ(w.History.Latest().World.Season, w.Info.LastSeason);
  int expected = 0;
  for (const auto& [round, snapshot] : w.Expected()) expected += round.first >= w.Info.LastSeason - 2;
  EXPECT_EQ(w.History.Count(), expected);
}
