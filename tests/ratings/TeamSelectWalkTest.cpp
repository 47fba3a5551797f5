#include "TeamSelectTestSquads.h"

#include "ratings/Combinations.h"
#include "ratings/TeamSelectWalk.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace teamselecttest;

namespace {
// Units in few distinct values, so that many combinations tie.
std::vector<TTeamSelectWalk::TUnitsRow> CoarseUnits(std::mt19937& random, int candidates, int roles) {
  std::uniform_int_distribution<int> level(0, 4);
  std::vector<TTeamSelectWalk::TUnitsRow> units(static_cast<size_t>(candidates) + 1);
  for (int c = 1; c <= candidates; ++c)
    for (int r = 0; r < roles; ++r) units[size_t(c)][size_t(r)] = 200 * level(random);
  return units;
}

// The best by arranging every combination one after the other: highest sum, the first one among equals.
TWalkResult EveryCombination(const TTeamSelectWalk& walk) {
  TWalkResult best;
  TCombinations all(walk.Candidates(), walk.Places());
  for (bool more = all.First(); more; more = all.Next()) {
    const int64_t sum = walk.Arrange(all.Indexes().data());
    if (!best.Found || sum > best.Sum) best = {true, sum, all.Rank()};
  }
  return best;
}
}  // namespace

TEST(TeamSelectWalk, ArrangeGivesTheStrengthOfTTeamOptimise) {
  auto squad = RandomSquad(5, 12, 3);
  for (int formation : {442, 1343, 2541}) {
    SCOPED_TRACE(formation);
    const TRoleArray roles = RolesOf(formation);
    std::vector<uint8_t> distinct, roleOfPlace;
    for (int slot = 1; slot <= 10; ++slot) {
      size_t r = 0;
      while (r < distinct.size() && distinct[r] != roles[size_t(slot)]) ++r;
      if (r == distinct.size()) distinct.push_back(roles[size_t(slot)]);
      roleOfPlace.push_back(uint8_t(r));
    }
    std::vector<TTeamSelectWalk::TUnitsRow> units(13);
    TTeam scratch(roles, wDisabled, false, false);
    for (int c = 1; c <= 12; ++c) {
      scratch.PutSlot(1, squad->Get(c)->Clone());
      for (size_t r = 0; r < distinct.size(); ++r) units[size_t(c)][r] = int32_t(scratch.SlotUnits(1, distinct[r]));
    }
    const TTeamSelectWalk walk(roleOfPlace, units);
    TCombinations all(12, 10);
    for (bool more = all.First(); more; more = all.Next()) {
      TTeam team(roles, wDisabled, false, false);
      for (int a = 0; a < 10; ++a) team.PutSlot(a + 1, squad->Get(all.Indexes()[size_t(a)])->Clone());
      team.Optimise(false);
      EXPECT_EQ(walk.Arrange(all.Indexes().data()), team.StarterUnits());
    }
  }
}

TEST(TeamSelectWalk, RangesWalkedInAnyOrderFindTheFirstStrongestCombination) {
  struct {
    int Candidates;
    std::vector<uint8_t> RoleOfPlace;
  } const cases[] = {{13, {0, 0, 1, 1, 2, 3}}, {12, {0, 1, 2, 3, 4, 0, 1, 2, 3, 4}}, {9, {0, 1, 1, 1}},
                     {8, {0, 0, 0}},           {6, {}}};
  std::mt19937 random(42);
  for (const auto& c : cases) {
    for (int squad = 0; squad < 6; ++squad) {
      SCOPED_TRACE(testing::Message() << c.Candidates << " candidates, squad " << squad);
      TTeamSelectWalk walk(c.RoleOfPlace, CoarseUnits(random, c.Candidates, 5));
      const TWalkResult expected = EveryCombination(walk);

      TWalkResult whole;
      EXPECT_EQ(walk.WalkRange(0, walk.Count(), INT64_MIN, whole), walk.Count());
      EXPECT_EQ(whole.Sum, expected.Sum);
      EXPECT_EQ(whole.Rank, expected.Rank);

      // As the search walks: priced from a strong combination whose strength is known beforehand, so
      // that the bounds pass over nearly everything; the first of the strongest is still found.
      int strong[TTeamSelectWalk::MaxPlaces + 1];
      const int64_t known = walk.GoodCombination(strong);
      EXPECT_EQ(known, walk.Arrange(strong));
      EXPECT_LE(known, expected.Sum);
      walk.SetPrices(strong);
      TWalkResult priced;
      uint64_t skipped = 0;
      EXPECT_EQ(walk.WalkRange(0, walk.Count(), known, priced, nullptr, &skipped), walk.Count());
      EXPECT_EQ(priced.Sum, expected.Sum);
      EXPECT_EQ(priced.Rank, expected.Rank);
      EXPECT_LT(skipped, walk.Count());

      // Three walkers with interleaved ranges of 7 ranks, each taking its own in increasing order, run in
      // random turns; each range starts knowing the best merged so far.
      for (int schedule = 0; schedule < 20; ++schedule) {
        constexpr int Walkers = 3;
        constexpr uint64_t Size = 7;
        std::vector<uint64_t> next(Walkers);
        for (int w = 0; w < Walkers; ++w) next[size_t(w)] = uint64_t(w);
        std::vector<TWalkResult> own(Walkers);
        TWalkResult merged;
        uint64_t walked = 0;
        for (;;) {
          std::vector<int> ready;
          for (int w = 0; w < Walkers; ++w)
            if (next[size_t(w)] * Size < walk.Count()) ready.push_back(w);
          if (ready.empty()) break;
          const int w = ready[std::uniform_int_distribution<size_t>(0, ready.size() - 1)(random)];
          const uint64_t chunk = next[size_t(w)];
          next[size_t(w)] += Walkers;
          walked += walk.WalkRange(chunk * Size, (chunk + 1) * Size, merged.Found ? merged.Sum : INT64_MIN,
                                   own[size_t(w)]);
          merged.Merge(own[size_t(w)]);
        }
        EXPECT_EQ(walked, walk.Count());
        EXPECT_EQ(merged.Sum, expected.Sum);
        EXPECT_EQ(merged.Rank, expected.Rank);
      }
    }
  }
}

TEST(TeamSelectWalk, AStopEndsTheRangeAtTheNextCheck) {
  // Units doubling from candidate to candidate: the strongest combination is the last, so the bounds never
  // pass over the rest of the walk at once.
  std::vector<TTeamSelectWalk::TUnitsRow> units(17);
  for (int c = 1; c <= 16; ++c) units[size_t(c)].fill(int32_t(1) << c);
  const TTeamSelectWalk walk({0, 1, 2, 3, 4}, units);
  ASSERT_EQ(walk.Count(), 4368u);
  std::atomic<bool> stop{true};
  TWalkResult own;
  // The first check comes where the rank passes 1024 (a skipped sub-tree may carry it beyond).
  const uint64_t walked = walk.WalkRange(100, 4368, INT64_MIN, own, &stop);
  EXPECT_GE(walked, 1024u - 100u);
  EXPECT_LT(walked, 4368u - 100u);
  EXPECT_TRUE(own.Found);
  EXPECT_EQ(walk.WalkRange(5000, 6000, INT64_MIN, own), 0u);
}
