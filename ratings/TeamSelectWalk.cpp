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

int64_t TTeamSelectWalk::RoleBound(const int* c) const {
  int64_t bound = 0;
  for (int r = 0; r < FRoleCount; ++r) {
    // The strongest `capacity` of the combination in this role, kept in descending order.
    const int capacity = FCapacity[r];
    int32_t best[MaxPlaces];
    int n = 0;
    for (int a = 0; a < FK; ++a) {
      const int32_t v = FUnits[static_cast<size_t>(c[a])][r];
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
    for (int i = 0; i < n; ++i) bound += best[i];
  }
  return bound;
}

uint64_t TTeamSelectWalk::WalkRange(uint64_t first, uint64_t last, int64_t better, TWalkResult& own,
                                    const std::atomic<bool>* stop) const {
  last = std::min(last, FCount);
  if (first >= last) return 0;
  int c[MaxPlaces + 1];
  UnrankCombination(first, FN, FK, c);
  // A combination is arranged only when its bound reaches the bar: above own's sum (a tie would come later
  // than own) and at least the best known sum (a tie there may come earlier than that one).
  int64_t bar = better;
  if (own.Found) bar = std::max(bar, own.Sum + 1);
  const int32_t* top = FTop.data();
  uint64_t rank = first;
  for (;;) {
    int64_t bound = 0;
    for (int a = 0; a < FK; ++a) bound += top[c[a]];
    if (bound >= bar && RoleBound(c) >= bar) {
      const int64_t sum = Arrange(c);
      if (!own.Found || sum > own.Sum) {
        own.Found = true;
        own.Sum = sum;
        own.Rank = rank;
        bar = std::max(bar, sum + 1);
      }
    }
    if (++rank == last || ((rank & 1023) == 0 && stop && stop->load(std::memory_order_relaxed))) break;
    NextCombination(c, FN, FK);
  }
  return rank - first;
}
