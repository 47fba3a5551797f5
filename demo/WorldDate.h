#pragma once
// Calendar arithmetic of the sample world: days counted from 1970-01-01 and seconds of the day, formatted
// the way the game writes them ("yyyy-mm-dd", "yyyy-mm-dd hh:nn:ss"). No clock is read here.
#include <cstdint>
#include <string>

struct TWorldDate {
  int Year = 1970, Month = 1, Day = 1;

  // Proleptic Gregorian day number (days since 1970-01-01) and back.
  static int64_t ToDays(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
  }
  static TWorldDate FromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    TWorldDate r;
    r.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    r.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    r.Year = static_cast<int>(yoe + era * 400 + (r.Month <= 2));
    return r;
  }
  // 0 = Monday .. 6 = Sunday.
  static int Weekday(int64_t days) { return static_cast<int>(((days % 7) + 7 + 3) % 7); }

  static std::string FormatDay(int64_t days) {
    TWorldDate d = FromDays(days);
    std::string s(10, '0');
    Put(s, 0, d.Year, 4);
    s[4] = '-';
    Put(s, 5, d.Month, 2);
    s[7] = '-';
    Put(s, 8, d.Day, 2);
    return s;
  }
  // A moment as seconds since 1970-01-01 00:00:00 (the world has no time zones).
  static std::string FormatMoment(int64_t seconds) {
    int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    int secs = static_cast<int>(seconds - days * 86400);
    std::string s = FormatDay(days) + " 00:00:00";
    Put(s, 11, secs / 3600, 2);
    Put(s, 14, secs / 60 % 60, 2);
    Put(s, 17, secs % 60, 2);
    return s;
  }

private:
  static void Put(std::string& s, size_t at, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
      s[at + static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
  }
};
