#include "demo/SampleWorldSource.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <mutex>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

// A numeric parameter: 0 when absent or empty, nothing when it is not a plain number.
std::optional<int64_t> NumberParam(const TGameRequest& request, const char* name) {
  const std::string text = request.Param(name);
  if (text.empty()) return 0;
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<int> IntParam(const TGameRequest& request, const char* name) {
  const std::optional<int64_t> value = NumberParam(request, name);
  if (!value || *value > INT32_MAX) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<std::string> NonEmpty(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}

// The game answers the details of a team that does not exist with an empty team.
std::string NoTeamAnswer() {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KickvaleData>\r\n  <FileName>teamDetails.asp</FileName>\r\n"
         "  <Version>1.5</Version>\r\n  <Team>\r\n    <TeamID></TeamID>\r\n    <TeamName></TeamName>\r\n"
         "  </Team>\r\n</KickvaleData>\r\n";
}

}  // namespace

TSampleWorldSource::TSampleWorldSource(const TSampleWorldOptions& options)
    : FWorld(std::make_unique<TSampleWorld>(options)) {
  FWorld->RunToEnd();
}

std::optional<std::string> TSampleWorldSource::Answer(const TGameRequest& request) {
  std::shared_lock lock(FMutex);
  return Dispatch(request);
}

void TSampleWorldSource::AdvanceRound() {
  std::unique_lock lock(FMutex);
  FWorld->AdvanceRound();
}

int TSampleWorldSource::Season() const {
  std::shared_lock lock(FMutex);
  return FWorld->Season();
}

int TSampleWorldSource::Round() const {
  std::shared_lock lock(FMutex);
  return FWorld->Round();
}

std::optional<std::string> TSampleWorldSource::Dispatch(const TGameRequest& request) const {
  const std::string file = Lower(request.File);
  const TSampleWorld& world = *FWorld;
  if (file == "leaguedetails" && !request.Param("leagueLevelUnitID").empty()) {
    const auto unit = IntParam(request, "leagueLevelUnitID");
    return unit ? NonEmpty(world.LeagueDetailsFile(*unit)) : std::nullopt;
  }
  if (auto own = world.OwnTeamFileByRequest(file)) return NonEmpty(std::move(*own));
  if (file == "matches") {
    const auto team = IntParam(request, "teamID");
    if (!team) return std::nullopt;
    return NonEmpty(world.MatchesFile(*team == 0 ? world.Info().OwnTeamID : *team));
  }
  if (file == "matchlineup") {
    const auto match = NumberParam(request, "matchID");
    const auto team = IntParam(request, "teamID");
    return match && team ? NonEmpty(world.MatchLineupFile(*match, *team)) : std::nullopt;
  }
  if (file == "matchdetails") {
    const auto match = NumberParam(request, "matchID");
    return match && *match != 0 ? NonEmpty(world.MatchDetailsFile(*match)) : std::nullopt;
  }
  if (file == "leaguefixtures") {
    const auto unit = IntParam(request, "leagueLevelUnitID");
    const auto season = IntParam(request, "season");
    return unit && season ? NonEmpty(world.LeagueFixturesFile(*unit, *season)) : std::nullopt;
  }
  if (file == "teamdetails") {
    const auto team = IntParam(request, "teamID");
    if (!team) return std::nullopt;
    std::string answer = world.TeamDetailsFile(*team);
    return answer.empty() ? NoTeamAnswer() : answer;
  }
  return std::nullopt;
}
