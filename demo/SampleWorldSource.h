#pragma once
// The sample world as the local game server's answers: every request of the download jobs (the nine own-team
// files of the current round, a team's matches list, match lineups and details, league fixtures, league
// details by series, team details) is answered from a TSampleWorld, which can be moved on round by round
// while the server runs.
#include "demo/GameServer.h"
#include "demo/SampleWorld.h"

#include <memory>
#include <optional>
#include <shared_mutex>
#include <string>

class TSampleWorldSource : public IGameWorldSource {
public:
  // A world of those options, played on to the archive's last round: the moment right after the download
  // that ends the archive WriteSampleWorld writes with the same options.
  explicit TSampleWorldSource(const TSampleWorldOptions& options);

  // Answers a request; std::nullopt (the server's 404) for a file the world does not serve or an ID that is
  // not a number.
  std::optional<std::string> Answer(const TGameRequest& request) override;

  // Moves the world on by one round; requests wait meanwhile.
  void AdvanceRound();
  int Season() const;
  int Round() const;
  // The world itself, for a test's expectations. Not to be used while AdvanceRound runs.
  const TSampleWorld& World() const { return *FWorld; }

private:
  std::optional<std::string> Dispatch(const TGameRequest& request) const;

  std::unique_ptr<TSampleWorld> FWorld;
  mutable std::shared_mutex FMutex;
};
