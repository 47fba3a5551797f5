#pragma once
// TTeamSelect: the search for the strongest lineup that the squad can field in a formation. It tries every
// combination of the candidate field players for the free outfield places, arranges each over the roles by
// pairwise swaps (TTeam::Optimise), rates it with TTeam::AdjustedStrength and keeps the strongest; then,
// when enough players remain, every combination of four substitutes among the rest.
//
// The answer is that of walking the combinations one by one in lexicographic order and replacing the best
// lineup only by a strictly stronger one: among equally strong lineups the one visited first stays. The
// search gets there faster by rating every candidate in every role once, comparing whole numbers of
// strength units, passing over combinations that provably cannot replace the best one, and splitting the
// walk into ranges of ranks over several threads whose results are merged by strength and then by rank,
// so the thread count never changes the answer (see TTeamSelectWalk).
#include "core/PlayerList.h"
#include "core/Team.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The two states the "Team Selection" window shows in its caption (also the window message values).
enum TTeamSelectState : int {
  tssInProgress = 1000,  // "Team creation in progress..."
  tssCompleted = 1002,   // "Team creation completed"
};
// The caption of the state, translated.
std::string TeamSelectCaption(TTeamSelectState state);

// What the "Team Selection" window shows of a running or ended search: the numbers, and the texts that its
// labels show behind their captions.
struct TTeamSelectProgress {
  uint64_t Tried = 0;   // combinations tried so far
  uint64_t Total = 0;   // combinations to try
  uint64_t SkippedByBound = 0;  // of those tried, the ones passed over by a bound without being arranged
  int64_t ElapsedMs = 0;
  double AdjustedStrength = 0;  // the best team's
  double BenchStrength = 0;
  bool Running = false;
  bool Complete = false;        // the search went through every combination
  // Position of the progress bar (0..100); none while there is nothing to try.
  std::optional<int> Percent;

  std::string Trials;         // LabelTrials: ": 12 of 286", ": 1k of 1k"
  std::string TrialsPerSec;   // LabelTrialsPerSec: ": 812.4k", ": 640"
  std::string TeamValue;      // LabelTeamValue: ": 352"
  std::string AvrPlayer;      // LabelAvrPlayer: ": 32.0"
  std::string SubValue;       // LabelSubValue: ": 148"
  std::string AvrSub;         // LabelAvrSub: ": 29.6"
  std::string ElapsedTime;    // LabelElapsedTime: ": 01:05"
  std::string EstimatedTime;  // LabelEstimatedTime: ": 03:12"
  std::string Skipped;        // the skipped-by-bound count: ": 812", ": 1523k"

  // The values with their texts.
  static TTeamSelectProgress Of(uint64_t tried, uint64_t total, int64_t elapsedMs, double adjustedStrength,
                                double benchStrength, uint64_t skippedByBound = 0);
};

// The window side of the search. Progress, PenaltyTakersEnabled and the completed state arrive through
// TWorker::Synchronize (on the window thread in the desktop program); the in-progress state is given on
// the thread that starts the search. An empty callback is skipped. The search thread waits while a
// callback runs, so a callback must not wait for the search (WaitFor, Start, the destructor).
struct TTeamSelectCallbacks {
  // At most every 500 ms while the search runs, and once at its end. The best team may be read meanwhile.
  std::function<void(const TTeamSelectProgress& progress)> Progress;
  // The team display's "Penalty takers" button: off while the search runs.
  std::function<void(bool enabled)> PenaltyTakersEnabled;
  // In progress when a search starts; completed when it has ended (the running flag is then clear).
  std::function<void(TTeamSelectState state)> StateChanged;
};

class TTeamSelectThread;

class TTeamSelect {
public:
  // Created with the main window's player-rating settings; the candidates get them.
  TTeamSelect(int weather, bool includeTraining, bool ignoreForm);
  // Stops a running search and waits for it.
  ~TTeamSelect();
  TTeamSelect(const TTeamSelect&) = delete;
  TTeamSelect& operator=(const TTeamSelect&) = delete;

  int Weather() const { return FWeather; }
  // New player-rating settings (the main window's changed); they apply from the next Prepare. False,
  // changing nothing, while a search runs.
  bool SetRatingSettings(int weather, bool includeTraining, bool ignoreForm);
  bool IncludeTraining() const { return FIncludeTraining; }
  bool IgnoreForm() const { return FIgnoreForm; }
  // Threads that walk the combinations: 0 (the default) for one per processor core.
  int Threads() const { return FThreads; }
  void SetThreads(int threads) { FThreads = threads < 0 ? 0 : threads; }
  // Walks the combinations one at a time with cloned players in real teams: the search in its simplest
  // form, slow, kept as the yardstick of the fast walk.
  bool Reference() const { return FReference; }
  void SetReference(bool reference) { FReference = reference; }
  TTeamSelectCallbacks Callbacks;

  // Replaces both teams with empty ones and takes a deep copy of the squad (same order, the selector's
  // rating settings) as candidates; every player whose best rating is his keeper rating moves to the
  // keeper candidates, from the last player to the first, so the keepers stand in reverse order. The
  // field candidates keep their order. False, changing nothing, while a search runs.
  bool Prepare(const TPlayerList& squad);
  TPlayerList& FieldCandidates() { return *FFieldCandidates; }
  TPlayerList& KeeperCandidates() { return *FKeeperCandidates; }
  const TPlayerList& FieldCandidates() const { return *FFieldCandidates; }
  const TPlayerList& KeeperCandidates() const { return *FKeeperCandidates; }
  // Removes a candidate (1..Count), keeping the order of the others; ERangeError outside.
  void RemoveFieldCandidate(int index);
  void RemoveKeeperCandidate(int index);
  // Fixes a candidate in a slot (0..10) of the working team: a clone marked InLineup takes the slot, and
  // the candidate leaves its list. Optimise never moves him. ERangeError for a bad index or slot.
  void FixFieldCandidate(int index, int slot);
  void FixKeeperCandidate(int index, int slot = TTeam::KeeperSlot);

  // The working team holds the fixed players; the best team the strongest lineup found (the roles of the
  // formation before a search).
  TTeam& WorkingTeam() { return *FWorkingTeam; }
  TTeam& BestTeam() { return *FBestTeam; }
  const TTeam& BestTeam() const { return *FBestTeam; }

  // Starts the search with the sixteen slot roles on a search thread and returns at once. False when a
  // search is already running. (The roles are taken by value: they are often the best team's own, and
  // the search replaces that team.)
  bool Start(TRoleArray roles);
  // The same search on the calling thread, to its end (the command line, tests).
  bool Run(TRoleArray roles);
  // Stops the search at its next check; the best lineup found so far stays, and the search counts as
  // incomplete. No effect when none runs.
  void Cancel();
  // Waits until a started search has ended.
  void WaitFor();
  // Set while the search thread exists.
  bool Running() const { return FRunning.load(); }
  // The last search went through every combination (not cancelled).
  bool Complete() const { return FComplete.load(); }
  // Why the last search stopped early, when something failed (empty otherwise); the best lineup found
  // until then stays.
  const std::string& Error() const { return FError; }

  // C(n, 10 - fixed), plus C(n - (10 - fixed), 4) when four substitutes can be chosen from the rest.
  static uint64_t CombinationTotal(int candidates, int fixed);
  // Combinations tried by the current or last search, and how many it has to try.
  uint64_t Tried() const { return FTried.load(); }
  uint64_t Total() const { return FTotal; }
  // Of the tried ones, those passed over by a bound (singly or in whole sub-trees) without being
  // arranged: they could not replace the best lineup. Always 0 for the reference walk.
  uint64_t SkippedByBound() const { return FSkipped.load(); }
  int64_t ElapsedMs() const;
  // The window's values now. While a search runs, call it only from the progress callback: the search
  // changes the best team at any other time.
  TTeamSelectProgress Progress() const;

private:
  friend class TTeamSelectThread;
  struct TPhase;

  bool Begin(const TRoleArray& roles);
  void Search();
  void RunPhase(TPhase& phase);
  void WalkReference(TPhase& phase);
  void WalkFast(TPhase& phase);
  void Adopt(TPhase& phase, const std::vector<int>& combination);
  void PlaceKeepers();
  void Report();
  bool Stopping() const { return FCancel.load(std::memory_order_relaxed); }
  std::unique_ptr<TPlayer> CandidateClone(const TPlayerList& list, int index) const;
  static void RemoveKeepingOrder(std::unique_ptr<TPlayerList>& list, int index);

  int FWeather;
  bool FIncludeTraining;
  bool FIgnoreForm;
  int FThreads = 0;
  bool FReference = false;

  std::unique_ptr<TPlayerList> FFieldCandidates;
  std::unique_ptr<TPlayerList> FKeeperCandidates;
  std::unique_ptr<TTeam> FWorkingTeam;
  std::unique_ptr<TTeam> FBestTeam;
  std::vector<int> FBestStarters;  // candidate indexes of the best lineup's starters, for the substitutes' walk

  uint64_t FTotal = 0;
  std::atomic<uint64_t> FTried{0};
  std::atomic<uint64_t> FSkipped{0};
  std::chrono::steady_clock::time_point FStartTime{};
  std::chrono::steady_clock::time_point FLastReport{};
  std::atomic<int64_t> FEndedMs{-1};  // elapsed time of the ended search, -1 while it runs

  std::atomic<bool> FRunning{false};
  std::atomic<bool> FComplete{false};
  std::atomic<bool> FCancel{false};
  std::string FError;
  std::unique_ptr<TTeamSelectThread> FThread;
};
