#include "data/Money.h"

#include "core/Errors.h"
#include "core/Utils.h"
#include "data/Preferences.h"

#include <cmath>
#include <cstdint>

std::string CurrencyName() { return Preferences().GetCurrencyName(); }

double CurrencyRate() { return Preferences().GetCurrencyRate(); }

int64_t ToLocalCurrency(int64_t amount) {
  const double rate = CurrencyRate();
  // The rates are short decimals (0.1, 1.25, 15). As binary fractions they are a hair off, and amount / 0.1
  // could truncate to one unit less than the exact quotient; dividing by the exact hundredths avoids that.
  const double hundredths = std::round(rate * 100);
  if (hundredths >= 1 && hundredths <= 1e15 && std::fabs(hundredths / 100 - rate) < 1e-9) {
    const __int128 local = __int128(amount) * 100 / __int128(hundredths);
    if (local < INT64_MIN || local > INT64_MAX) throw ERangeError();
    return int64_t(local);
  }
  const double local = std::trunc(double(amount) / rate);
  // 2^63 is exactly representable; anything at or beyond it (either sign) cannot be converted.
  if (!(local >= -9223372036854775808.0 && local < 9223372036854775808.0)) throw ERangeError();
  return int64_t(local);
}

std::string FormatMoney(int64_t amount) { return GroupDigits(' ', ToLocalCurrency(amount)); }
