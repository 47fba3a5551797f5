#include "demo/SampleWorld.h"

#include "demo/WorldDate.h"
#include "demo/WorldState.h"

#include <stdexcept>

const TSampleRoundInfo* TSampleWorldInfo::FindRound(int season, int round) const {
  for (const auto& r : Rounds)
    if (r.Season == season && r.Round == round) return &r;
  return nullptr;
}

const TSamplePlayerHistory* TSampleWorldInfo::FindPlayer(int64_t playerID) const {
  for (const auto& p : Players)
    if (p.PlayerID == playerID) return &p;
  return nullptr;
}

TSampleWorld::TSampleWorld(const TSampleWorldOptions& options)
    : FState(std::make_unique<TSampleWorldState>(options)) {}

TSampleWorld::~TSampleWorld() = default;

void TSampleWorld::AdvanceRound() {
  auto& s = *FState;
  if (s.SeasonOfWeek(s.Week + 1) > 99) throw std::out_of_range("The sample world ends with season 99");
  s.PlayOwnLeagueMatch();
  ++s.Week;
  s.StartWeek();
}

void TSampleWorld::RunToEnd() {
  while (!AtEnd()) AdvanceRound();
}

bool TSampleWorld::AtEnd() const { return FState->Week >= FState->LastWeek; }
int TSampleWorld::Season() const { return FState->SeasonOfWeek(FState->Week); }
int TSampleWorld::Round() const { return TSampleWorldState::RoundOfWeek(FState->Week); }
const TSampleWorldInfo& TSampleWorld::Info() const { return FState->Info; }
const TSampleWorldOptions& TSampleWorld::Options() const { return FState->Options; }
std::string TSampleWorld::FetchedDate() const { return TWorldDate::FormatMoment(FState->Now()); }

std::string TSampleWorld::OwnTeamFile(int index) const {
  if (index < 0 || index >= SampleOwnFileCount) return {};
  return FState->OwnFile(index, FState->Now());
}

std::optional<std::string> TSampleWorld::OwnTeamFileByRequest(std::string_view file) const {
  for (int i = 0; i < SampleOwnFileCount; ++i)
    if (file == SampleOwnFileRequest(i)) return OwnTeamFile(i);
  return std::nullopt;
}

std::string TSampleWorld::MatchesFile(int teamID) const { return FState->MatchesAnswer(teamID); }
std::string TSampleWorld::MatchLineupFile(int64_t matchID, int teamID) const { return FState->LineupAnswer(matchID, teamID); }
std::string TSampleWorld::MatchDetailsFile(int64_t matchID) const { return FState->DetailsAnswer(matchID); }
std::string TSampleWorld::LeagueFixturesFile(int unitID, int season) const { return FState->FixturesAnswer(unitID, season); }
std::string TSampleWorld::LeagueDetailsFile(int unitID) const { return FState->LeagueAnswer(unitID); }
std::string TSampleWorld::TeamDetailsFile(int teamID) const { return FState->TeamAnswer(teamID); }

std::vector<int> TSampleWorld::TeamIDs() const {
  std::vector<int> ids;
  for (const auto& t : FState->Teams) ids.push_back(t.TeamID);
  return ids;
}

std::vector<int> TSampleWorld::UnitIDs() const {
  std::vector<int> ids;
  for (const auto& u : FState->Units) ids.push_back(u.UnitID);
  return ids;
}

std::string TSampleWorld::RecordFileText() const { return FState->RecordText(); }
const std::vector<std::string>& TSampleWorld::EarlySnapshotFiles() const { return FState->EarlyFiles; }
const TSampleSnapshotInfo* TSampleWorld::EarlySnapshot() const {
  return FState->EarlyInfo ? &*FState->EarlyInfo : nullptr;
}
