// The currency tables: slots by league ID, and the order in which the leagues are offered.
#include "core/Errors.h"
#include "data/Currencies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {
// Sorting key as a reader sees the names: accents and case ignored.
std::string Folded(std::string name) {
  const std::pair<const char*, char> accents[] = {{"é", 'e'}, {"ë", 'e'}, {"É", 'e'}, {"Í", 'i'}, {"ó", 'o'},
                                                  {"ö", 'o'}, {"Ö", 'o'}, {"ø", 'o'}, {"ô", 'o'}, {"ü", 'u'},
                                                  {"â", 'a'}, {"á", 'a'}, {"ñ", 'n'}, {"ç", 'c'}};
  for (const auto& [accented, plain] : accents)
    for (size_t at = name.find(accented); at != std::string::npos; at = name.find(accented))
      name.replace(at, std::string(accented).size(), 1, plain);
  for (char& c : name) {
    EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80) << "unfolded letter in " << name;
    c = char(std::tolower(static_cast<unsigned char>(c)));
  }
  return name;
}
}  // namespace

TEST(Currencies, SlotsHoldTheirLeagues) {
  int filled = 0;
  for (int id = 1; id <= LeagueCurrencySlots; ++id) {
    const auto& slot = LeagueCurrencyOf(id);
    if (!slot.IsFilled()) continue;
    ++filled;
    EXPECT_EQ(slot.LeagueID, id);
    EXPECT_GT(slot.Rate, 0) << id;
    EXPECT_STRNE(slot.LeagueName, "") << id;
    EXPECT_STRNE(slot.CurrencyName, "") << id;
  }
  EXPECT_EQ(filled, 114);
  EXPECT_FALSE(LeagueCurrencyOf(54).IsFilled());
  EXPECT_THROW(LeagueCurrencyOf(0), ERangeError);
  EXPECT_THROW(LeagueCurrencyOf(141), ERangeError);

  const struct {
    int ID;
    const char *League, *Currency;
    double Rate;
  } samples[] = {{1, "Sverige", "kr", 1},           {24, "South Africa", "Rand", 1.25},
                 {25, "Nippon", "Yen", 0.1},         {26, "Polska", "ztoty", 2.5},
                 {37, "Ísland", "Ikr", 0.1},         {44, "Magyarország", "eFt", 50},
                 {105, "Trinidad & Tobago", "TTD", 1}, {132, "Côte d’Ivoire", "000 XOF", 20},
                 {140, "Uman", "rial", 20}};
  for (const auto& s : samples) {
    const auto& slot = LeagueCurrencyOf(s.ID);
    EXPECT_STREQ(slot.LeagueName, s.League);
    EXPECT_STREQ(slot.CurrencyName, s.Currency);
    EXPECT_DOUBLE_EQ(slot.Rate, s.Rate);
  }
}

TEST(Currencies, OrderOffersTheLeaguesAlphabetically) {
  std::set<int> expected;
  for (const auto& slot : LeagueCurrencies)
    if (slot.IsFilled() && slot.LeagueID != 86 && slot.LeagueID != 104 && slot.LeagueID < 125)
      expected.insert(slot.LeagueID);
  std::set<int> offered(LeagueCurrencyOrder.begin(), LeagueCurrencyOrder.end());
  EXPECT_EQ(offered, expected);  // every league once, none of the left-out ones
  EXPECT_EQ(offered.size(), 96u);

  for (int i = 1; i < LeagueCurrencyChoices; ++i)
    EXPECT_LT(Folded(LeagueCurrencyAt(i - 1).LeagueName), Folded(LeagueCurrencyAt(i).LeagueName)) << i;

  EXPECT_STREQ(LeagueCurrencyAt(0).LeagueName, "Al Maghrib");
  EXPECT_STREQ(LeagueCurrencyAt(95).LeagueName, "Vietnam");
  const auto& usa = LeagueCurrencyAt(DefaultCurrencyIndex);
  EXPECT_EQ(DefaultCurrencyIndex, 93);
  EXPECT_EQ(usa.LeagueID, 8);
  EXPECT_STREQ(usa.CurrencyName, "US$");
  EXPECT_EQ(usa.Rate, 10);
  EXPECT_THROW(LeagueCurrencyAt(96), ERangeError);
  EXPECT_THROW(LeagueCurrencyAt(-1), ERangeError);
}
