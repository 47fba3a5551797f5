// The history graphs' time axis and the series of a player and of the club.
#include "data/HistorySeries.h"

#include "HistorySeriesTestPages.h"
#include "core/Utils.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace seriestest;

namespace {
std::vector<double> Xs(const THistoryPoints& points) {
  std::vector<double> xs;
  for (const auto& p : points) xs.push_back(p.X);
  return xs;
}
}  // namespace

TEST(HistorySeries, PagesSitOnTheTimeAxisBySeasonAndRound) {
  struct TCase {
    int Season, Round;
    double X;
    const char* Label;
  };
  for (const TCase c : {TCase{39, 16, 39.9375, "39(16)"}, {39, 1, 39.0, "39(1)"}, {1, 9, 1.5, "1(9)"},
                        {140, 5, 140.25, "140(5)"}}) {
    EXPECT_EQ(HistoryAxisX(c.Season, c.Round), c.X) << c.Season << " " << c.Round;
    EXPECT_EQ(HistoryAxisLabel(c.X), c.Label);
  }
  // Every round of a season reads back as itself, also from a position summed up step by step.
  double x = 39;
  for (int round = 1; round <= 16; ++round, x += 0.0625 / 3 * 3) {
    EXPECT_EQ(HistoryAxisRound(HistoryAxisX(39, round)), round);
    EXPECT_EQ(HistoryAxisRound(x), round);
    EXPECT_EQ(HistoryAxisSeason(x), 39);
  }
  EXPECT_EQ(HistoryAxisLabel(std::nextafter(39.25, 0.0)), "39(5)");
}

TEST(HistorySeries, APlayerHasPointsOnlyInThePagesThatHoldHim) {
  THistory history;
  AddPlayer(AddPage(history, 38, 1), 7, 4).TSI = 1234;
  AddPage(history, 38, 2);  // sold and bought back
  TPlayer& back = AddPlayer(AddPage(history, 38, 3), 7, 6);
  back.PlayerForm = 8;
  back.Experience = 3;
  const TPlayerHistorySeries s = PlayerHistorySeries(history, 7);
  const std::vector<double> expected = {38.0, 38.125};
  for (const auto& skill : s.Skills) EXPECT_EQ(Xs(skill), expected);
  for (const auto& position : s.Positions) {
    ASSERT_EQ(Xs(position), expected);
    for (const auto& p : position) EXPECT_EQ(p.Y, std::nearbyint(p.Y));  // rounded to whole numbers
  }
  EXPECT_EQ(Xs(s.TSI), expected);
  EXPECT_EQ(s.TSI[0].Y, 1234);
  EXPECT_EQ(s.Skills[paPlaymaking - 3][1].Y, 6);
  EXPECT_EQ(s.Skills[paForm - 3][1].Y, 8);
  EXPECT_EQ(s.Skills[paExperience - 3][1].Y, 3);
  EXPECT_EQ(s.Positions[paBestRating - 30][1].Y, RoundHalfEven(back.GetBestRating()));
  EXPECT_TRUE(PlayerHistorySeries(history, 8).Skills[0].empty());
}

TEST(HistorySeries, StarsOfAWeekComeFromItsOtherMatchElseThePreviousLeagueMatch) {
  THistory history;
  THistoryPage& p1 = AddPage(history, 38, 1);
  AddPlayer(p1, 7);
  Play(p1.LeagueMatch, 5, 7, 7, 3.5);          // played after snapshot 1: belongs to week 2
  THistoryPage& p2 = AddPage(history, 38, 2);
  AddPlayer(p2, 7);
  THistoryPage& p3 = AddPage(history, 38, 3);
  AddPlayer(p3, 7);
  Play(p3.OtherMatch, 5, 7, 7, 4.0);           // the week's cup match wins over the league match
  Play(p2.LeagueMatch, 5, 7, 7, 2.0);
  THistoryPage& p4 = AddPage(history, 38, 4);  // no match at all: no point
  AddPlayer(p4, 7);
  const TPlayerHistorySeries s = PlayerHistorySeries(history, 7);
  ASSERT_EQ(s.Stars.size(), 2u);
  EXPECT_EQ(s.Stars[0].X, HistoryAxisX(38, 2));
  EXPECT_EQ(s.Stars[0].Y, 3.5);
  EXPECT_EQ(s.Stars[1].X, HistoryAxisX(38, 3));
  EXPECT_EQ(s.Stars[1].Y, 4.0);

  // Not in the previous page's squad: that league match is not his week's.
  THistory bought;
  THistoryPage& b1 = AddPage(bought, 38, 1);
  Play(b1.LeagueMatch, 5, 7, 7, 3.5);
  AddPlayer(AddPage(bought, 38, 2), 7);
  EXPECT_TRUE(PlayerHistorySeries(bought, 7).Stars.empty());
}

TEST(HistorySeries, ThePointOfAnEarlyExitIsLabelledInjuredWhenHeIsHurt) {
  struct TCase {
    int Injury;
    const char* Label;
  };
  for (const TCase c : {TCase{2, "Injured\r\n+2"}, {0, "Injured\r\n+0"}, {-1, ""}}) {
    THistory history;
    THistoryPage& p1 = AddPage(history, 38, 1);
    AddPlayer(p1, 7);
    Play(p1.OtherMatch, 3, 7, 7, 3.0, 11);
    THistoryPage& p2 = AddPage(history, 38, 2);
    AddPlayer(p2, 7).InjuryLevel = c.Injury;
    // Taken off in the league match of week 2: listed in a late place with his stars.
    Play(p1.LeagueMatch, 19, 7, 7, 2.5, 12);
    const TPlayerHistorySeries s = PlayerHistorySeries(history, 7);
    ASSERT_EQ(s.Stars.size(), 2u);
    EXPECT_EQ(s.Stars[0].Label, "");
    EXPECT_EQ(s.Stars[1].Label, c.Label) << c.Injury;
  }
}

TEST(HistorySeries, StackedBarsOfTeamStarsArenaAndAttendance) {
  THistory history;
  THistoryPage& p1 = AddPage(history, 38, 1);
  p1.Arena.Terraces = 10000;
  p1.Arena.Basic = 2000;
  p1.Arena.Roof = 400;
  p1.Arena.VIP = 100;
  Play(p1.LeagueMatch, 1, 1, 1, 3.0);   // keeper
  Play(p1.LeagueMatch, 2, 2, 3, 2.5);   // central defender
  Play(p1.LeagueMatch, 3, 3, 6, 4.0);   // winger
  Play(p1.LeagueMatch, 4, 4, 10, 1.5);  // forward
  Play(p1.LeagueMatch, 5, 5, 7, 2.0);   // inner midfield
  p1.LeagueMatch.SoldTerraces = 9000;
  p1.LeagueMatch.SoldBasic = 2000;
  p1.LeagueMatch.SoldRoof = 345;
  p1.LeagueMatch.SoldVIP = 0;
  THistoryPage& p2 = AddPage(history, 38, 2);
  p2.Arena.Terraces = 12500;
  Play(p2.OtherMatch, 1, 1, 1, 5.0);  // sold nothing (an away match stored without figures)

  const TStackedBars league = TeamStarsBars(history, true);
  ASSERT_EQ(league.BarCount(), 1u);
  EXPECT_EQ(league.X[0], 38.0);
  const std::vector<double> groups = {league.Groups[sgKeeper][0], league.Groups[sgDefenders][0],
                                      league.Groups[sgInnerMidfielders][0], league.Groups[sgWingers][0],
                                      league.Groups[sgForwards][0]};
  EXPECT_EQ(groups, (std::vector<double>{3.0, 2.5, 2.0, 4.0, 1.5}));
  EXPECT_EQ(league.Sum(0), 13.0);
  EXPECT_EQ(league.Sum(0, {true, false, true, false, false}), 5.0);
  EXPECT_EQ(TeamStarsLabel(league.Sum(0)), "13");
  EXPECT_EQ(TeamStarsLabel(12.5), "12.5");
  const TStackedBars other = TeamStarsBars(history, false);
  ASSERT_EQ(other.BarCount(), 1u);
  EXPECT_EQ(other.X[0], 38.0625);

  const TStackedBars capacity = CapacityBars(history);
  ASSERT_EQ(capacity.BarCount(), 2u);
  EXPECT_EQ(CapacityLabel(capacity.Sum(0)), "12");  // 12.5 thousand: halves to even
  EXPECT_EQ(CapacityLabel(capacity.Sum(1)), "12");
  EXPECT_EQ(CapacityLabel(13500), "14");

  const TStackedBars attendance = AttendanceBars(history, true);
  ASSERT_EQ(attendance.BarCount(), 1u);
  EXPECT_EQ(AttendanceLabel(attendance.Sum(0)), "11 345");
  EXPECT_EQ(AttendanceLabel(attendance.Sum(0, {false, true, true, true})), "2 345");
  EXPECT_EQ(AttendanceBars(history, false).BarCount(), 0u);
}

TEST(HistorySeries, ClubLinesHaveAPointForEveryPage) {
  THistory history;
  THistoryPage& p1 = AddPage(history, 38, 15);
  p1.Training.Morale = 4;
  p1.Training.SelfConfidence = 6;
  p1.Economy.FanClubSize = 321;
  p1.Economy.SponsorsPopularity = 5;
  p1.Economy.SupportersPopularity = 7;
  AddPage(history, 39, 1);
  const auto spirit = TeamSpiritSeries(history);
  EXPECT_EQ(Xs(spirit[0]), (std::vector<double>{38.875, 39.0}));
  EXPECT_EQ(spirit[0][0].Y, 4);
  EXPECT_EQ(spirit[1][0].Y, 6);
  EXPECT_EQ(SupporterClubSeries(history)[0].Y, 321);
  const auto popularity = PopularitySeries(history);
  EXPECT_EQ(popularity[0][0].Y, 5);
  EXPECT_EQ(popularity[1][0].Y, 7);
  EXPECT_EQ(popularity[1][1].Y, 0);
}
