#pragma once
// The display currencies: one slot per league of the game (league ID 1..140) with the league's currency and
// its rate against the game's base money unit, and the leagues offered for choice in alphabetical order.
#include <array>

struct TLeagueCurrency {
  int LeagueID = 0;             // 0 marks an empty slot
  const char* LeagueName = "";  // UTF-8
  double Rate = 0;              // how many base units make one unit of this currency
  const char* CurrencyName = "";

  bool IsFilled() const { return LeagueID != 0; }
};

constexpr int LeagueCurrencySlots = 140;
constexpr int LeagueCurrencyChoices = 96;
// USA ("US$"), the default display currency.
constexpr int DefaultCurrencyIndex = 93;

// Slot i holds league ID i + 1; 114 slots are filled.
extern const std::array<TLeagueCurrency, LeagueCurrencySlots> LeagueCurrencies;
// League IDs offered for choice, sorted by league name (accents and case ignored). The preferences'
// CurrencyIndex indexes this table.
extern const std::array<int, LeagueCurrencyChoices> LeagueCurrencyOrder;

// The slot of a league ID; raises ERangeError outside 1..140.
const TLeagueCurrency& LeagueCurrencyOf(int leagueID);
// The league at position index of LeagueCurrencyOrder; raises ERangeError outside 0..95.
const TLeagueCurrency& LeagueCurrencyAt(int index);
