#pragma once
// The model of the match viewer: one TMatch per followed match (a tab of the viewer) and TMatchPages, the
// set of tabs with the goal flag. A tab applies each live answer to itself: score, caption, minute,
// weather, attendance, and the new commentary as pieces of text with their format. The window shows what
// the model says; the CLI prints it.
#include "download/LiveAnswer.h"
#include "download/LiveText.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TMatch {
public:
  TMatch(std::string matchID, bool homeScores, bool awayScores);

  // Applies the answer to this tab. True when a followed side scored in a "viewNew" answer.
  bool Update(const TLiveAnswer& answer);
  // While buffering, queues the piece; else writes it to the commentary (and the view) and highlights the
  // tab when it is not the active one.
  void Write(std::string text, TLiveColour colour, bool bold);
  // Writes the queued pieces in order with buffering off, then empties the queue.
  void Flush();

  // Selecting the tab clears its highlight.
  void SetActive(bool active);
  bool Active() const { return FActive; }

  std::string MatchID;
  std::optional<TClock::time_point> MatchStart;
  std::string HomeName, AwayName, HomeID, AwayID;
  std::string HomeGoals, AwayGoals;
  std::string LastMinute, LastActionType;
  bool Ended = false;
  bool Highlighted = false;
  bool Buffering = false;
  // The goal-sound switches: the window sets them while the refresh worker reads them.
  std::atomic<bool> HomeScores{true};
  std::atomic<bool> AwayScores{true};
  std::string Caption;
  std::string ScoreText = " 0:0 ";
  std::string MinuteText = "--";
  std::string WeatherText, AttendanceText;
  // Everything written so far, in order.
  std::vector<TDisplayElement> Commentary;
  TDisplayList Queue;
  // Called for every piece that reaches the commentary (the window appends it to its text view).
  std::function<void(const TDisplayElement&)> OnWrite;

private:
  void SetMinuteText(const TClock::time_point& fetched);
  void WriteEvent(const TLiveEvent& event);

  bool FActive = false;
  bool FNamesTaken = false;
};

// The minute text: "End" when ended; else the whole minutes from start to now, 46..60 shown as 45 and later
// minutes 15 less (the half-time break), with the ordinal suffix. "--" before the kick-off.
std::string LiveMinuteText(const TClock::time_point& start, const TClock::time_point& now, bool ended);
// The weather text of event keys 30..35, else "".
std::string LiveWeatherText(int eventKey);

class TMatchPages {
public:
  static constexpr size_t MaxMatches = 10;
  // The goal-sound switches new tabs start with (the preferences' HomeTeamScores / AwayTeamScores).
  bool HomeScoresDefault = true;
  bool AwayScoresDefault = true;
  // Set when a followed side scored in an update; the window plays the sound and clears it.
  bool GoalFlag = false;

  // A new tab for the match (its commentary starts with a line break), made the active one. Nothing and
  // nullptr when the match is already shown or ten tabs exist.
  TMatch* AddMatch(const std::string& matchID);
  void Remove(size_t index);
  TMatch* Find(std::string_view matchID);
  size_t Count() const { return FTabs.size(); }
  TMatch& Tab(size_t i) { return *FTabs.at(i); }
  // -1 when there is no tab.
  int ActiveIndex() const { return FActive; }
  void SetActiveIndex(int index);

  // Reads the answer's bytes and applies them to every tab; raises the reader's error (and changes
  // nothing) when they are malformed. True while any tab's match has not ended.
  bool ApplyLiveAnswer(std::string_view bytes);
  // The same for an answer already read.
  bool Apply(const TLiveAnswer& answer);
  bool AnyRunning() const;

private:
  std::vector<std::unique_ptr<TMatch>> FTabs;
  int FActive = -1;
};
