#pragma once
// The scale of a played match's sector ratings and what a face-off bar makes of them: the level and
// sub-level of a rating, the own side's share of a pair of ratings, the bar's colours and the tactic bar.
// The name tables are the shared ones: SkillLevelNames (core/PlayerVocabulary.h), SubLevelNames and
// TacticNames (ratings/MatchNames.h).
//
// The game writes sector ratings from 1 (the lowest real value) to 80 ("divine", Very high); a file may
// hold anything an integer can, so every function here takes any value and never indexes outside a table.
#include <cstdint>
#include <string>

constexpr int MaxSectorRating = 80;
// Parts of the thin level bar under a face-off bar: one per skill level.
constexpr int LevelBarParts = 20;

// Level L = (r + 3) div 4 and sub-level s = (r + 3) mod 4 of a rating r; both are floored, so that a
// negative rating still gives a sub-level 0..3 (its level is then negative).
struct TRatingLevel {
  int64_t Level = 0;
  int SubLevel = 0;
  bool operator==(const TRatingLevel&) const = default;
};
TRatingLevel RatingLevel(int64_t rating);

// Whether the rating lies on the scale that the name tables describe (0..80).
bool RatingOnScale(int64_t rating);

// The text of a bar's level label: the translated level name, a line break and the sub-level in
// parentheses ("solid\n(High)"). A rating off the scale has no name: the label shows the number itself.
std::string RatingLevelText(int64_t rating);

// Filled parts of the thin level bar: the level, held to 0..20.
int RatingLevelParts(int64_t rating);

// Round(100 x own / (own + opposing)), halves to even. A negative rating counts as 0; when both are 0
// (the share is undefined) the sides are even and the share is 50.
int SectorShare(int64_t own, int64_t opposing);

// Colours as 0xRRGGBB.
struct TBarColours {
  uint32_t Colour = 0;  // at the bar's start
  uint32_t Fade = 0;    // where the gradient ends
  bool operator==(const TBarColours&) const = default;
};
// Below 50 the reds, exactly 50 the teals, above 50 the blues.
TBarColours BarColours(int percent);

// The tactic bar of one side.
struct TTacticBarValues {
  int Percent = 0;          // 5 x skill, held to 0..100; 0 for "Normal" (0) and code 7
  std::string Caption;      // translated tactic name; the code itself when it is not a tactic code
  std::string LevelText;    // "N/A", the skill's level name, or the skill itself when off 0..20
  bool operator==(const TTacticBarValues&) const = default;
};
TTacticBarValues TacticBarValues(int64_t tacticType, int64_t tacticSkill);

// A skill level 0..20 (tactic skill, team experience) as its translated name; any other value as the
// number itself.
std::string SkillLevelText(int64_t level);
