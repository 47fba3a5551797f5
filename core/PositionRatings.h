#pragma once
// Constants of the position ratings that other parts of the program show on their own (the player
// grid's effect column). The ratings themselves are members of TPlayer (core/Player.h).

constexpr int SpecialtyCount = 7;  // 0 none .. 6 Regainer
constexpr int WeatherCount = 6;    // 0 Rainy .. 5 Disabled
constexpr int ModifiedSkillCount = 7;  // attribute codes 3..9: stamina, playmaking, winger, scoring, keeper, passing, defending

// Added to a stored skill for the player's specialty in the match weather; [specialty][weather][code - 3].
extern const double SpecialtyWeatherModifiers[SpecialtyCount][WeatherCount][ModifiedSkillCount];

// Rounds a rating to 2 decimals, halves away from zero, the way every cached rating is rounded.
double RoundRating(long double value);
