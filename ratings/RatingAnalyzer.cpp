#include "ratings/RatingAnalyzer.h"

#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "ratings/MatchNames.h"

#include <algorithm>
#include <cmath>

const char* const AnalyzerPositionKeys[AnalyzerPositionCount] = {
    "Goalkeeper", "CentralDefender1", "CentralDefender2", "RightBack",   "LeftBack", "InnerMidfielder1",
    "InnerMidfielder2", "RightWinger", "LeftWinger",      "Forward1",    "Forward2"};

const char* const AnalyzerBehaviourNames[AnalyzerBehaviourCount] = {
    N_("Normal"),        N_("Offensive"),     N_("Defensive"),            N_("Towards Middle"),
    N_("Towards Wing"),  N_("Extra Forward"), N_("Extra Inner Midfield"), N_("Extra Defender")};

const char* const TeamSpiritNames[TeamSpiritCount] = {
    N_("Like the Cold War"), N_("Murderous"), N_("Furious"),   N_("Irritated"),         N_("Composed"),
    N_("Calm"),              N_("Content"),   N_("Satisfied"), N_("Delirious"),         N_("Walking on Clouds"),
    N_("Paradise on Earth")};
const char* const AnalyzerAttitudeNames[AnalyzerAttitudeCount] = {N_("PIC"), N_("Nrm"), N_("MOTS")};
const char* const AnalyzerArenaNames[AnalyzerArenaCount] = {N_("Home"), N_("Derby"), N_("Away")};

namespace {
constexpr double NotOffered = -1;
// Rows: groups 1..5; columns: behaviour codes 0..7.
constexpr double Weights[AnalyzerGroupCount][AnalyzerBehaviourCount] = {
    {0, 0.3, NotOffered, NotOffered, 0, 0, 1.0, NotOffered},  // central defenders
    {0, 0.15, 0, 0, NotOffered, 0, 1.0, 0},                   // wing backs
    {1.0, 1.0, 1.0, NotOffered, 0.6, 0, NotOffered, 0},       // inner midfielders
    {0.3, 0.3, 0.3, 0.5, NotOffered, 0, 1.0, 0},              // wingers
    {0, NotOffered, 0.3, NotOffered, 0, NotOffered, 1.0, 0},  // forwards
};
constexpr int Groups[AnalyzerPositionCount] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5};

std::vector<int> BuildAllowed(int group) {
  std::vector<int> allowed;
  for (int b = 0; b < AnalyzerBehaviourCount; ++b)
    if (Weights[group - 1][b] != NotOffered) allowed.push_back(b);
  return allowed;
}
}  // namespace

int AnalyzerPositionGroup(int position) {
  return position >= 0 && position < AnalyzerPositionCount ? Groups[position] : -1;
}

const std::vector<int>& AllowedBehaviours(int group) {
  static const std::vector<int> none;
  static const std::array<std::vector<int>, AnalyzerGroupCount> allowed = {
      BuildAllowed(1), BuildAllowed(2), BuildAllowed(3), BuildAllowed(4), BuildAllowed(5)};
  return group >= 1 && group <= AnalyzerGroupCount ? allowed[static_cast<size_t>(group - 1)] : none;
}

int BehaviourOfItem(int group, int item) {
  const std::vector<int>& allowed = AllowedBehaviours(group);
  return item >= 0 && static_cast<size_t>(item) < allowed.size() ? allowed[static_cast<size_t>(item)] : -1;
}

double MidfieldWeight(int group, int behaviour) {
  if (group < 1 || group > AnalyzerGroupCount || behaviour < 0 || behaviour >= AnalyzerBehaviourCount)
    return NotOffered;
  return Weights[group - 1][behaviour];
}

const TRatingAnalyzerParameters& RatingAnalyzerParameters() {
  static const TRatingAnalyzerParameters parameters;
  return parameters;
}

TAnalyzerPlayerValues AnalyzerValuesOf(const TPlayer& player) {
  TAnalyzerPlayerValues v;
  v.Playmaking = player.GetValue(paPlaymaking);
  v.Stamina = player.GetValue(paStamina);
  v.Defending = player.GetValue(paDefending);
  v.Passing = player.GetValue(paPassing);
  v.Form = player.GetValue(paForm);
  v.Experience = player.GetValue(paExperience);
  return v;
}

TAnalyzerPlaces AnalyzerPlaces(const std::array<const TPlayer*, AnalyzerPositionCount>& players,
                               const std::array<int, AnalyzerOutfieldCount>& behaviourItems) {
  TAnalyzerPlaces places;
  for (int i = 0; i < AnalyzerPositionCount; ++i) {
    TAnalyzerPlace& place = places[static_cast<size_t>(i)];
    if (const TPlayer* p = players[static_cast<size_t>(i)]) {
      place.Occupied = true;
      place.Values = AnalyzerValuesOf(*p);
    }
    if (i > 0) place.BehaviourItem = behaviourItems[static_cast<size_t>(i - 1)];
  }
  return places;
}

namespace {
int Clamped(int index, int count) { return std::clamp(index, 0, count - 1); }

// ln(experience) is undefined at 0 and below. Such a player is taken as if he had experience 1 (ln 1 = 0):
// his experience adds nothing, which is the least the game's bonus can be, and the estimate stays a number.
double ExperienceLog(double experience) { return std::log(std::max(experience, 1.0)); }
}  // namespace

TAnalyzerEstimate EstimateRatings(const TAnalyzerPlaces& places, const TAnalyzerTeamSettings& team) {
  const TRatingAnalyzerParameters& par = RatingAnalyzerParameters();
  double m = 1, S = 0, C = 0;
  for (int i = 1; i < AnalyzerPositionCount; ++i) {
    const TAnalyzerPlace& place = places[static_cast<size_t>(i)];
    if (!place.Occupied) continue;
    const int g = Groups[i];
    int b = BehaviourOfItem(g, place.BehaviourItem);
    if (b < 0) b = AllowedBehaviours(g).front();
    const TAnalyzerPlayerValues& v = place.Values;
    if (b == abExtraInnerMidfield) m *= par.ExtraPlayerPenalty;
    if (b == abExtraDefender || ((g == 1 || g == 2) && b != abExtraForward && b != abExtraInnerMidfield))
      C += (2 * v.Passing + v.Defending) * (par.FormA * v.Form + par.FormB);
    const double staminaFactor = std::clamp(par.StaminaA * v.Stamina + par.StaminaB, 0.0, par.StaminaMax);
    const double formFactor = std::clamp(par.FormA * v.Form + par.FormB, 0.0, par.FormMax);
    S += (v.Playmaking + (2.0 / 3.0) * ExperienceLog(v.Experience)) * MidfieldWeight(g, b) * formFactor *
         staminaFactor;
  }
  const double teamSpirit = par.TeamSpiritA * Clamped(team.TeamSpirit, TeamSpiritCount) + par.TeamSpiritB;
  double M = par.AttitudeFactor[static_cast<size_t>(Clamped(team.Attitude, AnalyzerAttitudeCount))] *
             (par.VenueFactor[static_cast<size_t>(Clamped(team.Arena, AnalyzerArenaCount))] * (S * teamSpirit)) * m /
             3;
  if (team.CounterAttacks) M *= par.CounterAttackFactor;
  TAnalyzerEstimate estimate;
  estimate.Midfield = std::clamp(M / 2, 0.5, 100.0) + 0.5;
  estimate.Counter = C > 0 ? C / 10 + 1 : C;
  return estimate;
}

TAnalyzerLevel AnalyzerLevelText(double value) {
  TAnalyzerLevel level;
  level.Level = SkillLevelName(value);
  level.SubLevel = SubLevelName(AnalyzerSubLevel(value));
  return level;
}

int AnalyzerSubLevel(double value) {
  const double f = value - std::trunc(value);
  return f <= 0.25 ? 0 : f < 0.5 ? 1 : f < 0.75 ? 2 : 3;
}
