#include "TeamSelectTestSquads.h"

#include "core/Errors.h"
#include "core/Utils.h"
#include "core/Worker.h"
#include "ratings/Combinations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

using namespace teamselecttest;

namespace {
// Field candidates added straight to the selector (no keepers among them).
void AddField(TTeamSelect& select, int count, int firstId = 1) {
  for (int i = 0; i < count; ++i) select.FieldCandidates().Add(MakePlayer(firstId + i, FieldSkills(4 + i % 9)));
}

std::set<int64_t> IdsIn(const TTeam& team, int first, int last) {
  std::set<int64_t> ids;
  for (int slot = first; slot <= last; ++slot)
    if (team.GetSlot(slot)) ids.insert(team.GetSlot(slot)->PlayerID);
  return ids;
}
}  // namespace

TEST(TeamSelect, PrepareMovesKeepersInReverseOrderAndGivesTheSelectorsSettings) {
  TPlayerList squad(wDisabled, false, false);
  squad.Add(MakePlayer(1, FieldSkills(8)));
  squad.Add(MakePlayer(2, KeeperSkills(12)));
  squad.Add(MakePlayer(3, FieldSkills(6)));
  squad.Add(MakePlayer(4, KeeperSkills(10)));
  squad.Add(MakePlayer(5, FieldSkills(7)));
  squad[5].InLineup = true;

  TTeamSelect select(wSunny, false, true);
  ASSERT_TRUE(select.Prepare(squad));
  std::vector<int64_t> field, keepers;
  for (const TPlayer& p : select.FieldCandidates()) field.push_back(p.PlayerID);
  for (const TPlayer& p : select.KeeperCandidates()) keepers.push_back(p.PlayerID);
  EXPECT_EQ(field, (std::vector<int64_t>{1, 3, 5}));
  EXPECT_EQ(keepers, (std::vector<int64_t>{4, 2}));
  for (const TPlayer& p : select.FieldCandidates()) {
    EXPECT_EQ(p.Weather, wSunny);
    EXPECT_TRUE(p.IgnoreForm);
    EXPECT_FALSE(p.InLineup);
  }
  // The squad itself is untouched.
  EXPECT_EQ(squad.Count(), 5);
  EXPECT_EQ(squad[1].Weather, wDisabled);

  select.RemoveFieldCandidate(1);
  EXPECT_EQ(select.FieldCandidates()[1].PlayerID, 3);
  EXPECT_EQ(select.FieldCandidates()[2].PlayerID, 5);
  EXPECT_THROW(select.RemoveFieldCandidate(3), ERangeError);
  EXPECT_THROW(select.FixKeeperCandidate(1, 11), ERangeError);

  // Changed settings of the main window reach the next candidates.
  ASSERT_TRUE(select.SetRatingSettings(wRainy, false, false));
  select.Prepare(squad);
  EXPECT_EQ(select.FieldCandidates()[1].Weather, wRainy);
  EXPECT_FALSE(select.FieldCandidates()[1].IgnoreForm);
}

TEST(TeamSelect, KeepersTakeTheirPlacesAndTheDisplacedKeeperBecomesSubstitute) {
  struct {
    std::vector<double> Keepers;  // keeper skills in candidate order
    double Fixed;                 // a fixed keeper's skill, 0 for none
    int64_t Keeper, Substitute;   // expected IDs (candidate i has ID 100 + i, the fixed keeper 99)
  } const cases[] = {
      {{10, 12, 11}, 0, 102, 103}, {{12, 10}, 0, 101, 102}, {{11, 11}, 0, 101, 102},
      {{10, 11, 12}, 0, 103, 102}, {{11, 10, 12}, 0, 103, 101}, {{12, 10}, 8, 99, 101},
      {{9}, 0, 101, 0},            {{}, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case with " << c.Keepers.size() << " keepers, fixed " << c.Fixed);
    TTeamSelect select(wDisabled, false, false);
    select.Prepare(TPlayerList());
    for (size_t i = 0; i < c.Keepers.size(); ++i)
      select.KeeperCandidates().Add(MakePlayer(101 + int(i), KeeperSkills(c.Keepers[i])));
    if (c.Fixed > 0) {
      select.KeeperCandidates().Add(MakePlayer(99, KeeperSkills(c.Fixed)));
      select.FixKeeperCandidate(select.KeeperCandidates().Count());
    }
    ASSERT_TRUE(select.Run(RolesOf(442)));
    EXPECT_EQ(IdAt(select.WorkingTeam(), 0), c.Keeper);
    EXPECT_EQ(IdAt(select.WorkingTeam(), 15), c.Substitute);
  }
}

TEST(TeamSelect, FixedPlayersKeepTheirSlotsAndTheSubstitutesComeFromTheRest) {
  TTeamSelect select(wDisabled, false, false);
  select.Prepare(TPlayerList());
  select.KeeperCandidates().Add(MakePlayer(90, KeeperSkills(12)));
  AddField(select, 12);
  // A forward in a central defender's place and a defender up front: Optimise would swap them at once.
  select.FieldCandidates().Add(MakePlayer(50, TSkills{.Scoring = 16}));
  select.FieldCandidates().Add(MakePlayer(51, TSkills{.Defending = 16}));
  select.FixFieldCandidate(13, 1);
  select.FixFieldCandidate(13, 10);
  ASSERT_EQ(select.FieldCandidates().Count(), 12);
  EXPECT_EQ(select.WorkingTeam().FixedCount(), 2);

  for (bool reference : {true, false}) {
    select.SetReference(reference);
    ASSERT_TRUE(select.Run(RolesOf(442)));
    const TTeam& best = select.BestTeam();
    EXPECT_EQ(IdAt(best, 1), 50);
    EXPECT_EQ(IdAt(best, 10), 51);
    EXPECT_TRUE(best.GetSlot(1)->InLineup);
    // C(12, 8) starters, then four substitutes from the four left: the bench is used although only 12
    // candidates were left.
    EXPECT_EQ(select.Total(), 495u + 1u);
    EXPECT_EQ(select.Tried(), 496u);
    EXPECT_EQ(IdsIn(best, 11, 14).size(), 4u);
    for (int64_t id : IdsIn(best, 11, 14)) EXPECT_EQ(IdsIn(best, 1, 10).count(id), 0u);
    EXPECT_TRUE(select.Complete()) << select.Error();
    // The next search starts from the full list again.
    select.Prepare(TPlayerList());
    select.KeeperCandidates().Add(MakePlayer(90, KeeperSkills(12)));
    AddField(select, 12);
    select.FieldCandidates().Add(MakePlayer(50, TSkills{.Scoring = 16}));
    select.FieldCandidates().Add(MakePlayer(51, TSkills{.Defending = 16}));
    select.FixFieldCandidate(13, 1);
    select.FixFieldCandidate(13, 10);
  }
}

TEST(TeamSelect, EqualLineupsKeepTheOneVisitedFirst) {
  // Nine strong players and two identical weak ones (candidates 3 and 7): one twin has to play. The
  // lineup without candidate 7 comes before the one without candidate 3.
  for (int threads : {0, 1, 2, 5}) {
    for (bool reference : {false, true}) {
      if (reference && threads > 0) continue;
      TTeamSelect select(wDisabled, false, false);
      select.SetReference(reference);
      select.SetThreads(threads);
      select.Prepare(TPlayerList());
      select.KeeperCandidates().Add(MakePlayer(90, KeeperSkills(12)));
      for (int i = 1; i <= 11; ++i)
        select.FieldCandidates().Add(MakePlayer(i, i == 3 || i == 7 ? FieldSkills(3) : FieldSkills(8 + i % 4)));
      ASSERT_TRUE(select.Run(RolesOf(442)));
      const auto starters = IdsIn(select.BestTeam(), 1, 10);
      EXPECT_EQ(starters.count(3), 1u) << threads;
      EXPECT_EQ(starters.count(7), 0u) << threads;
    }
  }

  // All alike: every lineup ties, so the first one, arranged as filled, stays; the substitutes are the
  // first four of the rest.
  TTeamSelect select(wDisabled, false, false);
  select.Prepare(TPlayerList());
  for (int i = 1; i <= 16; ++i) select.FieldCandidates().Add(MakePlayer(i, FieldSkills(7)));
  ASSERT_TRUE(select.Run(RolesOf(352)));
  for (int slot = 1; slot <= 14; ++slot) EXPECT_EQ(IdAt(select.BestTeam(), slot), slot);
}

TEST(TeamSelect, SubstitutesAreChosenOnlyAboveThirteenCandidates) {
  struct {
    int Candidates;
    uint64_t Total;
    size_t Substitutes;
    const char* Trials;
  } const cases[] = {{13, 286, 0, ": 286 of 286"}, {14, 1002, 4, ": 1k of 1k"}, {9, 0, 0, ": 0 of 0"},
                     {10, 1, 0, ": 1 of 1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Candidates);
    TTeamSelect select(wDisabled, false, false);
    select.Prepare(TPlayerList());
    select.KeeperCandidates().Add(MakePlayer(90, KeeperSkills(12)));
    AddField(select, c.Candidates);
    EXPECT_EQ(TTeamSelect::CombinationTotal(c.Candidates, 0), c.Total);
    // As the tactics advisor does it: the formation on the best team, the search with its roles.
    select.BestTeam().SetFormation(442);
    ASSERT_TRUE(select.Run(select.BestTeam().GetAllRoleFlags()));
    EXPECT_EQ(select.Total(), c.Total);
    EXPECT_EQ(select.Tried(), c.Total);
    EXPECT_EQ(IdsIn(select.BestTeam(), 11, 14).size(), c.Substitutes);
    const TTeamSelectProgress progress = select.Progress();
    EXPECT_EQ(progress.Trials, c.Trials);
    EXPECT_TRUE(progress.Complete);
    EXPECT_FALSE(progress.Running);
    if (c.Candidates < 10) {
      // No combination at all: the best team stays empty.
      EXPECT_EQ(select.BestTeam().Count(), 0);
      EXPECT_EQ(select.BestTeam().AdjustedStrength(), 0);
      EXPECT_FALSE(progress.Percent.has_value());
    } else {
      EXPECT_EQ(progress.Percent, 100);
      EXPECT_EQ(select.BestTeam().Keeper()->PlayerID, 90);
      EXPECT_NE(select.BestTeam().Captain(), nullptr);
    }
  }
}

TEST(TeamSelect, FastWalkFindsExactlyTheReferenceAnswerOnAnyThreadCount) {
  // Every formation, without and with fixed players, on random squads of 12 to 20 field candidates of
  // which up to eight are twins of others (so that many lineups tie): the fast walk, on any number of
  // threads, must give what the plain walk with cloned players gives, to the last slot and unit.
  const int formations[] = {343,  352,  433,  442,  451,  532,  541,  1343, 1352,
                            1433, 1442, 1451, 2343, 2433, 2442, 2532, 2541};
  struct TCase {
    uint32_t Seed;
    int Field, Twins, Formation, Fixed;
  };
  std::vector<TCase> cases;
  uint32_t seed = 1;
  for (int formation : formations)
    for (int fixed : {0, 1 + int(seed % 3)}) {
      cases.push_back({seed, 12 + int(seed * 5 % 8), int(seed % 5) * 2, formation, fixed});
      ++seed;
    }
  cases.push_back({101, 20, 6, 442, 0});
  cases.push_back({102, 20, 8, 2433, 2});
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "seed " << c.Seed << ", " << c.Field << " candidates, " << c.Twins
                                    << " twins, formation " << c.Formation << ", " << c.Fixed << " fixed");
    auto squad = RandomSquad(c.Seed, c.Field, c.Twins);
    std::mt19937 random(c.Seed);
    std::vector<std::pair<int, int>> fixes;  // candidate index, slot
    std::vector<int> slots = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::shuffle(slots.begin(), slots.end(), random);
    for (int f = 0; f < c.Fixed; ++f)
      fixes.emplace_back(std::uniform_int_distribution<int>(1, c.Field - f)(random), slots[size_t(f)]);
    std::string expected;
    uint64_t expectedTried = 0;
    for (int threads : {-1, 1, 2, 3}) {
      TTeamSelect select(wDisabled, false, false);
      select.SetReference(threads < 0);
      select.SetThreads(threads);
      ASSERT_TRUE(select.Prepare(*squad));
      for (const auto& [index, slot] : fixes) select.FixFieldCandidate(index, slot);
      ASSERT_TRUE(select.Run(RolesOf(c.Formation)));
      EXPECT_TRUE(select.Complete()) << select.Error();
      EXPECT_EQ(select.Tried(), select.Total());
      EXPECT_LE(select.SkippedByBound(), select.Tried());
      const std::string found = Describe(select.BestTeam());
      if (threads < 0) {
        EXPECT_EQ(select.SkippedByBound(), 0u);
        expected = found;
        expectedTried = select.Tried();
      } else {
        EXPECT_EQ(found, expected) << "threads " << threads;
        EXPECT_EQ(select.Tried(), expectedTried);
      }
    }
  }
}

namespace {
// The window thread of the desktop program, played by the test's thread: Synchronize hands the function
// over and waits until it has run here.
class TWindowThread {
public:
  TWindowThread() {
    TWorker::SetSyncHook([this](const std::function<void()>& fn) {
      std::unique_lock lock(FLock);
      FPending = &fn;
      FSignal.notify_all();
      FSignal.wait(lock, [&] { return FPending == nullptr; });
    });
  }
  ~TWindowThread() { TWorker::SetSyncHook(nullptr); }

  // Runs what the worker hands over until stop() holds (checked here, between the calls).
  void RunUntil(const std::function<bool()>& stop) {
    std::unique_lock lock(FLock);
    while (!stop()) {
      if (!FSignal.wait_for(lock, std::chrono::milliseconds(10), [&] { return FPending != nullptr; })) continue;
      (*FPending)();
      FPending = nullptr;
      FSignal.notify_all();
    }
  }

private:
  std::mutex FLock;
  std::condition_variable FSignal;
  const std::function<void()>* FPending = nullptr;
};
}  // namespace

TEST(TeamSelect, StartRunsOnItsThreadAndReportsToTheWindow) {
  TWindowThread window;
  TTeamSelect select(wDisabled, false, false);
  std::vector<int> states;
  std::vector<bool> penaltyTakers;
  std::vector<TTeamSelectProgress> reports;
  bool runningInLastReport = false;
  const auto windowThread = std::this_thread::get_id();
  bool allOnTheWindowThread = true;
  select.Callbacks.StateChanged = [&](TTeamSelectState state) {
    allOnTheWindowThread &= std::this_thread::get_id() == windowThread;
    states.push_back(state);
  };
  select.Callbacks.PenaltyTakersEnabled = [&](bool on) {
    allOnTheWindowThread &= std::this_thread::get_id() == windowThread;
    penaltyTakers.push_back(on);
  };
  select.Callbacks.Progress = [&](const TTeamSelectProgress& p) {
    allOnTheWindowThread &= std::this_thread::get_id() == windowThread;
    reports.push_back(p);
    runningInLastReport = select.Running();
  };

  for (int round = 0; round < 2; ++round) {
    states.clear();
    penaltyTakers.clear();
    reports.clear();
    auto squad = RandomSquad(11 + round, 15, 2);
    ASSERT_TRUE(select.Prepare(*squad));
    ASSERT_TRUE(select.Start(RolesOf(442)));
    EXPECT_EQ(states, std::vector<int>{tssInProgress});
    window.RunUntil([&] { return states.size() == 2; });
    select.WaitFor();
    EXPECT_FALSE(select.Running());
    EXPECT_EQ(states, (std::vector<int>{tssInProgress, tssCompleted}));
    EXPECT_EQ(penaltyTakers, (std::vector<bool>{false, true}));
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(runningInLastReport);  // the final report comes before the running flag is cleared
    EXPECT_TRUE(reports.back().Complete);
    EXPECT_EQ(reports.back().Tried, 3003u + 5u);
    EXPECT_EQ(reports.back().TeamValue, ": " + FormatFloat(select.BestTeam().AdjustedStrength(), 0));
  }
  EXPECT_TRUE(allOnTheWindowThread);
  EXPECT_EQ(TeamSelectCaption(tssInProgress), "Team creation in progress...");
  EXPECT_EQ(TeamSelectCaption(tssCompleted), "Team creation completed");
}

TEST(TeamSelect, CancelKeepsTheBestLineupSoFarAndMarksTheSearchIncomplete) {
  // The plain walk of C(30, 10) = 30 045 015 lineups takes far more than the half second until the first
  // report; the fast one is stopped as it begins (it would end before any report).
  auto squad = RandomSquad(21, 30, 0);
  for (bool reference : {true, false}) {
    SCOPED_TRACE(reference ? "reference" : "fast");
    TTeamSelect select(wDisabled, false, false);
    ASSERT_TRUE(select.Prepare(*squad));
    select.SetThreads(2);
    select.SetReference(reference);
    bool cancelled = false;
    auto cancel = [&] {
      if (!cancelled) select.Cancel();
      cancelled = true;
    };
    if (reference)
      select.Callbacks.Progress = [&](const TTeamSelectProgress&) { cancel(); };
    else
      select.Callbacks.PenaltyTakersEnabled = [&](bool enabled) {
        if (!enabled) cancel();
      };
    ASSERT_TRUE(select.Start(RolesOf(442)));
    EXPECT_FALSE(select.Start(RolesOf(442)));  // one search at a time
    select.WaitFor();
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(select.Complete());
    EXPECT_FALSE(select.Progress().Complete);
    EXPECT_LT(select.Tried(), select.Total());
    EXPECT_EQ(IdsIn(select.BestTeam(), 11, 14).size(), 0u);  // the substitutes' walk never began
    if (reference) {
      EXPECT_GT(select.Tried(), 0u);
      EXPECT_EQ(IdsIn(select.BestTeam(), 1, 10).size(), 10u);
      EXPECT_GT(select.BestTeam().AdjustedStrength(), 0);
    }
  }
}

TEST(TeamSelect, ProgressTextsAsTheWindowShowsThem) {
  struct {
    uint64_t Tried, Total;
    int64_t Ms;
    double Team, Bench;
    const char *Trials, *PerSec, *TeamValue, *AvrPlayer, *SubValue, *AvrSub, *Elapsed, *Estimated;
    int Percent;
    uint64_t Skipped;
    const char* SkippedText;
  } const cases[] = {
      {12, 286, 1500, 352.4, 148, ": 12 of 286", ": 8", ": 352", ": 32.0", ": 148", ": 29.6", ": 00:01", ": 00:36", 4,
       0, ": 0"},
      {999, 999, 2500, 0, 0, ": 999 of 999", ": 400", ": 0", ": 0.0", ": 0", ": 0.0", ": 00:02", ": 00:02", 100,
       999, ": 999"},
      {1000, 1002, 40, 300.5, 150.25, ": 1k of 1k", ": 25.0k", ": 301", ": 27.3", ": 150", ": 30.1", ": 00:00",
       ": 00:00", 100, 1000, ": 1k"},
      {0, 1962257, 0, 0, 0, ": 0k of 1962k", ": 0", ": 0", ": 0.0", ": 0", ": 0.0", ": 00:00", ": 00:00", 0, 0, ": 0"},
      {1500000, 1962257, 65000, 351.45, 0, ": 1500k of 1962k", ": 23.1k", ": 351", ": 32.0", ": 0", ": 0.0",
       ": 01:05", ": 01:25", 76, 1499998, ": 1499k"},
      {30045015, 30045015, 6000000, 1, 1, ": 30045k of 30045k", ": 5.0k", ": 1", ": 0.1", ": 1", ": 0.2",
       ": 100:00", ": 100:00", 100, 30044990, ": 30044k"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Trials);
    const TTeamSelectProgress p = TTeamSelectProgress::Of(c.Tried, c.Total, c.Ms, c.Team, c.Bench, c.Skipped);
    EXPECT_EQ(p.Trials, c.Trials);
    EXPECT_EQ(p.TrialsPerSec, c.PerSec);
    EXPECT_EQ(p.TeamValue, c.TeamValue);
    EXPECT_EQ(p.AvrPlayer, c.AvrPlayer);
    EXPECT_EQ(p.SubValue, c.SubValue);
    EXPECT_EQ(p.AvrSub, c.AvrSub);
    EXPECT_EQ(p.ElapsedTime, c.Elapsed);
    EXPECT_EQ(p.EstimatedTime, c.Estimated);
    EXPECT_EQ(p.Percent, c.Percent);
    EXPECT_EQ(p.SkippedByBound, c.Skipped);
    EXPECT_EQ(p.Skipped, c.SkippedText);
  }
  EXPECT_FALSE(TTeamSelectProgress::Of(5, 0, 10, 0, 0).Percent.has_value());
}
