#pragma once
// The injury calculator: from the weeks of injury, the player's age and the club's doctors, the range of
// days after which the player is "Bruised but training", "Bruised but playing" and "Healthy".
#include "core/Clock.h"

#include <array>
#include <string>

// The spins' ranges; the engine clamps its inputs to them (outside them the age formula divides by zero
// near 38.7 and turns negative beyond).
constexpr int InjuryWeeksMin = -1;
constexpr int InjuryWeeksMax = 9;
constexpr int InjuryAgeMin = 17;
constexpr int InjuryAgeMax = 37;
constexpr int InjuryDoctorsMax = 99;

// Days of recovery for w weeks: 0 for w <= 0, else Trunc(x * w) + 1 with x from age and doctors.
int RecoveryDays(int weeks, int age, int doctors);

// The rows in display order.
enum TRecoveryRow : int { rrTraining = 0, rrPlaying = 1, rrHealthy = 2, rrCount = 3 };

struct TRecoveryRange {
  bool Visible = false;
  int MinDays = 0;
  int MaxDays = 0;
};

// Healthy shows from 0 weeks on (days(W) .. days(W + 1)), playing from 1 (days(W - 1) .. days(W)),
// training from 2 (days(W - 2) .. days(W - 1)).
std::array<TRecoveryRange, rrCount> RecoveryRanges(int weeks, int age, int doctors);

// The calendar date "yyyy-mm-dd" that is days after today's (counted in calendar days, not 24-hour steps,
// so a change of daylight saving time cannot shift it).
std::string RecoveryDate(TClock::time_point today, int days);
// The two lines of one value: the date, "\r\n", and "%d day(s)" translated.
std::string RecoveryValueText(TClock::time_point today, int days);
