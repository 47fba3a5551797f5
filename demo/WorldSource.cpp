#include "demo/WorldSource.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// A request parameter as a number; empty means 0 (the own team, the latest match, the current season).
bool Number(const TGameRequest& request, const char* name, int64_t& value) {
  const std::string text = request.Param(name);
  value = 0;
  if (text.empty()) return true;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= 0 && value <= INT32_MAX;
}

std::optional<std::string> NonEmpty(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace

TSampleWorldSource::TSampleWorldSource(const TSampleWorldOptions& options) : FWorld(options) { FWorld.RunToEnd(); }

std::optional<std::string> TSampleWorldSource::Answer(const TGameRequest& request) {
  std::lock_guard lock(FMutex);
  const std::string file = Lower(request.File);
  int64_t team = 0, unit = 0, match = 0, season = 0;
  if (!Number(request, "teamID", team) || !Number(request, "leagueLevelUnitID", unit) ||
      !Number(request, "matchID", match) || !Number(request, "season", season))
    return std::nullopt;
  if (file == "leaguedetails" && unit) return NonEmpty(FWorld.LeagueDetailsFile(static_cast<int>(unit)));
  if (file == "leaguefixtures")
    return NonEmpty(FWorld.LeagueFixturesFile(static_cast<int>(unit), static_cast<int>(season)));
  if (file == "matches") return NonEmpty(FWorld.MatchesFile(static_cast<int>(team)));
  if (file == "matchlineup") return NonEmpty(FWorld.MatchLineupFile(match, static_cast<int>(team)));
  if (file == "matchdetails") return match ? NonEmpty(FWorld.MatchDetailsFile(match)) : std::nullopt;
  if (file == "teamdetails") return NonEmpty(FWorld.TeamDetailsFile(static_cast<int>(team)));
  return FWorld.OwnTeamFileByRequest(file);
}

void TSampleWorldSource::AdvanceRound() {
  std::lock_guard lock(FMutex);
  FWorld.AdvanceRound();
}

void TSampleWorldSource::Use(const std::function<void(const TSampleWorld&)>& f) const {
  std::lock_guard lock(FMutex);
  f(FWorld);
}
