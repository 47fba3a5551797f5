#pragma once
// The live-match service of the local game server ("Common/ckpp/ckppxml.axd?file=live"): matches of the
// sample world played on a clock the server controls, and per user the list of followed matches with what
// that user has already seen. Every other request goes on to the wrapped source.
#include "core/Clock.h"
#include "demo/GameServer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class TSampleWorld;

struct TLiveScriptEvent {
  int Minute = 0;           // match minute 0..90
  int64_t ObjectID = 0;     // the attendance for the first event, else a player ID (0: none)
  std::string Key;          // "number_suffix"
  std::string Text;         // with the game's markup: links around names, spans, "&nbsp;", "<BR />"
  int HomeGoals = 0, AwayGoals = 0;  // the score after this event
};

struct TLiveScriptMatch {
  int64_t MatchID = 0;
  TClock::time_point Kickoff;
  std::string HomeName, AwayName;
  int HomeID = 0, AwayID = 0;
  std::vector<TLiveScriptEvent> Events;  // in minute order; the last is 599 at minute 90
};

// The match minute at a time: before the kick-off -1; 0..45 the first half; the break (15 minutes) stays at
// 45; then up to 90; the match ends 105 minutes after the kick-off.
int LiveMatchMinute(const TClock::time_point& kickoff, const TClock::time_point& now);

// count matches of the world played live: the own team at home in the first, other clubs of its country in
// the rest. The first kicks off at start, each further one 70 minutes earlier (so at start the second is
// in its second half and the third has ended). Deterministic for one world and start.
std::vector<TLiveScriptMatch> MakeLiveMatches(const TSampleWorld& world, TClock::time_point start, int count = 3);
// One match with the final score decided by its ID (for tests that need a match of their own).
TLiveScriptMatch MakeLiveMatch(int64_t matchID, TClock::time_point kickoff, const std::string& home, int homeID,
                               const std::string& away, int awayID);

class TLiveMatchesSource : public IGameWorldSource {
public:
  TLiveMatchesSource(std::shared_ptr<IGameWorldSource> inner, std::vector<TLiveScriptMatch> matches);

  // The service's clock (TClock::Now by default). Tests set a time; the demo runs a faster clock.
  void SetClock(std::function<TClock::time_point()> clock);
  void SetNow(TClock::time_point now);
  const std::vector<TLiveScriptMatch>& Matches() const { return FMatches; }

  // "live" with actionType addMatch / deleteMatch (matchID), viewAll, viewNew; other files: the inner source.
  std::optional<std::string> Answer(const TGameRequest& request) override;

private:
  std::string MatchListAnswer(const std::string& user, bool viewNew);
  const TLiveScriptMatch* Find(int64_t matchID) const;

  std::shared_ptr<IGameWorldSource> FInner;
  std::vector<TLiveScriptMatch> FMatches;
  std::mutex FMutex;
  std::function<TClock::time_point()> FClock;
  // user -> followed match -> events already sent
  std::map<std::string, std::map<int64_t, size_t>> FFollowed;
};
