#include "ratings/MatchRating.h"
#include "ratings/MatchRatingRelative.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
const TSectorShares AllEven{50, 50, 50, 50, 50, 50, 50};

TRelativeStrength Strength(const TSectorShares& shares, int ownType, int oppType, int ownSkill, int oppSkill,
                           double first, double second) {
  return CalculateRelativeStrength(shares, ownType, oppType, ownSkill, oppSkill, first, second);
}
}  // namespace

TEST(MatchRatingRelative, PossessionAndChancesConvertBothWays) {
  EXPECT_NEAR(PossessionToChances(0), 0.208, 1e-9);
  EXPECT_NEAR(PossessionToChances(50), 4.937, 1e-9);
  EXPECT_NEAR(PossessionToChances(100), 9.792, 1e-9);
  EXPECT_NEAR(ChancesToPossession(5), 50.10, 0.005);
  // Both curves are symmetric about the even game.
  for (double x : {0.0, 12.5, 30.0, 49.0})
    EXPECT_NEAR(PossessionToChances(x), 10 - PossessionToChances(100 - x), 1e-9) << x;
  for (double y : {0.5, 2.0, 4.9}) EXPECT_NEAR(ChancesToPossession(y), 100 - ChancesToPossession(10 - y), 1e-9) << y;
  // Nearly each other's inverse where matches are played.
  for (double x = 20; x <= 80; x += 5) EXPECT_NEAR(ChancesToPossession(PossessionToChances(x)), x, 1.5) << x;
}

TEST(MatchRatingRelative, AttackTacticsMoveWeightBetweenWingsAndCentre) {
  struct {
    int OwnType, OppType, OwnSkill, OppSkill;
    std::array<double, 7> Weights;
  } const cases[] = {
      {0, 0, 20, 20, {0, 0.125, 0.25, 0.125, 0.125, 0.25, 0.125}},
      {1, 2, 20, 20, {0, 0.125, 0.25, 0.125, 0.125, 0.25, 0.125}},
      // Own Attack in Middle, skill 0: attack wings 0.125 - 0.025, centre 0.25 + 0.05.
      {3, 0, 0, 0, {0, 0.125, 0.25, 0.125, 0.1, 0.3, 0.1}},
      // Own Attack on Wings, skill 20: a = 0.1.
      {4, 0, 20, 0, {0, 0.125, 0.25, 0.125, 0.175, 0.15, 0.175}},
      // The opponent's attack tactic weighs the own defence.
      {0, 3, 0, 20, {0, 0.075, 0.35, 0.075, 0.125, 0.25, 0.125}},
      {0, 4, 0, 0, {0, 0.15, 0.2, 0.15, 0.125, 0.25, 0.125}},
      // Skills off 0..20 count as the nearest end, so no weight turns negative.
      {3, 3, 500, -40, {0, 0.1, 0.3, 0.1, 0.075, 0.35, 0.075}},
  };
  for (const auto& c : cases) {
    const auto weights = SectorWeights(c.OwnType, c.OppType, c.OwnSkill, c.OppSkill);
    for (size_t j = 0; j < 7; ++j)
      EXPECT_NEAR(weights[j], c.Weights[j], 1e-12) << c.OwnType << "/" << c.OppType << " sector " << j;
    EXPECT_NEAR(weights[1] + weights[2] + weights[3], 0.5, 1e-12);
    EXPECT_NEAR(weights[4] + weights[5] + weights[6], 0.5, 1e-12);
  }
}

TEST(MatchRatingRelative, EvenMatchGivesThreeSixThreeAndTotal24) {
  const TRelativeStrength even = Strength(AllEven, 0, 0, 0, 0, 50, 50);
  EXPECT_EQ(even.Values, (std::array<int64_t, 7>{0, 3, 6, 3, 3, 6, 3}));
  EXPECT_EQ(even.Total, 24);

  // Own Attack in Middle (skill 0) against the opponent's Attack on Wings (skill 20).
  const TRelativeStrength tactics = Strength(AllEven, 3, 4, 0, 20, 50, 50);
  EXPECT_EQ(tactics.Values, (std::array<int64_t, 7>{0, 4, 4, 4, 2, 8, 2}));
  EXPECT_EQ(tactics.Total, 24);
}

TEST(MatchRatingRelative, PossessionWeighsAttackAndDefence) {
  // 45 % in both halves: M = 0.2025 / 0.505, D = 1 - M (the real match of the fixtures, home side).
  const TRelativeStrength home = Strength({44, 75, 54, 70, 38, 39, 42}, 0, 0, 0, 0, 45, 45);
  EXPECT_EQ(home.Values, (std::array<int64_t, 7>{0, 6, 8, 5, 2, 4, 2}));
  EXPECT_EQ(home.Total, 27);
  // No possession at all: M = 0 and D = 0.
  EXPECT_EQ(Strength(AllEven, 0, 0, 0, 0, 0, 0).Total, 0);
  // Possessions off 0..100 count as the nearest end.
  EXPECT_EQ(Strength(AllEven, 0, 0, 0, 0, 150, -20), Strength(AllEven, 0, 0, 0, 0, 100, 0));
}

TEST(MatchRatingRelative, CounterAttacksRaiseOnlyHalvesBelow50) {
  // The defence weighs 25 (50 x 0.5): v = 10 x 2 x 25 / 20 = 25, extra = chances(60) x 0.25.
  EXPECT_NEAR(CounterAttackPossession(40, 25, 10), 49.2563, 1e-4);
  EXPECT_NEAR(CounterAttackPossession(40, 25, 0), ChancesToPossession(PossessionToChances(40)), 1e-12);
  // At most 3 extra chances, however strong the defence.
  EXPECT_NEAR(CounterAttackPossession(10, 1e9, 20), ChancesToPossession(PossessionToChances(10) + 3), 1e-12);

  EXPECT_EQ(Strength(AllEven, 2, 0, 10, 0, 40, 60).Values, (std::array<int64_t, 7>{0, 4, 7, 4, 4, 7, 4}));
  EXPECT_EQ(Strength(AllEven, 0, 0, 10, 0, 40, 60).Values, (std::array<int64_t, 7>{0, 3, 6, 3, 3, 6, 3}));
  // Halves of 50 % or more are left alone.
  for (auto [first, second] : {std::pair{50.0, 50.0}, {60.0, 70.0}, {100.0, 55.0}})
    EXPECT_EQ(Strength(AllEven, 2, 0, 20, 0, first, second), Strength(AllEven, 0, 0, 20, 0, first, second)) << first;
}

TEST(MatchRatingRelative, SharesThatAreNoNumbersGiveZeroInsteadOfFailing) {
  TSectorShares shares = AllEven;
  shares[2] = std::numeric_limits<double>::quiet_NaN();
  shares[5] = std::numeric_limits<double>::infinity();
  const TRelativeStrength strength = Strength(shares, 0, 0, 0, 0, 50, 50);
  EXPECT_EQ(strength.Values, (std::array<int64_t, 7>{0, 3, 0, 3, 3, 0, 3}));
  EXPECT_EQ(strength.Total, 12);
}

TEST(MatchRatingRelative, ColumnShowsDashesUntilCalculatedAndMidfieldNever) {
  TMatchRatingRelative column;
  EXPECT_EQ(column.Labels(), (std::array<std::string, 7>{"-", "-", "-", "-", "-", "-", "-"}));
  EXPECT_EQ(column.Total(), "100");
  column.Calculate(AllEven, 0, 0, 0, 0, 50, 50);
  EXPECT_EQ(column.Labels(), (std::array<std::string, 7>{"-", "3", "6", "3", "3", "6", "3"}));
  EXPECT_EQ(column.Total(), "24");
  EXPECT_EQ(TMatchRatingRelative::Heading(), "Relative Strength");
}

TEST(MatchRatingRelative, ColumnLabelsLineUpWithTheBarsInsideThePanel) {
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(TMatchRatingLayout::ColumnTop + TMatchRatingRelative::LabelTop(i), TMatchRatingModel::BarTop(i)) << i;
  EXPECT_EQ(TMatchRatingRelative::LabelTop(0), TMatchRatingRelative::HeadingHeight);
  EXPECT_LE(TMatchRatingLayout::ColumnTop + TMatchRatingRelative::Height(), TMatchRatingModel::Height());
  EXPECT_LE(TMatchRatingModel::RelativeLeft + TMatchRatingRelative::Width, TMatchRatingModel::Width);
  // Bars 48 apart inside a group, 16 more between groups.
  EXPECT_EQ(TMatchRatingModel::BarTop(2) - TMatchRatingModel::BarTop(1), 48);
  EXPECT_EQ(TMatchRatingModel::BarTop(4) - TMatchRatingModel::BarTop(3), 64);
  EXPECT_EQ(TMatchRatingModel::GroupCaptionTop(1) + TMatchRatingModel::GroupCaptionHeight, TMatchRatingModel::BarTop(1));
}
