#include "ratings/TeamSelectWalk.h"

#include "core/Errors.h"
#include "ratings/Combinations.h"

#include <algorithm>
#include <climits>

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
  FSuffixTop.assign(suffixes * (MaxPlaces + 1), 0);
  FSuffixRole.assign(static_cast<size_t>(std::max(FRoleCount, 1)) * suffixes * MaxPlaces, 0);
  std::vector<int32_t> values;
  for (int s = FN; s >= 1; --s) {
    values.assign(FTop.begin() + s, FTop.end());
    std::sort(values.rbegin(), values.rend());
    int64_t sum = 0;
    for (int m = 1; m <= MaxPlaces && m <= static_cast<int>(values.size()); ++m) {
      sum += values[static_cast<size_t>(m - 1)];
      FSuffixTop[static_cast<size_t>(s) * (MaxPlaces + 1) + static_cast<size_t>(m)] = sum;
    }
    for (int r = 0; r < FRoleCount; ++r) {
      values.clear();
      for (int c = s; c <= FN; ++c) values.push_back(FUnits[static_cast<size_t>(c)][static_cast<size_t>(r)]);
      std::sort(values.rbegin(), values.rend());
      int32_t* out = &FSuffixRole[(static_cast<size_t>(r) * suffixes + static_cast<size_t>(s)) * MaxPlaces];
      for (int j = 0; j < MaxPlaces && j < static_cast<int>(values.size()); ++j) out[j] = values[static_cast<size_t>(j)];
    }
  }
  FBinomial.assign(static_cast<size_t>(FN + 1) * (MaxPlaces + 1), 0);
  for (int n = 0; n <= FN; ++n)
    for (int k = 0; k <= MaxPlaces; ++k)
      FBinomial[static_cast<size_t>(n) * (MaxPlaces + 1) + static_cast<size_t>(k)] = Binomial(n, k);
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

// Each place given the strongest player of its role that the sub-tree could hold: among the chosen
// c[0..chosen-1] and, as at most `rest` more, the highest of the candidates above the last chosen one.
// A player may so count in several roles; the bound stays above any arrangement.
int64_t TTeamSelectWalk::RoleBound(const int* c, int chosen, int rest) const {
  const size_t suffixes = static_cast<size_t>(FN) + 2;
  const size_t start = chosen > 0 ? static_cast<size_t>(c[chosen - 1]) + 1 : 1;
  int64_t bound = 0;
  for (int r = 0; r < FRoleCount; ++r) {
    // The strongest `capacity` of the chosen in this role, kept in descending order.
    const int capacity = FCapacity[r];
    int32_t best[MaxPlaces];
    int n = 0;
    for (int a = 0; a < chosen; ++a) {
      const int32_t v = FUnits[static_cast<size_t>(c[a])][static_cast<size_t>(r)];
      int i;
      if (n < capacity)
        i = n++;
      else if (v > best[capacity - 1])
        i = capacity - 1;
      else
        continue;
      for (; i > 0 && best[i - 1] < v; --i) best[i] = best[i - 1];
      best[i] = v;
    }
    // Merged with the suffix's highest (also descending), the first `capacity` of both.
    const int32_t* more = &FSuffixRole[(static_cast<size_t>(r) * suffixes + start) * MaxPlaces];
    const int m = std::min(capacity, rest);
    int i = 0, j = 0;
    for (int taken = 0; taken < capacity && (i < n || j < m); ++taken)
      bound += (j >= m || (i < n && best[i] >= more[j])) ? best[i++] : more[j++];
  }
  return bound;
}

int64_t TTeamSelectWalk::SubtreeBound(const int* c, int i) const {
  const int rest = FK - 1 - i;
  int64_t top = 0;
  for (int a = 0; a <= i; ++a) top += FTop[static_cast<size_t>(c[a])];
  top += FSuffixTop[(static_cast<size_t>(c[i]) + 1) * (MaxPlaces + 1) + static_cast<size_t>(rest)];
  return std::min(top, RoleBound(c, i + 1, rest));
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

uint64_t TTeamSelectWalk::WalkRange(uint64_t first, uint64_t last, int64_t better, TWalkResult& own,
                                    const std::atomic<bool>* stop, uint64_t* skipped) const {
  last = std::min(last, FCount);
  if (first >= last) return 0;
  int c[MaxPlaces + 1];
  UnrankCombination(first, FN, FK, c);
  // A combination is arranged only when its bound reaches the bar: above own's sum (a tie would come later
  // than own) and at least the best known sum (a tie there may come earlier than that one).
  int64_t bar = better;
  if (own.Found) bar = std::max(bar, own.Sum + 1);
  const int32_t* top = FTop.data();
  const int64_t* suffixTop = FSuffixTop.data();
  uint64_t rank = first;
  uint64_t passed = 0;
  for (;;) {
    // c is the first combination of the sub-trees of the levels lowest..FK-1 (those that keep c[0..i] and
    // fill the rest from above c[i]); the largest of them is tried first.
    int lowest = FK - 1;
    while (lowest > 0 && c[lowest] == c[lowest - 1] + 1) --lowest;
    int64_t prefix[MaxPlaces + 1];
    prefix[0] = 0;
    for (int a = 0; a < FK; ++a) prefix[a + 1] = prefix[a] + top[c[a]];
    int cut = -1;
    for (int i = std::max(lowest, 0); i < FK; ++i) {
      const int rest = FK - 1 - i;
      const int64_t bound = prefix[i + 1] + suffixTop[(static_cast<size_t>(c[i]) + 1) * (MaxPlaces + 1) + size_t(rest)];
      if (bound < bar || RoleBound(c, i + 1, rest) < bar) {
        cut = i;
        break;
      }
    }
    if (FK == 0) cut = -1;
    uint64_t step = 1;
    if (cut >= 0) {
      step = FBinomial[static_cast<size_t>(FN - c[cut]) * (MaxPlaces + 1) + static_cast<size_t>(FK - 1 - cut)];
      if (step > last - rank) step = last - rank;
      passed += step;
      // The sub-tree's last combination: from it the next one leaves the sub-tree.
      for (int j = cut + 1; j < FK; ++j) c[j] = FN - FK + j + 1;
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
    NextCombination(c, FN, FK);
  }
  if (skipped) *skipped += passed;
  return rank - first;
}
