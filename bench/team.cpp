// Optimise of a filled 4-4-2: the inner step of the lineup search, run once per candidate combination.
#include "core/Player.h"
#include "core/Team.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {
std::unique_ptr<TPlayer> RandomPlayer(std::mt19937& random, int64_t id) {
  std::uniform_int_distribution<int> skill(3, 16), form(4, 8), experience(1, 15);
  auto p = std::make_unique<TPlayer>(wSunny, false, false);
  p->PlayerID = id;
  p->InjuryLevel = -1;
  p->PlayerForm = form(random);
  p->Experience = experience(random);
  p->Specialty = static_cast<int>(id % 7);
  p->StaminaSkill = skill(random);
  p->PlaymakerSkill = skill(random);
  p->WingerSkill = skill(random);
  p->ScorerSkill = skill(random);
  p->PassingSkill = skill(random);
  p->DefenderSkill = skill(random);
  p->KeeperSkill = skill(random);
  p->SetPiecesSkill = skill(random);
  return p;
}

// Teams of the same squad in different random arrangements, as the search meets them.
std::vector<std::unique_ptr<TTeam>> ShuffledTeams(int count) {
  std::mt19937 random(20240601);
  std::vector<std::unique_ptr<TPlayer>> squad;
  for (int i = 0; i < 18; ++i) squad.push_back(RandomPlayer(random, 1000 + i));
  // The search's candidates come from the player grid with their ratings computed.
  for (auto& p : squad) p->GetBestRating();
  std::vector<std::unique_ptr<TTeam>> teams;
  std::vector<int> order(squad.size());
  for (int t = 0; t < count; ++t) {
    auto team = std::make_unique<TTeam>(wSunny, false, false);
    for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    std::shuffle(order.begin(), order.end(), random);
    team->PutSlot(0, squad[order[0]]->Clone());
    for (int slot = 1; slot <= 14; ++slot) team->PutSlot(slot, squad[order[slot]]->Clone());
    team->PutSlot(15, squad[order[15]]->Clone());
    teams.push_back(std::move(team));
  }
  return teams;
}

void BM_Optimise442(benchmark::State& state) {
  constexpr int Batch = 512;
  auto teams = ShuffledTeams(Batch);
  int next = 0;
  for (auto _ : state) {
    if (next == Batch) {
      state.PauseTiming();
      teams = ShuffledTeams(Batch);
      next = 0;
      state.ResumeTiming();
    }
    TTeam& team = *teams[next++];
    team.Optimise(false);
    benchmark::DoNotOptimize(team.AdjustedStrengthUnits());
  }
}
BENCHMARK(BM_Optimise442);

// Optimise on a team that is already arranged: one pass that finds nothing to swap.
void BM_Optimise442Settled(benchmark::State& state) {
  auto teams = ShuffledTeams(1);
  teams[0]->Optimise(false);
  for (auto _ : state) {
    teams[0]->Optimise(false);
    benchmark::DoNotOptimize(teams[0]->StarterUnits());
  }
}
BENCHMARK(BM_Optimise442Settled);

// The search's whole step: ten clones into slots 1..10, Optimise, value.
void BM_FillOptimiseValue442(benchmark::State& state) {
  std::mt19937 random(7);
  std::vector<std::unique_ptr<TPlayer>> squad;
  for (int i = 0; i < 18; ++i) squad.push_back(RandomPlayer(random, 1000 + i));
  for (auto& p : squad) p->GetBestRating();
  TTeam team(wSunny, false, false);
  std::vector<int> order(squad.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  for (auto _ : state) {
    std::shuffle(order.begin(), order.end(), random);
    for (int slot = 1; slot <= 10; ++slot) team.PutSlot(slot, squad[order[slot]]->Clone());
    team.Optimise(false);
    benchmark::DoNotOptimize(team.AdjustedStrengthUnits());
  }
}
BENCHMARK(BM_FillOptimiseValue442);
}  // namespace
