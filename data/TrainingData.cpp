#include "data/TrainingData.h"

#include "core/Intl.h"

#include <cmath>

const std::array<TTrainingType, TrainingTypeCount> TTrainingData = {{
    {N_("General"), 0, 0, 0},
    {N_("Stamina"), 3, 0, 0},
    {N_("Set Pieces"), 10, 0, 0},
    {N_("Defending"), 9, 0, 3},
    {N_("Scoring"), 6, 0, 10},
    {N_("Cross Pass"), 5, 0, 6},
    {N_("Shooting"), 6, 10, 10},
    {N_("Short Passes"), 8, 0, 7},
    {N_("Playmaking"), 4, 0, 7},
    {N_("Goaltending"), 7, 0, 1},
    {N_("Through Passes"), 8, 0, 7},
    {N_("Defensive Positions"), 0, 0, 0},
    {N_("Wing Attacks"), 5, 0, 6},
}};

const char* TrainingTypeName(int trainingType) {
  if (trainingType < 0 || trainingType >= TrainingTypeCount) return "";
  return _(TTrainingData[trainingType].Name);
}

namespace {
enum : int { Stamina = 3, Playmaking = 4, Winger = 5, Scoring = 6, Keeper = 7, Passing = 8, Defending = 9,
             SetPieces = 10 };

TTrainingBaseWeeks BuildBaseWeeks() {
  TTrainingBaseWeeks t{};
  auto set = [&t](std::initializer_list<int> groups, int type, int skill, double weeks) {
    for (int g : groups) t[g][type][skill] = weeks;
  };
  set({1, 2, 3, 4, 5, 6}, 1, Stamina, 1.2);
  set({1, 2, 3, 4, 5, 6}, 2, SetPieces, 2.0);
  set({2, 3}, 3, Defending, 8.0);
  set({6}, 4, Scoring, 6.5);
  set({3}, 5, Winger, 10.0);
  set({5}, 5, Winger, 5.0);
  set({2, 3, 4, 5, 6}, 6, Scoring, 13.0);
  set({2, 3, 4, 5, 6}, 6, SetPieces, 6.0);
  set({4, 5, 6}, 7, Passing, 6.4);
  set({4}, 8, Playmaking, 7.0);
  set({5}, 8, Playmaking, 14.0);
  set({1}, 9, Keeper, 5.0);
  set({2, 3, 4, 5}, 10, Passing, 7.3);
  set({5, 6}, 12, Winger, 8.5);
  return t;
}
}  // namespace

const TTrainingBaseWeeks TrainingBaseWeeks = BuildBaseWeeks();

int TrainingPositionGroup(int positionCode) {
  switch (positionCode) {
    case 1: return 1;
    case 3: case 4: return 2;
    case 2: case 5: return 3;
    case 7: case 8: return 4;
    case 6: case 9: return 5;
    default: return 6;
  }
}

double GetTrainingIncrement(int skill, int positionCode, int staminaShare, int trainingLevel, int coachLevel,
                            int trainingType, int age) {
  if (skill < 3 || skill > 10 || trainingType < 0 || trainingType >= TrainingTypeCount) return 0;
  const double base = TrainingBaseWeeks[TrainingPositionGroup(positionCode)][trainingType][skill];
  if (base == 0) return 0;
  double weeks = base;
  // Stamina and set pieces train at the same pace whatever the player's age and the coach.
  if (trainingType != 1 && trainingType != 2) {
    const double coachFactor = coachLevel < 8 ? std::pow(1.08, 7 - coachLevel) : std::pow(1.08, -0.5);
    weeks = base * std::pow(1.07, age - 17) * coachFactor;
  }
  const double increment = (trainingLevel / 100.0) * ((100 - staminaShare) / 100.0) * (1.0 / weeks);
  return std::nearbyint(increment * 10000.0) / 10000.0;
}
