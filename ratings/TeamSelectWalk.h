#pragma once
// The inner loop of the lineup search on whole numbers: for each combination of candidates, in
// lexicographic order, the strength of its places after the pairwise swaps of TTeam::Optimise, and the
// strongest combination of a range of ranks (the earliest one among equals).
//
// It knows each candidate's strength units in each distinct role of the places and nothing about players,
// so several threads can walk disjoint ranges of one walk at once. Combinations that provably cannot
// replace the best one are counted without being arranged (see WalkRange).
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

// The strongest combination found: highest sum, then lowest rank.
struct TWalkResult {
  bool Found = false;
  int64_t Sum = 0;    // the arranged places' strength units
  uint64_t Rank = 0;  // the combination's rank

  // Whether (sum, rank) is better: higher sums first, then earlier ranks. The merge by this rule gives
  // the same answer in whatever order ranges are walked.
  bool Improves(int64_t sum, uint64_t rank) const { return !Found || sum > Sum || (sum == Sum && rank < Rank); }
  void Merge(const TWalkResult& other) {
    if (other.Found && Improves(other.Sum, other.Rank)) *this = other;
  }
};

class TTeamSelectWalk {
public:
  static constexpr int MaxPlaces = 10;
  static constexpr int MaxRoles = 8;
  using TUnitsRow = std::array<int32_t, MaxRoles>;

  // roleOfPlace: the distinct-role index (0..MaxRoles-1) of each place, in the order the places are filled;
  // units: one row per candidate 1..n (row 0 unused), the candidate's units in each distinct role.
  TTeamSelectWalk(std::vector<uint8_t> roleOfPlace, std::vector<TUnitsRow> units);

  int Candidates() const { return FN; }
  int Places() const { return FK; }
  // C(candidates, places).
  uint64_t Count() const { return FCount; }

  // The places' strength after the swaps, for the candidates c[0..places-1] (ascending, 1-based) put into
  // the places in order: passes over every pair of places with different roles, in order, exchanging two
  // players when that is strictly stronger, until a pass exchanges none. Exactly TTeam::Optimise.
  int64_t Arrange(const int* c) const;

  // Walks the ranks [first, last) in order and merges what it finds into own, which must come from
  // earlier ranks only (a walker takes its ranges in increasing order). `better` is the sum of some
  // combination (any rank), or INT64_MIN. A combination, or a whole sub-tree of combinations that share
  // their first places, is skipped when an upper bound of its strength is at most own's sum (it could only
  // tie at a later rank) or below `better` (it cannot be the best); ties with `better` are never skipped,
  // as that one may come later. The walk stops early when *stop becomes true (checked each time the rank
  // passes a multiple of 1024). Returns the number of combinations walked, skipped ones included; those
  // skipped by a bound are added to *skipped.
  uint64_t WalkRange(uint64_t first, uint64_t last, int64_t better, TWalkResult& own,
                     const std::atomic<bool>* stop = nullptr, uint64_t* skipped = nullptr) const;

  // A strong combination found by exchanging single players from the K of highest units until no
  // exchange gains: its sum is a lower bound of the best, to pass as `better` before any range is walked.
  // Its indexes go to c[0..places-1].
  int64_t GoodCombination(int* c) const;
  // Prices the roles for the bounds from the combination c[0..places-1] (best a strong one, such as
  // GoodCombination's); any prices keep the bounds valid, good ones make them tight.
  void SetPrices(const int* c);


private:
  struct TPair {
    uint8_t A, B, RoleA, RoleB;
  };
  struct TLevels;
  void Extend(TLevels& levels, int level, int candidate) const;
  int64_t RoleBound(const TLevels& levels, int level, int start, int rest) const;

  int FN;
  int FK;
  uint64_t FCount;
  int FRoleCount = 0;
  std::vector<uint8_t> FRoleOfPlace;
  std::array<int, MaxRoles> FCapacity{};  // places of each role
  std::vector<TPair> FPairs;              // pairs of places with different roles, in Optimise's order
  std::vector<TUnitsRow> FUnits;
  std::vector<int32_t> FTop;              // each candidate's units in his strongest role
  // For the sub-trees: [s * (MaxPlaces + 1) + m] the sum of the m highest FTop among candidates s..n;
  // [(r * (n + 2) + s) * MaxPlaces + j] the (j+1)-th highest units in role r among candidates s..n.
  std::vector<int64_t> FSuffixTop;
  std::vector<int32_t> FSuffixRole;
  std::vector<uint64_t> FBinomial;
  // The priced bound (see SetPrices): the places' prices, each candidate's best units less price, and the
  // suffix sums of the latter as FSuffixTop.
  int64_t FPriced = 0;
  std::vector<int64_t> FPricedTop;
  std::vector<int64_t> FSuffixPriced;
  std::vector<int64_t> SuffixSums(const std::vector<int64_t>& value) const;  // [n * (MaxPlaces + 1) + k] = C(n, k)
};
