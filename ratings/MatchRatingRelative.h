#pragma once
// The "Relative Strength" column of a played match: for each of the six defence and attack sectors a whole
// number that weighs the sector's share of its face-off by how much of the play passes through it (from
// both sides' tactics) and by the own side's ball possession, and the sum of the six.
#include <array>
#include <cstdint>
#include <string>

// Vertical layout of the rating panel, shared by the face-off bars and the column so that they line up:
// bars 48 pixels apart, with a 16-pixel gap (holding the group caption) before each group and before the
// tactic bar; the column starts 8 pixels from the panel's top, its heading ending at the first bar's top.
struct TMatchRatingLayout {
  static constexpr int BarPitch = 48;
  static constexpr int GroupGap = 16;
  static constexpr int ColumnTop = 8;
  static constexpr int FirstBarTop = 40;
  // Top of bar 0..7 within the panel.
  static int BarTop(int bar);
};

// Tactic type codes that change the weights or the possession.
enum TTacticType : int {
  ttNormal = 0,
  ttPressing = 1,
  ttCounterAttacks = 2,
  ttAttackInMiddle = 3,
  ttAttackOnWings = 4,
  ttPlayCreatively = 5,
};

// Shares of the seven face-offs (midfield; right, central, left defence; right, central, left attack).
using TSectorShares = std::array<double, 7>;

// Possession percent to chances out of 10 (0 -> 0.208, 50 -> 4.937, 100 -> 9.792).
double PossessionToChances(double possession);
// Chances out of 10 to possession percent; close to the inverse of PossessionToChances on 20..80 percent
// (5 -> about 50.10).
double ChancesToPossession(double chances);

// How much of the play passes through each sector: base 0.125 for the wings and 0.25 for the centres,
// moved between wings and centre by "Attack in Middle" and "Attack on Wings" (the own side's for the
// attack, the opponent's for the defence). Index 0 (midfield) is 0. Skills are held to 0..20, so that a
// strange file cannot make a weight negative.
std::array<double, 7> SectorWeights(int ownTacticType, int oppTacticType, int ownTacticSkill, int oppTacticSkill);

// The possession of a half below 50 % as counter-attacks make it: the chances the opponent leaves give
// extra chances (at most 3) in proportion to the weighted defence shares and the tactic skill.
// weightedDefence is the sum of the three weighted defence shares.
double CounterAttackPossession(double possession, double weightedDefence, int ownTacticSkill);

struct TRelativeStrength {
  std::array<int64_t, 7> Values{};  // 1..6; index 0 (midfield) is not computed
  int64_t Total = 0;
  bool operator==(const TRelativeStrength&) const = default;
};

// Possessions are the own side's percentages (held to 0..100).
TRelativeStrength CalculateRelativeStrength(const TSectorShares& shares, int ownTacticType, int oppTacticType,
                                            int ownTacticSkill, int oppTacticSkill, double possessionFirstHalf,
                                            double possessionSecondHalf);

// What the column shows: seven number labels aligned with the face-off bars (label 0, midfield, stays "-")
// and the total. Before the first calculation the labels read "-" and the total "100".
class TMatchRatingRelative {
public:
  // Geometry of the column, relative to its own top left: a heading, the seven labels at the tops of the
  // face-off bars (see TMatchRatingModel) and the total below the last.
  static constexpr int HeadingHeight = 32;
  static constexpr int LabelHeight = 24;
  static constexpr int TotalHeight = 16;
  static constexpr int Width = 112;

  TMatchRatingRelative();

  void Calculate(const TSectorShares& shares, int ownTacticType, int oppTacticType, int ownTacticSkill,
                 int oppTacticSkill, double possessionFirstHalf, double possessionSecondHalf);
  void Clear();

  const std::array<std::string, 7>& Labels() const { return FLabels; }
  const std::string& Total() const { return FTotal; }
  // Translated "Relative Strength".
  static std::string Heading();

  // Tops of label i and of the total within the column; the column's height.
  static int LabelTop(int index);
  static int TotalTop();
  static int Height();

private:
  std::array<std::string, 7> FLabels;
  std::string FTotal;
};
