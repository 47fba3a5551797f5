// Training progress: the weekly increment of the training types and the estimate summed over the pages.
#include "core/Player.h"
#include "data/History.h"
#include "data/TrainingData.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(HistoryTraining, IncrementIsZeroWhereTheTypeDoesNotTrainTheSkillForThePosition) {
  struct TCase {
    int Skill, PositionCode, TrainingType;
  };
  for (const TCase c : {TCase{9, 1, 3} /* defending does not train the keeper */, {6, 7, 4}, {4, 3, 8}, {7, 10, 9},
                        {5, 1, 12}, {8, 1, 7}, {9, 3, 0} /* general */, {9, 3, 11} /* defensive positions */,
                        {9, 3, 13} /* no such type */, {2, 3, 3} /* no such skill */})
    EXPECT_EQ(GetTrainingIncrement(c.Skill, c.PositionCode, 0, 100, 7, c.TrainingType, 17), 0)
        << c.Skill << " " << c.PositionCode << " " << c.TrainingType;
}

TEST(HistoryTraining, IncrementFollowsTheBaseWeeksAgeCoachIntensityAndStaminaShare) {
  // Age 17, coach 7, full intensity, no stamina share: one level takes exactly the base weeks.
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(4, 7, 0, 100, 7, 8, 17), std::nearbyint(10000 / 7.0) / 10000);  // 0.1429
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(5, 6, 0, 100, 7, 5, 17), 0.2);    // cross pass, winger
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(5, 2, 0, 100, 7, 5, 17), 0.1);    // cross pass, wing back
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(9, 4, 0, 100, 7, 3, 17), 0.125);  // defending, central defender
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(6, 0, 0, 100, 7, 4, 17), 0.1538);  // code 0 counts as forward
  // A quarter of 0.125 is 0.03125: the half goes to the even neighbour.
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(9, 3, 50, 50, 7, 3, 17), 0.0312);
  // Older players and weaker coaches need longer; from coach level 8 on the effect no longer grows.
  const double w = 8.0 * std::pow(1.07, 25 - 17) * std::pow(1.08, 7 - 4);
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(9, 3, 0, 100, 4, 3, 25), std::nearbyint(10000 / w) / 10000);
  const double best = 8.0 * std::pow(1.08, -0.5);
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(9, 3, 0, 100, 8, 3, 17), std::nearbyint(10000 / best) / 10000);
  EXPECT_DOUBLE_EQ(GetTrainingIncrement(9, 3, 0, 100, 8, 3, 17), GetTrainingIncrement(9, 3, 0, 100, 20, 3, 17));
}

TEST(HistoryTraining, StaminaAndSetPiecesTrainingIgnoreAgeAndCoach) {
  for (int age : {17, 25, 33})
    for (int coach : {1, 4, 7, 8, 9}) {
      EXPECT_DOUBLE_EQ(GetTrainingIncrement(3, 0, 0, 100, coach, 1, age), 0.8333) << age << " " << coach;
      EXPECT_DOUBLE_EQ(GetTrainingIncrement(10, 0, 0, 100, coach, 2, age), 0.5) << age << " " << coach;
      EXPECT_DOUBLE_EQ(GetTrainingIncrement(10, 6, 0, 80, coach, 2, age), 0.4);
    }
}

TEST(HistoryTraining, PositionGroupsOfTheLineupCodes) {
  const int groups[] = {6, 1, 3, 2, 2, 3, 5, 4, 4, 5, 6, 6, 6};
  for (int code = 0; code <= 12; ++code) EXPECT_EQ(TrainingPositionGroup(code), groups[code]) << code;
  EXPECT_STREQ(TrainingTypeName(12), "Wing Attacks");
  EXPECT_STREQ(TrainingTypeName(13), "");
}

namespace {
// A store of weekly pages of one player, each with a coach of level 7, a league match in which the player
// played as inner midfielder (position code 7) and the given training.
class TTrainingHistory {
public:
  THistory History;

  THistoryPage& AddWeek(int round, double skill, int age = 17, int trainingType = 8, bool match = true) {
    auto page = std::make_unique<THistoryPage>();
    page->World.Season = 38;
    page->World.MatchRound = round;
    page->World.FetchedDate = "2009-09-28";
    page->IsXml = true;
    page->Team.TrainerPlayerID = 99;
    page->Training.TrainingLevel = 100;
    page->Training.TrainingType = trainingType;
    auto player = std::make_unique<TPlayer>();
    player->PlayerID = 5;
    player->Age = age;
    for (int code = 3; code <= 10; ++code) player->SetValue(code, skill);
    page->Players.Add(std::move(player));
    auto coach = std::make_unique<TPlayer>();
    coach->PlayerID = 99;
    coach->TrainerSkill = "7";
    page->Players.Add(std::move(coach));
    if (match) {
      page->LeagueMatch.MatchID = round;
      page->LeagueMatch.Lineup[1].PlayerID = 5;
      page->LeagueMatch.Lineup[1].PositionCode = 7;
    }
    THistoryPage& ref = *page;
    History.Add(std::move(page));
    return ref;
  }
};
}  // namespace

TEST(HistoryTraining, ProgressSumsTheWeeksSinceTheSkillLastRose) {
  TTrainingHistory t;
  t.AddWeek(1, 5);
  t.AddWeek(2, 6);  // playmaking rose here
  t.AddWeek(3, 6);
  t.AddWeek(4, 6);
  // Weeks 3 and 4 count (the league match of the week before places him), week 2 holds the rise.
  const double week = GetTrainingIncrement(4, 7, 0, 100, 7, 8, 17);
  EXPECT_DOUBLE_EQ(t.History.GetTrainingProgress(5, 4, true, 0), 2 * week);
  EXPECT_DOUBLE_EQ(t.History.GetTrainingProgress(5, 4, true, 3), week);
  EXPECT_EQ(t.History.GetTrainingProgress(5, 4, false, 0), 0);  // Training toggle up
  t.History.SetTrainingOn(true);
  EXPECT_DOUBLE_EQ(t.History.GetTrainingProgress(5, 4, false, 0), 2 * week);
  EXPECT_EQ(t.History.GetTrainingProgress(5, 9, true, 0), 0);   // playmaking training does not train defending
  EXPECT_EQ(t.History.GetTrainingProgress(6, 4, true, 0), 0);   // not in the squad
  EXPECT_EQ(t.History.GetTrainingProgress(5, 4, true, 9), 0);   // no such page
}

TEST(HistoryTraining, ProgressIsZeroRightAfterASkillChange) {
  TTrainingHistory t;
  for (int round = 1; round <= 5; ++round) t.AddWeek(round, 6);
  t.AddWeek(6, 7);
  EXPECT_EQ(t.History.GetTrainingProgress(5, 4, true, 0), 0);
  TTrainingHistory fell;
  for (int round = 1; round <= 5; ++round) fell.AddWeek(round, 6);
  fell.AddWeek(6, 5);
  EXPECT_EQ(fell.History.GetTrainingProgress(5, 4, true, 0), 0);
}

TEST(HistoryTraining, ProgressOfManyWeeksIsCappedAt99Percent) {
  TTrainingHistory t;
  for (int round = 1; round <= 16; ++round) t.AddWeek(round, 6);
  EXPECT_DOUBLE_EQ(t.History.GetTrainingProgress(5, 4, true, 0), 0.99);
  // Stamina stops at level 8, the other skills at 20.
  TTrainingHistory stamina;
  for (int round = 1; round <= 4; ++round) stamina.AddWeek(round, 8, 17, 1);
  EXPECT_EQ(stamina.History.GetTrainingProgress(5, 3, true, 0), 0);
  TTrainingHistory top;
  for (int round = 1; round <= 4; ++round) top.AddWeek(round, 20);
  EXPECT_EQ(top.History.GetTrainingProgress(5, 4, true, 0), 0);
}

TEST(HistoryTraining, PlayersOf30OrMoreGetNothingForTheNewestWeekExceptStaminaAndSetPieces) {
  struct TCase {
    int Age, Skill, TrainingType, CountedWeeks;
  };
  // Four weekly pages: playmaking counts from the second page on (a position needs the page before), stamina
  // and set pieces in every page with a match.
  for (const TCase c : {TCase{29, 4, 8, 3}, {30, 4, 8, 2}, {31, 4, 8, 2}, {30, 3, 1, 4}, {30, 10, 2, 4}}) {
    TTrainingHistory t;
    for (int round = 1; round <= 4; ++round) t.AddWeek(round, 6, c.Age, c.TrainingType).Training.TrainingLevel = 20;
    const double week = t.History.GetWeeklyIncrement(3, 5, c.Skill, true);
    ASSERT_GT(week, 0);
    EXPECT_NEAR(t.History.GetTrainingProgress(5, c.Skill, true, 0), c.CountedWeeks * week, 1e-9)
        << c.Age << " " << c.Skill;
  }
}

TEST(HistoryTraining, WeeklyIncrementNeedsAMatchAndACoach) {
  TTrainingHistory t;
  t.AddWeek(1, 6);
  t.AddWeek(2, 6, 17, 1, false);  // stamina training, no match that week
  t.AddWeek(3, 6, 17, 8);
  t.AddWeek(4, 6, 17, 8);
  EXPECT_EQ(t.History.GetWeeklyIncrement(2, 5, 3, true), 0);
  // A position comes from the week's other match or from the league match attached to the page before.
  EXPECT_EQ(t.History.GetWeeklyIncrement(3, 5, 4, true), 0);
  EXPECT_GT(t.History.GetWeeklyIncrement(4, 5, 4, true), 0);
  t.History.Page(3).OtherMatch = t.History.Page(4).LeagueMatch;
  EXPECT_GT(t.History.GetWeeklyIncrement(3, 5, 4, true), 0);
  // Without a coach nothing is trained.
  TTrainingHistory noCoach;
  noCoach.AddWeek(1, 6);
  noCoach.AddWeek(2, 6).Team.TrainerPlayerID = 1234;
  EXPECT_EQ(noCoach.History.GetWeeklyIncrement(2, 5, 4, true), 0);
}

TEST(HistoryTraining, TheStoreIsTheRatingsSourceOfTrainingProgress) {
  EXPECT_EQ(GetTrainingProgressSource(), static_cast<ITrainingProgressSource*>(&History()));
}
