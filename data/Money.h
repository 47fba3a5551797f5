#pragma once
// Money as the user sees it: the game's amounts are in its base unit and are shown in the currency chosen
// in the program-wide preferences (Preferences().CurrencyIndex). Each operation raises ERangeError when that
// index is outside 0..95.
#include <cstdint>
#include <string>

// The chosen currency's name ("US$").
std::string CurrencyName();
// How many base units make one unit of the chosen currency.
double CurrencyRate();
// trunc(amount / CurrencyRate()). Raises ERangeError when the result does not fit in 64 bits.
int64_t ToLocalCurrency(int64_t amount);
// ToLocalCurrency(amount) with its digits grouped by blanks ("1 234 567").
std::string FormatMoney(int64_t amount);
