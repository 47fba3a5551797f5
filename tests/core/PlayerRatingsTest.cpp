// Effective skills, form factor, experience bonus and the position ratings with their cache.
#include "core/Errors.h"
#include "core/Player.h"
#include "core/PositionRatings.h"
#include "core/TrainingProgressSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

namespace {
// Healthy, form 8 (factor 5.0), experience 1 (bonus -1), weather Disabled, no specialty.
struct TPlain : TPlayer {
  TPlain() {
    PlayerForm = 8;
    InjuryLevel = -1;
    Experience = 1;
  }
};

// A source that answers a fixed progress per skill and records the pages it was asked for.
class TFixedProgress : public ITrainingProgressSource {
public:
  std::map<int, double> Progress;
  std::vector<std::tuple<int32_t, int, bool, int>> Calls;
  double GetTrainingProgress(int32_t playerID, int skill, bool force, int lastPage) override {
    Calls.emplace_back(playerID, skill, force, lastPage);
    auto it = Progress.find(skill);
    return it == Progress.end() ? 0.0 : it->second;
  }
};

struct TSourceRegistration {
  explicit TSourceRegistration(ITrainingProgressSource* s) { SetTrainingProgressSource(s); }
  ~TSourceRegistration() { SetTrainingProgressSource(nullptr); }
};
}  // namespace

TEST(PlayerRatings, KeeperWorkedCasesWithAndWithoutForm) {
  TPlain p;
  p.KeeperSkill = 10;
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 45.0);

  TPlain ignored;
  ignored.KeeperSkill = 10;
  ignored.IgnoreForm = true;
  EXPECT_DOUBLE_EQ(ignored.GetKeeperRating(), 39.06);
}

TEST(PlayerRatings, FormFactorFollowsFormInjuryAndIgnoreForm) {
  struct TCase {
    int form, injury;
    bool ignoreForm;
    double factor;
  } cases[] = {
      {8, -1, false, 5.0},      {7, -1, false, 4.78125}, {1, -1, false, 2.15625}, {10, -1, false, 5.875},
      {8, 2, false, 4.5},       {8, 0, false, 4.5},      {0, -1, false, 4.34},    {8, -1, true, 4.34},
      {-3, -1, false, 4.34},    {0, 1, false, 4.34 * 0.9},
  };
  for (const auto& c : cases) {
    TPlain p;
    p.PlayerForm = c.form;
    p.InjuryLevel = c.injury;
    p.IgnoreForm = c.ignoreForm;
    EXPECT_DOUBLE_EQ(p.GetFormFactor(), c.factor) << "form " << c.form << " injury " << c.injury;
  }
}

TEST(PlayerRatings, ExperienceBonusIsHalfTheLogMinusOne) {
  for (auto [experience, bonus] : std::initializer_list<std::pair<int, double>>{
           {0, -1.0}, {1, -1.0}, {-2, -1.0}, {20, std::log(20.0) * 0.5 - 1}, {7, std::log(7.0) * 0.5 - 1},
           {63, std::log(63.0) * 0.5 - 1}, {64, std::log(64.0) * 0.5 - 1}, {1000, std::log(1000.0) * 0.5 - 1}}) {
    TPlain p;
    p.Experience = experience;
    EXPECT_NEAR(p.GetExperienceBonus(), bonus, 1e-15) << experience;
  }
  TPlain p;
  p.Experience = 20;
  EXPECT_NEAR(p.GetExperienceBonus(), 0.4979, 1e-4);
}

TEST(PlayerRatings, SpecialtyAndWeatherChangeTheEffectiveSkills) {
  // stamina, playmaking, winger, scoring, keeper(stored), passing(stored), defending
  struct TCase {
    int specialty, weather;
    double stamina, playmaking, winger, scoring, defending;
  } cases[] = {
      {spTechnical, wRainy, 0, -0.8, 0, -0.8, 0},
      {spTechnical, wSunny, 0, 0.8, 0, 0.8, 0},
      {spTechnical, wOvercast, 0, 0, 0, 0, 0},
      {spQuick, wRainy, 0, 0, 0, -0.4, -0.4},
      {spQuick, wPartiallyCloudy, 0, 0, 0.4, 0.4, 0.4},
      {spQuick, wSunny, 0, 0, 0, 0, -0.4},
      {spPowerful, wRainy, 0, 0.8, 0, 0.8, 0.8},
      {spPowerful, wSunny, -0.8, 0, 0, -0.8, 0},
      {spUnpredictable, wUndefined, 0, 0, 0.2, 0.2, 0},
      {spUnpredictable, wDisabled, 0, 0, 0, 0, 0},
      {spHead, wRainy, 0, 0, 0.2, 0.2, 0},
      {spRegainer, wSunny, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    TPlain p;
    p.Specialty = c.specialty;
    p.Weather = c.weather;
    p.StaminaSkill = 7;
    p.PlaymakerSkill = 7;
    p.WingerSkill = 7;
    p.ScorerSkill = 6;
    p.KeeperSkill = 3;
    p.PassingSkill = 5;
    p.DefenderSkill = 4;
    p.SetPiecesSkill = 2;
    SCOPED_TRACE(testing::Message() << "specialty " << c.specialty << " weather " << c.weather);
    EXPECT_DOUBLE_EQ(p.GetValue(paStamina), 7 + c.stamina);
    EXPECT_DOUBLE_EQ(p.GetValue(paPlaymaking), 7 + c.playmaking);
    EXPECT_DOUBLE_EQ(p.GetValue(paWinger), 7 + c.winger);
    EXPECT_DOUBLE_EQ(p.GetValue(paScoring), 6 + c.scoring);
    EXPECT_DOUBLE_EQ(p.GetValue(paDefending), 4 + c.defending);
    EXPECT_EQ(p.GetValue(paKeeper), 3);
    EXPECT_EQ(p.GetValue(paPassing), 5);
    EXPECT_EQ(p.GetValue(paSetPieces), 2);
  }
}

TEST(PlayerRatings, TechnicalPlayerRatesLowerInRainAndHigherInSun) {
  // forward = (scoring x 0.85 + passing x 0.15 - 1) x 5
  const std::pair<int, double> cases[] = {{wRainy, (5.2 * 0.85 + 0.75 - 1) * 5},
                                          {wDisabled, (6 * 0.85 + 0.75 - 1) * 5},
                                          {wSunny, (6.8 * 0.85 + 0.75 - 1) * 5}};
  for (auto [weather, expected] : cases) {
    TPlain p;
    p.Specialty = spTechnical;
    p.Weather = weather;
    p.ScorerSkill = 6;
    p.PassingSkill = 5;
    EXPECT_NEAR(p.GetForwardRating(), expected, 0.005 + 1e-12) << weather;
  }
  TPlain rain, sun;
  rain.Specialty = sun.Specialty = spTechnical;
  rain.Weather = wRainy;
  sun.Weather = wSunny;
  rain.ScorerSkill = sun.ScorerSkill = 6;
  EXPECT_DOUBLE_EQ(rain.GetForwardRating(), 17.1);   // (5.2 x 0.85 - 1) x 5
  EXPECT_DOUBLE_EQ(sun.GetForwardRating(), 23.9);    // (6.8 x 0.85 - 1) x 5
}

TEST(PlayerRatings, StaminaFactorCapsAtOne) {
  // inner midfield = (playmaking 10 x 0.9 - 1) x 5 x min(1, stamina x 0.1 + 0.2)
  for (auto [stamina, expected] : std::initializer_list<std::pair<int, double>>{
           {8, 40.0}, {9, 40.0}, {15, 40.0}, {5, 28.0}, {7, 36.0}, {0, 8.0}}) {
    TPlain p;
    p.PlaymakerSkill = 10;
    p.StaminaSkill = stamina;
    EXPECT_DOUBLE_EQ(p.GetInnerMidfieldRating(), expected) << "stamina " << stamina;
  }
}

TEST(PlayerRatings, EveryPositionFollowsItsWeights) {
  TPlain p;
  p.StaminaSkill = 8;
  p.PlaymakerSkill = 6;
  p.WingerSkill = 9;
  p.ScorerSkill = 5;
  p.KeeperSkill = 2;
  p.PassingSkill = 4;
  p.DefenderSkill = 10;
  p.SetPiecesSkill = 7;
  EXPECT_DOUBLE_EQ(p.GetForwardRating(), 19.25);          // (4.25 + 0.6 - 1) x 5
  EXPECT_DOUBLE_EQ(p.GetInnerMidfieldRating(), 25.5);     // (5.4 + 0.2 + 0.5 - 1) x 5 x 1.0
  EXPECT_DOUBLE_EQ(p.GetWingerRating(), 35.65);           // (6.3 - 0.7) x 5 + 0.3 x 25.5
  EXPECT_DOUBLE_EQ(p.GetWingBackRating(), 44.0);          // (1.8 + 8 - 1) x 5
  EXPECT_DOUBLE_EQ(p.GetCentralDefenderRating(), 45.0);   // (10 - 1) x 5
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 5.0);             // (2 - 1) x 5
  EXPECT_DOUBLE_EQ(p.GetSetPiecesRating(), 30.0);         // (7 - 1) x 5
  EXPECT_DOUBLE_EQ(p.GetBestRating(), 45.0);
  p.Specialty = spTechnical;  // set pieces x 1.05 (Disabled weather: no other effect)
  p.ClearRatings();
  EXPECT_DOUBLE_EQ(p.GetSetPiecesRating(), 31.5);
}

TEST(PlayerRatings, WingerRatingIsBuiltOnTheCachedInnerMidfieldRating) {
  TPlain p;
  p.StaminaSkill = 8;
  p.PlaymakerSkill = 10;
  p.WingerSkill = 10;
  EXPECT_DOUBLE_EQ(p.GetInnerMidfieldRating(), 40.0);
  // A stored value changed without ClearRatings: the winger still uses the cached 40.
  p.PlaymakerSkill = 20;
  EXPECT_DOUBLE_EQ(p.GetWingerRating(), 43.5);  // (7 - 0.7) x 5 + 0.3 x 40
  p.ClearRatings();
  EXPECT_DOUBLE_EQ(p.GetWingerRating(), 31.5 + 0.3 * 85);

  // Without a cached value the winger computes and caches the inner midfield rating itself.
  TPlain fresh;
  fresh.StaminaSkill = 8;
  fresh.PlaymakerSkill = 10;
  fresh.WingerSkill = 10;
  EXPECT_DOUBLE_EQ(fresh.GetWingerRating(), 43.5);
  EXPECT_DOUBLE_EQ(fresh.RatingCache()[TPlayer::rsInnerMidfield], 40.0);
}

TEST(PlayerRatings, RatingsRoundHalvesAwayFromZero) {
  // keeper = (KeeperSkill - 1) x 5; the stored fractions give exact halves of a cent.
  struct TCase {
    double keeper, rating;
  } cases[] = {
      {1.125, 0.63},   {1.375, 1.88},  {0.875, -0.63}, {0.625, -1.88},  // 0.625, 1.875, -0.625, -1.875
      {0.0, -5.0},     {1.0 + 1.0 / 1024, 0.0},                          // 0.0048828125
      {3.4669, 12.33}, {3.4671, 12.34},  // 12.3345 / 12.3355
  };
  for (const auto& c : cases) {
    TPlain p;
    p.KeeperSkill = c.keeper;
    EXPECT_NEAR(p.GetKeeperRating(), c.rating, 1e-12) << c.keeper;
  }
  EXPECT_DOUBLE_EQ(RoundRating(0.625L), 0.63);
  EXPECT_DOUBLE_EQ(RoundRating(-0.625L), -0.63);
  EXPECT_DOUBLE_EQ(RoundRating(12.345L), 12.35);
  EXPECT_DOUBLE_EQ(RoundRating(-12.345L), -12.35);
  EXPECT_DOUBLE_EQ(RoundRating(2.675L), 2.68);
  EXPECT_DOUBLE_EQ(RoundRating(12.3449L), 12.34);
  EXPECT_DOUBLE_EQ(RoundRating(-12.3449L), -12.34);
}

TEST(PlayerRatings, OnlyPositiveValuesCountAsCached) {
  TPlain p;
  p.KeeperSkill = 0;  // (0 - 1) x 5 = -5: not a cache hit
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), -5.0);
  p.KeeperSkill = 3;  // changed without ClearRatings: recomputed anyway
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 10.0);
  p.KeeperSkill = 9;  // now cached: the stale 10 stays until ClearRatings
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 10.0);
  EXPECT_DOUBLE_EQ(p.GetValue(paKeeperRating), 10.0);
  p.ClearRatings();
  for (double v : p.RatingCache()) EXPECT_EQ(v, 0.0);
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 40.0);

  // The experience bonus of -1 is never cached, the form factor always is.
  p.GetForwardRating();
  EXPECT_EQ(p.RatingCache()[TPlayer::rsExperienceBonus], -1.0);
  EXPECT_DOUBLE_EQ(p.RatingCache()[TPlayer::rsFormFactor], 5.0);
  p.Experience = 20;
  EXPECT_NEAR(p.GetExperienceBonus(), std::log(20.0) * 0.5 - 1, 1e-15);
}

TEST(PlayerRatings, BestRatingLeavesSetPiecesOut) {
  TPlain p;
  p.SetPiecesSkill = 20;  // set pieces 95, far above every position
  p.DefenderSkill = 5;
  p.StaminaSkill = 8;
  EXPECT_DOUBLE_EQ(p.GetSetPiecesRating(), 95.0);
  EXPECT_DOUBLE_EQ(p.GetCentralDefenderRating(), 20.0);
  EXPECT_DOUBLE_EQ(p.GetBestRating(), 20.0);
  EXPECT_DOUBLE_EQ(p.GetValue(paBestRating), 20.0);

  TPlain keeper;
  keeper.KeeperSkill = 12;
  keeper.ScorerSkill = 3;
  EXPECT_DOUBLE_EQ(keeper.GetBestRating(), 55.0);
}

TEST(PlayerRatings, RoleRatingTakesTheFirstFlagInItsOrder) {
  TPlain p;
  p.StaminaSkill = 8;
  p.PlaymakerSkill = 6;
  p.WingerSkill = 9;
  p.ScorerSkill = 5;
  p.KeeperSkill = 2;
  p.PassingSkill = 4;
  p.DefenderSkill = 10;
  struct TCase {
    int flags;
    double rating;
  } cases[] = {
      {rfCentralDefender, 45.0},
      {rfCentralDefender | rfInnerMidfielder, 45.0},
      {rfWingBack, 44.0 * 0.5},
      {rfWingBack | rfForward, 44.0 * 0.5},
      {rfInnerMidfielder, 25.5 * 2},
      {rfInnerMidfielder | rfWinger, 25.5 * 2},
      {rfWinger, 35.65 * 0.5},
      {rfForward, 19.25},
      {rfKeeper, 5.0},
      {0, 5.0},
      {64, 5.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(p.GetRoleRating(c.flags), c.rating) << c.flags;
}

TEST(PlayerRatings, SpecialtyOrWeatherOutsideTheirTablesIsARangeError) {
  for (auto [specialty, weather] : std::initializer_list<std::pair<int, int>>{{7, 0}, {-1, 0}, {0, 6}, {0, -1}}) {
    TPlain p;
    p.Specialty = specialty;
    p.Weather = weather;
    EXPECT_THROW(p.GetValue(paScoring), ERangeError);
    EXPECT_THROW(p.GetForwardRating(), ERangeError);
    EXPECT_THROW(p.GetBestRating(), ERangeError);
    EXPECT_EQ(p.GetValue(paKeeper), 0);  // stored values stay readable
  }
}

TEST(PlayerRatings, TrainingEstimateIsAddedOnlyWhenIncluded) {
  TFixedProgress source;
  source.Progress = {{paStamina, 0.1}, {paPlaymaking, 0.5}, {paWinger, 0.25}, {paScoring, 0.75},
                     {paKeeper, 0.9}, {paPassing, 0.3}, {paDefending, 0.125}, {paSetPieces, 0.375}};
  TSourceRegistration registration(&source);
  TPlain p;
  p.PlayerID = 123456;
  p.Specialty = spTechnical;
  p.Weather = wSunny;
  p.PlaymakerSkill = 5;
  p.SetPiecesSkill = 4;
  p.KeeperSkill = 3;
  EXPECT_DOUBLE_EQ(p.GetPlaymaking(), 5.8);
  EXPECT_TRUE(source.Calls.empty());

  p.IncludeTraining = true;
  EXPECT_DOUBLE_EQ(p.GetPlaymaking(), 6.3);
  EXPECT_DOUBLE_EQ(p.GetSetPieces(), 4.375);
  EXPECT_DOUBLE_EQ(p.GetValue(paKeeper), 3.0);  // keeper and passing are read as stored
  ASSERT_EQ(source.Calls.size(), 2u);
  EXPECT_EQ(source.Calls[0], std::make_tuple(123456, int(paPlaymaking), false, 0));
  EXPECT_EQ(source.Calls[1], std::make_tuple(123456, int(paSetPieces), false, 0));

  p.PlayerID = int64_t(1) << 40;  // the history store cannot look such an ID up
  EXPECT_THROW(p.GetPlaymaking(), ERangeError);
}

TEST(PlayerRatings, TrainingEstimateIsZeroWithoutASource) {
  TPlain p;
  p.IncludeTraining = true;
  p.ScorerSkill = 7;
  EXPECT_DOUBLE_EQ(p.GetScoring(), 7.0);
}

TEST(PlayerRatings, RatingAtPageAddsThePagesEstimateToAClone) {
  TFixedProgress source;
  source.Progress = {{paKeeper, 0.5}, {paDefending, 0.25}};
  TSourceRegistration registration(&source);
  TPlain p;
  p.PlayerID = 4711;
  p.KeeperSkill = 10;
  p.DefenderSkill = 8;
  p.Specialty = spQuick;
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 45.0);

  EXPECT_DOUBLE_EQ(GetRatingAtPage(p, rfKeeper, 3, wDisabled), 47.5);  // (10.5 - 1) x 5
  // Quick in rain: defending 8 + 0.25 - 0.4
  EXPECT_DOUBLE_EQ(GetRatingAtPage(p, rfCentralDefender, 3, wRainy), 34.25);
  // Seven skills asked for page 3, set pieces not among them; the player itself is untouched.
  ASSERT_EQ(source.Calls.size(), 14u);
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(source.Calls[i], std::make_tuple(4711, int(paStamina + i), false, 3));
  EXPECT_EQ(p.KeeperSkill, 10);
  EXPECT_EQ(p.Weather, wDisabled);
  EXPECT_DOUBLE_EQ(p.GetKeeperRating(), 45.0);
}
