#pragma once
// Display names of the player's coded values, one table each, indexed by the value. The tables hold
// untranslated texts (N_); translate them with _() where they are shown, or use the *Name functions,
// which do.
#include <string>

constexpr int MaxSkillLevel = 20;
extern const char* const SkillLevelNames[MaxSkillLevel + 1];  // 0 "non-existent" .. 20 "divine"

extern const char* const SpecialtyShortNames[7];  // 0 "", 1 "Tch" .. 6 "Reg"
extern const char* const SpecialtyNames[7];       // 0 "", 1 "Technical" .. 6 "Regainer"
extern const char* const AgreeabilityShortNames[6];
extern const char* const AgreeabilityNames[6];
extern const char* const HonestyShortNames[6];
extern const char* const HonestyNames[6];
extern const char* const AggressivenessShortNames[5];
extern const char* const AggressivenessNames[5];
extern const char* const WeatherNames[6];  // 0 "Rainy" .. 5 "Disabled"

// Translated level name of a skill value: levels above 20 read "divine +n"; below 0 "non-existent".
std::string SkillLevelName(double level);
// Translated: -1 "healthy", 0 "bruised, but playing", 1 "bruised, but training", else "injured (%d weeks)".
std::string InjuryLevelName(int level);

// Translated table entries; ERangeError when the value is outside the table.
std::string SpecialtyName(int specialty, bool shortName = false);
std::string AgreeabilityName(int agreeability, bool shortName = false);
std::string HonestyName(int honesty, bool shortName = false);
std::string AggressivenessName(int aggressiveness, bool shortName = false);
std::string WeatherName(int weather);
