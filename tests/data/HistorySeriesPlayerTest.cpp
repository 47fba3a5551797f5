// The texts, matches and training estimates the history graphs show for one player.
#include "data/HistorySeriesPlayer.h"

#include "HistorySeriesTestPages.h"
#include "core/Utils.h"
#include "data/Currencies.h"
#include "data/Preferences.h"
#include "data/TrainingData.h"

#include <gtest/gtest.h>

using namespace seriestest;

namespace {
class TKronor {
public:
  TKronor() : FOld(Preferences().CurrencyIndex) {
    for (int i = 0; i < LeagueCurrencyChoices; ++i)
      if (LeagueCurrencyAt(i).LeagueID == 1) Preferences().SetCurrencyIndex(i);
  }
  ~TKronor() { Preferences().SetCurrencyIndex(FOld); }

private:
  int FOld;
};

// A page with a coach of level 7, the given training, and player 7 as inner midfielder in its other match.
THistoryPage& AddTrainedWeek(THistory& history, int round, int skill, int trainingType = 8) {
  THistoryPage& page = AddPage(history, 38, round);
  page.Team.TrainerPlayerID = 99;
  page.Training.TrainingLevel = 100;
  page.Training.TrainingType = trainingType;
  page.Training.StaminaTrainingPart = 10;
  TPlayer& player = AddPlayer(page, 7, skill);
  player.Age = 17;
  player.TSI = 4321;
  AddPlayer(page, 99).TrainerSkill = "7";
  Play(page.OtherMatch, 7, 7, 7, 3.0, round);
  return page;
}
}  // namespace

TEST(HistorySeriesPlayer, WageWithTheForeignersBonusAndTheRecordFileRule) {
  TKronor kronor;
  struct TCase {
    int PlayerCountry;
    bool Xml;
    const char* Text;
  };
  for (const TCase c : {TCase{3, true, "1 000 kr/week"}, {3, false, "1 000 kr/week"},
                        {5, true, "1 000 kr/week including 20% bonus"},
                        {5, false, "1 200 kr/week including 20% bonus"}}) {
    THistory history;
    THistoryPage& page = AddPage(history, 38, 1);  // a league of country 3
    page.IsXml = c.Xml;
    TPlayer& player = AddPlayer(page, 7);
    player.CountryID = c.PlayerCountry;
    player.Salary = 1000;
    EXPECT_EQ(WageText(player, page), c.Text) << c.PlayerCountry << " " << c.Xml;
  }
}

TEST(HistorySeriesPlayer, GeneralTextsComeFromTheNewestPageAndTheWageFromTheCurrentOne) {
  TKronor kronor;
  THistory history;
  THistoryPage& record = AddPage(history, 38, 1);
  record.IsXml = false;
  AddPlayer(record, 7);
  THistoryPage& newest = AddPage(history, 38, 2);
  TPlayer& p = AddPlayer(newest, 7, 6);
  p.PlayerName = "Karl Kick";
  p.Age = 23;
  p.PlayerForm = 7;
  p.Experience = 4;
  p.Leadership = 5;
  p.Agreeability = 2;
  p.Aggressiveness = 4;
  p.Honesty = 3;
  p.Specialty = spQuick;
  p.CountryID = 2;
  p.TSI = 12345;
  p.Salary = 2000;
  p.Cards = 3;
  p.CareerGoals = 17;
  const TPlayerGeneral g = PlayerGeneral(history, 7, &newest);
  ASSERT_TRUE(g.Present);
  EXPECT_EQ(g.NameLine, "Karl Kick (7)");
  EXPECT_EQ(g.AgeLine, "23 years, solid form, healthy");
  EXPECT_EQ(g.PersonalityLine, "A pleasant guy who is fiery and upright.");
  EXPECT_EQ(g.ExperienceLine, "Has weak experience and inadequate leadership abilities.");
  EXPECT_EQ(g.Speciality, "Speciality: Quick");
  EXPECT_EQ(g.Nationality, "England");
  EXPECT_EQ(g.TSI, "12 345 (12 345 000 kr)");
  EXPECT_EQ(g.Wage, "2 000 kr/week including 20% bonus");
  EXPECT_EQ(g.Warnings, "(Suspended)");
  EXPECT_EQ(g.Skills[1], "passable (6)");
  EXPECT_EQ(g.CareerGoals, "17");
  // Shown while a record page is current: the stored wage had no bonus.
  EXPECT_EQ(PlayerGeneral(history, 7, &record).Wage, "2 400 kr/week including 20% bonus");
  p.Specialty = spNone;
  p.Cards = 2;
  p.CountryID = 0;
  const TPlayerGeneral plain = PlayerGeneral(history, 7, nullptr);
  EXPECT_EQ(plain.Speciality, "");
  EXPECT_EQ(plain.Warnings, "2");
  EXPECT_EQ(plain.Nationality, "");
  // Sold before the newest page: no General page.
  AddPage(history, 38, 3);
  EXPECT_FALSE(PlayerGeneral(history, 7, nullptr).Present);
}

TEST(HistorySeriesPlayer, BestMatchIsTheFirstWithMostStarsAndLatestTheLastPlayed) {
  THistory history;
  THistoryPage& p1 = AddPage(history, 38, 1);
  AddPlayer(p1, 7).PlayerForm = 5;
  Play(p1.OtherMatch, 2, 7, 2, 4.0, 101);
  p1.OtherMatch.HomeTeamID = "4711";
  p1.OtherMatch.AwayTeamName = "Cup Rivals";
  p1.OtherMatch.WeatherID = 3;
  Play(p1.LeagueMatch, 7, 7, 7, 4.0, 102);  // as many stars, later: not the best
  p1.LeagueMatch.HomeTeamName = "League Rivals";
  p1.LeagueMatch.HomeTeamID = "815";
  THistoryPage& p2 = AddPage(history, 38, 2);
  AddPlayer(p2, 7).PlayerForm = 8;
  Play(p2.OtherMatch, 19, 7, 10, 1.5, 103);  // came on late
  p2.OtherMatch.Lineup[19].Behaviour = 1;
  Play(p2.LeagueMatch, 14, 7, 12, 0, 104);   // on the bench only
  const TPlayerMatches m = PlayerMatches(history, 7);
  ASSERT_TRUE(m.Best.Found);
  EXPECT_EQ(m.Best.Stars, 4.0);
  EXPECT_EQ(m.Best.Opponent, "Cup Rivals");
  EXPECT_EQ(m.Best.Position, "Right Back");
  EXPECT_EQ(m.Best.Weather, "Sunny");
  EXPECT_EQ(m.Best.Form, "inadequate");
  EXPECT_EQ(m.Best.Matchday, 1);
  ASSERT_TRUE(m.Latest.Found);
  EXPECT_EQ(m.Latest.Stars, 1.5);
  EXPECT_EQ(m.Latest.Matchday, 2);
  EXPECT_EQ(m.Latest.Behaviour, "Offensive");
  EXPECT_EQ(m.Latest.Form, "excellent");
  EXPECT_FALSE(PlayerMatches(history, 8).Latest.Found);
}

TEST(HistorySeriesPlayer, PastTrainingRowsNewestFirstWithTheWeeksProgress) {
  THistory history;
  AddTrainedWeek(history, 1, 5);
  AddTrainedWeek(history, 2, 5);
  AddTrainedWeek(history, 3, 5, 0);  // general training trains nothing
  const std::vector<TPastTrainingRow> rows = PastTraining(history, 7);
  ASSERT_EQ(rows.size(), 2u);
  const double week = GetTrainingIncrement(4, 7, 10, 100, 7, 8, 17);
  EXPECT_EQ(rows[0].Week, "38-02");
  EXPECT_EQ(rows[0].TrainType, "Playmaking");
  EXPECT_EQ(rows[0].Skill, "Playmaking");
  EXPECT_EQ(rows[0].StaminaShare, "10%");
  EXPECT_EQ(rows[0].Position, "Inner Midfielder");
  EXPECT_EQ(rows[0].Level, "5");
  EXPECT_EQ(rows[0].LastTrain, FormatFloat(week * 100, 1) + "%");
  EXPECT_EQ(rows[0].TotalTrain, FormatFloat(2 * week * 100, 1) + "%");
  EXPECT_EQ(rows[0].TSI, "4 321");
  EXPECT_EQ(rows[1].Week, "38-01");
  EXPECT_EQ(rows[1].TotalTrain, FormatFloat(week * 100, 1) + "%");
  const std::array<int, 8> bars = TrainingBars(history, 7);
  EXPECT_EQ(bars[1], RoundHalfEven(2 * week * 100));  // the general week adds nothing
  EXPECT_EQ(bars[0], 0);
  EXPECT_TRUE(PastTraining(history, 8).empty());
}

TEST(HistorySeriesPlayer, FutureTrainingWeeksPerLevel) {
  // Stamina training: 0.8333 of a level per week at any age.
  struct TCase {
    const char* What;
    int TrainingType;
    double Skill, Progress;
    int Round, Age;
    bool Exclude, Half;
    std::vector<std::string> Weeks;
  };
  const TCase cases[] = {
      {"levels 6, 7, 8", 1, 5, 0, 1, 20, false, false, {"2 weeks", "3 weeks", "4 weeks"}},
      {"one week", 1, 7, 50, 1, 20, false, false, {"1 week"}},
      {"half training", 1, 7, 0, 1, 20, false, true, {"3 weeks"}},
      {"at the cap", 1, 8, 0, 1, 20, false, false, {}},
      {"general trains nothing", 0, 5, 0, 1, 20, false, false, {}},
      {"off-season excluded", 1, 6, 0, 12, 20, true, false, {"5 weeks", "6 weeks"}},
      {"off-season counted", 1, 6, 0, 12, 20, false, false, {"2 weeks", "3 weeks"}},
      {"playmaking at the top", 8, 20, 0, 1, 20, false, false, {}},
  };
  for (const TCase& c : cases) {
    TFutureTrainingInput in;
    in.TrainingType = c.TrainingType;
    in.Skill = c.Skill;
    in.Progress = c.Progress;
    in.Round = c.Round;
    in.Age = c.Age;
    in.ExcludeOffSeason = c.Exclude;
    in.HalfTraining = c.Half;
    std::vector<std::string> weeks;
    for (const auto& row : FutureTraining(in)) weeks.push_back(row.Weeks);
    EXPECT_EQ(weeks, c.Weeks) << c.What;
  }
  TFutureTrainingInput in;
  in.TrainingType = 1;
  in.Skill = 6;
  in.Round = 12;
  in.Age = 20;
  in.ExcludeOffSeason = true;
  const auto rows = FutureTraining(in);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Level, "solid");
  EXPECT_EQ(rows[0].Age, 20);
  EXPECT_EQ(rows[1].Level, "excellent");
  EXPECT_EQ(rows[1].Age, 21);  // the new season began
}

TEST(HistorySeriesPlayer, FutureTrainingStopsWhenHisAgeWouldPass30) {
  TFutureTrainingInput in;
  in.TrainingType = 8;  // playmaking, slow for older players
  in.Skill = 5;
  in.Round = 16;
  in.Age = 30;
  EXPECT_TRUE(FutureTraining(in).empty());
  in.Age = 29;
  const auto rows = FutureTraining(in);
  ASSERT_FALSE(rows.empty());
  for (const auto& row : rows) EXPECT_EQ(row.Age, 30);
  // The last week before his birthday still counts.
  in.Age = 30;
  in.Progress = 99;
  in.Round = 15;
  ASSERT_EQ(FutureTraining(in).size(), 1u);
}

TEST(HistorySeriesPlayer, FutureTrainingStartsFromTheNewestPage) {
  THistory history;
  AddTrainedWeek(history, 1, 5);
  AddTrainedWeek(history, 2, 5);
  TFutureTrainingInput in;
  in.TrainingType = 8;
  ASSERT_TRUE(FutureTrainingStart(history, 7, in));
  EXPECT_EQ(in.Round, 2);
  EXPECT_EQ(in.Skill, 5);
  EXPECT_DOUBLE_EQ(in.Progress, history.GetTrainingProgress(7, 4, true, 0) * 100);
  EXPECT_GT(in.Progress, 0);
  EXPECT_FALSE(FutureTrainingStart(history, 8, in));
}
