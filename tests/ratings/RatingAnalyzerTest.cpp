// The rating analyzer's estimate: weights and groups, the midfield and counter-attack arithmetic, and the
// level texts the window shows.
#include "ratings/RatingAnalyzer.h"

#include "TestSupport.h"
#include "core/Intl.h"
#include "ratings/RatingAnalyzerFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
TAnalyzerPlayerValues Values(double playmaking, double stamina, double form, double experience,
                             double defending = 0, double passing = 0) {
  TAnalyzerPlayerValues v;
  v.Playmaking = playmaking;
  v.Stamina = stamina;
  v.Form = form;
  v.Experience = experience;
  v.Defending = defending;
  v.Passing = passing;
  return v;
}

void Put(TAnalyzerPlaces& places, int position, const TAnalyzerPlayerValues& v, int behaviour) {
  auto& place = places[static_cast<size_t>(position)];
  place.Occupied = true;
  place.Values = v;
  const auto& allowed = AllowedBehaviours(AnalyzerPositionGroup(position));
  place.BehaviourItem = 0;
  for (size_t k = 0; k < allowed.size(); ++k)
    if (allowed[k] == behaviour) place.BehaviourItem = static_cast<int>(k);
  ASSERT_EQ(BehaviourOfItem(AnalyzerPositionGroup(position), place.BehaviourItem), behaviour);
}

// The two-midfielder lineup: each adds (7 + 0) x 1.0 x 1.1 x 1.0 = 7.7.
TAnalyzerPlaces TwoMidfielders() {
  TAnalyzerPlaces places;
  Put(places, 5, Values(7, 8, 7, 1), abNormal);
  Put(places, 6, Values(7, 8, 7, 1), abNormal);
  return places;
}
}  // namespace

TEST(RatingAnalyzer, BehaviourBoxesListTheGroupsAllowedBehavioursInOrder) {
  const struct {
    int position;
    std::vector<int> allowed;
  } cases[] = {
      {0, {}},
      {1, {abNormal, abOffensive, abTowardsWing, abExtraForward, abExtraInnerMidfield}},
      {3, {abNormal, abOffensive, abDefensive, abTowardsMiddle, abExtraForward, abExtraInnerMidfield, abExtraDefender}},
      {5, {abNormal, abOffensive, abDefensive, abTowardsWing, abExtraForward, abExtraDefender}},
      {8, {abNormal, abOffensive, abDefensive, abTowardsMiddle, abExtraForward, abExtraInnerMidfield, abExtraDefender}},
      {10, {abNormal, abDefensive, abTowardsWing, abExtraInnerMidfield, abExtraDefender}},
  };
  for (const auto& c : cases) EXPECT_EQ(AllowedBehaviours(AnalyzerPositionGroup(c.position)), c.allowed) << c.position;
  EXPECT_EQ(BehaviourOfItem(5, 3), abExtraInnerMidfield);
  EXPECT_EQ(BehaviourOfItem(5, 5), -1);
  EXPECT_EQ(BehaviourOfItem(0, 0), -1);
  EXPECT_EQ(AnalyzerPositionGroup(11), -1);
}

TEST(RatingAnalyzer, EstimatesTheGamesWorkedExamples) {
  struct Case {
    const char* what;
    TAnalyzerPlaces places;
    TAnalyzerTeamSettings team;
    double midfield, counter;
  };
  std::vector<Case> cases;
  cases.push_back({"two inner midfielders on Normal", TwoMidfielders(), {}, 2.425, 0});
  {
    // Weight 1.0 for the wing back, and the whole midfield x 0.85; no counter contribution.
    TAnalyzerPlaces p = TwoMidfielders();
    Put(p, 3, Values(7, 8, 7, 1, 10, 10), abExtraInnerMidfield);
    cases.push_back({"wing back on Extra Inner Midfield", p, {}, 23.1 * 0.75 * 0.85 / 3 / 2 + 0.5, 0});
  }
  {
    // A forward on Extra Defender counts: (2 x 5 + 6) x (0.1 x 6 + 0.4) = 16 -> 16 / 10 + 1.
    TAnalyzerPlaces p = TwoMidfielders();
    Put(p, 9, Values(3, 8, 6, 1, 6, 5), abExtraDefender);
    cases.push_back({"forward on Extra Defender", p, {}, 2.425, 2.6});
  }
  {
    // A central defender on Normal counts for the counter; his midfield weight is 0.
    TAnalyzerPlaces p = TwoMidfielders();
    Put(p, 1, Values(5, 8, 6, 1, 10, 5), abNormal);
    cases.push_back({"central defender on Normal", p, {}, 2.425, 3.0});
  }
  {
    TAnalyzerPlaces p = TwoMidfielders();
    Put(p, 1, Values(5, 8, 6, 1, 10, 5), abExtraForward);
    cases.push_back({"central defender on Extra Forward", p, {}, 2.425, 0});
  }
  {
    // Team spirit 10 (1.35), MOTS (1.1), Away (0.85) and counter-attacks (0.93).
    TAnalyzerTeamSettings team{10, 2, 2, true};
    cases.push_back(
        {"team settings", TwoMidfielders(), team, 1.1 * (0.85 * (15.4 * 1.35)) / 3 * 0.93 / 2 + 0.5, 0});
  }
  {
    // Form and stamina factors are capped at 1.15 and 1.0; experience 9 adds 2/3 ln 9.
    TAnalyzerPlaces p;
    Put(p, 5, Values(10, 9, 8, 9), abNormal);
    const double s = (10 + 2.0 / 3.0 * std::log(9.0)) * 1.15;
    cases.push_back({"factor caps and experience", p, {}, s * 0.75 / 3 / 2 + 0.5, 0});
  }
  cases.push_back({"nobody: the midfield floor", TAnalyzerPlaces{}, {}, 1.0, 0});
  {
    // Experience 0 is taken as 1: nothing added, and the estimate stays finite.
    TAnalyzerPlaces p;
    Put(p, 5, Values(7, 8, 7, 0), abNormal);
    Put(p, 6, Values(7, 8, 7, 1), abNormal);
    cases.push_back({"experience 0", p, {}, 2.425, 0});
  }
  for (const Case& c : cases) {
    const TAnalyzerEstimate e = EstimateRatings(c.places, c.team);
    EXPECT_NEAR(e.Midfield, c.midfield, 1e-9) << c.what;
    EXPECT_NEAR(e.Counter, c.counter, 1e-9) << c.what;
  }
}

TEST(RatingAnalyzer, TheKeeperNeverContributes) {
  TAnalyzerPlaces p = TwoMidfielders();
  p[0].Occupied = true;
  p[0].Values = Values(20, 9, 8, 20, 20, 20);
  const TAnalyzerEstimate e = EstimateRatings(p, {});
  EXPECT_NEAR(e.Midfield, 2.425, 1e-9);
  EXPECT_EQ(e.Counter, 0);
}

TEST(RatingAnalyzer, LevelTextsNameTheLevelAndTheSubLevel) {
  const struct {
    double value;
    const char* level;
    const char* sub;
  } cases[] = {
      {2.425, "wretched", "Low"},  {0, "non-existent", "Very low"}, {23.7, "divine +3", "High"},
      {7.25, "solid", "Very low"}, {7.5, "solid", "High"},          {7.75, "solid", "Very high"},
      {20.99, "divine", "Very high"}, {1.0, "disastrous", "Very low"},
  };
  for (const auto& c : cases) {
    const TAnalyzerLevel level = AnalyzerLevelText(c.value);
    EXPECT_EQ(level.Level, c.level) << c.value;
    EXPECT_EQ(level.SubLevel, c.sub) << c.value;
  }
}

TEST(RatingAnalyzer, TextsAreGermanUnderAGermanLocale) {
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
  EXPECT_STREQ(_(AnalyzerBehaviourNames[abExtraInnerMidfield]), "Zusätzliches Mittelfeld");
  EXPECT_STREQ(_(TeamSpiritNames[TeamSpiritDefault]), "Gefasst");
  EXPECT_STREQ(_(RatingAnalyzerLoadError), "Beim Laden der Bewertungsanalyse-Daten\nist ein Fehler aufgetreten.");
}
