// Amounts of the game's base unit shown in the chosen currency.
#include "core/Errors.h"
#include "data/Currencies.h"
#include "data/Money.h"
#include "data/Preferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {
int IndexOfLeague(int leagueID) {
  auto it = std::find(LeagueCurrencyOrder.begin(), LeagueCurrencyOrder.end(), leagueID);
  return int(it - LeagueCurrencyOrder.begin());
}

class Money : public ::testing::Test {
protected:
  void TearDown() override { Preferences().CurrencyIndex = DefaultCurrencyIndex; }
};
}  // namespace

TEST_F(Money, TruncatesTowardZeroInTheChosenCurrency) {
  const struct {
    int League;
    int64_t Amount, Local;
    const char* Shown;
  } cases[] = {
      {8, 12345678, 1234567, "1 234 567"},  // USA, 10
      {8, 19, 1, "1"},
      {8, -19, -1, "-1"},
      {8, 9, 0, "0"},
      {2, 29, 1, "1"},                      // England, 15
      {25, 3, 30, "30"},                    // Nippon, 0.1: exactly 30, not 29
      {25, 7, 70, "70"},
      {24, -7, -5, "-5"},                   // South Africa, 1.25
      {27, 1, 4, "4"},                      // India, 0.25
      {64, 3, 15, "15"},                    // Pakistan, 0.2
      {44, -123456789, -2469135, "-2 469 135"},  // Magyarország, 50
      {1, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min(),
       "-9 223 372 036 854 775 808"},       // Sverige, 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.League) + ": " + std::to_string(c.Amount));
    Preferences().SetCurrencyIndex(IndexOfLeague(c.League));
    EXPECT_EQ(ToLocalCurrency(c.Amount), c.Local);
    EXPECT_EQ(FormatMoney(c.Amount), c.Shown);
  }
  Preferences().SetCurrencyIndex(IndexOfLeague(8));
  EXPECT_EQ(CurrencyName(), "US$");
  EXPECT_EQ(CurrencyRate(), 10);
}

TEST_F(Money, SelectionOutsideTheTableOrResultTooLargeIsARangeError) {
  for (int index : {-1, 96, 140}) {
    Preferences().CurrencyIndex = index;
    EXPECT_THROW(CurrencyName(), ERangeError) << index;
    EXPECT_THROW(CurrencyRate(), ERangeError) << index;
    EXPECT_THROW(FormatMoney(1), ERangeError) << index;
  }
  Preferences().SetCurrencyIndex(IndexOfLeague(25));  // 0.1: ten times the amount
  EXPECT_THROW(ToLocalCurrency(std::numeric_limits<int64_t>::max() / 5), ERangeError);
  EXPECT_EQ(ToLocalCurrency(std::numeric_limits<int64_t>::max() / 10), std::numeric_limits<int64_t>::max() / 10 * 10);
}
