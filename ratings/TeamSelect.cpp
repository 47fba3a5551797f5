#include "ratings/TeamSelect.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "core/Worker.h"
#include "ratings/Combinations.h"
#include "ratings/TeamSelectWalk.h"

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
using TSteadyClock = std::chrono::steady_clock;
constexpr auto ReportInterval = std::chrono::milliseconds(500);
constexpr int StarterPlaces = 10;
constexpr int FirstBenchSlot = 11;
constexpr int LastBenchSlot = 14;

int64_t MillisecondsSince(TSteadyClock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(TSteadyClock::now() - start).count();
}

// The labels show counts through "%d"; no squad comes near the limit, but a count must not wrap.
int ShownCount(uint64_t value) { return value > uint64_t(INT_MAX) ? INT_MAX : static_cast<int>(value); }

std::string MinutesAndSeconds(int64_t seconds) {
  return FormatText(": %.2d:%.2d", static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
}
}  // namespace

std::string TeamSelectCaption(TTeamSelectState state) {
  return state == tssInProgress ? _("Team creation in progress...") : _("Team creation completed");
}

// ---- progress ---------------------------------------------------------------------------------------------

TTeamSelectProgress TTeamSelectProgress::Of(uint64_t tried, uint64_t total, int64_t elapsedMs,
                                            double adjustedStrength, double benchStrength,
                                            uint64_t skippedByBound) {
  TTeamSelectProgress p;
  p.SkippedByBound = skippedByBound;
  // In thousands as the trials are, once there are as many.
  p.Skipped = skippedByBound < 1000 ? FormatText(": %d", ShownCount(skippedByBound))
                                    : FormatText(": %dk", ShownCount(skippedByBound / 1000));
  p.Tried = tried;
  p.Total = total;
  p.ElapsedMs = elapsedMs;
  p.AdjustedStrength = adjustedStrength;
  p.BenchStrength = benchStrength;

  if (total < 1000)
    p.Trials = FormatText(_(": %d of %d"), ShownCount(tried), ShownCount(total));
  else
    p.Trials = FormatText(_(": %dk of %dk"), ShownCount(tried / 1000), ShownCount(total / 1000));

  const double t = static_cast<double>(elapsedMs);
  if (elapsedMs > 0) {
    // Combinations per millisecond are thousands per second.
    const double perMs = static_cast<double>(tried) / t;
    p.TrialsPerSec = perMs >= 1 ? ": " + FormatFloat(perMs, 1) + "k"
                                : FormatText(": %d", static_cast<int>(RoundHalfEven(double(tried) * 1000 / t)));
  } else {
    p.TrialsPerSec = ": 0";
  }

  p.TeamValue = ": " + FormatFloat(adjustedStrength, 0);
  p.AvrPlayer = ": " + FormatFloat(adjustedStrength / 11, 1);
  p.SubValue = ": " + FormatFloat(benchStrength, 0);
  p.AvrSub = ": " + FormatFloat(benchStrength / 5, 1);

  if (tried == 0) {
    p.ElapsedTime = p.EstimatedTime = ": 00:00";
  } else {
    p.ElapsedTime = MinutesAndSeconds(elapsedMs / 1000);
    p.EstimatedTime = MinutesAndSeconds(RoundHalfEven(t / double(tried) * double(total) / 1000));
  }
  if (total > 0)
    p.Percent = static_cast<int>(std::min<int64_t>(100, RoundHalfEven(double(tried) * 100 / double(total))));
  return p;
}

// ---- the search thread --------------------------------------------------------------------------------------

class TTeamSelectThread : public TWorker {
public:
  explicit TTeamSelectThread(TTeamSelect& select) : FSelect(select) {}
  ~TTeamSelectThread() override { WaitFor(); }

protected:
  void Execute() override { FSelect.Search(); }

private:
  TTeamSelect& FSelect;
};

// ---- one phase: the starters (slots 1..10) or the substitutes (11..14) ----------------------------------------

struct TTeamSelect::TPhase {
  bool Bench = false;
  std::vector<int> Places;  // the free slots, filled in this order
  int N = 0;                // candidates
  int K = 0;                // places
  uint64_t Count = 0;       // C(N, K)
  // The strength that a lineup has to beat: the best team's when the phase began (adjusted strength units
  // for the starters, bench units for the substitutes).
  int64_t BestAtStart = 0;

  // The merged best of the walkers so far, and the combination last taken into the teams.
  std::mutex Lock;
  TWalkResult Best;
  bool Adopted = false;
  uint64_t AdoptedRank = 0;
};

// ---- TTeamSelect ----------------------------------------------------------------------------------------------

TTeamSelect::TTeamSelect(int weather, bool includeTraining, bool ignoreForm)
    : FWeather(weather), FIncludeTraining(includeTraining), FIgnoreForm(ignoreForm),
      FFieldCandidates(std::make_unique<TPlayerList>(weather, includeTraining, ignoreForm)),
      FKeeperCandidates(std::make_unique<TPlayerList>(weather, includeTraining, ignoreForm)),
      FWorkingTeam(std::make_unique<TTeam>(weather, includeTraining, ignoreForm)),
      FBestTeam(std::make_unique<TTeam>(weather, includeTraining, ignoreForm)) {}

TTeamSelect::~TTeamSelect() {
  Cancel();
  WaitFor();
}

bool TTeamSelect::SetRatingSettings(int weather, bool includeTraining, bool ignoreForm) {
  if (Running()) return false;
  FWeather = weather;
  FIncludeTraining = includeTraining;
  FIgnoreForm = ignoreForm;
  return true;
}

bool TTeamSelect::Prepare(const TPlayerList& squad) {
  if (Running()) return false;
  FWorkingTeam = std::make_unique<TTeam>(FWeather, FIncludeTraining, FIgnoreForm);
  FBestTeam = std::make_unique<TTeam>(FWeather, FIncludeTraining, FIgnoreForm);
  auto field = std::make_unique<TPlayerList>(FWeather, FIncludeTraining, FIgnoreForm);
  auto keepers = std::make_unique<TPlayerList>(FWeather, FIncludeTraining, FIgnoreForm);

  const int n = squad.Count();
  std::vector<std::unique_ptr<TPlayer>> copies(static_cast<size_t>(n) + 1);
  std::vector<bool> keeper(static_cast<size_t>(n) + 1);
  for (int i = 1; i <= n; ++i) {
    auto p = squad[i].Clone();
    // The candidates are rated with the selector's settings, whatever the squad's list used.
    p->Weather = FWeather;
    p->IncludeTraining = FIncludeTraining;
    p->IgnoreForm = FIgnoreForm;
    p->InLineup = false;
    p->ClearRatings();
    keeper[static_cast<size_t>(i)] = p->GetValue(paBestRating) == p->GetValue(paKeeperRating);
    copies[static_cast<size_t>(i)] = std::move(p);
  }
  for (int i = n; i >= 1; --i)
    if (keeper[static_cast<size_t>(i)]) keepers->Add(std::move(copies[static_cast<size_t>(i)]));
  for (int i = 1; i <= n; ++i)
    if (!keeper[static_cast<size_t>(i)]) field->Add(std::move(copies[static_cast<size_t>(i)]));
  FFieldCandidates = std::move(field);
  FKeeperCandidates = std::move(keepers);
  FTried = 0;
  FSkipped = 0;
  FTotal = 0;
  FEndedMs = 0;
  FComplete = false;
  return true;
}

void TTeamSelect::RemoveKeepingOrder(std::unique_ptr<TPlayerList>& list, int index) {
  if (index < 1 || index > list->Count()) throw ERangeError();
  // The order of the candidates decides which of two equally strong lineups is found first, so the
  // others keep their places (TPlayerList::Delete would move the last one into the gap).
  auto kept = std::make_unique<TPlayerList>(list->Weather(), list->IncludeTraining(), list->IgnoreForm());
  for (int i = 1; i <= list->Count(); ++i)
    if (i != index) kept->Add((*list)[i].Clone());
  list = std::move(kept);
}

void TTeamSelect::RemoveFieldCandidate(int index) { RemoveKeepingOrder(FFieldCandidates, index); }
void TTeamSelect::RemoveKeeperCandidate(int index) { RemoveKeepingOrder(FKeeperCandidates, index); }

std::unique_ptr<TPlayer> TTeamSelect::CandidateClone(const TPlayerList& list, int index) const {
  return list[index].Clone();
}

void TTeamSelect::FixFieldCandidate(int index, int slot) {
  if (index < 1 || index > FFieldCandidates->Count() || slot < 0 || slot > TTeam::LastStarterSlot)
    throw ERangeError();
  auto player = CandidateClone(*FFieldCandidates, index);
  player->InLineup = true;
  FWorkingTeam->PutSlot(slot, std::move(player));
  RemoveFieldCandidate(index);
}

void TTeamSelect::FixKeeperCandidate(int index, int slot) {
  if (index < 1 || index > FKeeperCandidates->Count() || slot < 0 || slot > TTeam::LastStarterSlot)
    throw ERangeError();
  auto player = CandidateClone(*FKeeperCandidates, index);
  player->InLineup = true;
  FWorkingTeam->PutSlot(slot, std::move(player));
  RemoveKeeperCandidate(index);
}

uint64_t TTeamSelect::CombinationTotal(int candidates, int fixed) {
  const int places = StarterPlaces - fixed;
  uint64_t total = Binomial(candidates, places);
  // The substitutes come from those left when the starters are chosen. (Counting C(n - 10, 4) would fall
  // short as soon as a player is fixed.)
  if (places >= 0 && candidates - places >= 4) total += Binomial(candidates - places, 4);
  return total;
}

int64_t TTeamSelect::ElapsedMs() const {
  const int64_t ended = FEndedMs.load();
  return ended >= 0 ? ended : MillisecondsSince(FStartTime);
}

TTeamSelectProgress TTeamSelect::Progress() const {
  TTeamSelectProgress p = TTeamSelectProgress::Of(FTried.load(), FTotal, ElapsedMs(), FBestTeam->AdjustedStrength(),
                                                  FBestTeam->BenchStrength(), FSkipped.load());
  p.Running = Running();
  p.Complete = Complete();
  return p;
}

void TTeamSelect::Cancel() {
  FCancel = true;
  if (FThread) FThread->Terminate();
}

void TTeamSelect::WaitFor() {
  if (FThread) FThread->WaitFor();
}

void TTeamSelect::PlaceKeepers() {
  TTeam& team = *FWorkingTeam;
  for (int i = 1; i <= FKeeperCandidates->Count(); ++i) {
    const TPlayer& candidate = (*FKeeperCandidates)[i];
    const double rating = candidate.GetKeeperRating();
    const TPlayer* keeper = team.Keeper();
    if (!keeper || (!keeper->InLineup && rating > keeper->GetKeeperRating())) {
      // The displaced keeper becomes the substitute keeper; whoever sat there goes.
      if (keeper) team.Swap(TTeam::KeeperSlot, TTeam::SubstituteKeeperSlot);
      team.PutSlot(TTeam::KeeperSlot, candidate.Clone());
    } else {
      const TPlayer* substitute = team.SubstituteKeeper();
      if (!substitute || substitute->GetKeeperRating() < rating)
        team.PutSlot(TTeam::SubstituteKeeperSlot, candidate.Clone());
    }
  }
}

bool TTeamSelect::Begin(const TRoleArray& roles) {
  if (Running()) return false;
  if (FThread) {
    FThread->WaitFor();
    FThread.reset();
  }
  FCancel = false;
  FComplete = false;
  FError.clear();
  FTried = 0;
  FSkipped = 0;
  FStartTime = FLastReport = TSteadyClock::now();
  FEndedMs = -1;

  // Candidates are never fixed: only the players placed in the working team are.
  for (TPlayer& p : *FFieldCandidates) p.InLineup = false;
  for (TPlayer& p : *FKeeperCandidates) p.InLineup = false;

  auto working = std::make_unique<TTeam>(roles, FWeather, FIncludeTraining, FIgnoreForm);
  for (int slot = 0; slot < TTeam::SlotCount; ++slot)
    if (const TPlayer* p = FWorkingTeam->GetSlot(slot); p && p->InLineup) working->PutSlot(slot, p->Clone());
  FWorkingTeam = std::move(working);
  PlaceKeepers();
  FWorkingTeam->SetAllRoleFlags(roles);
  // A best team left from an earlier search would keep out every lineup that is not stronger.
  FBestTeam = std::make_unique<TTeam>(roles, FWeather, FIncludeTraining, FIgnoreForm);
  FBestStarters.clear();

  int freePlaces = 0;
  for (int slot = 1; slot <= TTeam::LastStarterSlot; ++slot) {
    const TPlayer* p = FWorkingTeam->GetSlot(slot);
    if (!p || !p->InLineup) ++freePlaces;
  }
  FTotal = CombinationTotal(FFieldCandidates->Count(), StarterPlaces - freePlaces);
  FRunning = true;
  if (Callbacks.StateChanged) Callbacks.StateChanged(tssInProgress);
  return true;
}

bool TTeamSelect::Start(TRoleArray roles) {
  if (!Begin(roles)) return false;
  FThread = std::make_unique<TTeamSelectThread>(*this);
  FThread->Start();
  return true;
}

bool TTeamSelect::Run(TRoleArray roles) {
  if (!Begin(roles)) return false;
  Search();
  return true;
}

void TTeamSelect::Report() {
  FLastReport = TSteadyClock::now();
  if (!Callbacks.Progress) return;
  const TTeamSelectProgress progress = Progress();
  TWorker::Synchronize([&] { Callbacks.Progress(progress); });
}

void TTeamSelect::Search() {
  try {
    if (Callbacks.PenaltyTakersEnabled) TWorker::Synchronize([this] { Callbacks.PenaltyTakersEnabled(false); });

    TPhase starters;
    for (int slot = 1; slot <= TTeam::LastStarterSlot; ++slot) {
      const TPlayer* p = FWorkingTeam->GetSlot(slot);
      if (!p || !p->InLineup) starters.Places.push_back(slot);
    }
    RunPhase(starters);

    TPhase substitutes;
    substitutes.Bench = true;
    for (int slot = FirstBenchSlot; slot <= LastBenchSlot; ++slot) {
      const TPlayer* p = FWorkingTeam->GetSlot(slot);
      if (!p || !p->InLineup) substitutes.Places.push_back(slot);
    }
    const int left = FFieldCandidates->Count() - static_cast<int>(starters.Places.size());
    if (!Stopping() && !substitutes.Places.empty() && left >= static_cast<int>(substitutes.Places.size())) {
      // The starters found leave the candidates; the substitutes come from the rest.
      std::vector<int> chosen = FBestStarters;
      std::sort(chosen.rbegin(), chosen.rend());
      for (int index : chosen) RemoveFieldCandidate(index);
      RunPhase(substitutes);
    }
  } catch (const std::exception& e) {
    FError = e.what();
  }
  FComplete = !Stopping() && FError.empty();
  FEndedMs = MillisecondsSince(FStartTime);
  Report();
  if (Callbacks.PenaltyTakersEnabled) TWorker::Synchronize([this] { Callbacks.PenaltyTakersEnabled(true); });
  FRunning = false;
  if (Callbacks.StateChanged) TWorker::Synchronize([this] { Callbacks.StateChanged(tssCompleted); });
}

void TTeamSelect::RunPhase(TPhase& phase) {
  phase.N = FFieldCandidates->Count();
  phase.K = static_cast<int>(phase.Places.size());
  phase.Count = Binomial(phase.N, phase.K);
  phase.BestAtStart = phase.Bench ? FBestTeam->BenchUnits() : FBestTeam->AdjustedStrengthUnits();
  if (phase.Count == 0) return;
  if (FReference)
    WalkReference(phase);
  else
    WalkFast(phase);
}

void TTeamSelect::Adopt(TPhase& phase, const std::vector<int>& combination) {
  TTeam& working = *FWorkingTeam;
  for (size_t a = 0; a < combination.size(); ++a)
    working.PutSlot(phase.Places[a], CandidateClone(*FFieldCandidates, combination[a]));
  working.Optimise(phase.Bench);
  if (!phase.Bench) {
    if (working.AdjustedStrengthUnits() > phase.BestAtStart) {
      FBestTeam = working.Clone();
      FBestTeam->ChooseCaptainAndSetPiecesTaker();
      FBestStarters = combination;
    }
  } else if (working.BenchUnits() > phase.BestAtStart) {
    for (int slot : phase.Places) {
      const TPlayer* p = working.GetSlot(slot);
      FBestTeam->PutSlot(slot, p ? p->Clone() : nullptr);
    }
  }
}

// One combination after the other with cloned players in the working team: the search in its simplest
// form, against which the fast walk is measured.
void TTeamSelect::WalkReference(TPhase& phase) {
  TCombinations walk(phase.N, phase.K);
  TTeam& working = *FWorkingTeam;
  for (bool more = walk.First(); more && !Stopping(); more = walk.Next()) {
    const std::span<const int> indexes = walk.Indexes();
    for (size_t a = 0; a < indexes.size(); ++a)
      working.PutSlot(phase.Places[a], CandidateClone(*FFieldCandidates, indexes[a]));
    ++FTried;
    working.Optimise(phase.Bench);
    if (!phase.Bench) {
      if (working.AdjustedStrengthUnits() > FBestTeam->AdjustedStrengthUnits()) {
        FBestTeam = working.Clone();
        FBestTeam->ChooseCaptainAndSetPiecesTaker();
        FBestStarters.assign(indexes.begin(), indexes.end());
      }
    } else if (working.BenchUnits() > FBestTeam->BenchUnits()) {
      for (int slot : phase.Places) FBestTeam->PutSlot(slot, working.GetSlot(slot)->Clone());
    }
    if (TSteadyClock::now() - FLastReport >= ReportInterval) Report();
  }
}

void TTeamSelect::WalkFast(TPhase& phase) {
  // Each candidate rated once in each role of the places, in the strength units of TTeam (through a
  // scratch team, so that the units are TTeam's own). The clones made later carry the ratings in their
  // caches, so no rating is computed while the walkers run.
  uint8_t roles[TTeamSelectWalk::MaxRoles];
  int roleCount = 0;
  std::vector<uint8_t> roleOfPlace;
  for (int slot : phase.Places) {
    const uint8_t flags = FWorkingTeam->GetRoleFlags(slot);
    int r = 0;
    while (r < roleCount && roles[r] != flags) ++r;
    if (r == roleCount) roles[roleCount++] = flags;
    roleOfPlace.push_back(static_cast<uint8_t>(r));
  }
  std::vector<TTeamSelectWalk::TUnitsRow> units(static_cast<size_t>(phase.N) + 1);
  TTeam scratch(FWorkingTeam->GetAllRoleFlags(), FWeather, FIncludeTraining, FIgnoreForm);
  for (int c = 1; c <= phase.N; ++c) {
    const TPlayer& candidate = (*FFieldCandidates)[c];
    for (int r = 0; r < roleCount; ++r) candidate.GetRoleRating(roles[r]);
    scratch.PutSlot(1, candidate.Clone());
    for (int r = 0; r < roleCount; ++r) {
      scratch.SetRoleFlags(1, roles[r]);
      const int64_t value = scratch.SlotUnits(1);
      // Ten of them must add up within 32 bits; a rating beyond that is no rating.
      if (value > (1 << 26) || value < -(1 << 26)) throw ERangeError();
      units[static_cast<size_t>(c)][static_cast<size_t>(r)] = static_cast<int32_t>(value);
    }
  }
  TTeamSelectWalk walk(std::move(roleOfPlace), std::move(units));
  // A strong lineup found quickly lets the bounds skip most of the walk from its first range on; it is a
  // real combination, so its sum never exceeds the best one's, and ties with it are not skipped.
  int seedCombination[TTeamSelectWalk::MaxPlaces + 1];
  const int64_t seed = walk.GoodCombination(seedCombination);
  walk.SetPrices(seedCombination);

  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  // The bounds pass over most ranges in a few steps, so ranges can be long; enough of them remain for the
  // walkers to share out the work and to learn each other's best.
  const uint64_t chunkSize = std::clamp<uint64_t>(phase.Count / (uint64_t(cores) * 64), 256, uint64_t(1) << 20);
  const uint64_t chunks = (phase.Count + chunkSize - 1) / chunkSize;
  const int walkers = static_cast<int>(std::min<uint64_t>(FThreads > 0 ? FThreads : cores, chunks));
  std::atomic<uint64_t> nextChunk{0};

  // Each walker takes ranges of ranks in increasing order, as WalkRange requires of its own result; the
  // merge by strength and rank makes the answer independent of which walker took which range.
  auto walkRanges = [&] {
    TWalkResult own;
    for (;;) {
      const uint64_t chunk = nextChunk.fetch_add(1);
      if (chunk >= chunks || Stopping()) break;
      int64_t better = seed;
      {
        std::lock_guard lock(phase.Lock);
        if (phase.Best.Found) better = std::max(better, phase.Best.Sum);
      }
      uint64_t skipped = 0;
      FTried += walk.WalkRange(chunk * chunkSize, (chunk + 1) * chunkSize, better, own, &FCancel, &skipped);
      FSkipped += skipped;
      if (own.Found) {
        std::lock_guard lock(phase.Lock);
        phase.Best.Merge(own);
      }
    }
  };

  // The walkers run on their own threads; this thread reports their progress.
  std::mutex doneLock;
  std::condition_variable doneSignal;
  int active = walkers;
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(walkers));
  for (int w = 0; w < walkers; ++w)
    threads.emplace_back([&] {
      walkRanges();
      std::lock_guard lock(doneLock);
      --active;
      doneSignal.notify_all();
    });

  auto adoptMergedBest = [&] {
    TWalkResult best;
    {
      std::lock_guard lock(phase.Lock);
      best = phase.Best;
    }
    if (!best.Found || (phase.Adopted && phase.AdoptedRank == best.Rank)) return;
    std::vector<int> combination(static_cast<size_t>(phase.K) + 1);
    UnrankCombination(best.Rank, phase.N, phase.K, combination.data());
    combination.resize(static_cast<size_t>(phase.K));
    Adopt(phase, combination);
    phase.Adopted = true;
    phase.AdoptedRank = best.Rank;
  };

  {
    std::unique_lock lock(doneLock);
    while (active > 0) {
      if (doneSignal.wait_until(lock, FLastReport + ReportInterval, [&] { return active == 0; })) break;
      lock.unlock();
      adoptMergedBest();
      Report();
      lock.lock();
    }
  }
  for (std::thread& t : threads) t.join();
  adoptMergedBest();
}
