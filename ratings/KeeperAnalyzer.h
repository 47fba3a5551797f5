#pragma once
// The keeper calculator: a keeper's skill estimated from his total skill index (TSI) and form. The estimate
// is one integer, the skill in hundredths above level 1 ("detail"), from which the window's scale, detail
// bar, skill text and the two surrounding level names all derive.
#include <string>
#include <string_view>

// The form box lists the levels 1..8 ("disastrous" .. "excellent"); the second box "Low", "Avr", "High".
constexpr int KeeperFormCount = 8;
constexpr int KeeperFormDefault = 5;  // "passable"
constexpr int KeeperFormLast = KeeperFormCount - 1;
constexpr int KeeperSecondFormCount = 3;
constexpr int KeeperSecondFormDefault = 1;  // "Avr"
constexpr int KeeperSecondFormLow = 0;
// The vertical scale runs 0..190 (level 1 at 0, level 20 at 190); the detail bar 0..100.
constexpr int KeeperScaleMax = 190;
constexpr int KeeperDetailMax = 100;

// The TSI edit's text as a number: blank-trimmed decimal text; anything that is not a finite number, and
// negative numbers, count as 0.
double KeeperTSIValue(std::string_view text);

// The form value: index 7 ("excellent") gives 7.5 whatever the second box; otherwise the level (index + 1)
// moved by 0.33 down or up for "Low" and "High". Indexes outside the boxes are clamped to them.
double KeeperFormValue(int formIndex, int secondFormIndex);

// The estimate in hundredths above level 1, rounded to nearest with halves to even. Never negative; values
// beyond the int range are capped.
int KeeperSkillDetail(double tsi, double form);

struct TKeeperEstimate {
  int Detail = 0;
  int ScalePosition = 0;   // Detail div 10
  int DetailPosition = 0;  // Detail mod 100
  double Skill = 1;        // Detail / 100 + 1
  std::string SkillText;   // "Keeper Skill: %.2f", translated
  std::string LowerLevel;  // level name of the whole level at or below Skill
  std::string UpperLevel;  // and of the next one
};

TKeeperEstimate EstimateKeeper(std::string_view tsiText, int formIndex, int secondFormIndex);
