// The whole lineup search (starters and substitutes, formation 4-4-2) on squads of 24, 30, 34 and 40 field
// candidates and two keepers, on one thread and on all cores: up to C(40, 10) = 847 660 528 starting
// lineups plus C(30, 4) = 27 405 benches. "examined" counts the lineups that were really arranged, the
// others being skipped by a bound. And the plain walk with cloned players (the yardstick the fast walk
// must agree with) on 16 candidates.
#include "core/Player.h"
#include "core/PlayerList.h"
#include "core/Team.h"
#include "ratings/TeamSelect.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <thread>

namespace {
std::unique_ptr<TPlayer> RandomPlayer(std::mt19937& random, int64_t id, bool keeper) {
  std::uniform_int_distribution<int> skill(3, 16), form(4, 8), experience(1, 15), specialty(0, 6);
  auto p = std::make_unique<TPlayer>(wSunny, false, false);
  p->PlayerID = id;
  p->PlayerName = "Player " + std::to_string(id);
  p->InjuryLevel = -1;
  p->PlayerForm = form(random);
  p->Experience = experience(random);
  p->Leadership = experience(random) / 2;
  p->Specialty = specialty(random);
  p->StaminaSkill = skill(random);
  p->PlaymakerSkill = skill(random);
  p->WingerSkill = skill(random);
  p->ScorerSkill = skill(random);
  p->PassingSkill = skill(random);
  p->DefenderSkill = skill(random);
  p->SetPiecesSkill = skill(random);
  p->KeeperSkill = keeper ? 14 : 1;
  return p;
}

std::unique_ptr<TPlayerList> Squad(int fieldPlayers) {
  std::mt19937 random(20240601);
  auto squad = std::make_unique<TPlayerList>(wSunny, false, false);
  for (int i = 0; i < fieldPlayers; ++i) squad->Add(RandomPlayer(random, 1000 + i, false));
  squad->Add(RandomPlayer(random, 2000, true));
  squad->Add(RandomPlayer(random, 2001, true));
  return squad;
}

TRoleArray Roles442() {
  TTeam team(wSunny, false, false);
  team.SetFormation(442);
  return team.GetAllRoleFlags();
}

std::string Describe(const TTeam& team) {
  std::ostringstream out;
  for (int slot = 0; slot < TTeam::SlotCount; ++slot)
    out << (team.GetSlot(slot) ? team.GetSlot(slot)->PlayerID : 0) << ' ';
  out << team.AdjustedStrengthUnits() << ' ' << team.BenchUnits();
  return out.str();
}

// One search per iteration; threads 0 = one per core, -1 = the plain walk.
void RunSearch(benchmark::State& state, int fieldPlayers, int threads) {
  const auto squad = Squad(fieldPlayers);
  uint64_t tried = 0, examined = 0;
  std::string first;
  for (auto _ : state) {
    state.PauseTiming();
    TTeamSelect select(wSunny, false, false);
    select.SetThreads(threads < 0 ? 1 : threads);
    select.SetReference(threads < 0);
    select.Prepare(*squad);
    state.ResumeTiming();
    select.Run(Roles442());
    tried += select.Tried();
    examined += select.Tried() - select.SkippedByBound();
    // Every run must find the same lineup, whatever the thread count.
    const std::string found = Describe(select.BestTeam());
    if (first.empty()) first = found;
    if (found != first || !select.Complete()) {
      std::fprintf(stderr, "lineup search gave a different answer\n");
      std::abort();
    }
  }
  state.counters["combinations/s"] = benchmark::Counter(double(tried), benchmark::Counter::kIsRate);
  state.counters["combinations"] = benchmark::Counter(double(tried), benchmark::Counter::kAvgIterations);
  state.counters["examined"] = benchmark::Counter(double(examined), benchmark::Counter::kAvgIterations);
  state.counters["threads"] = threads == 0 ? double(std::thread::hardware_concurrency()) : std::max(threads, 1);
  state.SetLabel(first);
}

void BM_LineupOneThread(benchmark::State& state) { RunSearch(state, int(state.range(0)), 1); }
BENCHMARK(BM_LineupOneThread)->Arg(24)->Arg(30)->Arg(34)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LineupAllCores(benchmark::State& state) { RunSearch(state, int(state.range(0)), 0); }
BENCHMARK(BM_LineupAllCores)->Arg(24)->Arg(30)->Arg(34)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lineup16OneThread(benchmark::State& state) { RunSearch(state, 16, 1); }
BENCHMARK(BM_Lineup16OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lineup16Reference(benchmark::State& state) { RunSearch(state, 16, -1); }
BENCHMARK(BM_Lineup16Reference)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
