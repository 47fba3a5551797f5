#pragma once
// The history store: one page per game week (season and match round), oldest first, built from the dated
// snapshots of the history folder at start-up and grown by each own-team download. It answers the questions
// the program asks of the past, among them the training-progress estimate that the position ratings add
// to the skills.
#include "core/TrainingProgressSource.h"
#include "data/HistoryPage.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

class THistory : public ITrainingProgressSource {
public:
  THistory() = default;
  THistory(const THistory&) = delete;
  THistory& operator=(const THistory&) = delete;
  ~THistory() override;

  int Count() const { return static_cast<int>(FPages.size()); }
  // Pages are 1-based: Page(1) is the oldest, Page(Count()) the newest. Raises ERangeError outside.
  THistoryPage& Page(int index) const;
  // The newest page; callers check Count() > 0 first (raises ERangeError on an empty store).
  THistoryPage& Latest() const { return Page(Count()); }

  // Inserts a loaded page in season/round order. A page of a round already held replaces it unless its
  // fetch date is earlier than the held page's, in which case it is dropped.
  void Add(std::unique_ptr<THistoryPage> page);
  void InsertAt(int index, std::unique_ptr<THistoryPage> page);
  // Index of the page of that season and round, 0 when there is none.
  int FindRound(int season, int round) const;
  // Removes every page (the store stays usable).
  void Clear();

  // Reads the newest page's matches of its own week from the team's match file: the league match (types 1
  // and 2) and one other match. A missing match file attaches nothing.
  void AttachLatestMatches(const std::filesystem::path& matchesFolder);

  // Estimated progress (0 .. 0.99) of the player towards the next level of a skill (codes 3..10) up to page
  // lastPage (0 = the newest). Without force it is 0 while the main window's Training toggle is up.
  double GetTrainingProgress(int32_t playerID, int skill, bool force, int lastPage) override;
  // The player's progress in the week of page index (with the toggle rule of GetTrainingProgress).
  double GetWeeklyIncrement(int index, int64_t playerID, int skill, bool force) const;
  // Whether the player took part in the newest match held by any page.
  bool PlayedLastMatch(int64_t playerID) const;
  // False when a player present in both pages has a different form in them.
  bool SameForm(int pageA, int pageB) const;
  // One row per page, oldest first.
  std::vector<THistoryListItem> FillList();

  // The main window's Training toggle; the window sets it, the estimates read it (from any thread).
  void SetTrainingOn(bool on) { FTrainingOn.store(on); }
  bool TrainingOn() const { return FTrainingOn.load(); }

private:
  double WeeklyIncrement(int index, const TPlayer& player, const TPlayer* previous, int skill, bool force) const;

  std::vector<std::unique_ptr<THistoryPage>> FPages;
  std::atomic<bool> FTrainingOn{false};
};

// The program-wide history store (created on first use, freed at exit). It is registered as the source of
// the training-progress estimates of the position ratings.
THistory& History();
