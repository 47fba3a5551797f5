#pragma once
// The game's training types and how fast each one trains a skill. Shared by the history store (training
// progress estimates), the history window (training type names) and the history graphs (future training).
#include <array>

// One training type: its name (an N_() text, translate where shown), the skills it trains (attribute codes
// 3..10, 0 = none) and the lineup position code of a player who gets its full effect.
struct TTrainingType {
  const char* Name;
  int Skill1;
  int Skill2;
  int ReferencePosition;
};

inline constexpr int TrainingTypeCount = 13;
extern const std::array<TTrainingType, TrainingTypeCount> TTrainingData;

// The translated name of a training type; empty for a type outside 0..12.
const char* TrainingTypeName(int trainingType);

// Weeks one skill level takes at full intensity, no stamina share, age 17 and coach level 7, indexed
// [position group 1..6][training type 0..12][skill code 3..10]; 0 = that type does not train the skill for
// that group. Index 0 of the group and skill dimensions is unused.
using TTrainingBaseWeeks = std::array<std::array<std::array<double, 11>, TrainingTypeCount>, 7>;
extern const TTrainingBaseWeeks TrainingBaseWeeks;

// Position group (1 keeper, 2 central defenders, 3 wing backs, 4 inner midfielders, 5 wingers, 6 forwards)
// of a lineup position code. Code 0 (used for stamina and set pieces) and unknown codes count as forwards.
int TrainingPositionGroup(int positionCode);

// The weekly progress of one player towards the next level of a skill, as a fraction of a level rounded to
// four decimals; 0 when the training type does not train that skill for the player's position.
double GetTrainingIncrement(int skill, int positionCode, int staminaShare, int trainingLevel, int coachLevel,
                            int trainingType, int age);
