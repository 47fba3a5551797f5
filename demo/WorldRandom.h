#pragma once
// The sample world's random numbers. Everything the generator decides comes from here, seeded from the
// user's seed only, so that one seed always gives the same bytes. The standard distributions are not
// used because their results differ between library implementations.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

class TWorldRandom {
public:
  explicit TWorldRandom(uint64_t seed) : FState(seed) {}

  // A generator whose sequence depends only on the given keys (for decisions that must be known before
  // their turn comes, or that are asked for in any order, like the results of other teams' matches).
  static TWorldRandom For(std::initializer_list<uint64_t> keys) { return TWorldRandom(Hash(keys)); }

  static uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
  }
  static uint64_t Hash(std::initializer_list<uint64_t> keys) {
    uint64_t h = 0x51A7B00Cull;
    for (uint64_t k : keys) h = Mix(h ^ Mix(k));
    return h;
  }

  uint64_t Next() {
    FState += 0x9E3779B97F4A7C15ull;
    uint64_t x = FState;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
  }
  // Uniform in lo..hi (both included).
  int Int(int lo, int hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
  }
  // Uniform in [0, 1).
  double Real() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  bool Chance(double p) { return Real() < p; }
  // Knuth's method; fine for the small means of football scores.
  int Poisson(double mean) {
    double limit = std::exp(-mean), p = 1.0;
    int k = 0;
    do {
      ++k;
      p *= Real();
    } while (p > limit && k < 30);
    return k - 1;
  }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Next() % items.size())];
  }

private:
  uint64_t FState;
};
