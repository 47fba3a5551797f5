#pragma once
// The k-subsets of the candidates 1..n, visited in lexicographic order of their sorted index lists:
// (1, 2, ..., k), (1, 2, ..., k-1, k+1), ..., (n-k+1, ..., n). The lineup search walks them one by one and
// splits them into ranges of ranks that several threads walk at once; the rank of a subset is its place
// in that order, counted from 0.
#include <cstdint>
#include <span>
#include <vector>

// C(n, k) in 64 bits; 0 when k < 0 or k > n. ERangeError when it does not fit.
uint64_t Binomial(int n, int k);

// The subset that follows c[0..k-1] (ascending, each in 1..n); false, with c unchanged, after the last.
// Inline: the search calls it once per lineup.
inline bool NextCombination(int* c, int n, int k) {
  int i = k - 1;
  while (i >= 0 && c[i] == n - k + i + 1) --i;
  if (i < 0) return false;
  int value = ++c[i];
  for (++i; i < k; ++i) c[i] = ++value;
  return true;
}

// The subset of that rank into c[0..k-1]; false when there is no such subset.
bool UnrankCombination(uint64_t rank, int n, int k, int* c);
// The rank of the subset c[0..k-1].
uint64_t RankOfCombination(const int* c, int n, int k);

// The walk with its selection mask: one flag per candidate (index 1..n), the number of set flags and the
// highest index with a set flag, as the search shows which candidates it tries.
class TCombinations {
public:
  TCombinations(int n, int k);

  int N() const { return FN; }
  int K() const { return FK; }
  // C(n, k): the number of subsets the walk visits.
  uint64_t Count() const { return Binomial(FN, FK); }

  // Positions on the first subset; false when there is none (k > n or k < 0). With k = 0 the one subset
  // is the empty one.
  bool First();
  // The next subset; false (and the walk ended) after the last one.
  bool Next();
  // Positions on the subset of that rank; false when the rank is outside.
  bool Seek(uint64_t rank);
  uint64_t Rank() const { return RankOfCombination(FIndexes.data(), FN, FK); }

  // The current subset's indexes, ascending, 1-based.
  std::span<const int> Indexes() const { return {FIndexes.data(), FIndexes.size()}; }
  // Whether candidate i (1..n) is in the current subset; false outside 1..n.
  bool Selected(int i) const { return i >= 1 && i <= FN && FMask[static_cast<size_t>(i)]; }
  int SelectedCount() const { return FSelected; }
  // The highest index of the current subset, 0 for none.
  int Highest() const { return FSelected > 0 ? FIndexes.back() : 0; }

private:
  void Clear();
  void Select(int i, bool on);

  int FN;
  int FK;
  std::vector<int> FIndexes;
  std::vector<uint8_t> FMask;  // n + 1 flags, index 0 unused
  int FSelected = 0;
};
