#pragma once
// The sample world as the local game server's source of answers: the file requests of the game's interface
// are answered from one TSampleWorld, which a test or the demo can move on round by round while the server
// runs.
#include "demo/GameServer.h"
#include "demo/SampleWorld.h"

#include <functional>
#include <mutex>

class TSampleWorldSource : public IGameWorldSource {
public:
  // The world is played on to the archive's last round, so that it serves what WriteSampleWorld's newest
  // snapshot holds.
  explicit TSampleWorldSource(const TSampleWorldOptions& options);

  // "team", "leaguedetails" (the own series, or leagueLevelUnitID), "players", "training", "arenadetails",
  // "economy", "club", "regiondetails", "worlddetails" (every league), "matches" (teamID), "matchlineup"
  // (matchID, empty for the team's latest match; teamID), "matchdetails" (matchID), "leaguefixtures"
  // (leagueLevelUnitID, season), "teamdetails" (teamID). A missing team or unit means the own one. Unknown
  // files, malformed numbers and objects the world does not have give std::nullopt.
  std::optional<std::string> Answer(const TGameRequest& request) override;

  // The next round (thread-safe against Answer).
  void AdvanceRound();
  // Runs f on the world while no answer is being made.
  void Use(const std::function<void(const TSampleWorld&)>& f) const;

private:
  mutable std::mutex FMutex;
  TSampleWorld FWorld;
};
