#include "ratings/RatingScale.h"

#include <gtest/gtest.h>

#include <climits>

TEST(RatingScale, LevelAndSubLevelOfARating) {
  struct {
    int64_t Rating;
    int64_t Level;
    int SubLevel;
    const char* Text;
    int Parts;
  } const cases[] = {
      {1, 1, 0, "disastrous\n(Very low)", 1},  {4, 1, 3, "disastrous\n(Very high)", 1},
      {5, 2, 0, "wretched\n(Very low)", 2},     {21, 6, 0, "passable\n(Very low)", 6},
      {31, 8, 2, "excellent\n(High)", 8},       {80, 20, 3, "divine\n(Very high)", 20},
      {0, 0, 3, "non-existent\n(Very high)", 0},
      // Off the scale: the number itself, the thin bar held to 0..20, never a table index outside.
      {81, 21, 0, "81", 20},                    {1000, 250, 3, "1000", 20},
      {-1, 0, 2, "-1", 0},                      {-4, -1, 3, "-4", 0},
      {INT_MIN, -536870912, 3, "-2147483648", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Rating);
    EXPECT_EQ(RatingLevel(c.Rating), (TRatingLevel{c.Level, c.SubLevel}));
    EXPECT_EQ(RatingLevelText(c.Rating), c.Text);
    EXPECT_EQ(RatingLevelParts(c.Rating), c.Parts);
  }
}

TEST(RatingScale, SectorShareRoundsHalvesToEvenAndStaysWithin0To100) {
  struct {
    int64_t Own, Opposing;
    int Share;
  } const cases[] = {
      {7, 7, 50},   {21, 7, 75},  {1, 7, 12},  // 12.5 -> 12
      {3, 5, 38},                              // 37.5 -> 38
      {1, 2, 33},   {80, 1, 99},  {0, 5, 0},   {5, 0, 100},
      {0, 0, 50},                              // undefined share: the sides are even
      {-3, 10, 0},  {10, -3, 100}, {-3, -3, 50}, {INT_MAX, INT_MAX, 50}, {INT_MAX, 1, 100},
  };
  for (const auto& c : cases) EXPECT_EQ(SectorShare(c.Own, c.Opposing), c.Share) << c.Own << " vs " << c.Opposing;
}

TEST(RatingScale, BarColoursFollowThePercentage) {
  const TBarColours reds{0x800000, 0xFAD9E6}, teals{0x008080, 0xC0C0C0}, blues{0x000080, 0xA6CAF0};
  EXPECT_EQ(BarColours(0), reds);
  EXPECT_EQ(BarColours(49), reds);
  EXPECT_EQ(BarColours(50), teals);
  EXPECT_EQ(BarColours(51), blues);
  EXPECT_EQ(BarColours(100), blues);
}

TEST(RatingScale, TacticBarShowsSkillUnlessTheTacticIsNormal) {
  struct {
    int64_t Type, Skill;
    TTacticBarValues Bar;
  } const cases[] = {
      {0, 15, {0, "Normal", "N/A"}},
      {7, 20, {0, "Play Creatively", "N/A"}},
      {1, 10, {50, "Pressing", "outstanding"}},
      {3, 0, {0, "Attack in Middle", "non-existent"}},
      {4, 20, {100, "Attack on Wings", "divine"}},
      {6, 4, {20, "", "weak"}},
      // Off the tables: the numbers themselves, the bar held to 0..100.
      {2, 25, {100, "Counter Attacks", "25"}},
      {5, -2, {0, "Play Creatively", "-2"}},
      {9, 5, {25, "9", "inadequate"}},
      {-1, 1, {5, "-1", "disastrous"}},
  };
  for (const auto& c : cases) EXPECT_EQ(TacticBarValues(c.Type, c.Skill), c.Bar) << c.Type << "/" << c.Skill;
}

TEST(RatingScale, SkillLevelTextShowsLevelsOffTheTableAsNumbers) {
  EXPECT_EQ(SkillLevelText(0), "non-existent");
  EXPECT_EQ(SkillLevelText(20), "divine");
  EXPECT_EQ(SkillLevelText(21), "21");
  EXPECT_EQ(SkillLevelText(-1), "-1");
}
