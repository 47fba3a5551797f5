// Position ratings: computing all seven (and the best) of a 30-player squad from scratch, and the
// cached reads that grids and the lineup search do millions of times.
#include "core/Player.h"
#include "core/PlayerList.h"

#include <benchmark/benchmark.h>

namespace {
std::unique_ptr<TPlayerList> Squad(int weather) {
  auto list = std::make_unique<TPlayerList>(weather, false, false);
  for (int i = 0; i < 30; ++i) {
    auto p = list->NewPlayer();
    p->PlayerID = 200000000 + i;
    p->PlayerForm = 1 + i % 8;
    p->InjuryLevel = i % 7 == 0 ? 1 : -1;
    p->Experience = i % 12;
    p->Specialty = i % 7;
    p->StaminaSkill = 3 + i % 6;
    p->PlaymakerSkill = 2 + i % 13;
    p->WingerSkill = 1 + (i * 5) % 14;
    p->ScorerSkill = 1 + (i * 7) % 15;
    p->KeeperSkill = i % 5 == 0 ? 12 : 1;
    p->PassingSkill = 2 + (i * 3) % 11;
    p->DefenderSkill = 1 + (i * 11) % 16;
    p->SetPiecesSkill = 1 + i % 10;
    list->Add(std::move(p));
  }
  return list;
}

void AllRatingsOfASquad(benchmark::State& state) {
  auto squad = Squad(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    double sum = 0;
    for (TPlayer& p : *squad) {
      p.ClearRatings();
      sum += p.GetForwardRating() + p.GetWingerRating() + p.GetInnerMidfieldRating() + p.GetWingBackRating() +
             p.GetCentralDefenderRating() + p.GetKeeperRating() + p.GetSetPiecesRating() + p.GetBestRating();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 30);  // players
}
BENCHMARK(AllRatingsOfASquad)->Arg(wDisabled)->Arg(wSunny);

void CachedRoleRatings(benchmark::State& state) {
  auto squad = Squad(wSunny);
  for (TPlayer& p : *squad) p.GetBestRating();
  const int roles[] = {rfKeeper, rfCentralDefender, rfWingBack, rfInnerMidfielder, rfWinger, rfForward};
  for (auto _ : state) {
    double sum = 0;
    for (TPlayer& p : *squad)
      for (int role : roles) sum += p.GetRoleRating(role);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 30 * 6);  // role ratings read
}
BENCHMARK(CachedRoleRatings);

void CachedRatingByCode(benchmark::State& state) {
  auto squad = Squad(wSunny);
  for (TPlayer& p : *squad) p.GetBestRating();
  for (auto _ : state) {
    double sum = 0;
    for (TPlayer& p : *squad)
      for (int code = paForwardRating; code <= paBestRating; ++code) sum += p.GetValue(code);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 30 * 8);  // values read
}
BENCHMARK(CachedRatingByCode);
}  // namespace
