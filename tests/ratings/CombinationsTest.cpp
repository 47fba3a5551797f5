#include "core/Errors.h"
#include "ratings/Combinations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
// Every k-subset of 1..n, built independently: the k-element index lists in lexicographic order.
std::vector<std::vector<int>> AllSubsets(int n, int k) {
  std::vector<std::vector<int>> result;
  for (unsigned bits = 0; bits < (1u << n); ++bits) {
    if (__builtin_popcount(bits) != k) continue;
    std::vector<int> subset;
    for (int i = 0; i < n; ++i)
      if (bits & (1u << i)) subset.push_back(i + 1);
    result.push_back(subset);
  }
  std::sort(result.begin(), result.end());
  return result;
}
}  // namespace

TEST(Combinations, BinomialsIn64BitsAndOverflowIsARangeError) {
  struct {
    int N, K;
    uint64_t Expected;
  } const cases[] = {{0, 0, 1},        {5, 0, 1},          {5, 5, 1},           {5, 6, 0},
                     {5, -1, 0},       {13, 10, 286},      {14, 10, 1001},      {22, 10, 646646},
                     {24, 10, 1961256}, {14, 4, 1001},     {12, 4, 495},        {40, 10, 847660528},
                     {60, 30, 118264581564861424ull}, {67, 33, 14226520737620288370ull}};
  for (const auto& c : cases) EXPECT_EQ(Binomial(c.N, c.K), c.Expected) << c.N << " " << c.K;
  EXPECT_THROW(Binomial(68, 34), ERangeError);
}

TEST(Combinations, VisitsEverySubsetOnceInLexicographicOrderWithItsMask) {
  const std::pair<int, int> sizes[] = {{1, 1}, {4, 2}, {5, 3}, {6, 6}, {7, 1}, {8, 4}, {10, 7}, {5, 0}};
  for (auto [n, k] : sizes) {
    SCOPED_TRACE(testing::Message() << "n=" << n << " k=" << k);
    const auto expected = AllSubsets(n, k);
    TCombinations walk(n, k);
    EXPECT_EQ(walk.Count(), expected.size());
    std::vector<std::vector<int>> visited;
    for (bool more = walk.First(); more; more = walk.Next()) {
      const auto indexes = walk.Indexes();
      visited.emplace_back(indexes.begin(), indexes.end());
      // The mask shows exactly the subset, with its size and highest index.
      int flags = 0;
      for (int i = 0; i <= n + 1; ++i) flags += walk.Selected(i);
      EXPECT_EQ(flags, k);
      EXPECT_EQ(walk.SelectedCount(), k);
      EXPECT_EQ(walk.Highest(), k ? indexes.back() : 0);
      for (int i : indexes) EXPECT_TRUE(walk.Selected(i));
      EXPECT_EQ(walk.Rank(), visited.size() - 1);
    }
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(walk.SelectedCount(), 0);  // the mask is clear after the last subset
  }
}

TEST(Combinations, NoSubsetWhenThereAreFewerCandidatesThanPlaces) {
  TCombinations walk(3, 4);
  EXPECT_EQ(walk.Count(), 0u);
  EXPECT_FALSE(walk.First());
  EXPECT_FALSE(walk.Next());
}

TEST(Combinations, UnrankAndRankAreInverseAndSeekContinuesTheWalk) {
  const int n = 12, k = 5;
  const auto expected = AllSubsets(n, k);
  for (uint64_t rank = 0; rank < expected.size(); rank += 37) {
    int c[k];
    ASSERT_TRUE(UnrankCombination(rank, n, k, c));
    EXPECT_EQ(std::vector<int>(c, c + k), expected[rank]);
    EXPECT_EQ(RankOfCombination(c, n, k), rank);
  }
  int c[k];
  EXPECT_FALSE(UnrankCombination(expected.size(), n, k, c));

  TCombinations walk(n, k);
  ASSERT_TRUE(walk.Seek(expected.size() - 2));
  ASSERT_TRUE(walk.Next());
  EXPECT_EQ(std::vector<int>(walk.Indexes().begin(), walk.Indexes().end()), expected.back());
  EXPECT_FALSE(walk.Next());
}
