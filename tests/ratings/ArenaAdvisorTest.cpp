// The arena advisor's seat splits, money and the project row's edits.
#include "core/Errors.h"
#include "data/Currencies.h"
#include "data/Preferences.h"
#include "ratings/ArenaAdvisor.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
int IndexOfLeague(int leagueID) {
  auto it = std::find(LeagueCurrencyOrder.begin(), LeagueCurrencyOrder.end(), leagueID);
  return int(it - LeagueCurrencyOrder.begin());
}

class ArenaAdvisor : public ::testing::Test {
protected:
  void SetUp() override { Preferences().SetCurrencyIndex(IndexOfLeague(1)); }  // Sverige: rate 1
  void TearDown() override { Preferences().CurrencyIndex = DefaultCurrencyIndex; }
};

const TArenaSeats Current{10000, 3000, 1000, 200};
}  // namespace

TEST_F(ArenaAdvisor, SplitGivesRoundedSharesAndTerracesTakeTheRest) {
  const struct {
    int64_t Total;
    TArenaSeats Seats;
  } cases[] = {
      {25000, {15703, 6281, 2513, 503}},  // the Ideal arena of 1000 supporters
      {0, {0, 0, 0, 0}},
      {1592, {1000, 400, 160, 32}},
      {199, {125, 50, 20, 4}},  // 4.0: no rounding; 199 × 160 / 1592 = 20.0
      {-1592, {-1000, -400, -160, -32}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Total);
    const TArenaSeats s = SplitArenaTotal(c.Total);
    EXPECT_EQ(s, c.Seats);
    EXPECT_EQ(SeatSum(s), c.Total);
  }
}

TEST_F(ArenaAdvisor, ConstructionMaintenanceAndIncome) {
  const struct {
    TArenaSeats Change;
    int64_t Cost;
  } cases[] = {
      {{0, 0, 0, 0}, 0},                  // nothing to build: no fixed fee
      {{-100, 0, 0, 0}, 6000 + 100000},   // removing costs too, and carries the fee
      {{1, 1, 1, 1}, 450 + 750 + 900 + 3000 + 100000},
      {{100, -10, 0, 0}, 45000 + 600 + 100000},
  };
  for (const auto& c : cases) EXPECT_EQ(ArenaConstructionCost(c.Change), c.Cost);
  EXPECT_EQ(ArenaMaintenanceCost(Current), 50000 + 21000 + 10000 + 5000);
  EXPECT_EQ(ArenaMatchIncome(Current), 650000 + 285000 + 130000 + 65000);
}

TEST_F(ArenaAdvisor, ShareTotalAndNumberDisplay) {
  EXPECT_EQ(ArenaTotalFromShare(stVIP, 500), 24875);
  EXPECT_EQ(ArenaTotalFromShare(stTerraces, 1000), 1592);
  EXPECT_THROW(ArenaTotalFromShare(TSeatType(4), 1), ERangeError);
  EXPECT_THROW(ArenaTotalFromShare(TSeatType(-1), 1), ERangeError);

  EXPECT_EQ(FormatArenaNumber(0, 0), "-- --- ---");
  EXPECT_EQ(FormatArenaNumber(0, 11), " -- --- ---");
  EXPECT_EQ(FormatArenaNumber(25000, 10), "    25 000");
  EXPECT_EQ(FormatArenaNumber(-1234567, 0), "-1 234 567");
  EXPECT_EQ(FormatArenaNumber(123456789012, 5), "123 456 789 012");  // never cut
  EXPECT_EQ(ArenaEmptyMoneyText(), ":   -- --- ---");
}

TEST_F(ArenaAdvisor, SupporterMoodNamesStayInsideTheTable) {
  EXPECT_EQ(SupporterMoodName(0), "Murderous");
  EXPECT_EQ(SupporterMoodName(5), "Calm");
  EXPECT_EQ(SupporterMoodName(11), "Sending Love Poems to you");
  EXPECT_EQ(SupporterMoodName(12), "");
  EXPECT_EQ(SupporterMoodName(-1), "");
  // Translations may be in lower case, with an accented first letter.
  EXPECT_EQ(UpperCaseFirstLetter("überglücklich"), "Überglücklich");
  EXPECT_EQ(UpperCaseFirstLetter("ruhig"), "Ruhig");
  EXPECT_EQ(UpperCaseFirstLetter("÷x"), "÷x");
  EXPECT_EQ(UpperCaseFirstLetter("\xC3"), "\xC3");  // a cut sequence stays as it is
  EXPECT_EQ(UpperCaseFirstLetter(""), "");
}

TEST_F(ArenaAdvisor, FinalSeatsOnlyWhileBuilding) {
  TXMLArena a;
  a.Terraces = 100, a.Basic = 20, a.Roof = 10, a.VIP = 1, a.Total = 131;
  EXPECT_EQ(FinalSeats(a), (TArenaSeats{}));
  a.ExpandedRoof = 50;
  EXPECT_EQ(FinalSeats(a), (TArenaSeats{100, 20, 60, 1}));
}

TEST_F(ArenaAdvisor, MoneyIsShownInTheChosenCurrency) {
  Preferences().SetCurrencyIndex(IndexOfLeague(8));  // USA: 10 per dollar, truncated
  const TArenaUpkeep u = ArenaUpkeep({3, 1, 0, 1});
  EXPECT_EQ(u.LocalCost, (TArenaSeats{1, 0, 0, 2}));     // 15, 7, 0, 25
  EXPECT_EQ(u.LocalCostTotal, 4);                        // 47: the total is converted, not summed
  EXPECT_EQ(u.LocalIncome, (TArenaSeats{19, 9, 0, 32}));  // 195, 95, 0, 325
  EXPECT_EQ(u.LocalIncomeTotal, 61);                     // 615
  EXPECT_EQ(u.LocalProfit, 26);                          // 30.5 − 4 = 26.5, halves to even
  const TArenaPlan p = ArenaRecommendation(arIdeal, 1000, Current, false);
  EXPECT_EQ(p.Seats, (TArenaSeats{15703, 6281, 2513, 503}));
  const int64_t cost = 5703 * 450 + 3281 * 750 + 1513 * 900 + 303 * 3000 + 100000;
  EXPECT_EQ(p.LocalCost, cost / 10);
  EXPECT_EQ(p.LocalMaintenance, ArenaMaintenanceCost(p.Seats) / 10);
}

TEST_F(ArenaAdvisor, RecommendationsAbsoluteAndAsDifference) {
  for (int r = 0; r < ArenaRecommendationCount; ++r) {
    SCOPED_TRACE(r);
    const auto which = TArenaRecommendation(r);
    const TArenaPlan abs = ArenaRecommendation(which, 1000, Current, false);
    const TArenaPlan diff = ArenaRecommendation(which, 1000, Current, true);
    EXPECT_EQ(SeatSum(abs.Seats), 1000 * ArenaRecommendationFactors[r]);
    EXPECT_EQ(diff.Seats, abs.Seats - Current);
    EXPECT_EQ(diff.LocalCost, abs.LocalCost);
    EXPECT_EQ(diff.LocalMaintenance, abs.LocalMaintenance - ArenaMaintenanceCost(Current));
    EXPECT_EQ(diff.LocalIncome, abs.LocalIncome - ArenaMatchIncome(Current));
  }
  EXPECT_THROW(ArenaRecommendation(TArenaRecommendation(3), 1000, Current, false), ERangeError);
}

TEST_F(ArenaAdvisor, ProjectEqualToTheArenaCostsNothing) {
  TArenaProject p;
  p.Reset(Current, 14200);
  EXPECT_EQ(p.TotalText(), "14200");
  const auto m = p.Money();
  ASSERT_TRUE(m);
  EXPECT_EQ(m->LocalCost, 0);
  EXPECT_EQ(m->LocalMaintenance, ArenaMaintenanceCost(Current));
  EXPECT_EQ(m->LocalIncome, ArenaMatchIncome(Current));

  p.SetCapacityText(stTerraces, "9900");
  EXPECT_EQ(p.TotalText(), "14100");
  EXPECT_EQ(p.Money()->LocalCost, 106000);
}

TEST_F(ArenaAdvisor, ProjectEditsFollowEachOther) {
  TArenaProject p;
  p.Reset(Current, 14200);
  p.SetTotalText("25000");
  EXPECT_EQ(p.Seats(), (TArenaSeats{15703, 6281, 2513, 503}));
  EXPECT_EQ(p.TotalText(), "25000");

  p.SetCapacityText(stVIP, "500");
  p.ShareTotal(stVIP);
  EXPECT_EQ(p.TotalText(), "24875");
  EXPECT_EQ(SeatSum(*p.Seats()), 24875);

  p.SetTotalText("abc");  // no number: the capacities stay
  EXPECT_EQ(p.TotalText(), "abc");
  EXPECT_EQ(SeatSum(*p.Seats()), 24875);

  p.SetCapacityText(stRoof, "x");
  EXPECT_FALSE(p.Money());
  EXPECT_EQ(p.TotalText(), "");
  p.ShareTotal(stRoof);  // nothing to share
  EXPECT_EQ(p.CapacityText(stRoof), "x");
  p.RowLabelClick(stRoof);
  EXPECT_EQ(p.CapacityText(stRoof), "1000");
  p.SetCapacityText(stBasic, "99999999999");  // beyond 32 bits: not a number the game has
  EXPECT_FALSE(p.Money());
  p.TotalLabelClick();
  EXPECT_EQ(p.Seats(), Current);
}

TEST_F(ArenaAdvisor, DifferenceModeConvertsTheEdits) {
  TArenaProject p;
  p.Reset(Current, 14200);
  p.SetCapacityText(stTerraces, "10500");
  p.SetDifference(true);
  EXPECT_EQ(p.Seats(), (TArenaSeats{500, 0, 0, 0}));
  EXPECT_EQ(p.TotalText(), "500");
  EXPECT_EQ(p.Money()->LocalCost, 500 * 450 + 100000);
  EXPECT_EQ(p.Money()->LocalMaintenance, 2500);  // the change in maintenance
  p.RowLabelClick(stTerraces);
  EXPECT_EQ(p.CapacityText(stTerraces), "0");
  p.SetCapacityText(stVIP, "-200");
  p.TotalLabelClick();  // no change at all, not the current arena added once more
  EXPECT_EQ(p.Seats(), (TArenaSeats{}));
  p.SetCapacityText(stBasic, "-100");
  p.SetDifference(false);
  EXPECT_EQ(p.Seats(), (TArenaSeats{10000, 2900, 1000, 200}));
  EXPECT_EQ(p.TotalText(), "14100");

  p.SetSeats(ArenaRecommendation(arBest, 1000, Current, false).Seats);
  EXPECT_EQ(p.TotalText(), "30000");
}
