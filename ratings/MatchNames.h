#pragma once
// Names of the coded values of a played match: tactic types, sub-levels of a sector rating, match types and
// team attitudes. The tables hold untranslated texts (N_); the *Name functions translate.
#include <string>

// One tactic type: abbreviation and full name.
struct TTacticName {
  const char* Short;
  const char* Name;
};

constexpr int MaxTacticType = 7;
// Indexed by the game's tactic type code 0..7 (6 has no name; 7 is the game's second code of Play Creatively).
extern const TTacticName TacticNames[MaxTacticType + 1];
// Sub-level s = (rating + 3) mod 4 of a sector rating: 0 "Very low" .. 3 "Very high".
extern const char* const SubLevelNames[4];

constexpr int MaxMatchType = 9;
// Indexed by match type 0..9; 0, 6 and 7 have no name.
extern const char* const MatchTypeNames[MaxMatchType + 1];

// Team attitude -1 play it cool, 0 normal, 1 match of the season (index = attitude + 1).
extern const char* const AttitudeShortNames[3];
extern const char* const AttitudeNames[3];

// Translated names; empty for a value outside the table (a file may hold a code this program does not know,
// and a caller that shows it must not fail).
std::string TacticName(int tactic, bool shortName = false);
std::string SubLevelName(int subLevel);
std::string MatchTypeName(int matchType);
std::string AttitudeName(int attitude, bool shortName = false);
