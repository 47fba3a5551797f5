#include "ratings/MatchRatingRelative.h"

#include "core/Intl.h"
#include "core/Utils.h"

#include <algorithm>
#include <cmath>

int TMatchRatingLayout::BarTop(int bar) {
  const int gaps = bar <= 0 ? 0 : bar <= 3 ? 1 : bar <= 6 ? 2 : 3;
  return FirstBarTop + BarPitch * bar + GroupGap * gaps;
}

double PossessionToChances(double possession) {
  const bool below = possession < 50;
  const double c = below ? 100 - possession : possession;
  const double d = -0.0025 * c * c + 0.4721 * c - 12.418;
  return below ? 10 - d : d;
}

double ChancesToPossession(double chances) {
  const bool below = chances < 5;
  const double c = below ? 10 - chances : chances;
  // Horner's scheme of the fitted sixth-degree polynomial.
  double h = 0.0507641795488432;
  h = h * c - 2.18007672224678;
  h = h * c + 38.6697267492802;
  h = h * c - 362.393780463541;
  h = h * c + 1891.77990905988;
  h = h * c - 5209.74731844163;
  h = h * c + 5954.53280166903;
  return below ? 100 - h : h;
}

std::array<double, 7> SectorWeights(int ownTacticType, int oppTacticType, int ownTacticSkill, int oppTacticSkill) {
  std::array<double, 7> weights{0, 0.125, 0.25, 0.125, 0.125, 0.25, 0.125};
  // Attack in Middle takes from the wings and gives to the centre, Attack on Wings the other way round;
  // a wing moves half as much as the centre, so the sum over the group stays the same.
  auto adjust = [&](int first, int tacticType, int skill) {
    if (tacticType != ttAttackInMiddle && tacticType != ttAttackOnWings) return;
    const double a = (std::clamp(skill, 0, 20) + 20) / 4.0 / 100.0;
    const double wing = tacticType == ttAttackInMiddle ? -a / 2 : a / 2;
    const double centre = tacticType == ttAttackInMiddle ? a : -a;
    weights[static_cast<size_t>(first)] += wing;
    weights[static_cast<size_t>(first + 1)] += centre;
    weights[static_cast<size_t>(first + 2)] += wing;
  };
  adjust(1, oppTacticType, oppTacticSkill);
  adjust(4, ownTacticType, ownTacticSkill);
  return weights;
}

double CounterAttackPossession(double possession, double weightedDefence, int ownTacticSkill) {
  const double v = std::clamp(ownTacticSkill, 0, 20) * 2 * weightedDefence / 20;
  const double extra = std::min(PossessionToChances(100 - possession) * v / 100, 3.0);
  return ChancesToPossession(PossessionToChances(possession) + extra);
}

TRelativeStrength CalculateRelativeStrength(const TSectorShares& shares, int ownTacticType, int oppTacticType,
                                            int ownTacticSkill, int oppTacticSkill, double possessionFirstHalf,
                                            double possessionSecondHalf) {
  const std::array<double, 7> weights = SectorWeights(ownTacticType, oppTacticType, ownTacticSkill, oppTacticSkill);
  std::array<double, 7> w = shares;
  for (size_t j = 1; j <= 6; ++j) w[j] *= weights[j];

  // A percentage outside 0..100 would turn the possession weights below into nonsense (or NaN).
  auto held = [](double possession) { return std::isnan(possession) ? 0.0 : std::clamp(possession, 0.0, 100.0); };
  double halves[2] = {held(possessionFirstHalf), held(possessionSecondHalf)};
  if (ownTacticType == ttCounterAttacks)
    for (double& half : halves)
      if (half < 50) half = CounterAttackPossession(half, w[1] + w[2] + w[3], ownTacticSkill);

  double sum = 0;
  for (double half : halves) {
    const double m = half / 100;
    const double denominator = m * m + (1 - m) * (1 - m);
    sum += m * m / denominator;
  }
  const double attack = sum / 2;
  const double defence = attack == 0 ? 0 : std::max(attack, 1 - attack);

  TRelativeStrength result;
  for (size_t j = 1; j <= 6; ++j) {
    const double value = w[j] * (j <= 3 ? defence : attack);
    // Shares come from bars of 0..100; anything else that slipped through must not end the display.
    result.Values[j] = std::isfinite(value) && std::fabs(value) < 1e15 ? RoundHalfEven(value) : 0;
    result.Total += result.Values[j];
  }
  return result;
}

TMatchRatingRelative::TMatchRatingRelative() { Clear(); }

void TMatchRatingRelative::Clear() {
  FLabels.fill("-");
  FTotal = "100";
}

void TMatchRatingRelative::Calculate(const TSectorShares& shares, int ownTacticType, int oppTacticType,
                                     int ownTacticSkill, int oppTacticSkill, double possessionFirstHalf,
                                     double possessionSecondHalf) {
  const TRelativeStrength strength = CalculateRelativeStrength(shares, ownTacticType, oppTacticType, ownTacticSkill,
                                                               oppTacticSkill, possessionFirstHalf, possessionSecondHalf);
  for (size_t j = 1; j <= 6; ++j) FLabels[j] = std::to_string(strength.Values[j]);
  FTotal = std::to_string(strength.Total);
}

std::string TMatchRatingRelative::Heading() { return _("Relative Strength"); }

int TMatchRatingRelative::LabelTop(int index) {
  return TMatchRatingLayout::BarTop(index) - TMatchRatingLayout::ColumnTop;
}

int TMatchRatingRelative::TotalTop() { return LabelTop(6) + LabelHeight; }

int TMatchRatingRelative::Height() { return TotalTop() + TotalHeight; }
