// Weekly revenue and expenses of the history graphs and the figures of one chosen week.
#include "data/HistorySeriesEconomy.h"

#include "HistorySeriesTestPages.h"
#include "core/Errors.h"
#include "data/Currencies.h"
#include "data/Preferences.h"

#include <gtest/gtest.h>

using namespace seriestest;

namespace {
// The display currency for one test: the league's index in the choice list.
class TCurrency {
public:
  explicit TCurrency(int leagueID) : FOld(Preferences().CurrencyIndex) {
    for (int i = 0; i < LeagueCurrencyChoices; ++i)
      if (LeagueCurrencyAt(i).LeagueID == leagueID) Preferences().SetCurrencyIndex(i);
  }
  ~TCurrency() { Preferences().SetCurrencyIndex(FOld); }

private:
  int FOld;
};

void SetCurrent(TXMLEconomy& e, int64_t base) {
  e.IncomeSpectators = base + 1;
  e.IncomeSponsors = base + 2;
  e.IncomeFinancial = base + 3;
  e.IncomeTemporary = 0;
  e.IncomeSum = 4 * base + 6;
  e.CostsArena = base + 10;
  e.CostsPlayers = base + 20;
  e.CostsFinancial = 0;
  e.CostsTemporary = base + 40;
  e.CostsStaff = base + 50;
  e.CostsYouth = base + 60;
  e.CostsSum = 6 * base + 180;
}

void SetLast(TXMLEconomy& e, int64_t base) {
  e.LastIncomeSpectators = base + 1;
  e.LastIncomeSponsors = base + 2;
  e.LastIncomeFinancial = base + 3;
  e.LastIncomeTemporary = base + 4;
  e.LastIncomeSum = 4 * base + 10;
  e.LastCostsArena = base + 10;
  e.LastCostsPlayers = base + 20;
  e.LastCostsFinancial = base + 30;
  e.LastCostsTemporary = base + 40;
  e.LastCostsStaff = base + 50;
  e.LastCostsYouth = base + 60;
  e.LastCostsSum = 6 * base + 210;
  e.LastWeeksTotal = -(2 * base + 200);
}

// Three weeks: each page's last-week figures describe the week of the page before it.
struct TEconomyHistory {
  THistory History;
  TEconomyHistory() {
    for (int round = 1; round <= 3; ++round) {
      THistoryPage& page = AddPage(History, 38, round);
      SetCurrent(page.Economy, 1000 * round);
      SetLast(page.Economy, 1000 * round + 500);
      page.Economy.Cash = 100000 * round;
      page.Economy.ExpectedCash = 100000 * round + 2345;
      page.Economy.FanClubSize = 1234 * round;
      page.Economy.SponsorsPopularity = round;
      page.Economy.SupportersPopularity = 8 + round;
    }
  }
};
}  // namespace

TEST(HistorySeriesEconomy, AWeeksPointComesFromTheNextPagesLastWeekAndTheNewestFromItsOwn) {
  TCurrency kronor(1);  // rate 1: amounts as stored
  TEconomyHistory h;
  const auto revenue = RevenueSeries(h.History);
  const auto expenses = ExpenseSeries(h.History);
  ASSERT_EQ(revenue[0].size(), 3u);
  // Page 1's week from page 2's last week, page 2's from page 3's, page 3's from its own current week.
  EXPECT_EQ(revenue[0][0].Y, 2501);  // crowd
  EXPECT_EQ(revenue[0][1].Y, 3501);
  EXPECT_EQ(revenue[0][2].Y, 3001);
  EXPECT_EQ(revenue[4][0].Y, 4 * 2500 + 10);  // total = the stored sum
  EXPECT_EQ(revenue[3][2].Y, 0);              // temporary
  EXPECT_EQ(expenses[1][0].Y, 2520);          // wages = players
  EXPECT_EQ(expenses[2][1].Y, 3530);          // interest = financial
  EXPECT_EQ(expenses[5][2].Y, 3060);          // youth squad
  EXPECT_EQ(expenses[6][2].Y, 6 * 3000 + 180);
  EXPECT_EQ(revenue[0][2].X, 38.125);
  EXPECT_EQ(CompletedWeekFigures(h.History, 3), CurrentWeekFigures(h.History.Page(3).Economy));
  EXPECT_EQ(CompletedWeekFigures(h.History, 1), LastWeekFigures(h.History.Page(2).Economy));
  EXPECT_THROW(CompletedWeekFigures(h.History, 4), ERangeError);
}

TEST(HistorySeriesEconomy, MoneyIsShownInTheDisplayCurrency) {
  TCurrency euro(3);  // rate 10
  TEconomyHistory h;
  EXPECT_EQ(RevenueSeries(h.History)[0][2].Y, 300);  // 3001 / 10, truncated
  const TEconomyGeneral g = EconomyGeneral(h.History, 0);
  EXPECT_EQ(g.CashFunds, "30 000 € (30 234 €)");
  EXPECT_EQ(g.IncomeLoss, "234");
  EXPECT_EQ(g.RevenueTexts[0], "300");
}

TEST(HistorySeriesEconomy, TheChosenWeeksFiguresPiesAndMoods) {
  TCurrency kronor(1);
  TEconomyHistory h;
  EXPECT_EQ(EconomyWeekNames(h.History), (std::vector<std::string>{"Week 03, Season 38", "Week 02, Season 38",
                                                                   "Week 01, Season 38"}));
  // Newest week: the week in progress of the newest page; empty slices are left out.
  const TEconomyGeneral now = EconomyGeneral(h.History, 0);
  EXPECT_EQ(now.CashFunds, "300 000 kr (302 345 kr)");
  EXPECT_EQ(now.IncomeLoss, "2 345");
  ASSERT_EQ(now.Revenue.size(), 3u);  // no temporary income
  EXPECT_EQ(now.Revenue[0].Name, "Crowd");
  EXPECT_EQ(now.Revenue[0].Amount, 3001);
  ASSERT_EQ(now.Expenses.size(), 5u);  // no interest
  EXPECT_EQ(now.Expenses[1].Name, "Wages");
  EXPECT_EQ(now.RevenueTexts[4], "12 006");
  EXPECT_EQ(now.Sponsors, "Irritated");
  EXPECT_EQ(now.Supporters, "Sending Love Poems to you");
  EXPECT_EQ(now.SupporterClub, "3 702 members");
  // A week before: page 2 with the last-week figures of page 3.
  const TEconomyGeneral before = EconomyGeneral(h.History, 1);
  EXPECT_EQ(before.CashFunds, "200 000 kr");
  EXPECT_EQ(before.IncomeLoss, "-7 200");
  EXPECT_EQ(before.Figures, LastWeekFigures(h.History.Page(3).Economy));
  ASSERT_EQ(before.Revenue.size(), 4u);
  ASSERT_EQ(before.Expenses.size(), 6u);
  EXPECT_EQ(before.Expenses[5].Name, "Youth squad");
  EXPECT_EQ(before.Expenses[5].Amount, 3560);
  EXPECT_EQ(before.Sponsors, "Angry");
  EXPECT_EQ(before.SupporterClub, "2 468 members");
  EXPECT_THROW(EconomyGeneral(h.History, 3), ERangeError);
  EXPECT_EQ(MoodName(12), "");
  EXPECT_EQ(MoodName(0), "Murderous");
}
