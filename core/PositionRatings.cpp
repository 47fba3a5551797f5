// Effective skills and position ratings of TPlayer.
//
// The arithmetic is done in long double (x87 extended precision on x86) and only the results are
// stored as doubles, so that ratings come out the same as in the record files and grids users already
// have, including how values near a rounding half fall.
#include "core/PositionRatings.h"

#include "core/Errors.h"
#include "core/Player.h"
#include "core/TrainingProgressSource.h"

#include <cmath>

// Columns: stamina, playmaking, winger, scoring, keeper, passing, defending.
const double SpecialtyWeatherModifiers[SpecialtyCount][WeatherCount][ModifiedSkillCount] = {
    // 0 none
    {{0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0},
     {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    // 1 Technical
    {{0, -0.8, 0, -0.8, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0},
     {0, 0.8, 0, 0.8, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    // 2 Quick
    {{0, 0, 0, -0.4, 0, 0, -0.4}, {0, 0, 0.4, 0.4, 0, 0, 0.4}, {0, 0, 0.4, 0.4, 0, 0, 0.4},
     {0, 0, 0, 0, 0, 0, -0.4}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    // 3 Powerful
    {{0, 0.8, 0, 0.8, 0, 0, 0.8}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0},
     {-0.8, 0, 0, -0.8, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    // 4 Unpredictable: every weather but Disabled
    {{0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0.2, 0.2, 0, 0, 0},
     {0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    // 5 Head: every weather but Disabled
    {{0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0.2, 0.2, 0, 0, 0},
     {0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0.2, 0.2, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    // 6 Regainer
    {{0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0},
     {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
};

double RoundRating(long double value) {
  const long double shifted = value / 0.01L + (value < 0 ? -0.5L : 0.5L);
  return static_cast<double>(std::trunc(shifted) * 0.01L);
}

// ---- effective skills --------------------------------------------------------------------------------

double TPlayer::TrainingEstimate(int code) const { return TrainingProgressEstimate(PlayerID, code, 0); }

double TPlayer::EffectiveSkill(int code, double stored) const {
  if (static_cast<unsigned>(Specialty) >= SpecialtyCount || static_cast<unsigned>(Weather) >= WeatherCount)
    throw ERangeError();
  long double v = static_cast<long double>(stored) + SpecialtyWeatherModifiers[Specialty][Weather][code - paStamina];
  if (IncludeTraining) v += TrainingEstimate(code);
  return static_cast<double>(v);
}

double TPlayer::GetStamina() const { return EffectiveSkill(paStamina, StaminaSkill); }
double TPlayer::GetPlaymaking() const { return EffectiveSkill(paPlaymaking, PlaymakerSkill); }
double TPlayer::GetWinging() const { return EffectiveSkill(paWinger, WingerSkill); }
double TPlayer::GetScoring() const { return EffectiveSkill(paScoring, ScorerSkill); }
double TPlayer::GetDefending() const { return EffectiveSkill(paDefending, DefenderSkill); }

double TPlayer::GetSetPieces() const {
  // Set pieces have no specialty or weather effect, only the training estimate.
  if (!IncludeTraining) return SetPiecesSkill;
  return static_cast<double>(static_cast<long double>(SetPiecesSkill) + TrainingEstimate(paSetPieces));
}

// ---- form factor and experience bonus ----------------------------------------------------------------

double TPlayer::ComputeFormFactor() const {
  long double factor = 4.34L;
  if (PlayerForm > 0 && !IgnoreForm) {
    const long double f = PlayerForm < 8 ? PlayerForm + 0.5L : static_cast<long double>(PlayerForm);
    factor = (f * 0.875L + 3) / 2;
  }
  if (InjuryLevel >= 0) factor *= 0.9L;
  return FRatings[rsFormFactor] = static_cast<double>(factor);
}

namespace {
double ExperienceBonusOf(int32_t experience) {
  const long double bonus = experience > 0 ? std::log(static_cast<long double>(experience)) * 0.5L - 1 : -1.0L;
  return static_cast<double>(bonus);
}

// A bonus <= 0 (experience up to 7) does not count as cached and is asked for by every rating: the
// logarithms of the usual levels are taken once, with the same expression.
struct TExperienceBonusTable {
  static constexpr int Size = 64;
  double Values[Size];
  TExperienceBonusTable() {
    for (int i = 0; i < Size; ++i) Values[i] = ExperienceBonusOf(i);
  }
};
}  // namespace

double TPlayer::ComputeExperienceBonus() const {
  static const TExperienceBonusTable table;  // on first use: ratings may be read during start-up
  const double bonus = static_cast<uint32_t>(Experience) < TExperienceBonusTable::Size
                           ? table.Values[Experience]
                           : ExperienceBonusOf(Experience);
  return FRatings[rsExperienceBonus] = bonus;
}

// ---- position ratings ----------------------------------------------------------------------------------

double TPlayer::ComputeForwardRating() const {
  const long double v =
      (GetScoring() * 0.85L + PassingSkill * 0.15L + GetExperienceBonus()) * GetFormFactor();
  return FRatings[rsForward] = RoundRating(v);
}

double TPlayer::ComputeWingerRating() const {
  // Passing and defending take part with weight 0; they are left out, as they cannot change the value
  // and reading defending with the training estimate would cost a history scan.
  const long double own = (GetWinging() * 0.7L + GetExperienceBonus() * 0.7L) * GetFormFactor();
  return FRatings[rsWinger] = RoundRating(own + GetInnerMidfieldRating() * 0.3L);
}

double TPlayer::ComputeInnerMidfieldRating() const {
  long double staminaFactor = GetStamina() * 0.1L + 0.2L;
  if (staminaFactor >= 1) staminaFactor = 1;
  const long double v =
      (GetPlaymaking() * 0.9L + PassingSkill * 0.05L + GetDefending() * 0.05L + GetExperienceBonus()) *
      GetFormFactor() * staminaFactor;
  return FRatings[rsInnerMidfield] = RoundRating(v);
}

double TPlayer::ComputeWingBackRating() const {
  const long double v = (GetWinging() * 0.2L + GetDefending() * 0.8L + GetExperienceBonus()) * GetFormFactor();
  return FRatings[rsWingBack] = RoundRating(v);
}

double TPlayer::ComputeCentralDefenderRating() const {
  const long double v = (static_cast<long double>(GetExperienceBonus()) + GetDefending()) * GetFormFactor();
  return FRatings[rsCentralDefender] = RoundRating(v);
}

double TPlayer::ComputeKeeperRating() const {
  const long double v = (static_cast<long double>(GetExperienceBonus()) + KeeperSkill) * GetFormFactor();
  return FRatings[rsKeeper] = RoundRating(v);
}

double TPlayer::ComputeSetPiecesRating() const {
  const long double technical = Specialty == spTechnical ? 1.05L : 1.0L;
  const long double v =
      (static_cast<long double>(GetExperienceBonus()) + GetSetPieces()) * technical * GetFormFactor();
  return FRatings[rsSetPieces] = RoundRating(v);
}

double TPlayer::ComputeBestRating() const {
  // Set pieces are not a position of their own and take no part.
  double best = GetKeeperRating();
  for (double r : {GetForwardRating(), GetWingerRating(), GetInnerMidfieldRating(), GetWingBackRating(),
                   GetCentralDefenderRating()})
    if (r > best) best = r;
  return FRatings[rsBest] = RoundRating(best);
}

// ---- ratings as of a past page ---------------------------------------------------------------------------

double GetRatingAtPage(const TPlayer& player, int roleFlags, int pageIndex, int weather) {
  auto clone = player.Clone();
  clone->Weather = weather;
  clone->StaminaSkill += TrainingProgressEstimate(clone->PlayerID, paStamina, pageIndex);
  clone->PlaymakerSkill += TrainingProgressEstimate(clone->PlayerID, paPlaymaking, pageIndex);
  clone->WingerSkill += TrainingProgressEstimate(clone->PlayerID, paWinger, pageIndex);
  clone->ScorerSkill += TrainingProgressEstimate(clone->PlayerID, paScoring, pageIndex);
  clone->KeeperSkill += TrainingProgressEstimate(clone->PlayerID, paKeeper, pageIndex);
  clone->PassingSkill += TrainingProgressEstimate(clone->PlayerID, paPassing, pageIndex);
  clone->DefenderSkill += TrainingProgressEstimate(clone->PlayerID, paDefending, pageIndex);
  clone->ClearRatings();
  return clone->GetRoleRating(roleFlags);
}
