#include "ratings/InjuryAnalyzer.h"

#include "core/DateTime.h"

#include <gtest/gtest.h>

TEST(InjuryAnalyzer, RecoveryDaysFollowAgeAndDoctors) {
  struct TCase {
    int Weeks, Age, Doctors, Days;
  };
  for (const TCase& c : {TCase{0, 17, 0, 0}, TCase{1, 17, 0, 6}, TCase{2, 17, 0, 11}, TCase{3, 17, 0, 17},
                         TCase{10, 17, 0, 55}, TCase{1, 17, 1, 5}, TCase{2, 17, 1, 9}, TCase{1, 37, 0, 69},
                         TCase{3, 25, 10, 15}, TCase{9, 37, 99, 211}, TCase{-1, 17, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.Weeks << "w " << c.Age << "y " << c.Doctors << "d");
    EXPECT_EQ(RecoveryDays(c.Weeks, c.Age, c.Doctors), c.Days);
  }
}

TEST(InjuryAnalyzer, InputsOutsideTheSpinsAreClamped) {
  // Near 38.7 years the formula divides by zero, beyond it the days turn negative.
  EXPECT_EQ(RecoveryDays(1, 39, 0), RecoveryDays(1, 37, 0));
  EXPECT_EQ(RecoveryDays(1, 60, 0), RecoveryDays(1, 37, 0));
  EXPECT_EQ(RecoveryDays(1, 5, 0), RecoveryDays(1, 17, 0));
  EXPECT_EQ(RecoveryDays(1, 17, -3), RecoveryDays(1, 17, 0));
  EXPECT_GT(RecoveryDays(9, 37, 5000), 0);
}

TEST(InjuryAnalyzer, RowsAppearWithEnoughWeeks) {
  auto rows = RecoveryRanges(-1, 17, 0);
  for (const auto& row : rows) EXPECT_FALSE(row.Visible);

  rows = RecoveryRanges(0, 17, 0);
  EXPECT_TRUE(rows[rrHealthy].Visible);
  EXPECT_EQ(rows[rrHealthy].MinDays, 0);
  EXPECT_EQ(rows[rrHealthy].MaxDays, 6);
  EXPECT_FALSE(rows[rrPlaying].Visible);
  EXPECT_FALSE(rows[rrTraining].Visible);

  rows = RecoveryRanges(2, 17, 0);
  for (const auto& row : rows) EXPECT_TRUE(row.Visible);
  EXPECT_EQ(rows[rrHealthy].MinDays, 11);
  EXPECT_EQ(rows[rrHealthy].MaxDays, 17);
  EXPECT_EQ(rows[rrPlaying].MinDays, 6);
  EXPECT_EQ(rows[rrPlaying].MaxDays, 11);
  EXPECT_EQ(rows[rrTraining].MinDays, 0);
  EXPECT_EQ(rows[rrTraining].MaxDays, 6);
}

TEST(InjuryAnalyzer, ValueShowsTheCalendarDateAndTheDays) {
  const auto today = ParseDateTime("2026-03-27 23:30:00");
  EXPECT_EQ(RecoveryDate(today, 0), "2026-03-27");
  // Across the end of a month and a possible daylight saving change the calendar day still moves by one.
  EXPECT_EQ(RecoveryDate(today, 1), "2026-03-28");
  EXPECT_EQ(RecoveryDate(today, 6), "2026-04-02");
  EXPECT_EQ(RecoveryDate(ParseDateTime("2026-10-25 00:30:00"), 1), "2026-10-26");
  EXPECT_EQ(RecoveryValueText(today, 6), "2026-04-02\r\n6 day(s)");
}
