#include "ratings/InjuryAnalyzer.h"

#include "core/DateTime.h"
#include "core/Intl.h"

#include <algorithm>
#include <cmath>
#include <ctime>

int RecoveryDays(int weeks, int age, int doctors) {
  if (weeks <= 0) return 0;
  weeks = std::min(weeks, InjuryWeeksMax + 1);
  age = std::clamp(age, InjuryAgeMin, InjuryAgeMax);
  doctors = std::clamp(doctors, 0, InjuryDoctorsMax);
  double x = 1 / (0.325301046 - 0.00839919828219215 * age);
  if (doctors > 0) x *= 0.8 - 0.1 * std::log(static_cast<double>(doctors));
  return static_cast<int>(std::trunc(x * weeks)) + 1;
}

std::array<TRecoveryRange, rrCount> RecoveryRanges(int weeks, int age, int doctors) {
  std::array<TRecoveryRange, rrCount> rows{};
  auto fill = [&](TRecoveryRow row, int minWeeks) {
    if (weeks < minWeeks) return;
    const int from = weeks - minWeeks;
    rows[row] = {true, RecoveryDays(from, age, doctors), RecoveryDays(from + 1, age, doctors)};
  };
  fill(rrHealthy, 0);
  fill(rrPlaying, 1);
  fill(rrTraining, 2);
  return rows;
}

std::string RecoveryDate(TClock::time_point today, int days) {
  const std::time_t t = std::chrono::system_clock::to_time_t(today);
  std::tm tm{};
  localtime_r(&t, &tm);
  // Noon keeps mktime away from the hour that a daylight saving change skips or repeats.
  tm.tm_mday += days;
  tm.tm_hour = 12;
  tm.tm_min = tm.tm_sec = 0;
  tm.tm_isdst = -1;
  return FormatDate(std::chrono::system_clock::from_time_t(std::mktime(&tm)));
}

std::string RecoveryValueText(TClock::time_point today, int days) {
  return RecoveryDate(today, days) + "\r\n" + FormatText(_("%d day(s)"), days);
}
