#include "ratings/Combinations.h"

#include "core/Errors.h"

uint64_t Binomial(int n, int k) {
  if (k < 0 || n < 0 || k > n) return 0;
  if (k > n - k) k = n - k;
  // Each partial product C(n - k + i, i) is a whole number, so the division is exact; the wide
  // intermediate keeps the multiplication from overflowing before the check.
  unsigned __int128 result = 1;
  for (int i = 1; i <= k; ++i) {
    result = result * static_cast<unsigned>(n - k + i) / static_cast<unsigned>(i);
    if (result > UINT64_MAX) throw ERangeError();
  }
  return static_cast<uint64_t>(result);
}

bool UnrankCombination(uint64_t rank, int n, int k, int* c) {
  if (k < 0 || k > n || rank >= Binomial(n, k)) return false;
  int x = 1;
  for (int i = 0; i < k; ++i) {
    // Subsets whose place i holds x, given the places before it.
    for (uint64_t count; rank >= (count = Binomial(n - x, k - 1 - i)); ++x) rank -= count;
    c[i] = x++;
  }
  return true;
}

uint64_t RankOfCombination(const int* c, int n, int k) {
  uint64_t rank = 0;
  int x = 1;
  for (int i = 0; i < k; ++i) {
    for (; x < c[i]; ++x) rank += Binomial(n - x, k - 1 - i);
    ++x;
  }
  return rank;
}

TCombinations::TCombinations(int n, int k)
    : FN(n < 0 ? 0 : n), FK(k), FMask(static_cast<size_t>(FN) + 1, 0) {}

void TCombinations::Clear() {
  for (int i : FIndexes) FMask[static_cast<size_t>(i)] = 0;
  FIndexes.clear();
  FSelected = 0;
}

void TCombinations::Select(int i, bool on) {
  FMask[static_cast<size_t>(i)] = on;
  FSelected += on ? 1 : -1;
}

bool TCombinations::First() { return Seek(0); }

bool TCombinations::Seek(uint64_t rank) {
  Clear();
  if (FK < 0 || FK > FN || rank >= Count()) return false;
  FIndexes.resize(static_cast<size_t>(FK));
  UnrankCombination(rank, FN, FK, FIndexes.data());
  for (int i : FIndexes) Select(i, true);
  return true;
}

bool TCombinations::Next() {
  if (FIndexes.size() != static_cast<size_t>(FK) || FSelected != FK) return false;
  // Only the places from the one that moves up change their flags.
  int i = FK - 1;
  while (i >= 0 && FIndexes[static_cast<size_t>(i)] == FN - FK + i + 1) --i;
  if (i < 0) {
    Clear();
    return false;
  }
  for (int j = i; j < FK; ++j) Select(FIndexes[static_cast<size_t>(j)], false);
  NextCombination(FIndexes.data(), FN, FK);
  for (int j = i; j < FK; ++j) Select(FIndexes[static_cast<size_t>(j)], true);
  return true;
}
