#include "ratings/TeamSelectWalk.h"

#include "core/Errors.h"
#include "ratings/Combinations.h"

#include <algorithm>
#include <climits>
#include <cmath>

TTeamSelectWalk::TTeamSelectWalk(std::vector<uint8_t> roleOfPlace, std::vector<TUnitsRow> units)
    : FN(units.empty() ? 0 : static_cast<int>(units.size()) - 1), FK(static_cast<int>(roleOfPlace.size())),
      FCount(Binomial(FN, FK)), FRoleOfPlace(std::move(roleOfPlace)), FUnits(std::move(units)) {
  if (FK > MaxPlaces) throw ERangeError();
  for (uint8_t r : FRoleOfPlace) {
    if (r >= MaxRoles) throw ERangeError();
    FRoleCount = std::max(FRoleCount, r + 1);
    ++FCapacity[r];
  }
  for (int a = 0; a < FK; ++a)
    for (int b = a + 1; b < FK; ++b)
      if (FRoleOfPlace[a] != FRoleOfPlace[b])
        FPairs.push_back({uint8_t(a), uint8_t(b), FRoleOfPlace[a], FRoleOfPlace[b]});
  FTop.assign(FUnits.size(), 0);
  for (size_t c = 1; c < FUnits.size(); ++c)
    FTop[c] = FRoleCount ? *std::max_element(FUnits[c].begin(), FUnits[c].begin() + FRoleCount) : 0;

  // The sub-tree bounds: the highest values of every suffix of candidates, sorted once here.
  const size_t suffixes = static_cast<size_t>(FN) + 2;
  FSuffixTop = SuffixSums(std::vector<int64_t>(FTop.begin(), FTop.end()));
  FSuffixRole.assign(static_cast<size_t>(std::max(FRoleCount, 1)) * suffixes * MaxPlaces, 0);
  std::vector<int32_t> values;
  for (int s = FN; s >= 1; --s) {
    for (int r = 0; r < FRoleCount; ++r) {
      values.clear();
      for (int c = s; c <= FN; ++c) values.push_back(FUnits[static_cast<size_t>(c)][static_cast<size_t>(r)]);
      std::sort(values.rbegin(), values.rend());
      int32_t* out = &FSuffixRole[(static_cast<size_t>(r) * suffixes + static_cast<size_t>(s)) * MaxPlaces];
      for (int j = 0; j < MaxPlaces && j < static_cast<int>(values.size()); ++j)
        out[j] = values[static_cast<size_t>(j)];
    }
  }
  // No prices until SetPrices: the priced bound is then the same as the strongest-role one.
  FPricedTop.assign(FTop.begin(), FTop.end());
  FSuffixPriced = SuffixSums(FPricedTop);
  FBinomial.assign(static_cast<size_t>(FN + 1) * (MaxPlaces + 1), 0);
  for (int n = 0; n <= FN; ++n)
    for (int k = 0; k <= MaxPlaces; ++k)
      FBinomial[static_cast<size_t>(n) * (MaxPlaces + 1) + static_cast<size_t>(k)] = Binomial(n, k);
}

// Sums of the m highest values among candidates s..n, for every s and m.
std::vector<int64_t> TTeamSelectWalk::SuffixSums(const std::vector<int64_t>& value) const {
  std::vector<int64_t> sums((static_cast<size_t>(FN) + 2) * (MaxPlaces + 1), 0);
  std::vector<int64_t> values;
  for (int s = FN; s >= 1; --s) {
    values.assign(value.begin() + s, value.end());
    std::sort(values.rbegin(), values.rend());
    int64_t sum = 0;
    for (int m = 1; m <= MaxPlaces && m <= static_cast<int>(values.size()); ++m) {
      sum += values[static_cast<size_t>(m - 1)];
      sums[static_cast<size_t>(s) * (MaxPlaces + 1) + static_cast<size_t>(m)] = sum;
    }
  }
  return sums;
}

// Whatever the prices p[r] of the roles, an arrangement of K players is worth at most the places' prices
// plus, for each player, his best units less price: sum cap[r] * p[r] + sum max_r (u[r] - p[r]) (the dual
// of the assignment). Prices 0 give each player in his strongest role. Prices near the duals of the
// strong lineups make the bound close to their strength; they are found by subgradient steps on the
// given combination (whole numbers, so the bound stays exact).
void TTeamSelectWalk::SetPrices(const int* c) {
  std::array<int64_t, MaxRoles> price{}, best{};
  auto bound = [&](const std::array<int64_t, MaxRoles>& p, std::array<int, MaxRoles>* taken) {
    int64_t sum = 0;
    for (int r = 0; r < FRoleCount; ++r) sum += FCapacity[r] * p[r];
    for (int a = 0; a < FK; ++a) {
      const int32_t* u = FUnits[static_cast<size_t>(c[a])].data();
      int top = 0;
      for (int r = 1; r < FRoleCount; ++r)
        if (u[r] - p[r] > u[top] - p[top]) top = r;
      sum += u[top] - p[top];
      if (taken) ++(*taken)[top];
    }
    return sum;
  };
  int32_t low = INT32_MAX, high = INT32_MIN;
  for (int a = 0; a < FK; ++a)
    for (int r = 0; r < FRoleCount; ++r) {
      low = std::min(low, FUnits[static_cast<size_t>(c[a])][r]);
      high = std::max(high, FUnits[static_cast<size_t>(c[a])][r]);
    }
  int64_t bestBound = bound(price, nullptr);
  double step = std::max(1.0, double(int64_t(high) - low) / 8);
  for (int round = 0; round < 400 && step >= 0.5; ++round) {
    std::array<int, MaxRoles> taken{};
    const int64_t value = bound(price, &taken);
    if (value < bestBound) {
      bestBound = value;
      best = price;
    }
    // Roles wanted by more players than they have places get dearer, the others cheaper.
    for (int r = 0; r < FRoleCount; ++r)
      price[r] += static_cast<int64_t>(std::llround(step * (taken[r] - FCapacity[r])));
    step *= 0.97;
  }
  FPriced = 0;
  for (int r = 0; r < FRoleCount; ++r) FPriced += FCapacity[r] * best[r];
  FPricedTop.assign(FUnits.size(), 0);
  for (size_t p = 1; p < FUnits.size(); ++p) {
    int64_t top = INT64_MIN;
    for (int r = 0; r < FRoleCount; ++r) top = std::max(top, int64_t(FUnits[p][r]) - best[r]);
    FPricedTop[p] = FRoleCount ? top : 0;
  }
  FSuffixPriced = SuffixSums(FPricedTop);
}

int64_t TTeamSelectWalk::Arrange(const int* c) const {
  const int32_t* row[MaxPlaces];
  int64_t sum = 0;
  for (int a = 0; a < FK; ++a) {
    row[a] = FUnits[static_cast<size_t>(c[a])].data();
    sum += row[a][FRoleOfPlace[static_cast<size_t>(a)]];
  }
  bool swapped;
  do {
    swapped = false;
    for (const TPair& p : FPairs) {
      // Units come from ratings far below 2^26, so pair sums stay well inside 32 bits.
      const int32_t kept = row[p.A][p.RoleA] + row[p.B][p.RoleB];
      const int32_t exchanged = row[p.A][p.RoleB] + row[p.B][p.RoleA];
      if (exchanged > kept) {
        std::swap(row[p.A], row[p.B]);
        sum += exchanged - kept;
        swapped = true;
      }
    }
  } while (swapped);
  return sum;
}

int64_t TTeamSelectWalk::GoodCombination(int* c) const {
  if (FK == 0 || FK > FN) return 0;
  std::vector<int> order(static_cast<size_t>(FN));
  for (int i = 0; i < FN; ++i) order[static_cast<size_t>(i)] = i + 1;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return FTop[size_t(a)] > FTop[size_t(b)]; });
  std::vector<bool> in(static_cast<size_t>(FN) + 1);
  for (int a = 0; a < FK; ++a) in[static_cast<size_t>(order[static_cast<size_t>(a)])] = true;
  auto collect = [&](int* out) {
    int a = 0;
    for (int i = 1; i <= FN; ++i)
      if (in[static_cast<size_t>(i)]) out[a++] = i;
  };
  collect(c);
  int64_t best = Arrange(c);
  // Single exchanges while one gains; a bounded number of rounds, as it only has to be good.
  int trial[MaxPlaces];
  for (int round = 0; round < 64; ++round) {
    bool gained = false;
    for (int out = 1; out <= FN && !gained; ++out) {
      if (!in[static_cast<size_t>(out)]) continue;
      for (int into = 1; into <= FN && !gained; ++into) {
        if (in[static_cast<size_t>(into)]) continue;
        in[static_cast<size_t>(out)] = false;
        in[static_cast<size_t>(into)] = true;
        collect(trial);
        const int64_t sum = Arrange(trial);
        if (sum > best) {
          best = sum;
          std::copy(trial, trial + FK, c);
          gained = true;
        } else {
          in[static_cast<size_t>(into)] = false;
          in[static_cast<size_t>(out)] = true;
        }
      }
    }
    if (!gained) break;
  }
  return best;
}

// The walk keeps, for each level L (the first L places chosen), the sum of the chosen players' highest
// units and, per role, the chosen players' highest units in that role (as many as the role has places,
// descending). Those of the levels below the place that a step changes stay as they are.
struct TTeamSelectWalk::TLevels {
  int64_t Top[MaxPlaces + 1];
  int64_t Priced[MaxPlaces + 1];
  int32_t Role[MaxPlaces + 1][MaxRoles][MaxPlaces];
  int RoleCount[MaxPlaces + 1][MaxRoles];
};

void TTeamSelectWalk::Extend(TLevels& levels, int level, int candidate) const {
  const int32_t* units = FUnits[static_cast<size_t>(candidate)].data();
  levels.Top[level + 1] = levels.Top[level] + FTop[static_cast<size_t>(candidate)];
  levels.Priced[level + 1] = levels.Priced[level] + FPricedTop[static_cast<size_t>(candidate)];
  for (int r = 0; r < FRoleCount; ++r) {
    const int capacity = FCapacity[r];
    const int32_t* from = levels.Role[level][r];
    int32_t* to = levels.Role[level + 1][r];
    int n = levels.RoleCount[level][r];
    std::copy(from, from + n, to);
    const int32_t v = units[r];
    int i;
    if (n < capacity)
      i = n++;
    else if (v > to[capacity - 1])
      i = capacity - 1;
    else {
      levels.RoleCount[level + 1][r] = n;
      continue;
    }
    for (; i > 0 && to[i - 1] < v; --i) to[i] = to[i - 1];
    to[i] = v;
    levels.RoleCount[level + 1][r] = n;
  }
}

// Each place given the strongest player of its role that the combinations could hold: among the chosen
// of the level and, as `rest` more, the highest of the candidates from `start` on. A player may so count
// in several roles; the bound stays above any arrangement.
int64_t TTeamSelectWalk::RoleBound(const TLevels& levels, int level, int start, int rest) const {
  const size_t suffixes = static_cast<size_t>(FN) + 2;
  int64_t bound = 0;
  for (int r = 0; r < FRoleCount; ++r) {
    const int capacity = FCapacity[r];
    const int32_t* best = levels.Role[level][r];
    const int n = levels.RoleCount[level][r];
    const int32_t* more = &FSuffixRole[(static_cast<size_t>(r) * suffixes + static_cast<size_t>(start)) * MaxPlaces];
    const int m = std::min(capacity, rest);
    int i = 0, j = 0;
    for (int taken = 0; taken < capacity && (i < n || j < m); ++taken)
      bound += (j >= m || (i < n && best[i] >= more[j])) ? best[i++] : more[j++];
  }
  return bound;
}

uint64_t TTeamSelectWalk::WalkRange(uint64_t first, uint64_t last, int64_t better, TWalkResult& own,
                                    const std::atomic<bool>* stop, uint64_t* skipped) const {
  last = std::min(last, FCount);
  if (first >= last) return 0;
  int c[MaxPlaces + 1];
  {
    // UnrankCombination with the table of binomials (a walk of many short ranges unranks often).
    uint64_t r = first;
    int x = 1;
    for (int i = 0; i < FK; ++i) {
      for (uint64_t count; r >= (count = FBinomial[static_cast<size_t>(FN - x) * (MaxPlaces + 1) +
                                                   static_cast<size_t>(FK - 1 - i)]);
           ++x)
        r -= count;
      c[i] = x++;
    }
  }
  // A combination is arranged only when its bound reaches the bar: above own's sum (a tie would come later
  // than own) and at least the best known sum (a tie there may come earlier than that one).
  int64_t bar = better;
  if (own.Found) bar = std::max(bar, own.Sum + 1);
  const int64_t* suffixTop = FSuffixTop.data();
  const int64_t* suffixPriced = FSuffixPriced.data();
  const uint64_t* binomial = FBinomial.data();
  TLevels levels;
  levels.Top[0] = 0;
  levels.Priced[0] = 0;
  for (int r = 0; r < MaxRoles; ++r) levels.RoleCount[0][r] = 0;
  int valid = 0;  // levels 0..valid are those of c
  uint64_t rank = first;
  uint64_t passed = 0;
  for (;;) {
    for (; valid < FK; ++valid) Extend(levels, valid, c[valid]);
    // At level i the combinations that keep c[0..i-1] and take the other places from c[i] on: those from
    // this one to the end of the sub-tree of c[0..i-1]. The largest such part is tried first.
    int cut = -1;
    for (int i = 0; i < FK; ++i) {
      const int rest = FK - i;
      const size_t at = static_cast<size_t>(c[i]) * (MaxPlaces + 1) + static_cast<size_t>(rest);
      if (FPriced + levels.Priced[i] + suffixPriced[at] < bar || levels.Top[i] + suffixTop[at] < bar ||
          RoleBound(levels, i, c[i], rest) < bar) {
        cut = i;
        break;
      }
    }
    uint64_t step = 1;
    if (cut >= 0) {
      // This combination and, at each level from the cut on, those with a higher candidate there.
      for (int j = cut; j < FK; ++j)
        step += binomial[static_cast<size_t>(FN - c[j]) * (MaxPlaces + 1) + static_cast<size_t>(FK - j)];
      if (step > last - rank) step = last - rank;
      passed += step;
      for (int j = cut; j < FK; ++j) c[j] = FN - FK + j + 1;
    } else if (FPriced + levels.Priced[FK] < bar || levels.Top[FK] < bar || RoleBound(levels, FK, FN + 1, 0) < bar) {
      ++passed;
    } else {
      const int64_t sum = Arrange(c);
      if (!own.Found || sum > own.Sum) {
        own.Found = true;
        own.Sum = sum;
        own.Rank = rank;
        bar = std::max(bar, sum + 1);
      }
    }
    const uint64_t before = rank;
    rank += step;
    if (rank >= last || ((rank >> 10) != (before >> 10) && stop && stop->load(std::memory_order_relaxed))) break;
    // The next combination; the levels up to the place it changes stay.
    int i = FK - 1;
    while (i >= 0 && c[i] == FN - FK + i + 1) --i;
    if (i < 0) break;
    int value = ++c[i];
    for (int j = i + 1; j < FK; ++j) c[j] = ++value;
    valid = std::min(valid, i);
  }
  if (skipped) *skipped += passed;
  return rank - first;
}
