#pragma once
// The rating analyzer's model: a hand-made 4-4-2 lineup with a behaviour per outfield place, the team's
// settings, and the estimate of the midfield rating and of the counter-attack strength that the game would
// show as a level name with a sub-level.
#include "core/Player.h"

#include <array>
#include <string>
#include <vector>

constexpr int AnalyzerPositionCount = 11;  // 0 keeper, 1..10 outfield
constexpr int AnalyzerOutfieldCount = 10;
constexpr int AnalyzerBehaviourCount = 8;
constexpr int AnalyzerGroupCount = 5;  // 1 central defenders .. 5 forwards; 0 is the keeper (no group)

enum TAnalyzerBehaviour : int {
  abNormal = 0,
  abOffensive = 1,
  abDefensive = 2,
  abTowardsMiddle = 3,
  abTowardsWing = 4,
  abExtraForward = 5,
  abExtraInnerMidfield = 6,
  abExtraDefender = 7,
};

// File keys of the places in place order ("Goalkeeper", "CentralDefender1", ...).
extern const char* const AnalyzerPositionKeys[AnalyzerPositionCount];
// Untranslated behaviour names in code order ("Normal" .. "Extra Defender").
extern const char* const AnalyzerBehaviourNames[AnalyzerBehaviourCount];
// Untranslated team setting names, indexed by the box index.
constexpr int TeamSpiritCount = 11;
constexpr int TeamSpiritDefault = 4;  // "Composed"
extern const char* const TeamSpiritNames[TeamSpiritCount];
constexpr int AnalyzerAttitudeCount = 3;
constexpr int AnalyzerAttitudeDefault = 1;  // "Nrm"
extern const char* const AnalyzerAttitudeNames[AnalyzerAttitudeCount];
constexpr int AnalyzerArenaCount = 3;
extern const char* const AnalyzerArenaNames[AnalyzerArenaCount];

// 0 for the keeper, 1..5 for the outfield places; -1 outside 0..10.
int AnalyzerPositionGroup(int position);
// The behaviours a group offers, in code order; empty for the keeper and unknown groups.
const std::vector<int>& AllowedBehaviours(int group);
// The behaviour code of a behaviour box's item index, or -1 when the group has no such item.
int BehaviourOfItem(int group, int item);
// Midfield weight of a behaviour in a group; -1 when the group does not offer it.
double MidfieldWeight(int group, int behaviour);

// The one program-wide parameter set of the estimate.
struct TRatingAnalyzerParameters {
  double ExtraPlayerPenalty = 0.85;
  std::array<double, AnalyzerAttitudeCount> AttitudeFactor{0.85, 1.0, 1.1};
  std::array<double, AnalyzerArenaCount> VenueFactor{1.0, 1.0, 0.85};
  double TeamSpiritA = 0.1, TeamSpiritB = 0.35;
  double FormA = 0.1, FormB = 0.4, FormMax = 1.15;
  double StaminaA = 0.1, StaminaB = 0.2, StaminaMax = 1.0;
  double CounterAttackFactor = 0.93;
};
const TRatingAnalyzerParameters& RatingAnalyzerParameters();

struct TAnalyzerTeamSettings {
  int TeamSpirit = TeamSpiritDefault;
  int Attitude = AnalyzerAttitudeDefault;
  int Arena = 0;
  bool CounterAttacks = false;
  bool operator==(const TAnalyzerTeamSettings&) const = default;
};

// What the estimate reads of a player: the effective playmaking, stamina and defending, passing, form and
// experience.
struct TAnalyzerPlayerValues {
  double Playmaking = 0, Stamina = 0, Defending = 0, Passing = 0, Form = 0, Experience = 0;
};
TAnalyzerPlayerValues AnalyzerValuesOf(const TPlayer& player);

// One place of the lineup: whether a player stands there, his values and the behaviour box's item index.
struct TAnalyzerPlace {
  bool Occupied = false;
  TAnalyzerPlayerValues Values;
  int BehaviourItem = 0;
};
using TAnalyzerPlaces = std::array<TAnalyzerPlace, AnalyzerPositionCount>;

struct TAnalyzerEstimate {
  double Midfield = 0;
  double Counter = 0;
};

// The estimate of a lineup. A behaviour item the place's group does not offer counts as its first item.
TAnalyzerEstimate EstimateRatings(const TAnalyzerPlaces& places, const TAnalyzerTeamSettings& team);
// The places of the players (nullptr = empty) with the behaviour items of places 1..10.
TAnalyzerPlaces AnalyzerPlaces(const std::array<const TPlayer*, AnalyzerPositionCount>& players,
                               const std::array<int, AnalyzerOutfieldCount>& behaviourItems);

// A value as the game names it: the translated level name ("divine +3" above 20) and the sub-level from
// the fraction above the whole level.
struct TAnalyzerLevel {
  std::string Level;
  std::string SubLevel;
};
TAnalyzerLevel AnalyzerLevelText(double value);
// The sub-level 0..3 ("Very low" .. "Very high", SubLevelNames) of the fraction f above the whole level:
// f <= 0.25, f < 0.5, f < 0.75, above.
int AnalyzerSubLevel(double value);
